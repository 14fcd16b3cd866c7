#include "preferences.h"

#include "platform/home.h"
#include "tag_identifier.h"

namespace data {

namespace {

const char* kAdding = "Adding";

struct BoolKey {
  const char* key;
  bool AddingPreferences::*member;
};

const BoolKey kBoolKeys[] = {
    {"PlugDate", &AddingPreferences::plugDate},
    {"PlugCityState", &AddingPreferences::plugCityState},
    {"AutoDupCheck", &AddingPreferences::autoDupCheck},
    {"CarryOrg", &AddingPreferences::carryOrg},
    {"CarrySA1", &AddingPreferences::carrySA1},
    {"CarrySA2", &AddingPreferences::carrySA2},
    {"CarryCity", &AddingPreferences::carryCity},
    {"CarryState", &AddingPreferences::carryState},
    {"CarryZip", &AddingPreferences::carryZip},
    {"CarryCountry", &AddingPreferences::carryCountry},
    {"SkipOrganization", &AddingPreferences::skipOrganization},
    {"SkipPhone1", &AddingPreferences::skipPhone1},
    {"SkipEmail", &AddingPreferences::skipEmail},
    {"SkipState", &AddingPreferences::skipState},
    {"SkipZip", &AddingPreferences::skipZip},
    {"SkipCountry", &AddingPreferences::skipCountry},
    {"SkipAddress2", &AddingPreferences::skipAddress2},
    {"SkipLastName", &AddingPreferences::skipLastName},
    {"SkipMiddleInitial", &AddingPreferences::skipMiddleInitial},
    {"SkipfirstName", &AddingPreferences::skipFirstName},
    {"Skiptitle", &AddingPreferences::skipTitle},
    {"SkipPhone2", &AddingPreferences::skipPhone2},
    {"SkipFax", &AddingPreferences::skipFax},
    {"SkipCodes", &AddingPreferences::skipCodes},
    {"SkipPrefix", &AddingPreferences::skipPrefix},
    {"SkipComments1", &AddingPreferences::skipComments1},
    {"SkipDate", &AddingPreferences::skipDate},
    {"Skipcomments2", &AddingPreferences::skipComments2},
};

}  // namespace

AddingPreferences readAddingPreferences(const Settings& settings) {
  AddingPreferences p;
  for (const BoolKey& k : kBoolKeys) p.*k.member = settings.readBool(kAdding, k.key, false);
  p.defaultCountry = settings.readString(kAdding, "DefaultCountry", "").substr(0, 30);
  return p;
}

void writeAddingPreferences(Settings& settings, const AddingPreferences& p) {
  for (const BoolKey& k : kBoolKeys) settings.writeBool(kAdding, k.key, p.*k.member);
  settings.writeString(kAdding, "DefaultCountry", p.defaultCountry.substr(0, 30));
}

Preferences loadPreferences(Settings& settings) {
  Preferences p;
  p.adding = readAddingPreferences(settings);
  p.gettingStartedOff = settings.readBool("Misc", "GettingStarted", false);
  p.tagIdentifier = settings.readString("Misc", "GlobalTagId", "");
  if (p.tagIdentifier.empty()) p.tagIdentifier = makeTagIdentifier(platform::now());
  p.tagIdentifier = p.tagIdentifier.substr(0, 8);
  saveTagPref(settings, p.tagIdentifier);
  return p;
}

void saveTagPref(Settings& settings, const std::string& tagIdentifier) {
  settings.writeString("Misc", "GlobalTagId", tagIdentifier);
}

std::vector<std::string> readRecentFiles(const Settings& settings) {
  std::vector<std::string> out;
  for (int i = 1; i <= 4; ++i) {
    std::string p = settings.readString("MRU", "Item" + std::to_string(i), "");
    if (!p.empty()) out.push_back(p);
  }
  return out;
}

void writeRecentFiles(Settings& settings, const std::vector<std::string>& paths) {
  for (int i = 1; i <= 4; ++i)
    settings.writeString("MRU", "Item" + std::to_string(i), std::size_t(i) <= paths.size() ? paths[std::size_t(i - 1)] : "");
}

}  // namespace data
