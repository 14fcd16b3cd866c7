#include "environment.h"

#include <cstdio>

namespace xbase {

namespace {
enum class Order { MDY, DMY, YMD };

struct FormatRule {
  Order order;
  char separator;
};

FormatRule ruleFor(DateFormat f) {
  switch (f) {
    case DateFormat::American: return {Order::MDY, '/'};
    case DateFormat::Ansi: return {Order::YMD, '.'};
    case DateFormat::British: return {Order::DMY, '/'};
    case DateFormat::French: return {Order::DMY, '/'};
    case DateFormat::German: return {Order::DMY, '.'};
    case DateFormat::Italian: return {Order::DMY, '-'};
    case DateFormat::Japan: return {Order::YMD, '/'};
    case DateFormat::USA: return {Order::MDY, '-'};
    case DateFormat::MDY: return {Order::MDY, '/'};
    case DateFormat::DMY: return {Order::DMY, '/'};
    case DateFormat::YMD: return {Order::YMD, '/'};
  }
  return {Order::MDY, '/'};
}
}  // namespace

std::string formatDate(JulianDay jd, const Environment& env) {
  FormatRule rule = ruleFor(env.dateFormat);
  int yearWidth = env.century ? 4 : 2;
  std::string y, m, d;
  if (fromJulian(jd).year == 0) {
    y.assign(std::size_t(yearWidth), ' ');
    m = "  ";
    d = "  ";
  } else {
    CalendarDate c = fromJulian(jd);
    char buf[8];
    std::snprintf(buf, sizeof buf, "%0*d", yearWidth, env.century ? c.year : c.year % 100);
    y = buf;
    std::snprintf(buf, sizeof buf, "%02d", c.month);
    m = buf;
    std::snprintf(buf, sizeof buf, "%02d", c.day);
    d = buf;
  }
  std::string s(1, rule.separator);
  switch (rule.order) {
    case Order::MDY: return m + s + d + s + y;
    case Order::DMY: return d + s + m + s + y;
    case Order::YMD: return y + s + m + s + d;
  }
  return {};
}

JulianDay parseDate(const std::string& text, const Environment& env) {
  int parts[3] = {0, 0, 0};
  int digits[3] = {0, 0, 0};
  int n = 0;
  bool inNumber = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      if (!inNumber) {
        if (n == 3) return 0;
        inNumber = true;
        ++n;
      }
      if (digits[n - 1] >= 4) return 0;
      parts[n - 1] = parts[n - 1] * 10 + (c - '0');
      ++digits[n - 1];
    } else {
      inNumber = false;
    }
  }
  if (n != 3) return 0;
  int year = 0, month = 0, day = 0, yearIndex = 2;
  switch (ruleFor(env.dateFormat).order) {
    case Order::MDY: month = parts[0]; day = parts[1]; year = parts[2]; yearIndex = 2; break;
    case Order::DMY: day = parts[0]; month = parts[1]; year = parts[2]; yearIndex = 2; break;
    case Order::YMD: year = parts[0]; month = parts[1]; day = parts[2]; yearIndex = 0; break;
  }
  if (digits[yearIndex] <= 2) year += 1900;
  if (!isValidDate(year, month, day)) return 0;
  return toJulian(year, month, day);
}

}  // namespace xbase
