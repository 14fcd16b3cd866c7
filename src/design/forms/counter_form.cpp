#include "counter_form.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <limits>

#include "design/elements/counter_label.h"

namespace design {

TGetCounter::TGetCounter(const TGCounterLabel& counter, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TGetCounter"));
  setWindowTitle(QStringLiteral("Counter"));
  TextBefore = new QLineEdit(counter.TextBefore(), this);
  TextAfter = new QLineEdit(counter.TextAfter(), this);
  StartingNumber = new QSpinBox(this);
  StartingNumber->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  StartingNumber->setValue(counter.Startingnumber());
  RepeatEach = new QSpinBox(this);
  RepeatEach->setRange(1, 999);
  RepeatEach->setValue(counter.RepeatEach());
  LeadingZeros = new QSpinBox(this);
  LeadingZeros->setRange(0, 9);
  LeadingZeros->setValue(counter.LeadingZeros());
  auto* zeros = new QHBoxLayout;
  zeros->addWidget(LeadingZeros);
  zeros->addWidget(new QLabel(QStringLiteral("digits"), this));
  zeros->addStretch();
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Text  before"), TextBefore);
  form->addRow(QStringLiteral("Text after"), TextAfter);
  form->addRow(QStringLiteral("Starting Number"), StartingNumber);
  form->addRow(QStringLiteral("Repeat number for #of  labels?"), RepeatEach);
  form->addRow(QStringLiteral("Leading zeros to "), zeros);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  Buttons = addFormButtons(*this, *layout, 40006);
}

}  // namespace design
