#include "selection_handle.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base_panel.h"
#include "graphic_control.h"
#include "platform/home.h"

namespace design {

TGHandle::TGHandle(TGBasePanel* panel) : QObject(panel), panel_(panel) {}

void TGHandle::SetColor(const QColor& c) {
  color_ = c;
  panel_->update();
}

void TGHandle::SetSecondaryColor(const QColor& c) {
  secondaryColor_ = c;
  panel_->update();
}

void TGHandle::SetGridX(int value) {
  gridX_ = std::clamp(value, 1, 32);
  if (pitchX_ > 1) pitchX_ = gridX_;
  panel_->update();
}

void TGHandle::SetGridY(int value) {
  gridY_ = std::clamp(value, 1, 32);
  if (pitchY_ > 1) pitchY_ = gridY_;
  panel_->update();
}

void TGHandle::SetSnapToGrid(bool value) {
  pitchX_ = value ? gridX_ : 1;
  pitchY_ = value ? gridY_ : 1;
}

void TGHandle::setOwnBounds(const QRect& r) {
  bounds_ = r;
  panel_->update();
}

namespace {
// Handle bounds `h` grown to take in `e`: 2 pixels left and above it, 3 right and below.
QRect extended(const QRect& h, const TGGraphicControl* e) {
  const int left = std::min(h.left(), e->Left() - 2), top = std::min(h.top(), e->Top() - 2);
  const int right = std::max(h.left() + h.width() - 3, e->Left() + e->Width());
  const int bottom = std::max(h.top() + h.height() - 3, e->Top() + e->Height());
  return QRect(left, top, right - left + 3, bottom - top + 3);
}
}  // namespace

void TGHandle::Select(TGGraphicControl* e) {
  if (!e || e->Unselectable()) return;
  pressTime_ = platform::tickCount();
  if (IndexOf(e) >= 0) return;
  panel_->SetScreenCursor(TGBasePanel::HandGrab);
  if (selection_.empty()) {
    dragFrame_ = QRect();
    enabled_ = visible_ = true;
    setOwnBounds(QRect(e->Left() - 2, e->Top() - 2, e->Width() + 5, e->Height() + 5));
  } else {
    setOwnBounds(extended(bounds_, e));
  }
  selection_.push_back(e);
  zone_ = Move;
  capture_ = true;
}

void TGHandle::Unselect(TGGraphicControl* e) {
  auto it = std::find(selection_.begin(), selection_.end(), e);
  if (it == selection_.end()) return;
  selection_.erase(it);
  if (selection_.empty()) {
    locked_ = false;
    visible_ = enabled_ = capture_ = false;
    dragFrame_ = QRect();
    dragging_ = false;
    panel_->update();
    return;
  }
  const TGGraphicControl* first = selection_.front();
  QRect h(first->Left() - 2, first->Top() - 2, first->Width() + 3, first->Height() + 3);
  for (const TGGraphicControl* s : selection_) h = extended(h, s);
  setOwnBounds(h);
}

void TGHandle::ClearSelection() {
  selection_.clear();
  locked_ = false;
  visible_ = enabled_ = capture_ = false;
  dragging_ = false;
  dragFrame_ = QRect();
  setOwnBounds(QRect(bounds_.topLeft(), QSize(24, 24)));
}

int TGHandle::IndexOf(const TGGraphicControl* e) const {
  auto it = std::find(selection_.begin(), selection_.end(), e);
  return it == selection_.end() ? -1 : int(it - selection_.begin());
}

TGGraphicControl* TGHandle::Selected(int i) const {
  if (i < 0 || i >= int(selection_.size())) return nullptr;
  return selection_[std::size_t(i)];
}

void TGHandle::BringSelectionToFront() {
  if (selection_.empty() || locked_) return;
  for (TGGraphicControl* e : selection_) panel_->BringToFront(e);
}

void TGHandle::SendSelectionToBack() {
  if (selection_.empty() || locked_) return;
  for (TGGraphicControl* e : selection_) panel_->SendToBack(e);
}

bool TGHandle::PointOnSelection(QPoint p) const { return SelectedElementAt(p) != nullptr; }

TGGraphicControl* TGHandle::SelectedElementAt(QPoint p) const {
  for (TGGraphicControl* e : selection_)
    if (e->BoundsRect().adjusted(-2, -2, 2, 2).contains(p)) return e;
  return nullptr;
}

void TGHandle::SetHandleBounds(int left, int top, int width, int height) {
  const QRect h = bounds_;
  for (TGGraphicControl* e : selection_)
    if (!e->Locked())
      e->SetBounds(left - h.left() + e->Left(), top - h.top() + e->Top(), width - h.width() + e->Width(),
                   height - h.height() + e->Height());
  setOwnBounds(QRect(left, top, width, height));
}

void TGHandle::Refit() {
  if (selection_.empty()) return;
  int minL = INT32_MAX, minT = INT32_MAX, maxR = INT32_MIN, maxB = INT32_MIN;
  for (const TGGraphicControl* e : selection_) {
    minL = std::min(minL, e->Left());
    minT = std::min(minT, e->Top());
    maxR = std::max(maxR, e->Left() + e->Width());
    maxB = std::max(maxB, e->Top() + e->Height());
  }
  // The same margins as a selection is made with: 2 pixels left and above, 3 right and below.
  setOwnBounds(QRect(minL - 2, minT - 2, maxR - minL + 5, maxB - minT + 5));
}

int TGHandle::ZoneAt(QPoint p) const {
  int zone = Move;
  if (selection_.size() != 1) return zone;
  const int x = p.x(), y = p.y(), w = bounds_.width(), h = bounds_.height();
  const auto near = [](double a, double limit) { return std::abs(a) < limit; };
  if (near(x, 8) && near(y, 8)) zone = TopLeft;
  if (near(x - w, 8) && near(y - h, 8)) zone = BottomRight;
  if (near(x - w, 8) && near(y, 8)) zone = TopRight;
  if (near(x, 8) && near(y - h, 8)) zone = BottomLeft;
  if (near(x - w * 0.5, 6) && near(y, 8)) zone = Top;
  if (near(x - w * 0.5, 6) && near(y - h, 8)) zone = Bottom;
  if (near(x, 8) && near(y - h * 0.5, 6)) zone = Left;
  if (near(x - w, 8) && near(y - h * 0.5, 6)) zone = Right;
  return zone;
}

QPoint TGHandle::clamp(QPoint p) const {
  const QSize panel = panel_->size();
  const int L = bounds_.left(), T = bounds_.top();
  if (L + p.x() < 0) p.setX(-L);
  if (L + p.x() > panel.width()) p.setX(panel.width() - L);
  if (T + p.y() < 0) p.setY(-T);
  if (T + p.y() > panel.height()) p.setY(panel.height() - T);
  return p;
}

QRect TGHandle::DragBounds(QPoint p) const {
  p = clamp(p);
  const int L = bounds_.left(), T = bounds_.top(), W = bounds_.width(), Ht = bounds_.height();
  const int dx = p.x() - start_.x(), dy = p.y() - start_.y();
  int left = L, top = T, width = W, height = Ht;
  const bool moveLeft = zone_ == Move || zone_ == TopLeft || zone_ == BottomLeft || zone_ == Left;
  const bool moveTop = zone_ == Move || zone_ == TopLeft || zone_ == TopRight || zone_ == Top;
  if (moveLeft) left = snapX(L + dx) - 2;
  if (moveTop) top = snapY(T + dy) - 2;
  if (zone_ != Move) {
    if (moveLeft) width = W + L - left;
    if (moveTop) height = Ht + T - top;
    if (zone_ == TopRight || zone_ == BottomRight || zone_ == Right) width = snapX(W + dx) - 3;
    if (zone_ == BottomLeft || zone_ == BottomRight || zone_ == Bottom) height = snapY(Ht + dy) - 3;
  }
  return QRect(left, top, std::max(5, width), std::max(5, height));
}

void TGHandle::zoneCursor(int zone) {
  static const TGBasePanel::Cursor cursors[] = {
      TGBasePanel::HandGrab,   TGBasePanel::SizeNWSE, TGBasePanel::SizeNESW, TGBasePanel::SizeNESW,
      TGBasePanel::SizeNWSE,   TGBasePanel::SizeNS,   TGBasePanel::SizeWE,   TGBasePanel::SizeNS,
      TGBasePanel::SizeWE};
  panel_->SetScreenCursor(cursors[zone]);
}

void TGHandle::stopDragging() {
  dragging_ = false;
  dragFrame_ = QRect();
}

void TGHandle::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p) {
  pressTime_ = platform::tickCount();
  const QPoint onPanel = p + bounds_.topLeft();
  if (panel_->Pointing() && button == Qt::LeftButton) {
    if ((PointOnSelection(onPanel) || !selection_.empty()) && !locked_) {
      dragging_ = true;
      start_ = p;
    }
    capture_ = true;
    panel_->HandleMouseDown(button, modifiers, onPanel);
    return;
  }
  if (button == Qt::RightButton) {
    if (PointOnSelection(onPanel) && selection_.size() == 1)
      panel_->PopupMenu(selection_.front()->Menu());
    else
      panel_->PopupMenu(panel_->PanelMenu());
    return;
  }
  panel_->SetScreenCursor(TGBasePanel::Default);
  panel_->PassPress(button, modifiers, onPanel);
}

void TGHandle::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint p) {
  if (doubleClicked_) {
    stopDragging();
    doubleClicked_ = false;
  }
  if (!panel_->Pointing()) {
    panel_->SetScreenCursor(TGBasePanel::Drag);
    return;
  }
  const bool leftUp = !(buttons & Qt::LeftButton);
  if (leftUp || dragging_ || locked_) {
    if (leftUp) capture_ = false;
    int zone = Move;
    if (!dragging_) panel_->SetScreenCursor(TGBasePanel::HandGrab);
    if (selection_.size() == 1) {
      zone = ZoneAt(p);
      if (zone != Move) zoneCursor(zone);
    }
    if (locked_) panel_->SetScreenCursor(TGBasePanel::NoDrop);
    if (dragging_) {
      const QRect b = DragBounds(p);
      dragFrame_ = QRect(QPoint(b.left() + 2, b.top() + 2), QPoint(b.left() + b.width() - 3, b.top() + b.height() - 3));
      panel_->update();
    } else {
      zone_ = zone;
    }
  } else if (pressTime_ != 0 && platform::tickCount() - pressTime_ > 10) {
    // A press on an unselected element selected it and gave the handle the mouse: now it drags.
    dragging_ = true;
    start_ = p;
  }
  (void)modifiers;
}

void TGHandle::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p) {
  if (dragging_ && platform::tickCount() - pressTime_ < 150) start_ = p;  // a short click moves nothing
  pressTime_ = 0;
  if (!dragging_ || button != Qt::LeftButton) {
    capture_ = false;
    panel_->PassRelease(button, modifiers, p + bounds_.topLeft());
    panel_->update();
    return;
  }
  const QPoint at = clamp(p);
  if (at != start_) {
    const QRect b = DragBounds(at);
    SetHandleBounds(b.left(), b.top(), b.width(), b.height());
  }
  stopDragging();
  panel_->SetScreenCursor(TGBasePanel::Default);
  capture_ = false;
  panel_->update();
}

void TGHandle::DblClick() {
  doubleClicked_ = true;
  panel_->ElementDblClick(nullptr);
}

void TGHandle::KeyDown(int key, Qt::KeyboardModifiers modifiers) {
  const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
  if (arrow && !keyboardShown_ && !selection_.empty()) {
    keyboardShown_ = true;
    const QRect& h = bounds_;
    keyboardFrame_ = QRect(QPoint(h.left() + 2, h.top() + 2), QPoint(h.left() + h.width() - 3, h.top() + h.height() - 3));
  }
  if (keyboardShown_) {
    QRect& r = keyboardFrame_;
    const int rw = r.width(), rh = r.height();
    const bool resize = (modifiers & Qt::ShiftModifier) && selection_.size() == 1;
    const QSize panel = panel_->size();
    switch (key) {
      case Qt::Key_Left:
        if (resize) {
          if (rw > 10) r.setRight(r.right() - 1);
        } else if (r.left() > 0) {
          r.translate(-1, 0);
        }
        break;
      case Qt::Key_Up:
        if (resize) {
          if (rh > 10) r.setBottom(r.bottom() - 1);
        } else if (r.top() > 0) {
          r.translate(0, -1);
        }
        break;
      case Qt::Key_Right:
        if (rw + r.left() <= panel.width()) {
          if (resize) r.setRight(r.right() + 1);
          else r.translate(1, 0);
        }
        break;
      case Qt::Key_Down:
        if (rh + r.top() <= panel.height()) {
          if (resize) r.setBottom(r.bottom() + 1);
          else r.translate(0, 1);
        }
        break;
      default: break;
    }
  }
  panel_->KeyDown(key, modifiers);
  panel_->update();
}

void TGHandle::KeyUp(int) {
  if (!keyboardShown_) return;
  keyboardShown_ = false;
  const QRect r = keyboardFrame_;
  SetHandleBounds(r.left() - 2, r.top() - 2, r.right() - r.left() + 5, r.bottom() - r.top() + 5);
  panel_->update();
}

void TGHandle::Paint(QPainter& painter) {
  for (TGGraphicControl* e : selection_) e->DrawMarks(painter);
}

}  // namespace design
