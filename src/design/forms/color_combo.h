// A colour drop-down: the sixteen named colours, each with its swatch, and
// the value being edited when it is none of them.
#pragma once

#include <QComboBox>

#include "design/element_style.h"

namespace design {

class ColorCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit ColorCombo(QWidget* parent = nullptr);
  TColor color() const;
  void setColor(TColor color);
};

}  // namespace design
