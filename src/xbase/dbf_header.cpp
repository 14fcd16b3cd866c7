#include "dbf_header.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "byte_order.h"
#include "date.h"
#include "error.h"

namespace xbase {

namespace {

bool knownVersion(uint8_t v) {
  switch (v) {
    case 0x02: case 0x03: case 0x04: case 0x05: case 0x30: case 0x31: case 0x32:
    case 0x43: case 0x63: case 0x83: case 0x8B: case 0xCB: case 0xF5: case 0xFB:
      return true;
    default:
      return false;
  }
}

bool knownType(char t) {
  return std::string_view("CNFLDMGPIYBTVQW0").find(t) != std::string_view::npos;
}

std::string upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

MemoKind DbfHeader::memoKind() const {
  switch (version) {
    case 0x83: case 0xCB: return MemoKind::DbtIII;
    case 0x8B: return MemoKind::DbtIV;
    case 0xF5: return MemoKind::Fpt;
    case 0x30: case 0x31: case 0x32:
      return (tableFlags & kFlagVfpMemo) ? MemoKind::Fpt : MemoKind::None;
    default: return MemoKind::None;
  }
}

DbfHeader parseDbfHeader(const std::string& file, const std::string& bytes) {
  auto corrupt = [&](const std::string& why) { return CorruptFileError(file, "not a valid table: " + why); };
  if (bytes.size() < kFileHeaderSize) throw corrupt("the file is shorter than a table header");
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  DbfHeader h;
  h.version = b[0];
  if (!knownVersion(h.version)) throw corrupt("unknown version byte");
  h.year = b[1];
  h.month = b[2];
  h.day = b[3];
  h.recordCount = getLE32(b + 4);
  h.headerLength = getLE16(b + 8);
  h.recordLength = getLE16(b + 10);
  h.tableFlags = b[28];
  h.codePage = b[29];
  if (h.headerLength < kFileHeaderSize + kDescriptorSize + 1) throw corrupt("the header length is too small");
  if (h.recordLength < 2) throw corrupt("the record length is too small");
  if (bytes.size() < h.headerLength) throw corrupt("the file ends inside its header");

  // Descriptors run until a 0x0D byte or the end of the header, whichever
  // comes first: some writers damage the terminator, and the header length is
  // what really bounds the block.
  std::size_t maxFields = (h.headerLength - kFileHeaderSize) / kDescriptorSize;
  std::vector<FieldDef> fields;
  std::vector<int> highBytes;  // decimals byte of C fields, for the Clipper long-field rule
  for (std::size_t i = 0; i < maxFields; ++i) {
    const unsigned char* d = b + kFileHeaderSize + i * kDescriptorSize;
    if (d[0] == 0x0D) break;
    FieldDef f;
    std::size_t nameLen = 0;
    while (nameLen < 11 && d[nameLen] != 0) ++nameLen;
    f.name = upper(std::string(reinterpret_cast<const char*>(d), nameLen));
    while (!f.name.empty() && f.name.back() == ' ') f.name.pop_back();
    if (f.name.empty()) throw corrupt("field " + std::to_string(i + 1) + " has no name");
    char type = char(std::toupper(d[11]));
    if (!knownType(type)) throw corrupt("field " + f.name + " has an unknown type");
    f.type = FieldType(type);
    f.width = d[16];
    f.decimals = d[17];
    if (h.isVisualFoxPro()) f.flags = d[18];
    if (f.width == 0) throw corrupt("field " + f.name + " has width 0");
    highBytes.push_back(f.type == FieldType::Character ? d[17] : 0);
    fields.push_back(std::move(f));
  }
  if (fields.empty()) throw corrupt("it declares no fields");

  auto total = [&](bool clipperRule) {
    uint32_t sum = 1;
    for (std::size_t i = 0; i < fields.size(); ++i)
      sum += fields[i].width + (clipperRule ? 256u * uint32_t(highBytes[i]) : 0u);
    return sum;
  };
  bool clipperRule = false;
  if (total(false) != h.recordLength) {
    if (!h.isVisualFoxPro() && total(true) == h.recordLength) clipperRule = true;
    else throw corrupt("the record length disagrees with the fields");
  }
  uint32_t offset = 1;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (clipperRule && highBytes[i]) {
      fields[i].width = uint16_t(fields[i].width + 256 * highBytes[i]);
      fields[i].decimals = 0;
    }
    fields[i].offset = offset;
    offset += fields[i].width;
  }
  h.fields = std::move(fields);
  return h;
}

DbfHeader makeFoxProHeader(const std::vector<FieldSpec>& specs) {
  if (specs.empty()) throw Error("a table needs at least one field");
  if (specs.size() > 255) throw Error("a table may have at most 255 fields");
  DbfHeader h;
  std::set<std::string> names;
  bool memo = false;
  uint32_t offset = 1;
  for (const FieldSpec& s : specs) {
    FieldDef f;
    f.name = upper(s.name);
    bool validName = !f.name.empty() && f.name.size() <= 10 &&
                     (std::isalpha(static_cast<unsigned char>(f.name[0])) || f.name[0] == '_');
    for (char c : f.name)
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') validName = false;
    if (!validName) throw Error("invalid field name \"" + s.name + "\"");
    if (!names.insert(f.name).second) throw Error("field " + f.name + " is declared twice");
    char type = char(std::toupper(static_cast<unsigned char>(s.type)));
    int width = s.width, decimals = 0;
    switch (type) {
      case 'C':
        if (width < 1 || width > 254) throw Error("field " + f.name + ": a character width must be 1 to 254");
        break;
      case 'N': case 'F':
        decimals = s.decimals;
        if (width < 1 || width > 20) throw Error("field " + f.name + ": a numeric width must be 1 to 20");
        if (decimals < 0 || (decimals > 0 && decimals > width - 2) || decimals > 18)
          throw Error("field " + f.name + ": too many decimals for the width");
        break;
      case 'L': width = 1; break;
      case 'D': width = 8; break;
      case 'M': width = 10; memo = true; break;
      default: throw Error("field " + f.name + ": unknown field type '" + std::string(1, s.type) + "'");
    }
    f.type = FieldType(type);
    f.width = uint16_t(width);
    f.decimals = uint8_t(decimals);
    f.offset = offset;
    offset += uint32_t(width);
    h.fields.push_back(std::move(f));
  }
  if (offset > 65500) throw Error("the record is too long");
  h.version = memo ? 0xF5 : 0x03;
  h.recordLength = uint16_t(offset);
  h.headerLength = uint16_t(kFileHeaderSize + kDescriptorSize * h.fields.size() + 1);
  h.codePage = kCodePageWindowsAnsi;
  CalendarDate d = today();
  h.year = uint8_t(d.year % 100);
  h.month = uint8_t(d.month);
  h.day = uint8_t(d.day);
  return h;
}

std::string serializeDbfHeader(const DbfHeader& h) {
  std::string out(h.headerLength, '\0');
  auto* b = reinterpret_cast<unsigned char*>(out.data());
  b[0] = h.version;
  b[1] = h.year;
  b[2] = h.month;
  b[3] = h.day;
  putLE32(b + 4, h.recordCount);
  putLE16(b + 8, h.headerLength);
  putLE16(b + 10, h.recordLength);
  b[28] = h.tableFlags;
  b[29] = h.codePage;
  std::size_t pos = kFileHeaderSize;
  for (const FieldDef& f : h.fields) {
    unsigned char* d = b + pos;
    std::copy(f.name.begin(), f.name.end(), d);
    d[11] = static_cast<unsigned char>(f.type);
    putLE32(d + 12, f.offset);
    d[16] = uint8_t(f.width);
    d[17] = f.decimals;
    pos += kDescriptorSize;
  }
  b[pos] = 0x0D;
  return out;
}

std::vector<FieldSpec> parseFieldList(const std::string& text) {
  std::vector<FieldSpec> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    std::vector<std::string> parts;
    std::size_t p = 0;
    while (true) {
      std::size_t colon = item.find(':', p);
      parts.push_back(item.substr(p, colon == std::string::npos ? std::string::npos : colon - p));
      if (colon == std::string::npos) break;
      p = colon + 1;
    }
    if (parts.size() < 2 || parts.size() > 4 || parts[1].size() != 1)
      throw Error("bad field \"" + item + "\": expected NAME:TYPE[:WIDTH[:DECIMALS]]");
    FieldSpec s;
    s.name = parts[0];
    s.type = parts[1][0];
    try {
      if (parts.size() > 2) s.width = std::stoi(parts[2]);
      if (parts.size() > 3) s.decimals = std::stoi(parts[3]);
    } catch (const std::exception&) {
      throw Error("bad field \"" + item + "\": width and decimals must be numbers");
    }
    char t = char(std::toupper(static_cast<unsigned char>(s.type)));
    if ((t == 'C' || t == 'N' || t == 'F') && parts.size() < 3)
      throw Error("bad field \"" + item + "\": a width is needed");
    out.push_back(std::move(s));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return out;
}

}  // namespace xbase
