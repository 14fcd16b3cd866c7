// The DBF header and field descriptors: parsing with every check an untrusted
// file needs, and writing the FoxPro 2.x form.
//
// Layout (all integers little-endian):
//   0      version byte (0x03 no memo, 0xF5 FoxPro with FPT, 0x83 dBASE III
//          with DBT, 0x8B dBASE IV with DBT, 0x30-0x32 Visual FoxPro)
//   1..3   last update: year % 100, month, day
//   4      u32 record count     8  u16 header length     10  u16 record length
//   28     table flags (0x01 production CDX, 0x02 VFP memo)   29  code page mark
//   32     32-byte field descriptors, then 0x0D; VFP adds a 263-byte backlink.
// Records start at the header length, whatever lies between.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "field.h"

namespace xbase {

enum class MemoKind { None, Fpt, DbtIII, DbtIV };

struct DbfHeader {
  uint8_t version = 0x03;
  uint8_t year = 0, month = 1, day = 1;  // last update as stored
  uint32_t recordCount = 0;
  uint16_t headerLength = 0;
  uint16_t recordLength = 0;
  uint8_t tableFlags = 0;
  uint8_t codePage = 0;
  std::vector<FieldDef> fields;

  bool isVisualFoxPro() const { return version >= 0x30 && version <= 0x32; }
  MemoKind memoKind() const;
};

constexpr uint8_t kFlagProductionIndex = 0x01;
constexpr uint8_t kFlagVfpMemo = 0x02;
constexpr uint8_t kCodePageWindowsAnsi = 0x03;
constexpr std::size_t kFileHeaderSize = 32;
constexpr std::size_t kDescriptorSize = 32;

// Parses the header bytes (at least the first `headerLength` bytes of the file,
// or all of them for a short file). `file` names the file in messages.
// Throws CorruptFileError for anything that is not a usable table header.
DbfHeader parseDbfHeader(const std::string& file, const std::string& bytes);

// Builds a FoxPro 2.x header for the given fields (version 0x03, or 0xF5 when
// a memo field is present). Throws Error for an invalid field list.
DbfHeader makeFoxProHeader(const std::vector<FieldSpec>& specs);

// The header bytes as written: descriptors, 0x0D terminator, no backlink.
std::string serializeDbfHeader(const DbfHeader& header);

}  // namespace xbase
