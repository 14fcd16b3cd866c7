#include "ruler.h"

#include <QPainter>
#include <cmath>

#include "design/element_style.h"
#include "design/screen_ppi.h"

namespace design {

std::vector<RulerTick> RulerTicks(int ppi, double startInch, int width, int height) {
  std::vector<RulerTick> ticks;
  const int step = ppi / 16;
  if (step <= 0) return ticks;
  const int q = height / 4;
  int i = static_cast<int>(std::trunc(startInch * 16));
  for (int x = 0; x < width; x += step, ++i) {
    RulerTick t{x, q, 0};
    if (i % 8 == 0) t.bottom = 2 * q;
    if (i % 16 == 0) t.bottom = height;
    if (i != 0 && i % 16 == 0) t.inch = i / 16;
    ticks.push_back(t);
  }
  return ticks;
}

THRuler::THRuler(QWidget* parent) : QWidget(parent) { resize(768, 33); }

void THRuler::SetAlignHRuler(Dock value) {
  align_ = value;
  if (!parentWidget()) return;
  const QWidget* p = parentWidget();
  if (value == Dock::Top) setGeometry(0, 0, p->width(), height());
  else if (value == Dock::Bottom) setGeometry(0, p->height() - height(), p->width(), height());
}

void THRuler::SetColor(TColor value) {
  color_ = value;
  update();
}

void THRuler::SetStartInch(double value) {
  if (value == startInch_) return;
  startInch_ = value;
  update();
}

void THRuler::PaintRuler(QPainter& painter) {
  const QColor grey(0x80, 0x80, 0x80);
  painter.fillRect(rect(), toQColor(color_));
  QFont font = ElementFont::of(QStringLiteral("SmallFonts"), 7).screenFont();
  painter.setFont(font);
  painter.setPen(grey);
  const QFontMetrics fm(font);
  for (const RulerTick& t : RulerTicks(PixelsPerInch(), startInch_, width(), height())) {
    painter.drawLine(t.x, 1, t.x, t.bottom);
    if (t.inch) painter.drawText(QPointF(t.x + 3, height() / 4 + fm.ascent()), QString::number(t.inch));
  }
}

void THRuler::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintRuler(painter);
}

}  // namespace design
