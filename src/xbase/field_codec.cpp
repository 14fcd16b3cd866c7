#include "field_codec.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "byte_order.h"
#include "error.h"

namespace xbase {

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

Error fieldError(const FieldDef& f, const std::string& problem) {
  return Error("field " + f.name + ": " + problem);
}

int64_t getLE64(const char* p) {
  uint64_t lo = getLE32(p), hi = getLE32(p + 4);
  return int64_t(lo | (hi << 32));
}

}  // namespace

std::string_view trimRight(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return s.substr(0, n);
}

std::string_view trimBlanks(std::string_view s) {
  s = trimRight(s);
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return s.substr(i);
}

double parseNumber(std::string_view text, bool* complete) {
  std::size_t i = 0, n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  uint64_t mantissa = 0;
  int significant = 0, decimals = 0, extraIntegerDigits = 0;
  bool anyDigit = false, point = false;
  for (; i < n; ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      anyDigit = true;
      if (significant < 18) {
        mantissa = mantissa * 10 + uint64_t(c - '0');
        if (mantissa) ++significant;
        if (point) ++decimals;
      } else if (!point) {
        ++extraIntegerDigits;  // precision beyond 18 digits is dropped
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (complete) {
    std::size_t j = i;
    while (j < n && text[j] == ' ') ++j;
    *complete = anyDigit && j == n;
  }
  double v = double(mantissa);
  if (decimals) v /= decimals <= 22 ? kPow10[decimals] : std::pow(10.0, decimals);
  if (extraIntegerDigits) v *= std::pow(10.0, extraIntegerDigits);
  return negative ? -v : v;
}

bool formatNumber(double value, int width, int decimals, std::string& out) {
  if (!std::isfinite(value)) return false;
  // Halves round away from zero, as xBase does, and a value such as 12.345
  // whose binary form lies just below the half still counts as a half.
  double scaled = value * kPow10[std::clamp(decimals, 0, 22)];
  if (std::fabs(scaled) < 1e15) {
    scaled += std::copysign(std::fabs(scaled) * 1e-12, scaled);
    value = std::round(scaled) / kPow10[std::clamp(decimals, 0, 22)];
  }
  char buf[400];
  int len = std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  if (len < 0 || len >= int(sizeof buf)) return false;
  // "-0.00" reads badly and sorts oddly; write it as zero.
  if (buf[0] == '-' && std::strspn(buf + 1, "0.") == std::size_t(len - 1)) {
    std::memmove(buf, buf + 1, std::size_t(len));
    --len;
  }
  if (len > width) return false;
  out.assign(std::size_t(width - len), ' ');
  out.append(buf, std::size_t(len));
  return true;
}

ValueType fieldValueType(const FieldDef& f) {
  switch (f.type) {
    case FieldType::Numeric: case FieldType::Float: case FieldType::Integer:
    case FieldType::Currency: case FieldType::Double:
      return ValueType::Numeric;
    case FieldType::Logical: return ValueType::Logical;
    case FieldType::Date: case FieldType::DateTime: return ValueType::Date;
    default: return ValueType::Character;
  }
}

std::string fieldText(const char* record, const FieldDef& f) {
  std::string_view raw = rawField(record, f);
  switch (f.type) {
    case FieldType::Character: return std::string(trimRight(raw));
    case FieldType::Numeric: case FieldType::Float: return std::string(trimBlanks(raw));
    case FieldType::Logical: {
      char c = raw[0];
      if (c == 'T' || c == 't' || c == 'Y' || c == 'y') return "T";
      if (c == 'F' || c == 'f' || c == 'N' || c == 'n') return "F";
      return "?";
    }
    case FieldType::Date: {
      JulianDay d = parseDtos(raw);
      return d ? std::string(raw.substr(0, 8)) : std::string(trimBlanks(raw));
    }
    case FieldType::Integer:
      return f.width == 4 ? std::to_string(int32_t(getLE32(raw.data()))) : std::string();
    case FieldType::Currency: {
      if (f.width != 8) return {};
      char buf[48];
      std::snprintf(buf, sizeof buf, "%.4f", double(getLE64(raw.data())) / 10000.0);
      return buf;
    }
    case FieldType::Double: {
      if (f.width != 8) return {};
      double d;
      std::memcpy(&d, raw.data(), 8);
      char buf[48];
      std::snprintf(buf, sizeof buf, "%.*f", int(f.decimals), d);
      return buf;
    }
    case FieldType::DateTime: {
      if (f.width != 8) return {};
      int32_t day = int32_t(getLE32(raw.data()));
      uint32_t ms = getLE32(raw.data() + 4);
      CalendarDate c = fromJulian(day);
      if (c.year == 0) return {};
      uint32_t s = ms / 1000;
      char buf[32];
      std::snprintf(buf, sizeof buf, "%04d%02d%02d%02u%02u%02u", c.year % 10000, c.month, c.day,
                    (s / 3600) % 100, (s / 60) % 60, s % 60);
      return buf;
    }
    default: return std::string(trimRight(raw));
  }
}

double fieldNumber(const char* record, const FieldDef& f) {
  std::string_view raw = rawField(record, f);
  switch (f.type) {
    case FieldType::Integer: return f.width == 4 ? double(int32_t(getLE32(raw.data()))) : 0.0;
    case FieldType::Currency: return f.width == 8 ? double(getLE64(raw.data())) / 10000.0 : 0.0;
    case FieldType::Double: {
      if (f.width != 8) return 0;
      double d;
      std::memcpy(&d, raw.data(), 8);
      return d;
    }
    default: return parseNumber(raw);
  }
}

bool fieldLogical(const char* record, const FieldDef& f) {
  char c = record[f.offset];
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

JulianDay fieldDate(const char* record, const FieldDef& f) {
  if (f.type == FieldType::DateTime) {
    if (f.width != 8) return 0;
    int32_t day = int32_t(getLE32(record + f.offset));
    return day >= kFirstJulianDay && day <= kLastJulianDay ? day : 0;
  }
  return parseDtos(rawField(record, f));
}

uint32_t fieldMemoBlock(const char* record, const FieldDef& f) {
  std::string_view raw = rawField(record, f);
  if (f.width == 4) return getLE32(raw.data());
  uint64_t block = 0;
  for (char c : raw) {
    if (c >= '0' && c <= '9') {
      block = block * 10 + uint64_t(c - '0');
      if (block > 0xFFFFFFFFu) return 0;
    } else if (c != ' ' && c != '\0') {
      return 0;
    }
  }
  return uint32_t(block);
}

void encodeBlank(char* record, const FieldDef& f) {
  bool binary = f.type == FieldType::Integer || f.type == FieldType::Currency ||
                f.type == FieldType::Double || f.type == FieldType::DateTime ||
                (f.isMemo() && f.width == 4);
  std::memset(record + f.offset, binary ? 0 : ' ', f.width);
}

void encodeNumber(char* record, const FieldDef& f, double value) {
  if (f.type != FieldType::Numeric && f.type != FieldType::Float)
    throw fieldError(f, "is not a numeric field");
  std::string text;
  if (!formatNumber(value, f.width, f.decimals, text)) throw fieldError(f, "the number does not fit the field");
  std::memcpy(record + f.offset, text.data(), f.width);
}

void encodeLogical(char* record, const FieldDef& f, bool value) {
  if (f.type != FieldType::Logical) throw fieldError(f, "is not a logical field");
  record[f.offset] = value ? 'T' : 'F';
}

void encodeDate(char* record, const FieldDef& f, JulianDay date) {
  if (f.type != FieldType::Date) throw fieldError(f, "is not a date field");
  std::string s = formatDtos(date);
  std::memcpy(record + f.offset, s.data(), 8);
}

void encodeMemoBlock(char* record, const FieldDef& f, uint32_t block) {
  if (f.width == 4) {
    putLE32(record + f.offset, block);
    return;
  }
  if (block == 0) {
    std::memset(record + f.offset, ' ', f.width);
    return;
  }
  std::string digits = std::to_string(block);
  if (digits.size() > f.width) throw fieldError(f, "memo block number does not fit the field");
  std::memset(record + f.offset, ' ', f.width);
  std::memcpy(record + f.offset + f.width - digits.size(), digits.data(), digits.size());
}

void encodeText(char* record, const FieldDef& f, std::string_view text) {
  switch (f.type) {
    case FieldType::Character: {
      std::size_t n = std::min<std::size_t>(text.size(), f.width);
      std::memcpy(record + f.offset, text.data(), n);
      std::memset(record + f.offset + n, ' ', f.width - n);
      return;
    }
    case FieldType::Numeric: case FieldType::Float: {
      std::string_view t = trimBlanks(text);
      if (t.empty()) {
        std::memset(record + f.offset, ' ', f.width);
        return;
      }
      bool complete = false;
      double v = parseNumber(t, &complete);
      if (!complete) throw fieldError(f, "\"" + std::string(t) + "\" is not a number");
      encodeNumber(record, f, v);
      return;
    }
    case FieldType::Logical: {
      std::string_view t = trimBlanks(text);
      if (t.size() == 3 && t[0] == '.' && t[2] == '.') t = t.substr(1, 1);
      if (t.empty() || t == "?") { record[f.offset] = t.empty() ? ' ' : '?'; return; }
      char c = t[0];
      if (t.size() == 1 && std::strchr("TtYy", c)) { record[f.offset] = 'T'; return; }
      if (t.size() == 1 && std::strchr("FfNn", c)) { record[f.offset] = 'F'; return; }
      throw fieldError(f, "\"" + std::string(t) + "\" is not a logical value (T or F)");
    }
    case FieldType::Date: {
      std::string_view t = trimBlanks(text);
      if (t.empty()) {
        std::memset(record + f.offset, ' ', 8);
        return;
      }
      JulianDay d = t.size() == 8 ? parseDtos(t) : 0;
      if (!d) throw fieldError(f, "\"" + std::string(t) + "\" is not a date (YYYYMMDD)");
      encodeDate(record, f, d);
      return;
    }
    default:
      throw fieldError(f, "this field type cannot be written");
  }
}

}  // namespace xbase
