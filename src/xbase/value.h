// A typed xBase value: what a field or an expression yields.
#pragma once

#include <string>

#include "date.h"

namespace xbase {

enum class ValueType { Character, Numeric, Logical, Date };

struct Value {
  ValueType type = ValueType::Character;
  std::string text;     // Character
  double number = 0;    // Numeric
  bool logical = false; // Logical
  JulianDay date = 0;   // Date; 0 is the empty date

  static Value character(std::string s) { Value v; v.text = std::move(s); return v; }
  static Value numeric(double n) { Value v; v.type = ValueType::Numeric; v.number = n; return v; }
  static Value boolean(bool b) { Value v; v.type = ValueType::Logical; v.logical = b; return v; }
  static Value dateValue(JulianDay d) { Value v; v.type = ValueType::Date; v.date = d; return v; }
};

// The one-letter name of a value type, as FoxPro's TYPE() gives it.
inline char typeLetter(ValueType t) {
  switch (t) {
    case ValueType::Character: return 'C';
    case ValueType::Numeric: return 'N';
    case ValueType::Logical: return 'L';
    case ValueType::Date: return 'D';
  }
  return 'U';
}

// The type in words for messages: "a character value", "a number", ...
inline const char* describe(ValueType t) {
  switch (t) {
    case ValueType::Character: return "a character value";
    case ValueType::Numeric: return "a number";
    case ValueType::Logical: return "a logical value";
    case ValueType::Date: return "a date";
  }
  return "a value";
}

}  // namespace xbase
