// The counter, TGCounterLabel: single-line text that numbers printed labels,
// TextBefore + number + TextAfter, the number going up every RepeatEach items.
#pragma once

#include "design/elements/base_label.h"

namespace design {

// The counter's text: `number` with at least `leadingZeros` digits
// (0: plain decimal) between the two texts.
QString CounterText(const QString& before, int number, int leadingZeros, const QString& after);

class TGCounterLabel : public TGBaseLabel {
  Q_OBJECT

 public:
  explicit TGCounterLabel(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGCounterLabel"); }

  QString TextBefore() const { return textBefore_; }
  void SetTextBefore(const QString& value);
  QString TextAfter() const { return textAfter_; }
  void SetTextAfter(const QString& value);
  int Startingnumber() const { return startingNumber_; }
  void SetStartingnumber(int value);
  int RepeatEach() const { return repeatEach_; }
  void SetRepeatEach(int value);
  int LeadingZeros() const { return leadingZeros_; }
  void SetLeadingZeros(int value);
  int CurrentNumber() const { return current_; }

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void BuildMenu() override;
  void Advance() override;
  void ResetCount() override;
  // The counter settings form; true when it closed with Ok.
  bool EditSettings();

 protected:
  void UpdateCaption(const print::Canvas*) override { rebuild(); }

 private:
  void rebuild();

  QString textBefore_, textAfter_;
  int startingNumber_ = 1, repeatEach_ = 1, leadingZeros_ = 0;
  int current_ = 1, count_ = 0;
};

}  // namespace design
