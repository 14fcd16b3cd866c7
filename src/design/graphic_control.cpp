#include "graphic_control.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <cmath>

#include "layout_stream.h"
#include "platform/ansi_text.h"

namespace design {

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

TGGraphicControl::TGGraphicControl(QObject* owner) : QObject(owner) {}

TGGraphicControl::~TGGraphicControl() = default;

void TGGraphicControl::SetBounds(int left, int top, int width, int height) {
  bounds_ = QRect(left, top, width, height);
  if (!reading_) BoundsChanged();
}

void TGGraphicControl::WriteProperties(LayoutWriter& w) const {
  if (tag_) w.integer("Tag", tag_);
  w.integer("Left", Left());
  w.integer("Top", Top());
  w.integer("Width", Width());
  w.integer("Height", Height());
  if (cursor_) w.integer("Cursor", cursor_);
  if (!hint_.isEmpty()) w.string("Hint", platform::toFileText(hint_));
  w.boolean("Locked", locked_);
  w.boolean("Unselectable", unselectable_);
}

bool TGGraphicControl::ReadProperty(const StoredProperty& p) {
  const std::string& n = p.name;
  if (n == "Tag") tag_ = integerOf(p.value);
  else if (n == "Left") SetLeft(integerOf(p.value));
  else if (n == "Top") SetTop(integerOf(p.value));
  else if (n == "Width") SetWidth(integerOf(p.value));
  else if (n == "Height") SetHeight(integerOf(p.value));
  else if (n == "Cursor") cursor_ = integerOf(p.value);
  else if (n == "Hint") hint_ = platform::fromFileText(stringOf(p.value));
  else if (n == "Locked") SetLocked(booleanOf(p.value));
  else if (n == "Unselectable") SetUnselectable(booleanOf(p.value));
  else return false;
  return true;
}

void TGGraphicControl::BoundsChanged() {
  // The first report after creation only records where the element is.
  if (lastBounds_ == QRect()) lastBounds_ = bounds_;
  if (bounds_ == lastBounds_) return;
  NotifyChanged();
  lastBounds_ = bounds_;
  if (panel_) panel_->postRefit();
}

void TGGraphicControl::SetScale(float x) {
  if (x == scale_) return;
  const float r = x / scale_;
  const double rd = r;
  const QRect b = bounds_;
  // The new zoom is in force while the bounds report runs, so that kinds
  // that size themselves from their text (symbols) measure at it.
  scale_ = x;
  SetBounds(RoundHalfEven(b.left() * rd), RoundHalfEven(b.top() * rd), RoundHalfEven(b.width() * rd),
            RoundHalfEven(b.height() * rd));
}

void TGGraphicControl::NotifyChanged() {
  if (panel_ && !panel_->printing()) panel_->labelChanged();
}

void TGGraphicControl::SetLocked(bool value) {
  if (value == locked_) return;
  locked_ = value;
  if (reading_) return;
  // The switch keeps its new value whatever the menu or the panel does.
  try {
    if (lockedEntry_) lockedEntry_->setChecked(locked_);
    NotifyChanged();
  } catch (...) {
  }
}

void TGGraphicControl::SetUnselectable(bool value) {
  if (value == unselectable_) return;
  unselectable_ = value;
  if (reading_) return;
  try {
    NotifyChanged();
    if (value && panel_) panel_->unselect(this);
  } catch (...) {
  }
}

void TGGraphicControl::BuildMenu() {
  if (menu_) return;
  menu_ = std::make_unique<QMenu>();
  connect(menu_.get(), &QMenu::aboutToShow, this, [this] { MenuOpening(); });
  menu_->addAction(QStringLiteral("Bring To Front"), this, &TGGraphicControl::BringToFront);
  menu_->addAction(QStringLiteral("Send To Back"), this, &TGGraphicControl::SendToBack);
  menu_->addAction(QStringLiteral("Cut"), this, &TGGraphicControl::Cut);
  menu_->addAction(QStringLiteral("Copy"), this, &TGGraphicControl::Copy);
  menu_->addAction(QStringLiteral("Delete"), this, &TGGraphicControl::Delete);
  menu_->addAction(QStringLiteral("Clone"), this, &TGGraphicControl::Clone);
  menu_->addSeparator();
  lockedEntry_ = menu_->addAction(QStringLiteral("Locked"));
  lockedEntry_->setCheckable(true);
  lockedEntry_->setChecked(locked_);
  // The entry inverts the switch itself; its own check toggling is put right by SetLocked.
  connect(lockedEntry_, &QAction::triggered, this, [this] { ToggleLocked(); });
  menu_->addAction(QStringLiteral("Unselectable"), this, &TGGraphicControl::MakeUnselectable);
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("Center Vertically"), this, &TGGraphicControl::CenterVertically);
  menu_->addAction(QStringLiteral("Center Horizontally"), this, &TGGraphicControl::CenterHorizontally);
}

void TGGraphicControl::Paint(QPainter& painter) { DrawMarks(painter); }

void TGGraphicControl::Repaint() {
  if (panel_ && !reading_) panel_->invalidate();
}

std::vector<QRect> TGGraphicControl::MarkSquares(const QRect& b, bool onlySelected) {
  // R includes its left and top edges and excludes its right and bottom ones.
  const int left = b.left() - 2, top = b.top() - 2;
  const int right = b.left() + b.width() + 2, bottom = b.top() + b.height() + 2;
  auto square = [](int x1, int y1, int x2, int y2) { return QRect(x1, y1, x2 - x1, y2 - y1); };
  std::vector<QRect> squares = {
      square(left, top, left + 5, top + 5),
      square(right - 5, top, right, top + 5),
      square(right - 5, bottom - 5, right, bottom),
      square(left, bottom - 5, left + 5, bottom),
  };
  if (onlySelected) {
    const int cx = left + static_cast<int>(std::trunc((right - left) * 0.5));
    const int cy = top + static_cast<int>(std::trunc((bottom - top) * 0.5));
    squares.push_back(square(cx - 2, top, cx + 3, top + 5));
    squares.push_back(square(cx - 2, bottom - 5, cx + 3, bottom));
    squares.push_back(square(left, cy - 2, left + 5, cy + 3));
    squares.push_back(square(right - 5, cy - 2, right, cy + 3));
  }
  return squares;
}

void TGGraphicControl::DrawMarks(QPainter& painter) {
  if (!panel_ || !panel_->isSelected(this)) return;
  const bool only = panel_->selectionCount() == 1;
  const QColor colour = only ? panel_->handleColor() : panel_->handleSecondaryColor();
  for (const QRect& r : MarkSquares(bounds_, only)) painter.fillRect(r, colour);
}

void TGGraphicControl::BringToFront() {
  NotifyChanged();
  if (panel_) panel_->bringToFront(this);
}

void TGGraphicControl::SendToBack() {
  NotifyChanged();
  if (!panel_) return;
  panel_->sendToBack(this);
  panel_->clearSelection();
}

void TGGraphicControl::Cut() {
  NotifyChanged();
  if (panel_) panel_->cut(this);
}

void TGGraphicControl::Copy() {
  if (panel_) panel_->copy(this);
}

void TGGraphicControl::Delete() {
  NotifyChanged();
  if (panel_) panel_->remove(this);
}

void TGGraphicControl::Clone() {
  if (!panel_) return;
  const bool wasSelected = panel_->isSelected(this);
  TGGraphicControl* copy = panel_->readBackCopy(this);
  panel_->processPendingEvents();
  if (copy) {
    copy->SetTop(Top() + 25);
    panel_->bringToFront(copy);
    panel_->refreshData();
    if (wasSelected) {
      panel_->unselect(this);
      panel_->select(copy);
    }
    panel_->hookMouse();
  }
  NotifyChanged();
}

void TGGraphicControl::ToggleLocked() {
  SetLocked(!locked_);
  // SetLocked skips the check while reading; the entry shows the switch regardless.
  if (lockedEntry_) lockedEntry_->setChecked(locked_);
}

void TGGraphicControl::MakeUnselectable() {
  unselectable_ = true;
  NotifyChanged();
  if (panel_) panel_->unselect(this);
}

void TGGraphicControl::CenterVertically() {
  if (!panel_) return;
  SetTop(panel_->panelSize().height() / 2 - Height() / 2);
  afterCentering();
}

void TGGraphicControl::CenterHorizontally() {
  if (!panel_) return;
  SetLeft(panel_->panelSize().width() / 2 - Width() / 2);
  afterCentering();
}

void TGGraphicControl::afterCentering() {
  NotifyChanged();
  panel_->processPendingEvents();
  panel_->invalidate();
}

QString TrimLeft(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  return text.mid(i);
}

QString TrimRight(const QString& text) {
  qsizetype n = text.size();
  while (n > 0 && text[n - 1] == u' ') --n;
  return text.left(n);
}

QString Trim(const QString& text) { return TrimLeft(TrimRight(text)); }

}  // namespace design
