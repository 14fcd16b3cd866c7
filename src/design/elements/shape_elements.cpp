#include "shape_elements.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <cmath>

#include "design/forms/form_support.h"
#include "design/layout_stream.h"
#include "design/screen_ppi.h"
#include "platform/print/canvas.h"

namespace design {

namespace {

const char* const kShapeNames[] = {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"};
const char* const kLineNames[] = {"stHorizontal", "stVertical", "stAngleSlopingUp", "stAngleSlopingDown"};

bool rounded(ShapeType s) { return s == ShapeType::RoundRect || s == ShapeType::RoundSquare; }

// "Line Thickness": ten entries "1 Point" to "10 Point", each setting the pen width.
void addThicknessMenu(QMenu* menu, QObject* context, QAction** entries, const std::function<void(int)>& set) {
  QMenu* sub = menu->addMenu(QStringLiteral("Line Thickness"));
  for (int i = 1; i <= 10; ++i) {
    QAction* entry = sub->addAction(QString::number(i) + QStringLiteral(" Point"));
    entry->setCheckable(true);
    entry->setData(i);
    entries[i - 1] = entry;
    QObject::connect(entry, &QAction::triggered, context, [set, i] { set(i); });
  }
}

}  // namespace

TGLabelShapes::TGLabelShapes(QObject* owner) : TGGraphicControl(owner) { SetInitialSize(25, 25); }

void TGLabelShapes::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  brush_.style = value ? 1 : 0;
  if (transparentEntry_) transparentEntry_->setChecked(value);
  Repaint();
}

void TGLabelShapes::SetBrush(const ElementBrush& brush) {
  brush_ = brush;
  Repaint();
}

void TGLabelShapes::SetPen(const ElementPen& pen) {
  pen_ = pen;
  Repaint();
}

void TGLabelShapes::SetRoundPerc(int value) {
  if (value == roundPerc_) return;
  roundPerc_ = value;
  Repaint();
}

void TGLabelShapes::SetShape(ShapeType value) {
  if (value == shape_) return;
  shape_ = value;
  Repaint();
}

void TGLabelShapes::WriteProperties(LayoutWriter& w) const {
  TGGraphicControl::WriteProperties(w);
  w.boolean("Transparent", transparent_);
  brush_.write(w);
  pen_.write(w);
  if (roundPerc_ != 25) w.integer("RoundPerc", roundPerc_);
  if (shape_ != ShapeType::Rectangle) w.identifier("Shape", kShapeNames[int(shape_)]);
}

bool TGLabelShapes::ReadProperty(const StoredProperty& p) {
  if (p.name == "Transparent") SetTransparent(booleanOf(p.value));
  else if (brush_.read(p) || pen_.read(p)) Repaint();
  else if (p.name == "RoundPerc") SetRoundPerc(integerOf(p.value));
  else if (p.name == "Shape") SetShape(ShapeType(enumOf(p.value, kShapeNames, 6)));
  else return TGGraphicControl::ReadProperty(p);
  return true;
}

void TGLabelShapes::BuildMenu() {
  if (Menu()) return;
  TGGraphicControl::BuildMenu();
  QMenu* menu = Menu();
  menu->addSeparator();
  menu->addAction(QStringLiteral("Background Color"), this, [this] {
    if (auto c = chooseColor(brush_.color)) {
      brush_.color = *c;
      NotifyChanged();
      SetTransparent(false);
      Repaint();
    }
  });
  menu->addAction(QStringLiteral("Line Color"), this, [this] {
    if (auto c = chooseColor(pen_.color)) {
      pen_.color = *c;
      NotifyChanged();
      Repaint();
    }
  });
  addThicknessMenu(menu, this, thicknessEntries_, [this](int width) {
    pen_.width = width;
    Repaint();
    NotifyChanged();
  });
  menu->addSeparator();
  transparentEntry_ = menu->addAction(QStringLiteral("Transparent"));
  transparentEntry_->setCheckable(true);
  transparentEntry_->setChecked(transparent_);
  connect(transparentEntry_, &QAction::triggered, this, [this] { SetTransparent(!transparent_); });
  // Only shapes that are rounded when the menu is built get the rounding entries.
  if (rounded(shape_)) {
    menu->addSeparator();
    QMenu* rounding = menu->addMenu(QStringLiteral("Degree of Rounding"));
    for (int p = 20; p <= 80; p += 10)
      rounding->addAction(QString::number(p) + QStringLiteral(" %"), this, [this, p] {
        SetRoundPerc(p);
        NotifyChanged();
      });
  }
}

void TGLabelShapes::MenuOpening() {
  if (transparentEntry_) transparentEntry_->setChecked(transparent_);
  for (int i = 0; i < 10; ++i)
    if (thicknessEntries_[i]) thicknessEntries_[i]->setChecked(pen_.width == i + 1);
}

void TGLabelShapes::Paint(QPainter& painter) {
  int w = pen_.width;
  if (Scale() != 1.0f) {
    w = RoundHalfEven(pen_.width * double(Scale()));
    if (pen_.width > 0) w = std::max(1, w);
  }
  const int h = w / 2;
  const int right = Width() + h - w + 1, bottom = Height() + h - w + 1;
  painter.save();
  painter.translate(Left(), Top());
  ElementPen outline = pen_;
  outline.style = 0;  // the outline is always solid on screen
  painter.setPen(outline.screenPen(w));
  painter.setBrush(brush_.screenBrush());
  // Corners and edges as (h, h) to (right, bottom) with the far edges outside.
  const QRectF r(h, h, right - h - 1, bottom - h - 1);
  if (rounded(shape_)) {
    const int c = static_cast<int>(std::trunc(roundPerc_ * 0.01 * std::max(Width(), Height())));
    painter.drawRoundedRect(r, c / 2.0, c / 2.0);
  } else if (shape_ == ShapeType::Ellipse || shape_ == ShapeType::Circle) {
    painter.drawEllipse(r);
  } else {
    painter.drawRect(r);
  }
  painter.restore();
  DrawMarks(painter);
  BoundsChanged();
}

void TGLabelShapes::PrintOn(print::Canvas& target, double x0, double y0) {
  const double ppi = PixelsPerInch();
  const double x1 = x0 + Left() / ppi, y1 = y0 + Top() / ppi;
  const double x2 = x0 + (Left() + Width()) / ppi, y2 = y0 + (Top() + Height()) / ppi;
  // The pen width in pixels becomes hundredths of an inch at this screen's resolution.
  target.setPen(pen_.printPen(-static_cast<int>(std::trunc(pen_.width / ppi * 100))));
  target.setBrush(brush_.printBrush());
  if (rounded(shape_)) {
    const double r = roundPerc_ * 0.01 * (Height() < Width() ? x2 - x1 : y2 - y1);
    target.roundRect(x1, y1, x2, y2, r / 2, r / 2);
  } else if (shape_ == ShapeType::Ellipse || shape_ == ShapeType::Circle) {
    target.ellipse(x1, y1, x2, y2);
  } else {
    target.rectangle(x1, y1, x2, y2);
  }
}

TGLineShape::TGLineShape(QObject* owner) : TGGraphicControl(owner) { SetInitialSize(10, 10); }

void TGLineShape::SetLineStyle(LineStyle value) {
  if (value == style_) return;
  style_ = value;
  Repaint();
}

void TGLineShape::SetPen(const ElementPen& pen) {
  pen_ = pen;
  Repaint();
}

void TGLineShape::WriteProperties(LayoutWriter& w) const {
  TGGraphicControl::WriteProperties(w);
  if (style_ != LineStyle::Horizontal) w.identifier("LineStyle", kLineNames[int(style_)]);
  pen_.write(w);
}

bool TGLineShape::ReadProperty(const StoredProperty& p) {
  if (p.name == "LineStyle") SetLineStyle(LineStyle(enumOf(p.value, kLineNames, 4)));
  else if (pen_.read(p)) Repaint();
  else return TGGraphicControl::ReadProperty(p);
  return true;
}

void TGLineShape::BuildMenu() {
  if (Menu()) return;
  TGGraphicControl::BuildMenu();
  QMenu* menu = Menu();
  menu->addSeparator();
  QMenu* styles = menu->addMenu(QStringLiteral("Style"));
  const char* captions[] = {"Horizontal", "Vertical", "Angled Sloping Up", "Angled Sloping Down"};
  for (int i = 0; i < 4; ++i) {
    styleEntries_[i] = styles->addAction(QString::fromLatin1(captions[i]));
    styleEntries_[i]->setCheckable(true);
    connect(styleEntries_[i], &QAction::triggered, this, [this, i] {
      NotifyChanged();
      SetLineStyle(LineStyle(i));
    });
  }
  menu->addAction(QStringLiteral("Color"), this, [this] {
    if (auto c = chooseColor(pen_.color)) {
      NotifyChanged();
      pen_.color = *c;
      Repaint();
    }
  });
  addThicknessMenu(menu, this, thicknessEntries_, [this](int width) {
    pen_.width = width;
    Repaint();
    NotifyChanged();
  });
  menu->addSeparator();
  menu->addAction(QStringLiteral("Stretch To Edges"), this, &TGLineShape::StretchToEdges);
}

void TGLineShape::MenuOpening() {
  for (int i = 0; i < 4; ++i)
    if (styleEntries_[i]) styleEntries_[i]->setChecked(int(style_) == i);
  for (int i = 0; i < 10; ++i)
    if (thicknessEntries_[i]) thicknessEntries_[i]->setChecked(pen_.width == i + 1);
}

void TGLineShape::StretchToEdges() {
  if (!Panel() || Panel()->printing()) return;
  const QSize panel = Panel()->panelSize();
  if (style_ == LineStyle::Horizontal) SetBounds(0, Top(), panel.width(), Height());
  else if (style_ == LineStyle::Vertical) SetBounds(Left(), 0, Width(), panel.height());
  Repaint();
}

void TGLineShape::Paint(QPainter& painter) {
  const int w = Scale() != 1.0f ? RoundHalfEven(pen_.width * double(Scale())) : pen_.width;
  const int h = w / 2;
  painter.save();
  painter.translate(Left(), Top());
  painter.setPen(pen_.screenPen(w));
  switch (style_) {
    case LineStyle::Horizontal: painter.drawLine(h, h, Width() + h - w + 1, h); break;
    case LineStyle::Vertical: painter.drawLine(h, h, h, h + Height() - w + 1); break;
    case LineStyle::AngleSlopingUp: painter.drawLine(Width(), 0, 0, Height()); break;
    case LineStyle::AngleSlopingDown: painter.drawLine(0, 0, Width(), Height()); break;
  }
  painter.restore();
  BoundsChanged();
  DrawMarks(painter);
}

void TGLineShape::PrintOn(print::Canvas& target, double x0, double y0) {
  const double ppi = PixelsPerInch();
  const int h = pen_.width / 2;
  const double xl = x0 + Left() / ppi, xr = x0 + (Left() + Width()) / ppi;
  const double yt = y0 + (Top() + h) / ppi, yb = y0 + (Top() + Height() + h) / ppi;
  ElementPen pen = pen_;
  pen.mode = 4;
  // Pen widths print as hundredths of an inch, whatever the screen.
  target.setPen(pen.printPen(-pen_.width));
  switch (style_) {
    case LineStyle::Horizontal: target.moveTo(xl, yt); target.lineTo(xr, yt); break;
    case LineStyle::Vertical: target.moveTo(xl, yt); target.lineTo(xl, yb); break;
    case LineStyle::AngleSlopingUp: target.moveTo(xl, yb); target.lineTo(xr, yt); break;
    case LineStyle::AngleSlopingDown: target.moveTo(xl, yt); target.lineTo(xr, yb); break;
  }
}

}  // namespace design
