// Encoding and decoding of field values inside a record buffer.
//
// Records hold text for the FoxPro types: C left-aligned and blank-padded,
// N/F right-aligned decimal text, L one letter, D eight digits, M the memo
// block number right-aligned. Visual FoxPro's binary types (I, Y, B, T and
// 4-byte memo pointers) are decoded for reading only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "date.h"
#include "field.h"
#include "value.h"

namespace xbase {

inline std::string_view rawField(const char* record, const FieldDef& f) {
  return {record + f.offset, f.width};
}

// Removes trailing blanks (code 32 only).
std::string_view trimRight(std::string_view s);
std::string_view trimBlanks(std::string_view s);

// The field as text: C without trailing blanks, N trimmed, L "T"/"F"/"?",
// D "YYYYMMDD" or "" when blank. Not for memo fields.
std::string fieldText(const char* record, const FieldDef& f);
double fieldNumber(const char* record, const FieldDef& f);
bool fieldLogical(const char* record, const FieldDef& f);
JulianDay fieldDate(const char* record, const FieldDef& f);
// The memo block number the field points to; 0 for none.
uint32_t fieldMemoBlock(const char* record, const FieldDef& f);
// The value type an expression sees for the field.
ValueType fieldValueType(const FieldDef& f);

// Writers. Each throws xbase::Error naming the field when the value cannot be
// stored (not a number, too wide, not a date); the record is then unchanged.
void encodeText(char* record, const FieldDef& f, std::string_view text);
void encodeNumber(char* record, const FieldDef& f, double value);
void encodeLogical(char* record, const FieldDef& f, bool value);
void encodeDate(char* record, const FieldDef& f, JulianDay date);
void encodeMemoBlock(char* record, const FieldDef& f, uint32_t block);
void encodeBlank(char* record, const FieldDef& f);

// Decimal text of `value` right-aligned in `width` with `decimals` digits after
// the point; false when it does not fit.
bool formatNumber(double value, int width, int decimals, std::string& out);
// Parses leading decimal text like xBase VAL(): blanks, sign, digits, point,
// digits; stops at the first other character. `complete` tells whether the
// whole text (but blanks) was a number.
double parseNumber(std::string_view text, bool* complete = nullptr);

}  // namespace xbase
