#include "index_key.h"

#include <cstring>

#include "error.h"
#include "field_codec.h"

namespace xbase {

KeyType keyTypeOf(ValueType t) {
  switch (t) {
    case ValueType::Character: return KeyType::Character;
    case ValueType::Numeric: return KeyType::Numeric;
    case ValueType::Date: return KeyType::Date;
    case ValueType::Logical: return KeyType::Logical;
  }
  return KeyType::Character;
}

KeySpec keySpecFor(const Expression& e) {
  if (e.usesMemo()) throw ExpressionError(e.text(), 1, "a memo field cannot be indexed");
  KeySpec keyForm;
  keyForm.type = keyTypeOf(e.type());
  switch (keyForm.type) {
    case KeyType::Character: {
      std::size_t w = e.width();
      if (w == 0) throw ExpressionError(e.text(), 1, "the key would be empty");
      if (w > kMaxKeyLength)
        throw ExpressionError(e.text(), 1, "the key is longer than " + std::to_string(kMaxKeyLength) + " characters");
      keyForm.length = uint16_t(w);
      break;
    }
    case KeyType::Numeric: case KeyType::Date: keyForm.length = 8; break;
    case KeyType::Logical: keyForm.length = 1; break;
  }
  return keyForm;
}

void encodeNumberKey(double value, char* out8) {
  if (value == 0) value = 0;  // -0.0 indexes as 0
  uint64_t bits;
  std::memcpy(&bits, &value, 8);
  if (value < 0) bits = ~bits;
  else bits |= uint64_t(1) << 63;
  for (int i = 0; i < 8; ++i) out8[i] = char(bits >> (8 * (7 - i)));
}

double decodeNumberKey(const char* key8) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits = (bits << 8) | static_cast<unsigned char>(key8[i]);
  if (bits >> 63) bits &= ~(uint64_t(1) << 63);
  else bits = ~bits;
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

void buildKey(Expression& e, const KeySpec& keyForm, const EvalContext& ctx, char* out) {
  switch (keyForm.type) {
    case KeyType::Character: {
      std::string_view v = e.characters(ctx);
      std::size_t n = std::min<std::size_t>(v.size(), keyForm.length);
      std::memcpy(out, v.data(), n);
      std::memset(out + n, ' ', keyForm.length - n);
      return;
    }
    case KeyType::Numeric: encodeNumberKey(e.number(ctx), out); return;
    case KeyType::Date: encodeNumberKey(double(e.date(ctx)), out); return;
    case KeyType::Logical: out[0] = e.logical(ctx) ? 'T' : 'F'; return;
  }
}

SeekKey makeSeekKey(const KeySpec& keyForm, std::string_view text, bool exact) {
  SeekKey s;
  s.key.assign(keyForm.length, keyForm.fill());
  switch (keyForm.type) {
    case KeyType::Character: {
      std::size_t n = std::min<std::size_t>(text.size(), keyForm.length);
      std::memcpy(s.key.data(), text.data(), n);
      s.significant = exact ? keyForm.length : n;
      return s;
    }
    case KeyType::Numeric: {
      bool complete = false;
      double v = parseNumber(text, &complete);
      if (!complete) throw Error("\"" + std::string(text) + "\" is not a number");
      encodeNumberKey(v, s.key.data());
      break;
    }
    case KeyType::Date: {
      std::string_view t = trimBlanks(text);
      JulianDay d = t.empty() ? 0 : parseDtos(t);
      if (!t.empty() && (d == 0 || t.size() != 8)) throw Error("\"" + std::string(text) + "\" is not a date (YYYYMMDD)");
      encodeNumberKey(double(d), s.key.data());
      break;
    }
    case KeyType::Logical: {
      std::string_view t = trimBlanks(text);
      if (t.size() == 3 && t[0] == '.' && t[2] == '.') t = t.substr(1, 1);
      if (t == "T" || t == "t" || t == "Y" || t == "y") s.key[0] = 'T';
      else if (t == "F" || t == "f" || t == "N" || t == "n") s.key[0] = 'F';
      else throw Error("\"" + std::string(text) + "\" is not a logical value (T or F)");
      break;
    }
  }
  s.significant = keyForm.length;
  return s;
}

}  // namespace xbase
