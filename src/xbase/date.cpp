#include "date.h"

#include <ctime>

namespace xbase {

namespace {
TodayFunction& todayOverride() {
  static TodayFunction f;
  return f;
}
}  // namespace

bool isValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  int limit = days[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= limit;
}

JulianDay toJulian(int year, int month, int day) {
  // Fliegel & Van Flandern's conversion for the Gregorian calendar.
  int a = (14 - month) / 12;
  int y = year + 4800 - a;
  int m = month + 12 * a - 3;
  return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

CalendarDate fromJulian(JulianDay jd) {
  if (jd < kFirstJulianDay || jd > kLastJulianDay) return {};
  int a = jd + 32044;
  int b = (4 * a + 3) / 146097;
  int c = a - 146097 * b / 4;
  int d = (4 * c + 3) / 1461;
  int e = c - 1461 * d / 4;
  int m = (5 * e + 2) / 153;
  CalendarDate out;
  out.day = e - (153 * m + 2) / 5 + 1;
  out.month = m + 3 - 12 * (m / 10);
  out.year = 100 * b + d - 4800 + m / 10;
  return out;
}

JulianDay parseDtos(std::string_view text) {
  if (text.size() < 8) return 0;
  int v[8];
  for (int i = 0; i < 8; ++i) {
    char c = text[std::size_t(i)];
    if (c < '0' || c > '9') return 0;
    v[i] = c - '0';
  }
  int year = v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3];
  int month = v[4] * 10 + v[5];
  int day = v[6] * 10 + v[7];
  if (!isValidDate(year, month, day)) return 0;
  return toJulian(year, month, day);
}

std::string formatDtos(JulianDay jd) {
  CalendarDate d = fromJulian(jd);
  if (d.year == 0) return std::string(8, ' ');
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year % 10000, d.month, d.day);
  return std::string(buf, 8);
}

CalendarDate today() {
  if (todayOverride()) return todayOverride()();
  std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void setTodayFunction(TodayFunction f) { todayOverride() = std::move(f); }

}  // namespace xbase
