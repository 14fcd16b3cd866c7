#include "base_label.h"

#include <QAction>
#include <QActionGroup>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "design/fonts.h"
#include "design/forms/form_support.h"
#include "design/forms/text_forms.h"
#include "design/layout_stream.h"
#include "design/screen_ppi.h"
#include "platform/ansi_text.h"
#include "platform/modal.h"
#include "platform/print/canvas.h"

namespace design {

namespace {

const char* const kHighlightNames[] = {"hdNone", "hdright", "hdLeft", "hdUpRight", "hdUpLeft", "hdUp"};
const char* const kShadowNames[] = {"sdNone", "sdRight", "sdLeft", "sdDownRight", "sdDownLeft", "sdDown"};

// Offsets of the copies by direction; the highlight's vertical ones point up.
void offsets(int direction, int depth, bool highlight, int& x, int& y) {
  static const int dx[] = {0, 1, -1, 1, -1, 0};
  static const int dy[] = {0, 0, 0, 1, 1, 1};
  x = dx[direction] * depth;
  y = dy[direction] * depth * (highlight ? -1 : 1);
}

int trunc(double v) { return static_cast<int>(std::trunc(v)); }

// The corner a rotated text starts from.
QPoint textCorner(const EdgeRect& r, int angle) {
  switch (angle) {
    case 90: return {r.left, r.bottom};
    case 180: return {r.right, r.bottom};
    case 270: return {r.right, r.top};
    default: return {r.left, r.top};
  }
}

// Moves `r` by an offset given in text coordinates, turned with the text.
EdgeRect turned(const EdgeRect& r, int angle, int x, int y) {
  switch (angle) {
    case 90: return r.moved(y, -x);
    case 180: return r.moved(-x, -y);
    case 270: return r.moved(-y, x);
    default: return r.moved(x, y);
  }
}

}  // namespace

TGBaseLabel::TGBaseLabel(QObject* owner) : TGGraphicControl(owner) {
  font_ = ElementFont::of(QStringLiteral("Arial"), 10);
  SetInitialSize(142, 33);
  offsets(directionShadow_, depthShadow_, false, sx_, sy_);
  offsets(directionHighlight_, depthHighlight_, true, hx_, hy_);
}

void TGBaseLabel::SetAlignment(TextAlignment value) {
  alignment_ = value;
  dirty_ = true;
  Repaint();
  if (!Reading()) NotifyChanged();
}

void TGBaseLabel::SetDepthHighlight(int value) {
  depthHighlight_ = value;
  offsets(directionHighlight_, depthHighlight_, true, hx_, hy_);
  dirty_ = true;
  Repaint();
}

void TGBaseLabel::SetDepthShadow(int value) {
  depthShadow_ = value;
  offsets(directionShadow_, depthShadow_, false, sx_, sy_);
  dirty_ = true;
  Repaint();
}

void TGBaseLabel::SetDirectionHighlight(int value) {
  if (value < 0 || value > 5) return;
  directionHighlight_ = value;
  offsets(directionHighlight_, depthHighlight_, true, hx_, hy_);
  dirty_ = true;
  Repaint();
}

void TGBaseLabel::SetDirectionShadow(int value) {
  if (value < 0 || value > 5) return;
  directionShadow_ = value;
  offsets(directionShadow_, depthShadow_, false, sx_, sy_);
  dirty_ = true;
  Repaint();
}

void TGBaseLabel::SetColorHighlight(TColor value) {
  colorHighlight_ = value;
  Repaint();
}

void TGBaseLabel::SetColorShadow(TColor value) {
  colorShadow_ = value;
  Repaint();
}

void TGBaseLabel::SetAngle(int value) {
  if (value != 0 && value != 90 && value != 180 && value != 270) return;
  if (value == angle_) return;
  angle_ = value;
  dirty_ = true;
  if (value != 0) alignment_ = TextAlignment::LeftJustify;
  const bool upright = value == 90 || value == 270;
  if ((!upright && Width() < Height()) || (upright && Height() < Width()))
    SetBounds(Left(), Top(), Height(), Width());
  Repaint();
}

void TGBaseLabel::SetCaption(const QString& value) {
  if (value == caption_) return;
  caption_ = value;
  dirty_ = true;
  if (!Reading()) NotifyChanged();
}

void TGBaseLabel::SetFont(const ElementFont& font) {
  font_ = font;
  dirty_ = true;
  Repaint();
}

void TGBaseLabel::SetTransparent(bool value) {
  transparent_ = value;
  if (!Reading()) NotifyChanged();
  if (transparentEntry_) transparentEntry_->setChecked(transparent_);
  Repaint();
}

void TGBaseLabel::SetBackColor(TColor value) {
  backColor_ = value;
  if (!Reading()) NotifyChanged();
  Repaint();
}

void TGBaseLabel::WriteProperties(LayoutWriter& w) const {
  TGGraphicControl::WriteProperties(w);
  if (alignment_ != TextAlignment::LeftJustify) w.identifier("Alignment", kAlignmentNames[int(alignment_)]);
  if (depthHighlight_ != 0) w.integer("DepthHighlight", depthHighlight_);
  if (depthShadow_ != 0) w.integer("DepthShadow", depthShadow_);
  if (directionHighlight_ != 4) w.identifier("DirectionHighlight", kHighlightNames[directionHighlight_]);
  if (directionShadow_ != 3) w.identifier("DirectionShadow", kShadowNames[directionShadow_]);
  if (colorHighlight_ != clAqua) w.color("colorHighlight", colorHighlight_);
  if (colorShadow_ != clGray) w.color("colorShadow", colorShadow_);
  if (angle_ != 0) w.integer("Angle", angle_);
  if (!caption_.isEmpty()) w.string("Caption", platform::toFileText(caption_));
  font_.write(w);
  w.boolean("Transparent", transparent_);
  w.color("BackColor", backColor_);
}

bool TGBaseLabel::ReadProperty(const StoredProperty& p) {
  const std::string& n = p.name;
  if (n == "Alignment") SetAlignment(TextAlignment(enumOf(p.value, kAlignmentNames, 3)));
  else if (n == "DepthHighlight") SetDepthHighlight(integerOf(p.value));
  else if (n == "DepthShadow") SetDepthShadow(integerOf(p.value));
  else if (n == "DirectionHighlight") SetDirectionHighlight(enumOf(p.value, kHighlightNames, 6));
  else if (n == "DirectionShadow") SetDirectionShadow(enumOf(p.value, kShadowNames, 6));
  else if (n == "colorHighlight") SetColorHighlight(colorOf(p.value));
  else if (n == "colorShadow") SetColorShadow(colorOf(p.value));
  else if (n == "Angle") SetAngle(integerOf(p.value));
  else if (n == "Caption") SetCaption(platform::fromFileText(stringOf(p.value)));
  else if (font_.read(p)) dirty_ = true;
  else if (n == "Transparent") SetTransparent(booleanOf(p.value));
  else if (n == "BackColor") SetBackColor(colorOf(p.value));
  else return TGGraphicControl::ReadProperty(p);
  return true;
}

void TGBaseLabel::BuildMenu() {
  if (Menu()) return;
  TGGraphicControl::BuildMenu();
  QMenu* menu = Menu();
  menu->addSeparator();
  if (OffersFontEntries()) menu->addAction(QStringLiteral("Font"), this, [this] { ChooseFont(); });
  menu->addAction(QStringLiteral("3D Effects"), this, [this] {
    if (EditEffects()) NotifyChanged();
  });
  if (OffersFontEntries())
    AddAlignmentMenu(menu, this, alignEntries_, [this](TextAlignment v) {
      SetAlignment(v);
      NotifyChanged();
    });
  menu->addAction(QStringLiteral("Background Color"), this, [this] {
    if (auto c = chooseColor(backColor_)) {
      SetBackColor(*c);
      SetTransparent(false);
      Repaint();
    }
  });
  transparentEntry_ = menu->addAction(QStringLiteral("Transparent"));
  transparentEntry_->setCheckable(true);
  transparentEntry_->setChecked(transparent_);
  connect(transparentEntry_, &QAction::triggered, this, [this] { SetTransparent(!transparent_); });
}

void TGBaseLabel::AddRotationMenu() {
  Menu()->addSeparator();
  QMenu* rotation = Menu()->addMenu(QStringLiteral("Rotation"));
  const char* captions[] = {"No Rotation", "90 Degrees", "180 Degrees", "270 Degrees"};
  for (int i = 0; i < 4; ++i)
    rotation->addAction(QString::fromLatin1(captions[i]), this, [this, i] { SetAngle(i * 90); });
}

void TGBaseLabel::MenuOpening() {
  for (int i = 0; i < 3; ++i)
    if (alignEntries_[i]) alignEntries_[i]->setChecked(int(alignment_) == i);
  if (transparentEntry_) transparentEntry_->setChecked(transparent_);
}

void TGBaseLabel::ApplyFont(const ElementFont& font) {
  font_ = font;
  dirty_ = true;
}

void TGBaseLabel::ChooseFont() {
  if (auto chosen = chooseFont(font_.dialogFont())) {
    font_.takeDialogFont(*chosen);
    dirty_ = true;
    Repaint();
  }
}

bool TGBaseLabel::EditEffects() {
  TGFont3DEffects form(*this);
  if (platform::runModal(form) != QDialog::Accepted) return false;
  form.ApplyTo(*this);
  return true;
}

void TGBaseLabel::BoundsChanged() {
  TGGraphicControl::BoundsChanged();
  dirty_ = true;
  if (Width() < 1 || Height() < 1) SetBounds(Left(), Top(), std::max(1, Width()), std::max(1, Height()));
}

QString TGBaseLabel::shownText() const { return glyphText(font_.name, caption_); }

int TGBaseLabel::TextWidth(const QString& text) const {
  return QFontMetrics(font_.screenFont(Scale())).horizontalAdvance(glyphText(font_.name, text));
}

int TGBaseLabel::TextHeight(const QString&) const {
  const QFontMetrics fm(font_.screenFont(Scale()));
  return fm.ascent() + fm.descent();
}

void TGBaseLabel::Relayout() {
  if (!dirty_) return;
  const QFont font = font_.screenFont(Scale());
  const QFontMetrics fm(font);
  // The cell height holds the internal leading once; the line counts it twice.
  const int cell = fm.ascent() + fm.descent();
  const int internal = std::max(0, cell - font.pixelSize());
  const int lineH = cell + internal + fm.leading();
  const int textW = fm.horizontalAdvance(shownText() + QLatin1Char(' '));

  int px = 0, py = 0;
  if (sx_ < 0) px = -sx_;
  if (hx_ < 0) px = std::max(px, -hx_);
  if (sy_ < 0) py = -sy_;
  if (hy_ < 0) py = std::max(py, -hy_);
  const int h = lineH + sy_ - hy_;

  int w = Width(), ht = Height();
  if (angle_ == 0 || angle_ == 180) {
    if (angle_ == 180 && 2 * textW < w) w = 2 * textW;
    if (w <= 5) w = textW;
    if (ht > h * 1.2) ht = trunc(h * 1.2);
    if (ht < h) ht = h;
  } else {
    if (ht > textW * 1.2) ht = trunc(textW * 1.2);
    if (ht < 5) ht = textW;
    if (w > h * 1.2) w = trunc(h * 1.2);
    if (w < h) w = h;
  }
  if (w != Width() || ht != Height()) SetBounds(Left(), Top(), w, ht);

  EdgeRect m = angle_ == 0 || angle_ == 180 ? EdgeRect{px, py, w, py + lineH} : EdgeRect{py, px, py + lineH, ht - py};
  const int mw = m.right - m.left + 1, mh = m.bottom - m.top + 1;
  if (angle_ == 90) m = m.moved(0, ht - mh + hx_);
  if (angle_ == 180) m = m.moved(w - mw - sy_, 0);
  main_ = m;
  shadow_ = turned(m, angle_, sx_, sy_);
  highlight_ = turned(m, angle_, hx_, hy_);
  mainOrigin_ = textCorner(main_, angle_);
  shadowOrigin_ = textCorner(shadow_, angle_);
  highlightOrigin_ = textCorner(highlight_, angle_);
  if (angle_ == 0) {
    int x = main_.left;
    if (alignment_ == TextAlignment::RightJustify) x = main_.right - textW;
    if (alignment_ == TextAlignment::Center) x = (main_.right - main_.left) / 2 - textW / 2;
    mainOrigin_.setX(x);
    highlightOrigin_.setX(x + hx_);
    shadowOrigin_.setX(x + sx_);
  }
  dirty_ = false;
}

void TGBaseLabel::AutoSize() {
  if (angle_ != 0) return;
  Relayout();
  const QFontMetrics fm(font_.screenFont(Scale()));
  const int left = std::max({main_.left, shadow_.left, highlight_.left});
  const int top = std::max({main_.top, shadow_.top, highlight_.top});
  const int w = std::max(Width(), left + fm.horizontalAdvance(shownText() + QStringLiteral("     ")));
  const int h = std::max(Height(), top + fm.ascent() + fm.descent());
  if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
  dirty_ = true;
  Repaint();
}

void TGBaseLabel::drawCopy(QPainter& painter, const QFont& font, const EdgeRect& clip, QPoint origin,
                           const QColor& colour) {
  painter.save();
  painter.setClipRect(clip.toQRect().intersected(QRect(0, 0, Width(), Height())));
  painter.translate(origin);
  painter.rotate(-angle_);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(QPointF(0, QFontMetrics(font).ascent()), shownText());
  painter.restore();
}

void TGBaseLabel::Paint(QPainter& painter) {
  if (Width() < 5 || Height() < 5) dirty_ = true;
  UpdateCaption(nullptr);
  Relayout();
  painter.save();
  painter.translate(Left(), Top());
  if (!transparent_) painter.fillRect(QRect(0, 0, Width(), Height()), toQColor(backColor_));
  const QFont font = font_.screenFont(Scale());
  drawCopy(painter, font, shadow_, shadowOrigin_, toQColor(colorShadow_));
  drawCopy(painter, font, highlight_, highlightOrigin_, toQColor(colorHighlight_));
  drawCopy(painter, font, main_, mainOrigin_, toQColor(font_.color));
  painter.restore();
  DrawMarks(painter);
}

void TGBaseLabel::PrintOn(print::Canvas& target, double x0, double y0) {
  UpdateCaption(&target);
  dirty_ = true;
  Relayout();
  const double ppi = PixelsPerInch();
  const double left = x0 + Left() / ppi, top = y0 + Top() / ppi;
  if (!transparent_) {
    print::PenSpec pen;
    pen.style = print::PenStyle::Clear;
    target.setPen(pen);
    target.setBrush({toQColor(backColor_), false});
    target.rectangle(left, top, x0 + (Left() + Width() - 1) / ppi, y0 + (Top() + Height() - 1) / ppi);
  }
  print::FontSpec printed = font_.printFont();
  printed.rotation = angle_;
  target.setBrush({Qt::white, true});
  auto copy = [&](const EdgeRect& r, QPoint origin, TColor colour) {
    printed.color = toQColor(colour);
    target.setFont(printed);
    // The clip reaches a little further left and up: printer glyphs run wider.
    target.textRect(left + r.left / ppi - 0.03, top + r.top / ppi - 0.03, left + r.right / ppi, top + r.bottom / ppi,
                    left + origin.x() / ppi, top + origin.y() / ppi, shownText());
  };
  if (depthShadow_ > 0 && directionShadow_ != 0) copy(shadow_, shadowOrigin_, colorShadow_);
  if (depthHighlight_ > 0 && directionHighlight_ != 0) copy(highlight_, highlightOrigin_, colorHighlight_);
  copy(main_, mainOrigin_, font_.color);
  printed.rotation = 0;
  target.setFont(printed);
}

void TGPLabel::BuildMenu() {
  if (Menu()) return;
  TGBaseLabel::BuildMenu();
  Menu()->addSeparator();
  Menu()->addAction(QStringLiteral("Text"), this, &TGPLabel::EditText);
  AddRotationMenu();
}

void TGPLabel::ChooseFont() {
  TGBaseLabel::ChooseFont();
  AutoSize();
}

void TGPLabel::EditText() {
  TGetLabelText form(Caption());
  if (platform::runModal(form) != QDialog::Accepted) return;
  SetCaption(form.Text->text());
  AutoSize();
  Repaint();
}

}  // namespace design
