// Field descriptions of a table: what a caller asks for at creation, and what
// an open table declares.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xbase {

// The type letters of DBF field descriptors.
enum class FieldType : char {
  Character = 'C',
  Numeric = 'N',
  Float = 'F',
  Logical = 'L',
  Date = 'D',
  Memo = 'M',
  General = 'G',
  Picture = 'P',
  // Visual FoxPro types, read only.
  Integer = 'I',
  Currency = 'Y',
  Double = 'B',
  DateTime = 'T',
  Varchar = 'V',
  Varbinary = 'Q',
  Blob = 'W',
  NullFlags = '0',
};

// A field as the caller declares it when creating a table.
struct FieldSpec {
  std::string name;    // up to 10 characters; stored upper case
  char type = 'C';     // C, N, F, L, D or M
  int width = 0;       // ignored for L, D and M, whose widths are fixed
  int decimals = 0;    // N and F only
};

// A field as an open table declares it.
struct FieldDef {
  std::string name;     // upper case as stored
  FieldType type = FieldType::Character;
  uint16_t width = 0;   // bytes in the record
  uint8_t decimals = 0;
  uint32_t offset = 0;  // position in the record; the deletion flag is byte 0
  uint8_t flags = 0;    // Visual FoxPro field flags (0x02 nullable, ...)

  bool isMemo() const {
    return type == FieldType::Memo || type == FieldType::General || type == FieldType::Picture ||
           type == FieldType::Blob;
  }
};

// Parses the FIELDS argument of the command-line tool and of tests:
// "LNAME:C:30,AGE:N:3:0,NOTE:M". Throws xbase::Error on a malformed list.
std::vector<FieldSpec> parseFieldList(const std::string& text);

}  // namespace xbase
