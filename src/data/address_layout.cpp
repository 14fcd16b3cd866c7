#include "address_layout.h"

#include <stdexcept>

namespace data {

const std::array<AddressFieldDef, 23> kAddressFields = {{
    {"LNAME", 'C', 30, "FieldLNAME"},     {"FNAME", 'C', 30, "FieldFNAME"},     {"MIDDLE", 'C', 1, nullptr},
    {"PREFIX", 'C', 12, "FieldPREFIX"},   {"TITLE", 'C', 30, "FieldTITLE"},     {"ORG", 'C', 30, "FieldORG"},
    {"STREET", 'C', 40, "FieldSTREET"},   {"STREET2", 'C', 40, "FieldSTREET2"}, {"CITY", 'C', 30, "FieldCITY"},
    {"STATE", 'C', 20, "FieldSTATE"},     {"ZIP", 'C', 10, "FieldZIP"},         {"COUNTRY", 'C', 30, "FieldCOUNTRY"},
    {"DATE", 'C', 15, nullptr},           {"PHONE", 'C', 30, "FieldPHONE"},     {"PHONE2", 'C', 30, "FieldPHONE2"},
    {"FAX", 'C', 40, "FieldFAX"},         {"EMAIL", 'C', 40, "FieldEMAIL"},     {"CODES", 'C', 30, "FieldCODES"},
    {"USER1", 'C', 40, "FieldUSER1"},     {"USER2", 'C', 40, "FieldUSER2"},     {"ISDEL", 'L', 1, nullptr},
    {"TAG", 'C', 8, nullptr},             {"MEMO", 'M', 10, nullptr},
}};

const std::array<TagDef, 26> kAddressTags = {{
    {"NAME", "UPPER(LNAME-FNAME)"},   {"LNAME", "UPPER(LNAME)+UPPER(FNAME)"},
    {"FNAME", "UPPER(FNAME)"},        {"TITLE", "UPPER(TITLE)"},
    {"ORG", "UPPER(ORG)"},            {"STREET", "UPPER(STREET)"},
    {"STREET2", "UPPER(STREET2)"},    {"CITY", "UPPER(CITY+STATE)"},
    {"STATE", "UPPER(STATE)"},        {"ZIP", "UPPER(ZIP)"},
    {"COUNTRY", "UPPER(COUNTRY)"},    {"PHONE", "UPPER(PHONE)"},
    {"PHONE2", "UPPER(PHONE2)"},      {"EMAIL", "UPPER(EMAIL)"},
    {"FAX", "UPPER(FAX)"},            {"USER1", "UPPER(USER1)"},
    {"USER2", "UPPER(USER2)"},        {"DATE", "UPPER(DATE)"},
    {"TAG", "UPPER(TAG)"},            {"CODES", "UPPER(CODES)"},
    {"PREFIX", "UPPER(PREFIX)"},      {"MIDDLE", "UPPER(MIDDLE)"},
    {"DELETED", "DELETED()"},         {"STATEZIP", "UPPER(STATE-ZIP)"},
    {"ISDEL", "ISDEL"},               {"NOTISDEL", "!ISDEL"},
}};

const std::array<const char*, 26> kValidIndexOrder = {
    "NAME", "LNAME",  "FNAME", "TITLE", "ORG",   "STREET", "STREET2", "CITY",     "STATE", "ZIP",   "COUNTRY", "PHONE",    "PHONE2",
    "EMAIL", "FAX",   "DATE",  "CODES", "PREFIX", "MIDDLE", "USER1",  "USER2",   "DELETED", "STATEZIP", "ISDEL", "NOTISDEL", "TAG"};

namespace {

std::size_t indexOf(const std::string& field) {
  for (std::size_t i = 0; i < kAddressFields.size(); ++i)
    if (field == kAddressFields[i].name) return i;
  throw std::out_of_range("no address field " + field);
}

constexpr const char* kSection = "NewFileFieldLengths";

}  // namespace

int& FieldWidths::operator[](const std::string& field) { return widths[indexOf(field)]; }
int FieldWidths::operator[](const std::string& field) const { return widths[indexOf(field)]; }

FieldWidths defaultFieldWidths() {
  FieldWidths w;
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) w.widths[i] = kAddressFields[i].width;
  return w;
}

FieldWidths dialogDefaultFieldWidths() {
  FieldWidths w = defaultFieldWidths();
  w["FAX"] = 30;
  return w;
}

int checkedWidth(int value, int fallback) { return value < 5 || value > 80 ? fallback : value; }

FieldWidths readFieldWidths(const Settings& settings) {
  FieldWidths w = defaultFieldWidths();
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) {
    const AddressFieldDef& f = kAddressFields[i];
    if (f.settingKey) w.widths[i] = checkedWidth(settings.readInteger(kSection, f.settingKey, f.width), f.width);
  }
  return w;
}

void writeFieldWidths(Settings& settings, const FieldWidths& widths) {
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) {
    const AddressFieldDef& f = kAddressFields[i];
    if (f.settingKey) settings.writeInteger(kSection, f.settingKey, checkedWidth(widths.widths[i], f.width));
  }
}

}  // namespace data
