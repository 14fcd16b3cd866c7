#include "short_date.h"

#include <langinfo.h>

#include <clocale>
#include <cstdio>

namespace data {

namespace {

constexpr const char* kDefaultPattern = "M/d/yyyy";

std::string& current() {
  static std::string pattern;
  return pattern;
}

std::string fromLocale() {
  // The C and POSIX locales (C.UTF-8 too) say nothing about a user's preference.
  const char* name = std::setlocale(LC_TIME, nullptr);
  std::string previous = name ? name : "C";
  const char* chosen = std::setlocale(LC_TIME, "");
  std::string pattern;
  std::string locale = chosen ? chosen : "C";
  bool neutral = locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0;
  if (!neutral) pattern = patternFromStrftime(nl_langinfo(D_FMT));
  std::setlocale(LC_TIME, previous.c_str());
  return pattern.empty() ? kDefaultPattern : pattern;
}

}  // namespace

const std::string& shortDateFormat() {
  if (current().empty()) current() = fromLocale();
  return current();
}

void setShortDateFormat(const std::string& pattern) { current() = pattern; }

std::string patternFromStrftime(const std::string& format) {
  std::string out;
  bool day = false, month = false, year = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%' || i + 1 >= format.size()) {
      out.push_back(c);
      continue;
    }
    char f = format[++i];
    switch (f) {
      case 'd': out += "dd"; day = true; break;
      case 'e': out += "d"; day = true; break;
      case 'm': out += "MM"; month = true; break;
      case 'y': out += "yy"; year = true; break;
      case 'Y': out += "yyyy"; year = true; break;
      case 'D': out += "MM/dd/yy"; day = month = year = true; break;
      case 'F': out += "yyyy-MM-dd"; day = month = year = true; break;
      default: return {};  // names of months and the like: not a short date
    }
  }
  return day && month && year ? out : std::string();
}

std::string formatShortDate(int year, int month, int day, const std::string& pattern) {
  std::string out;
  char buf[8];
  for (std::size_t i = 0; i < pattern.size();) {
    char c = pattern[i];
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    if (c == 'd' || c == 'M') {
      int v = c == 'd' ? day : month;
      std::snprintf(buf, sizeof buf, run >= 2 ? "%02d" : "%d", v);
      out += buf;
    } else if (c == 'y') {
      std::snprintf(buf, sizeof buf, run >= 3 ? "%04d" : "%02d", run >= 3 ? year : year % 100);
      out += buf;
    } else {
      out.append(run, c);
    }
    i += run;
  }
  return out;
}

}  // namespace data
