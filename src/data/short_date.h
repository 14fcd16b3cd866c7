// The short date format in the Windows pattern form ("M/d/yyyy"): taken once
// from the system locale's date format, month/day/four-digit year when the
// locale sets none.
#pragma once

#include <string>

namespace data {

// The format in force for the run (read on first use).
const std::string& shortDateFormat();
// Overrides it (tests); "" reads the locale again on next use.
void setShortDateFormat(const std::string& pattern);
// Converts a strftime date format ("%m/%d/%Y") to the pattern form; "" when
// it has no day, month and year.
std::string patternFromStrftime(const std::string& format);
// Writes a date with a pattern of d, dd, M, MM, yy, yyyy and separators.
std::string formatShortDate(int year, int month, int day, const std::string& pattern);

}  // namespace data
