#include "layout_stream.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "xbase/file.h"

namespace design {

bool StoredValueBox::operator==(const StoredValueBox& other) const { return value == other.value; }

namespace {

constexpr uint8_t kEnd = 0x00, kList = 0x01, kInt8 = 0x02, kInt16 = 0x03, kInt32 = 0x04, kExtended = 0x05,
                  kString = 0x06, kIdent = 0x07, kFalse = 0x08, kTrue = 0x09, kBinary = 0x0A, kSet = 0x0B,
                  kLongString = 0x0C, kNil = 0x0D;
constexpr int kMaxNesting = 64;

struct ColorName {
  const char* name;
  uint32_t value;
};

const ColorName kColors[] = {
    {"clBlack", 0x000000},         {"clMaroon", 0x000080},        {"clGreen", 0x008000},
    {"clOlive", 0x008080},         {"clNavy", 0x800000},          {"clPurple", 0x800080},
    {"clTeal", 0x808000},          {"clGray", 0x808080},          {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},           {"clLime", 0x00FF00},          {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},          {"clFuchsia", 0xFF00FF},       {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},         {"clNone", 0x1FFFFFFF},        {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},  {"clActiveCaption", 0x80000002}, {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},        {"clWindow", 0x80000005},      {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},    {"clWindowText", 0x80000008},  {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A}, {"clInactiveBorder", 0x8000000B}, {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},   {"clHighlightText", 0x8000000E}, {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},   {"clGrayText", 0x80000011},    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013}, {"clBtnHighlight", 0x80000014}, {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},     {"clInfoText", 0x80000017},    {"clInfoBk", 0x80000018},
};

void putLE(std::string& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::optional<std::string> colorIdentifier(uint32_t value) {
  for (const ColorName& c : kColors)
    if (c.value == value) return std::string(c.name);
  return std::nullopt;
}

std::optional<uint32_t> colorValue(const std::string& identifier) {
  for (const ColorName& c : kColors)
    if (identifier == c.name) return c.value;
  return std::nullopt;
}

std::string toExtended(double value) {
  std::string out(10, '\0');
  if (value == 0 || !std::isfinite(value)) return out;
  bool negative = value < 0;
  int exponent = 0;
  double m = std::frexp(std::fabs(value), &exponent);  // m in [0.5, 1)
  uint64_t mantissa = uint64_t(std::ldexp(m, 64));     // explicit integer bit on top
  uint16_t e = uint16_t(exponent - 1 + 16383) | (negative ? 0x8000 : 0);
  for (int i = 0; i < 8; ++i) out[std::size_t(i)] = char((mantissa >> (8 * i)) & 0xFF);
  out[8] = char(e & 0xFF);
  out[9] = char(e >> 8);
  return out;
}

double fromExtended(const std::string& b) {
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | static_cast<unsigned char>(b[std::size_t(i)]);
  uint16_t e = uint16_t(static_cast<unsigned char>(b[8]) | (static_cast<unsigned char>(b[9]) << 8));
  if (mantissa == 0) return 0;
  int exponent = int(e & 0x7FFF) - 16383;
  double v = std::ldexp(double(mantissa), exponent - 63);
  return (e & 0x8000) ? -v : v;
}

// ---------------------------------------------------------------- writer

void LayoutWriter::shortString(const std::string& text) {
  std::size_t n = std::min<std::size_t>(text.size(), 255);
  out_.push_back(char(n));
  out_.append(text, 0, n);
}

void LayoutWriter::beginElement(const std::string& className, const std::string& name) {
  out_ += "TPF0";
  shortString(className);
  shortString(name);
}

void LayoutWriter::integerValue(int64_t v) {
  if (v >= -128 && v <= 127) {
    out_.push_back(char(kInt8));
    putLE(out_, uint64_t(v), 1);
  } else if (v >= -32768 && v <= 32767) {
    out_.push_back(char(kInt16));
    putLE(out_, uint64_t(v), 2);
  } else {
    out_.push_back(char(kInt32));
    putLE(out_, uint64_t(v), 4);
  }
}

void LayoutWriter::stringValue(const std::string& v) {
  if (v.size() <= 255) {
    out_.push_back(char(kString));
    shortString(v);
  } else {
    out_.push_back(char(kLongString));
    putLE(out_, v.size(), 4);
    out_ += v;
  }
}

void LayoutWriter::booleanValue(bool v) { out_.push_back(char(v ? kTrue : kFalse)); }

void LayoutWriter::integer(const std::string& property, int64_t value) {
  shortString(property);
  integerValue(value);
}

void LayoutWriter::extended(const std::string& property, double value) {
  shortString(property);
  out_.push_back(char(kExtended));
  out_ += toExtended(value);
}

void LayoutWriter::string(const std::string& property, const std::string& value) {
  shortString(property);
  stringValue(value);
}

void LayoutWriter::identifier(const std::string& property, const std::string& name) {
  shortString(property);
  out_.push_back(char(kIdent));
  shortString(name);
}

void LayoutWriter::boolean(const std::string& property, bool value) {
  shortString(property);
  booleanValue(value);
}

void LayoutWriter::binary(const std::string& property, const std::string& bytes) {
  shortString(property);
  out_.push_back(char(kBinary));
  putLE(out_, bytes.size(), 4);
  out_ += bytes;
}

void LayoutWriter::set(const std::string& property, const std::vector<std::string>& members) {
  shortString(property);
  out_.push_back(char(kSet));
  for (const std::string& m : members) shortString(m);
  out_.push_back('\x00');
}

void LayoutWriter::color(const std::string& property, uint32_t value) {
  if (auto name = colorIdentifier(value)) identifier(property, *name);
  else integer(property, int64_t(int32_t(value)));
}

void LayoutWriter::strings(const std::string& property, const std::vector<std::string>& lines) {
  shortString(property + ".Strings");
  out_.push_back(char(kList));
  for (const std::string& line : lines) stringValue(line);
  out_.push_back('\x00');
}

// ---------------------------------------------------------------- reader

uint8_t LayoutReader::byte() {
  if (pos_ >= data_.size()) throw LayoutError("Invalid stream format");
  return static_cast<uint8_t>(data_[pos_++]);
}

std::string LayoutReader::take(std::size_t n) {
  // Lengths come from the file: check them against what is there before using them.
  if (n > data_.size() - pos_) throw LayoutError("Invalid stream format");
  std::string s = data_.substr(pos_, n);
  pos_ += n;
  return s;
}

std::string LayoutReader::shortString() { return take(byte()); }

uint32_t LayoutReader::u32() {
  std::string b = take(4);
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[std::size_t(i)]);
  return v;
}

Value LayoutReader::value(int depth) {
  if (depth > kMaxNesting) throw LayoutError("Invalid stream format");
  switch (byte()) {
    case kList: {
      std::vector<StoredValueBox> items;
      while (pos_ < data_.size() && static_cast<uint8_t>(data_[pos_]) != kEnd) items.push_back({value(depth + 1)});
      byte();  // the end of the list
      return items;
    }
    case kInt8: return int64_t(int8_t(byte()));
    case kInt16: {
      std::string b = take(2);
      return int64_t(int16_t(uint16_t(static_cast<unsigned char>(b[0]) | (static_cast<unsigned char>(b[1]) << 8))));
    }
    case kInt32: return int64_t(int32_t(u32()));
    case kExtended: return fromExtended(take(10));
    case kString: return shortString();
    case kIdent: return Identifier{shortString()};
    case kFalse: return false;
    case kTrue: return true;
    case kBinary: return Binary{take(u32())};
    case kSet: {
      SetValue s;
      for (std::string m = shortString(); !m.empty(); m = shortString()) s.members.push_back(m);
      return s;
    }
    case kLongString: return take(u32());
    case kNil: return Nil{};
    default: throw LayoutError("Invalid property value");
  }
}

StoredElement LayoutReader::element() {
  if (take(4) != "TPF0") throw LayoutError("Invalid stream format");
  // An optional prefix 0xF0 + flags; flag 2 is followed by an integer.
  if (pos_ < data_.size() && (static_cast<uint8_t>(data_[pos_]) & 0xF0) == 0xF0) {
    uint8_t flags = byte() & 0x0F;
    if (flags & 2) value(1);
  }
  StoredElement e;
  e.className = shortString();
  e.name = shortString();
  for (std::string property = shortString(); !property.empty(); property = shortString())
    e.properties.push_back({property, value(1)});
  if (byte() != kEnd) throw LayoutError("Invalid stream format");  // no children
  return e;
}

void LayoutReader::readList(const std::function<void(StoredElement&&)>& each) {
  if (byte() != kList) throw LayoutError("Invalid stream format");
  while (pos_ < data_.size() && static_cast<uint8_t>(data_[pos_]) != kEnd) each(element());
  byte();  // the end of the list
}

std::vector<StoredElement> LayoutReader::readList() {
  std::vector<StoredElement> elements;
  readList([&](StoredElement&& e) { elements.push_back(std::move(e)); });
  return elements;
}

bool LayoutReader::nextListHoldsElements() const {
  std::string_view rest(data_);
  rest.remove_prefix(std::min(pos_, data_.size()));
  return rest.size() < 2 || rest[1] == '\x00' || rest.substr(1, 4) == "TPF0";
}

std::vector<Value> LayoutReader::readValueList() {
  if (byte() != kList) throw LayoutError("Invalid stream format");
  std::vector<Value> values;
  while (pos_ < data_.size() && static_cast<uint8_t>(data_[pos_]) != kEnd) values.push_back(value(1));
  byte();
  return values;
}

int32_t integerOf(const Value& value) {
  const auto* v = std::get_if<int64_t>(&value);
  if (!v || *v < INT32_MIN || *v > INT32_MAX) throw LayoutError("Invalid property value");
  return int32_t(*v);
}

bool booleanOf(const Value& value) {
  const auto* v = std::get_if<bool>(&value);
  if (!v) throw LayoutError("Invalid property value");
  return *v;
}

std::string stringOf(const Value& value) {
  const auto* v = std::get_if<std::string>(&value);
  if (!v) throw LayoutError("Invalid property value");
  return *v;
}

std::string identifierOf(const Value& value) {
  const auto* v = std::get_if<Identifier>(&value);
  if (!v) throw LayoutError("Invalid property value");
  return v->name;
}

uint32_t colorOf(const Value& value) {
  if (const auto* v = std::get_if<Identifier>(&value)) {
    if (auto c = colorValue(v->name)) return *c;
    throw LayoutError("Invalid property value");
  }
  return uint32_t(integerOf(value));
}

std::vector<std::string> setOf(const Value& value) {
  const auto* v = std::get_if<SetValue>(&value);
  if (!v) throw LayoutError("Invalid property value");
  return v->members;
}

std::string binaryOf(const Value& value) {
  const auto* v = std::get_if<Binary>(&value);
  if (!v) throw LayoutError("Invalid property value");
  return v->bytes;
}

std::vector<std::string> stringsOf(const Value& value) {
  const auto* v = std::get_if<std::vector<StoredValueBox>>(&value);
  if (!v) throw LayoutError("Invalid property value");
  std::vector<std::string> lines;
  for (const StoredValueBox& box : *v) lines.push_back(stringOf(box.value));
  return lines;
}

double extendedOf(const Value& value) {
  if (const auto* v = std::get_if<double>(&value)) return *v;
  return integerOf(value);
}

int enumOf(const Value& value, const char* const* names, int count) {
  const std::string name = identifierOf(value);
  for (int i = 0; i < count; ++i)
    if (name == names[i]) return i;
  throw LayoutError("Invalid property value");
}

std::string nextLayoutName(const std::string& folder, const std::string& extension) {
  std::string dir = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  for (int n = 100001; n <= 199999; ++n) {
    std::string name = "BIN" + std::to_string(n).substr(1) + extension;
    if (xbase::findFileNoCase(dir + name).empty()) return name;
  }
  return "BIN00000" + extension;
}

}  // namespace design
