#include "stamp_labels.h"

#include <QDateTime>
#include <QLocale>
#include <QMenu>

#include "design/layout_stream.h"
#include "platform/home.h"
#include "platform/print/canvas.h"

namespace design {

namespace {
const char* const kDateNames[] = {"dtfDateNone", "dtfDateShort", "dtfDateLong"};
const char* const kTimeNames[] = {"dtfTimeNone", "dtfTimeShort", "dtfTimeLong"};
}  // namespace

QString DateTimeText(DateFormat date, TimeFormat time) {
  const platform::DateTime t = platform::now();
  const QDate d(t.year, t.month, t.day);
  const QTime clock(t.hour, t.minute, t.second);
  const QLocale locale = QLocale::system();
  QString text;
  if (date != DateFormat::None)
    text = locale.toString(d, date == DateFormat::Short ? QLocale::ShortFormat : QLocale::LongFormat);
  if (time != TimeFormat::None)
    text += QLatin1Char(' ') + locale.toString(clock, time == TimeFormat::Short ? QLocale::ShortFormat : QLocale::LongFormat);
  return text;
}

TGDateTimeLabel::TGDateTimeLabel(QObject* owner) : TGBaseLabel(owner) { UpdateCaption(nullptr); }

void TGDateTimeLabel::SetDateFormat(DateFormat value) {
  date_ = value;
  UpdateCaption(nullptr);
  Repaint();
}

void TGDateTimeLabel::SetTimeFormat(TimeFormat value) {
  time_ = value;
  UpdateCaption(nullptr);
  Repaint();
}

void TGDateTimeLabel::WriteProperties(LayoutWriter& w) const {
  TGBaseLabel::WriteProperties(w);
  w.identifier("DateFormat", kDateNames[int(date_)]);
  w.identifier("TimeFormat", kTimeNames[int(time_)]);
}

bool TGDateTimeLabel::ReadProperty(const StoredProperty& p) {
  if (p.name == "DateFormat") SetDateFormat(DateFormat(enumOf(p.value, kDateNames, 3)));
  else if (p.name == "TimeFormat") SetTimeFormat(TimeFormat(enumOf(p.value, kTimeNames, 3)));
  else return TGBaseLabel::ReadProperty(p);
  return true;
}

void TGDateTimeLabel::BuildMenu() {
  if (Menu()) return;
  TGBaseLabel::BuildMenu();
  Menu()->addSeparator();
  QMenu* dates = Menu()->addMenu(QStringLiteral("Date Format"));
  const char* dateCaptions[] = {"No Date", "Windows Short Date", "Windows Long Date"};
  for (int i = 0; i < 3; ++i)
    dates->addAction(QString::fromLatin1(dateCaptions[i]), this, [this, i] { SetDateFormat(DateFormat(i)); });
  QMenu* times = Menu()->addMenu(QStringLiteral("Time Format"));
  const char* timeCaptions[] = {"No Time", "Windows Short Time", "Windows Long Time"};
  for (int i = 0; i < 3; ++i)
    times->addAction(QString::fromLatin1(timeCaptions[i]), this, [this, i] { SetTimeFormat(TimeFormat(i)); });
}

TGPageNumberLabel::TGPageNumberLabel(QObject* owner) : TGBaseLabel(owner) { UpdateCaption(nullptr); }

void TGPageNumberLabel::UpdateCaption(const print::Canvas* printingOn) {
  SetCaptionQuietly(printingOn ? QString::number(printingOn->pageNumber()) : QStringLiteral("##"));
}

}  // namespace design
