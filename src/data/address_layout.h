// The address record: the 23 stored fields of an address file with their
// types and default widths, the 18 widths taken from the settings, the 26
// index tags, and the record view (stored and calculated fields with their
// display labels) that every window sees.
#pragma once

#include <array>
#include <string>

#include "settings.h"

namespace data {

struct AddressFieldDef {
  const char* name;
  char type;               // 'C', 'L' or 'M'
  int width;               // default width
  const char* settingKey;  // key in "NewFileFieldLengths", or null for a fixed width
};
extern const std::array<AddressFieldDef, 23> kAddressFields;

struct TagDef {
  const char* name;
  const char* expression;
};
// In creation order.
extern const std::array<TagDef, 26> kAddressTags;
// The order in which CheckValidIndex looks the tags up.
extern const std::array<const char*, 26> kValidIndexOrder;

// The widths of a new file, one per stored field in field order (fixed ones included).
struct FieldWidths {
  std::array<int, 23> widths{};
  int& operator[](const std::string& field);
  int operator[](const std::string& field) const;
  bool operator==(const FieldWidths&) const = default;
};

// The defaults of the field table (FAX 40).
FieldWidths defaultFieldWidths();
// What the field-width dialog's "Defaults" button sets (FAX 30).
FieldWidths dialogDefaultFieldWidths();
// The new-file widths from "NewFileFieldLengths"; a value outside 5 to 80
// (or missing) gives the field's default.
FieldWidths readFieldWidths(const Settings& settings);
// Range-checks (5 to 80, else default) and writes the 18 widths.
void writeFieldWidths(Settings& settings, const FieldWidths& widths);
// The range check itself.
int checkedWidth(int value, int fallback);

}  // namespace data
