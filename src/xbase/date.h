// Calendar dates as Julian day numbers, the form the engine computes with.
//
// Day 0 is the empty date. 2000-01-01 is day 2 451 545, as in FoxPro's
// date keys; the calendar is the proleptic Gregorian one.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace xbase {

using JulianDay = int32_t;

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// Day numbers of 0001-01-01 and 9999-12-31; anything outside is no date.
constexpr JulianDay kFirstJulianDay = 1721426;
constexpr JulianDay kLastJulianDay = 5373484;

bool isValidDate(int year, int month, int day);
JulianDay toJulian(int year, int month, int day);  // REQUIRES: a valid date
// {0, 0, 0} for a day outside kFirstJulianDay..kLastJulianDay.
CalendarDate fromJulian(JulianDay jd);

// Parses eight digits YYYYMMDD; 0 when the text is not a valid date.
JulianDay parseDtos(std::string_view text);
// Eight digits YYYYMMDD, or eight blanks for the empty date.
std::string formatDtos(JulianDay jd);

// The engine's clock: today's date. Tests replace it to get fixed dates.
using TodayFunction = std::function<CalendarDate()>;
CalendarDate today();
void setTodayFunction(TodayFunction f);  // an empty function restores the system clock

}  // namespace xbase
