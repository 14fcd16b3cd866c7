#include "counter_label.h"

#include <QMenu>

#include "design/forms/counter_form.h"
#include "design/layout_stream.h"
#include "platform/ansi_text.h"
#include "platform/modal.h"

namespace design {

QString CounterText(const QString& before, int number, int leadingZeros, const QString& after) {
  QString digits = QString::number(std::abs(static_cast<long long>(number)));
  if (leadingZeros > 0 && digits.size() < leadingZeros) digits = QString(leadingZeros - digits.size(), u'0') + digits;
  if (number < 0) digits.prepend(u'-');
  return before + digits + after;
}

TGCounterLabel::TGCounterLabel(QObject* owner) : TGBaseLabel(owner) { rebuild(); }

void TGCounterLabel::rebuild() { SetCaptionQuietly(CounterText(textBefore_, current_, leadingZeros_, textAfter_)); }

void TGCounterLabel::SetTextBefore(const QString& value) {
  if (value == textBefore_) return;
  textBefore_ = value;
  rebuild();
  Repaint();
}

void TGCounterLabel::SetTextAfter(const QString& value) {
  if (value == textAfter_) return;
  textAfter_ = value;
  rebuild();
  Repaint();
}

void TGCounterLabel::SetStartingnumber(int value) {
  if (value == startingNumber_) return;
  startingNumber_ = value;
  ResetCount();
}

void TGCounterLabel::SetRepeatEach(int value) {
  if (value == repeatEach_) return;
  repeatEach_ = value;
  Repaint();
}

void TGCounterLabel::SetLeadingZeros(int value) {
  if (value == leadingZeros_) return;
  leadingZeros_ = value;
  rebuild();
  Repaint();
}

void TGCounterLabel::Advance() {
  ++count_;
  if (count_ == repeatEach_) {
    ++current_;
    count_ = 0;
    Repaint();
  }
  rebuild();
}

void TGCounterLabel::ResetCount() {
  current_ = startingNumber_;
  count_ = 0;
  rebuild();
  Repaint();
}

void TGCounterLabel::WriteProperties(LayoutWriter& w) const {
  TGBaseLabel::WriteProperties(w);
  if (!textBefore_.isEmpty()) w.string("TextBefore", platform::toFileText(textBefore_));
  if (!textAfter_.isEmpty()) w.string("TextAfter", platform::toFileText(textAfter_));
  w.integer("Startingnumber", startingNumber_);
  w.integer("RepeatEach", repeatEach_);
  w.integer("LeadingZeros", leadingZeros_);
}

bool TGCounterLabel::ReadProperty(const StoredProperty& p) {
  if (p.name == "TextBefore") SetTextBefore(platform::fromFileText(stringOf(p.value)));
  else if (p.name == "TextAfter") SetTextAfter(platform::fromFileText(stringOf(p.value)));
  else if (p.name == "Startingnumber") SetStartingnumber(integerOf(p.value));
  else if (p.name == "RepeatEach") SetRepeatEach(integerOf(p.value));
  else if (p.name == "LeadingZeros") SetLeadingZeros(integerOf(p.value));
  else return TGBaseLabel::ReadProperty(p);
  return true;
}

void TGCounterLabel::BuildMenu() {
  if (Menu()) return;
  TGBaseLabel::BuildMenu();
  Menu()->addSeparator();
  Menu()->addAction(QStringLiteral("Counter Settings"), this, [this] { EditSettings(); });
  AddRotationMenu();
}

bool TGCounterLabel::EditSettings() {
  TGetCounter form(*this);
  if (platform::runModal(form) != QDialog::Accepted) return false;
  SetStartingnumber(form.StartingNumber->value());
  SetRepeatEach(form.RepeatEach->value());
  SetTextBefore(form.TextBefore->text());
  SetTextAfter(form.TextAfter->text());
  SetLeadingZeros(form.LeadingZeros->value());
  rebuild();
  if (Angle() == 0) {
    // Shrinks to the new text: AutoSize only ever grows.
    SetWidth(10);
    AutoSize();
  }
  Repaint();
  NotifyChanged();
  return true;
}

}  // namespace design
