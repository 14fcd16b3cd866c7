// The preferences kept in the settings file: section "Adding" (how new
// records are filled in), "Misc" (getting-started switch, tag identifier)
// and the recently used address files ("MRU").
#pragma once

#include <string>
#include <vector>

#include "settings.h"

namespace data {

struct AddingPreferences {
  bool plugDate = false, plugCityState = false, autoDupCheck = false;
  std::string defaultCountry;  // at most 30 characters
  bool carryOrg = false, carrySA1 = false, carrySA2 = false, carryCity = false, carryState = false,
       carryZip = false, carryCountry = false;
  bool skipOrganization = false, skipPhone1 = false, skipEmail = false, skipState = false, skipZip = false,
       skipCountry = false, skipAddress2 = false, skipLastName = false, skipMiddleInitial = false,
       skipFirstName = false, skipTitle = false, skipPhone2 = false, skipFax = false, skipCodes = false,
       skipPrefix = false, skipComments1 = false, skipDate = false, skipComments2 = false;
  bool operator==(const AddingPreferences&) const = default;
};

AddingPreferences readAddingPreferences(const Settings& settings);
// Writes all 29 keys of section "Adding".
void writeAddingPreferences(Settings& settings, const AddingPreferences& prefs);

struct Preferences {
  AddingPreferences adding;
  bool gettingStartedOff = false;  // "Misc"/GettingStarted
  std::string tagIdentifier;       // "Misc"/GlobalTagId
};

// LoadPreferences: reads "Adding", GettingStarted and GlobalTagId (a new
// identifier when missing), then writes the identifier back (SaveTagPref).
Preferences loadPreferences(Settings& settings);
void saveTagPref(Settings& settings, const std::string& tagIdentifier);

// "MRU" Item1 to Item4, most recent first; missing or empty keys skipped.
std::vector<std::string> readRecentFiles(const Settings& settings);
void writeRecentFiles(Settings& settings, const std::vector<std::string>& paths);

}  // namespace data
