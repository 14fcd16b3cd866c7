// The report stamps: the date/time element (TGDateTimeLabel), showing the
// current date and time in the system's formats, and the page number
// (TGPageNumberLabel), "##" on screen and the printed page's number on paper.
#pragma once

#include "design/elements/base_label.h"

namespace design {

enum class DateFormat { None, Short, Long };  // dtfDateNone, dtfDateShort, dtfDateLong
enum class TimeFormat { None, Short, Long };  // dtfTimeNone, dtfTimeShort, dtfTimeLong

// The stamp's text for the clock's present moment: the date part, then a
// blank and the time part when there is one.
QString DateTimeText(DateFormat date, TimeFormat time);

class TGDateTimeLabel : public TGBaseLabel {
  Q_OBJECT

 public:
  explicit TGDateTimeLabel(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGDateTimeLabel"); }

  DateFormat GetDateFormat() const { return date_; }
  void SetDateFormat(DateFormat value);
  TimeFormat GetTimeFormat() const { return time_; }
  void SetTimeFormat(TimeFormat value);

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void BuildMenu() override;

 protected:
  void UpdateCaption(const print::Canvas*) override { SetCaptionQuietly(DateTimeText(date_, time_)); }

 private:
  DateFormat date_ = DateFormat::Short;
  TimeFormat time_ = TimeFormat::None;
};

class TGPageNumberLabel : public TGBaseLabel {
  Q_OBJECT

 public:
  explicit TGPageNumberLabel(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGPageNumberLabel"); }

 protected:
  void UpdateCaption(const print::Canvas* printingOn) override;
};

}  // namespace design
