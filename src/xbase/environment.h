// The engine-wide switches that change how expressions compare and how
// cursors see records (FoxPro's SET EXACT, SOFTSEEK, DELETED, CENTURY, DATE).
#pragma once

#include <string>

#include "date.h"

namespace xbase {

enum class DateFormat { American, Ansi, British, French, German, Italian, Japan, USA, MDY, DMY, YMD };

struct Environment {
  // Character "=" and the orderings compare only as many characters as the
  // right value has when false; when true, both values count, blank-padded.
  bool exact = false;
  // A seek that finds no equal key stops at the next greater key when true.
  bool softSeek = false;
  // Records carrying the deletion flag are hidden from cursors when true.
  bool deleted = true;
  // Dates are written with four-digit years when true.
  bool century = true;
  DateFormat dateFormat = DateFormat::American;
};

// DTOC's form of a date under the given switches; an empty date gives the
// format's separators with blanks ("  /  /    ").
std::string formatDate(JulianDay jd, const Environment& env);
// CTOD: parses a date written in the environment's format; 0 when invalid.
// Two-digit years are taken as 19yy.
JulianDay parseDate(const std::string& text, const Environment& env);

}  // namespace xbase
