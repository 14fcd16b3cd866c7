// Shapes and lines: TGLabelShapes (rectangle, rounded rectangle, ellipse,
// filled with its brush and outlined with its pen; Trpshapes is the same
// under the name report layouts store) and the line, TGLineShape.
#pragma once

#include "design/element_style.h"
#include "design/graphic_control.h"

namespace design {

enum class ShapeType { Rectangle, Square, RoundRect, RoundSquare, Ellipse, Circle };  // stRectangle ...
enum class LineStyle { Horizontal, Vertical, AngleSlopingUp, AngleSlopingDown };     // stHorizontal ...

class TGLabelShapes : public TGGraphicControl {
  Q_OBJECT

 public:
  explicit TGLabelShapes(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGLabelShapes"); }

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  const ElementBrush& Brush() const { return brush_; }
  void SetBrush(const ElementBrush& brush);
  const ElementPen& Pen() const { return pen_; }
  void SetPen(const ElementPen& pen);
  int RoundPerc() const { return roundPerc_; }
  void SetRoundPerc(int value);
  ShapeType Shape() const { return shape_; }
  void SetShape(ShapeType value);

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void BuildMenu() override;
  void MenuOpening() override;
  void Paint(QPainter& painter) override;
  void PrintOn(print::Canvas& target, double originLeft, double originTop) override;

 private:
  bool transparent_ = false;
  ElementBrush brush_;
  ElementPen pen_;
  int roundPerc_ = 25;
  ShapeType shape_ = ShapeType::Rectangle;
  QAction* transparentEntry_ = nullptr;
  QAction* thicknessEntries_[10] = {};
};

class Trpshapes : public TGLabelShapes {
  Q_OBJECT

 public:
  explicit Trpshapes(QObject* owner) : TGLabelShapes(owner) {}
  QString ClassName() const override { return QStringLiteral("Trpshapes"); }
};

class TGLineShape : public TGGraphicControl {
  Q_OBJECT

 public:
  explicit TGLineShape(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGLineShape"); }

  LineStyle GetLineStyle() const { return style_; }
  void SetLineStyle(LineStyle value);
  const ElementPen& Pen() const { return pen_; }
  void SetPen(const ElementPen& pen);

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void BuildMenu() override;
  void MenuOpening() override;
  void Paint(QPainter& painter) override;
  void PrintOn(print::Canvas& target, double originLeft, double originTop) override;

  // Horizontal lines span the panel's width, vertical ones its height.
  void StretchToEdges();

 private:
  LineStyle style_ = LineStyle::Horizontal;
  ElementPen pen_;
  QAction* styleEntries_[4] = {};
  QAction* thicknessEntries_[10] = {};
};

}  // namespace design
