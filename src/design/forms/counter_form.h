// "Counter": the counter element's settings (texts around the number, the
// first number, how many labels share one, leading zeros).
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

#include "design/forms/form_support.h"

namespace design {

class TGCounterLabel;

class TGetCounter : public QDialog {
  Q_OBJECT

 public:
  explicit TGetCounter(const TGCounterLabel& counter, QWidget* parent = nullptr);
  QLineEdit *TextBefore, *TextAfter;
  QSpinBox *StartingNumber, *RepeatEach, *LeadingZeros;
  FormButtons Buttons;
};

}  // namespace design
