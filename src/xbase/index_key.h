// Index keys: the fixed-length byte strings that a tag orders by memcmp.
//
//   Character  the expression's text in the table's code page, cut or padded
//              with blanks to the key length (the expression's width).
//   Numeric    8 bytes: the double big-endian, top bit set when >= 0, all
//   Date       bits inverted when < 0; a date is its Julian day (0 = empty).
//   Logical    1 byte, T or F (an empty logical indexes as F).
// Unused trailing bytes are blanks for character keys and 0x00 otherwise,
// which is also the fill byte the compact leaves trim.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "expression.h"

namespace xbase {

enum class KeyType { Character, Numeric, Date, Logical };

constexpr std::size_t kMaxKeyLength = 240;

struct KeySpec {
  KeyType type = KeyType::Character;
  uint16_t length = 0;
  char fill() const { return type == KeyType::Character ? ' ' : '\0'; }
};

// The key type and length of a compiled key expression. Throws
// ExpressionError when it cannot index (memo, too long, empty).
KeySpec keySpecFor(const Expression& e);
// The key type a tag read from a file has, from its expression's type.
KeyType keyTypeOf(ValueType t);

void encodeNumberKey(double value, char* out8);
double decodeNumberKey(const char* key8);

// Evaluates the key expression on a record into `out` (keyForm.length bytes).
void buildKey(Expression& e, const KeySpec& keyForm, const EvalContext& ctx, char* out);

// The key that a seek for `text` looks for, and how many of its leading bytes
// must match: all of them under Exact, else as many as `text` has (for
// character keys). Numeric, date and logical seeks parse `text` as a number,
// YYYYMMDD or T/F and always match the whole key. Throws Error for text that
// does not suit the key type.
struct SeekKey {
  std::string key;          // keyForm.length bytes
  std::size_t significant;  // bytes that must match
};
SeekKey makeSeekKey(const KeySpec& keyForm, std::string_view text, bool exact);

}  // namespace xbase
