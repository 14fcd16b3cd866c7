#include "color_combo.h"

#include <QPixmap>

#include "design/layout_stream.h"

namespace design {

namespace {
const TColor kNamed[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
                         0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

QIcon swatch(TColor c) {
  QPixmap p(16, 12);
  p.fill(toQColor(c));
  return QIcon(p);
}

QString nameOf(TColor c) {
  if (auto id = colorIdentifier(c)) return QString::fromStdString(id->substr(2));  // "clAqua" -> "Aqua"
  return QStringLiteral("Custom");
}
}  // namespace

ColorCombo::ColorCombo(QWidget* parent) : QComboBox(parent) {
  for (TColor c : kNamed) addItem(swatch(c), nameOf(c), QVariant::fromValue(c));
}

TColor ColorCombo::color() const { return currentData().value<TColor>(); }

void ColorCombo::setColor(TColor c) {
  int i = findData(QVariant::fromValue(c));
  if (i < 0) {
    addItem(swatch(c), nameOf(c), QVariant::fromValue(c));
    i = count() - 1;
  }
  setCurrentIndex(i);
}

}  // namespace design
