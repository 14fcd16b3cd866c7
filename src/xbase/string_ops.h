// Character operations with xBase meaning: case mapping of the Windows ANSI
// code page, comparison under the Exact switch, and the "-" join.
#pragma once

#include <string>
#include <string_view>

namespace xbase {

char upperChar(char c);
char lowerChar(char c);
void upperInPlace(char* s, std::size_t n);
void lowerInPlace(char* s, std::size_t n);

// Compares as xBase does: byte order, shorter values padded with blanks. With
// `exact` false only as many characters as `right` has take part, so a left
// value that begins with the right one compares equal.
int compareChars(std::string_view left, std::string_view right, bool exact);

// left - right: the trailing blanks of left move to the end of the result.
void joinMovingBlanks(std::string_view left, std::string_view right, std::string& out);

}  // namespace xbase
