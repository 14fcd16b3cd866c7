// The horizontal inch ruler above the report designer's bands, THRuler: a
// plain control (not a design element) with sixteenth, half-inch and inch
// ticks and the inch numbers, starting at StartInch.
#pragma once

#include <QWidget>
#include <vector>

#include "design/element_style.h"

namespace design {

struct RulerTick {
  int x = 0;
  int bottom = 0;  // the tick runs from y 1 to here
  int inch = 0;    // the number written to its right; 0 for none
};

// The ticks of a ruler `width` x `height` at `ppi`, its left end at `startInch`.
std::vector<RulerTick> RulerTicks(int ppi, double startInch, int width, int height);

class THRuler : public QWidget {
  Q_OBJECT

 public:
  enum class Dock { None, Top, Bottom };
  explicit THRuler(QWidget* parent = nullptr);

  Dock AlignHRuler() const { return align_; }
  void SetAlignHRuler(Dock value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  double StartInch() const { return startInch_; }
  void SetStartInch(double value);

  void PaintRuler(QPainter& painter);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Dock align_ = Dock::None;
  TColor color_ = clYellow;
  double startInch_ = 0;
};

}  // namespace design
