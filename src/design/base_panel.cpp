#include "base_panel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <filesystem>

#include "label_object_filer.h"
#include "platform/home.h"

namespace design {

namespace {

constexpr QEvent::Type kRefitEvent = QEvent::Type(QEvent::User + 42);
int livePanels = 0;

Qt::CursorShape shapeOf(TGBasePanel::Cursor c) {
  switch (c) {
    case TGBasePanel::HandGrab: return Qt::OpenHandCursor;
    case TGBasePanel::HandPoint: return Qt::PointingHandCursor;
    case TGBasePanel::SizeNWSE: return Qt::SizeFDiagCursor;
    case TGBasePanel::SizeNESW: return Qt::SizeBDiagCursor;
    case TGBasePanel::SizeNS: return Qt::SizeVerCursor;
    case TGBasePanel::SizeWE: return Qt::SizeHorCursor;
    case TGBasePanel::Drag: return Qt::DragMoveCursor;
    case TGBasePanel::NoDrop: return Qt::ForbiddenCursor;
    default: return Qt::ArrowCursor;
  }
}

// A frame that drawing twice removes: a white dotted pen in exclusive-or.
void xorFrame(QPainter& painter, const QRect& r) {
  if (r.isNull()) return;
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  QPen pen(Qt::white);
  pen.setStyle(Qt::DotLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(r);
  painter.restore();
}

}  // namespace

TGBasePanel::TGBasePanel(QObject* owner, QWidget* parent)
    : QWidget(parent), owner_(owner ? owner : this), handle_(new TGHandle(this)) {
  ++livePanels;
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(false);
  font_ = ElementFont::of(QStringLiteral("Arial"), 10);
  buildMenu();
}

TGBasePanel::~TGBasePanel() {
  // Elements owned by a form outlive their panel: they no longer have one.
  for (TGGraphicControl* e : children_) e->SetPanel(nullptr);
  // The clipboard lasts while any design panel of the run is alive.
  if (--livePanels == 0) {
    std::error_code ignored;
    std::filesystem::remove(ClipboardPath(), ignored);
    std::filesystem::remove(TemporaryPath(), ignored);
  }
}

std::string TGBasePanel::ClipboardPath() { return platform::homeFolder() + "Clipbrd.tmp"; }
std::string TGBasePanel::TemporaryPath() { return platform::homeFolder() + "TempFile.tmp"; }

void TGBasePanel::SetDrawOutline(bool value) {
  drawOutline_ = value;
  update();
}

void TGBasePanel::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void TGBasePanel::SetColorPicture(const QImage& picture) {
  colorPicture_ = picture;
  update();
}

void TGBasePanel::SetShape(LabelShape value) {
  if (value == shape_) return;
  shape_ = value;
  update();
}

void TGBasePanel::SetGridSize(design::GridSize value) {
  const int pitch = value == design::GridSize::Grid4x4 ? 4 : 8;
  handle_->SetGridX(pitch);
  handle_->SetGridY(pitch);
  if (value == gridSize_) return;
  gridSize_ = value;
  update();
}

void TGBasePanel::SetShowGrid(bool value) {
  if (value == showGrid_) return;
  showGrid_ = value;
  update();
}

void TGBasePanel::SetSnapToGrid(bool value) {
  if (value) {
    const int pitch = gridSize_ == design::GridSize::Grid4x4 ? 4 : 8;
    handle_->SetGridX(pitch);
    handle_->SetGridY(pitch);
  }
  handle_->SetSnapToGrid(value);
}

QPainterPath TGBasePanel::shapePath() const {
  QPainterPath path;
  const QRectF r(0, 0, width() + 1, height() + 1);
  if (shape_ == LabelShape::Rectangle) path.addRect(r);
  else if (shape_ == LabelShape::RoundRect) path.addRoundedRect(r, 12, 12);
  else path.addEllipse(r);
  return path;
}

QImage TGBasePanel::PaintSheet() const {
  QImage sheet(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  const QPainterPath region = shapePath();
  for (const QImage* picture : {&picture_, &colorPicture_})
    if (!picture->isNull()) {
      p.save();
      p.setClipPath(region);
      p.drawImage(QRect(0, 0, width(), height()), *picture);
      p.restore();
    }
  if (drawOutline_) {
    QPen pen(Qt::black);
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRect r(0, 0, width() - 1, height() - 1);
    if (shape_ == LabelShape::Rectangle) p.drawRect(r);
    else if (shape_ == LabelShape::RoundRect) p.drawRoundedRect(r, 12, 12);
    else p.drawEllipse(r);
  }
  p.end();
  if (showGrid_) {
    // The 8 x 8 pattern ANDed over the sheet: green dots at every grid point.
    const int pitch = gridSize_ == design::GridSize::Grid4x4 ? 4 : 8;
    for (int y = pitch - 1; y < sheet.height(); y += pitch)
      for (int x = pitch - 1; x < sheet.width(); x += pitch) {
        if (!region.contains(QPointF(x + 0.5, y + 0.5))) continue;
        const QRgb c = sheet.pixel(x, y);
        sheet.setPixel(x, y, qRgb(0, qGreen(c) & 128, 0));
      }
  }
  return sheet;
}

void TGBasePanel::paintEvent(QPaintEvent*) {
  QImage sheet = PaintSheet();
  {
    QPainter p(&sheet);
    PaintOverSheet(p);
    for (TGGraphicControl* e : children_) e->Paint(p);
    handle_->Paint(p);
    xorFrame(p, RubberBand());
    xorFrame(p, handle_->DragFrame());
    xorFrame(p, handle_->KeyboardFrame());
  }
  QPainter(this).drawImage(0, 0, sheet);
}

void TGBasePanel::SetScreenCursor(Cursor cursor) {
  cursor_ = cursor;
  setCursor(shapeOf(cursor));
}

void TGBasePanel::PopupMenu(QMenu* menu) {
  lastPopup_ = menu;
  if (menu) menu->popup(QCursor::pos());
}

void TGBasePanel::processPendingEvents() { QCoreApplication::processEvents(); }

void TGBasePanel::adopt(TGGraphicControl* element) {
  children_.push_back(element);
  element->SetPanel(this);
  update();
}

void TGBasePanel::BringToFront(TGGraphicControl* e) {
  auto it = std::find(children_.begin(), children_.end(), e);
  if (it == children_.end()) return;
  children_.erase(it);
  children_.push_back(e);
  update();
}

void TGBasePanel::SendToBack(TGGraphicControl* e) {
  auto it = std::find(children_.begin(), children_.end(), e);
  if (it == children_.end()) return;
  children_.erase(it);
  children_.insert(children_.begin(), e);
  update();
}

TGGraphicControl* TGBasePanel::ElementAt(QPoint p) const {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it)
    if ((*it)->BoundsRect().contains(p)) return *it;
  return nullptr;
}

void TGBasePanel::FreeElement(TGGraphicControl* e) {
  handle_->Unselect(e);
  auto it = std::find(children_.begin(), children_.end(), e);
  if (it != children_.end()) children_.erase(it);
  // Its own menu may be running: it goes once the current event is over,
  // and meanwhile leaves its name to new elements.
  e->SetPanel(nullptr);
  e->SetName(QString());
  e->deleteLater();
  update();
}

void TGBasePanel::RequestRefit() {
  if (refitPosted_) return;
  refitPosted_ = true;
  QCoreApplication::postEvent(this, new QEvent(kRefitEvent));
}

bool TGBasePanel::event(QEvent* e) {
  if (e->type() == kRefitEvent) {
    refitPosted_ = false;
    handle_->Refit();
    return true;
  }
  return QWidget::event(e);
}

// --- the mouse ---

void TGBasePanel::mousePressEvent(QMouseEvent* e) {
  setFocus();
  const QPoint p = e->position().toPoint();
  if (handle_->Visible() && (handle_->HasCapture() || handle_->Bounds().contains(p)))
    handle_->MouseDown(e->button(), e->modifiers(), p - handle_->Bounds().topLeft());
  else
    PassPress(e->button(), e->modifiers(), p);
}

void TGBasePanel::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  // The panel holds the mouse while its rubber band is out.
  if (rubberOn_) {
    PanelMouseMove(p);
  } else if (handle_->Visible() && (handle_->HasCapture() || handle_->Bounds().contains(p))) {
    handle_->MouseMove(e->buttons(), e->modifiers(), p - handle_->Bounds().topLeft());
  } else if (TGGraphicControl* element = ElementAt(p)) {
    ElementMouseMove(element, p);
  } else {
    PanelMouseMove(p);
  }
}

void TGBasePanel::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (rubberOn_) PassRelease(e->button(), e->modifiers(), p);
  else if (handle_->Visible() && (handle_->HasCapture() || handle_->Bounds().contains(p)))
    handle_->MouseUp(e->button(), e->modifiers(), p - handle_->Bounds().topLeft());
  else
    PassRelease(e->button(), e->modifiers(), p);
}

void TGBasePanel::mouseDoubleClickEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (handle_->Visible() && handle_->Bounds().contains(p)) handle_->DblClick();
  else if (TGGraphicControl* element = ElementAt(p)) ElementDblClick(element);
  if (OnDblClick) OnDblClick();
}

void TGBasePanel::PassPress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p) {
  if (TGGraphicControl* element = ElementAt(p)) ElementMouseDown(element, button, modifiers, p);
  else PanelMouseDown(button, modifiers, p);
}

void TGBasePanel::PassRelease(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p) {
  PanelMouseUp(p, modifiers, button);
}

void TGBasePanel::PanelMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p) {
  rubber_ = QRect(p, p);
  if (button == Qt::LeftButton) {
    rubberOn_ = true;
    SetScreenCursor(HandPoint);
  } else {
    PopupMenu(menu_.get());
  }
  if (OnMouseDown) OnMouseDown(button, modifiers, p);
}

void TGBasePanel::PanelMouseMove(QPoint p) {
  if (rubberOn_) {
    SetScreenCursor(HandPoint);
    rubber_.setBottomRight(p);
    update();
  }
  if (OnMouseMove) OnMouseMove(p);
}

void TGBasePanel::PanelMouseUp(QPoint p, Qt::KeyboardModifiers modifiers, Qt::MouseButton button) {
  if (!rubberOn_) {
    if (OnMouseUp) OnMouseUp(button, modifiers, p);
    return;
  }
  rubber_.setBottomRight(p);
  const int left = std::min(rubber_.left(), rubber_.right()), right = std::max(rubber_.left(), rubber_.right());
  const int top = std::min(rubber_.top(), rubber_.bottom()), bottom = std::max(rubber_.top(), rubber_.bottom());
  // Left, top, right, bottom: a click without a drag gives an empty rectangle at the point.
  QRect rect(left, top, right - left, bottom - top);
  rubberOn_ = false;
  update();
  if (pointing_) {
    SelectInRect(rect, modifiers & Qt::ShiftModifier);
  } else {
    CreateElementInRect(rect);
    if (DroppedObjectEvent) DroppedObjectEvent(rect);
  }
  if (pointing_) SetScreenCursor(Default);
  if (OnMouseUp) OnMouseUp(button, modifiers, p);
}

void TGBasePanel::SelectInRect(QRect rect, bool shift) {
  std::vector<TGGraphicControl*> list;
  if (shift) list = handle_->Selection();
  handle_->ClearSelection();
  // Edges count: a band that only touches an element takes it.
  const int l = rect.left(), t = rect.top(), r = rect.left() + rect.width(), b = rect.top() + rect.height();
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    TGGraphicControl* e = *it;
    const bool overlaps = e->Left() <= r && l <= e->Left() + e->Width() && e->Top() <= b && t <= e->Top() + e->Height();
    if (!overlaps) continue;
    auto found = std::find(list.begin(), list.end(), e);
    if (found != list.end() && shift) list.erase(found);
    else list.push_back(e);
  }
  for (TGGraphicControl* e : list) handle_->Select(e);
  update();
}

void TGBasePanel::ElementMouseDown(TGGraphicControl* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                   QPoint p) {
  if (!pointing_ || sender->Unselectable()) {
    PanelMouseDown(button, shift, p);
    return;
  }
  if (!(shift & Qt::ShiftModifier)) handle_->ClearSelection();
  handle_->Select(sender);
  update();
  if (handle_->SelectedCount() == 1 && button == Qt::RightButton) PopupMenu(sender->Menu());
}

void TGBasePanel::ElementMouseMove(TGGraphicControl*, QPoint p) {
  if (pointing_) SetScreenCursor(HandPoint);
  PanelMouseMove(p);
}

void TGBasePanel::ElementMouseUp(TGGraphicControl*, QPoint p, Qt::KeyboardModifiers modifiers) {
  PanelMouseUp(p, modifiers);
}

void TGBasePanel::ElementDblClick(TGGraphicControl* sender) {
  if (!sender) {
    if (handle_->SelectedCount() <= 1) {
      const QPoint p = mapFromGlobal(QCursor::pos());
      TGGraphicControl* at = handle_->SelectedElementAt(p);
      if (!at) at = handle_->Selected(0);
      if (at) PopupMenu(at->Menu());
    }
  } else {
    PopupMenu(sender->Menu());
  }
  handle_->DoubleClicked();
}

void TGBasePanel::HandleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p) {
  if (!pointing_) {
    PanelMouseDown(button, modifiers, p);
    return;
  }
  if (!(modifiers & Qt::ShiftModifier)) return;
  std::vector<TGGraphicControl*> list = handle_->Selection();
  handle_->ClearSelection();
  processPendingEvents();
  for (auto it = list.rbegin(); it != list.rend();) {
    if ((*it)->BoundsRect().contains(p)) it = decltype(it)(list.erase(std::next(it).base()));
    else ++it;
  }
  for (TGGraphicControl* e : list) handle_->Select(e);
  processPendingEvents();
}

// --- the keyboard ---

void TGBasePanel::keyPressEvent(QKeyEvent* e) {
  if (handle_->Visible() && handle_->Enabled()) handle_->KeyDown(e->key(), e->modifiers());
  else KeyDown(e->key(), e->modifiers());
}

void TGBasePanel::keyReleaseEvent(QKeyEvent* e) {
  // Auto-repeat moves the frame; the elements follow once, at the real release.
  if (!e->isAutoRepeat()) handle_->KeyUp(e->key());
}

void TGBasePanel::KeyDown(int key, Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  if (ctrl && key == Qt::Key_C) SelectionClipboardOp(ClipboardOperation::Copy);
  else if (ctrl && key == Qt::Key_V) SelectionClipboardOp(ClipboardOperation::Paste);
  else if (ctrl && key == Qt::Key_X) SelectionClipboardOp(ClipboardOperation::Cut);
  else if (key == Qt::Key_Delete) SelectionClipboardOp(ClipboardOperation::Delete);
  if (OnKeyDown) OnKeyDown(key, modifiers);
}

}  // namespace design
