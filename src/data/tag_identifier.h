// The tag identifier: the year since 1995 and the date-time MMDDhhmmss, each
// written in base 36, so that every "Clear Tags" yields a value no stored TAG
// equals.
#pragma once

#include <cstdint>
#include <string>

#include "platform/home.h"

namespace data {

// Base 36 with digits 0-9A-Z, at most 6 digits, no leading zeros; 0 gives "".
std::string toBase36(uint64_t n);
std::string makeTagIdentifier(const platform::DateTime& when);
// An identifier for "Clear Tags": made from `when`, or from the next second
// on when that would repeat `previous` (two clears within one second must
// still untag everything).
std::string makeNewTagIdentifier(const platform::DateTime& when, const std::string& previous);

}  // namespace data
