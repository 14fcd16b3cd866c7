// The user's filter: 18 entries and two switches turned into an xBase query
// (BuildCondition, BuildQueryString), applied on top of the base filter
// "!ISDEL" (ApplyFilter), saved to and restored from .FLT files, and the
// loop that tags every record of a view (TagAllRecords).
#pragma once

#include <array>
#include <functional>
#include <iosfwd>
#include <string>

#include "data_set.h"

namespace data {

// The 20 filter values in .FLT order.
struct FilterValues {
  // last name, first name, title, organisation, address 1, address 2, ZIP,
  // city, state, country, phone 1, phone 2, fax, e-mail, date, codes,
  // comment 1, comment 2
  std::array<std::string, 18> entries;
  bool tagged = false;
  bool reverse = false;
  bool operator==(const FilterValues&) const = default;
};

// The field expression each entry filters, in FilterValues order.
extern const std::array<const char*, 18> kFilterFields;

// One condition for an entry as typed. Pieces between separators (";" or,
// "+" and, "^" and not) are conditions of their own; an empty piece (two
// separators together, or one at either end) is left out, and an entry of
// separators only matches every record.
std::string buildCondition(const std::string& field, const std::string& value);
// The user filter; "" when no entry is set and "Tagged" is off.
std::string buildQueryString(const FilterValues& values, const std::string& tagIdentifier);

// What the main window keeps: the values and the user filter in force.
struct FilterState {
  FilterValues values;
  std::string userFilter;
};

// ClearQueryVars.
void clearQueryVars(FilterState& state);

// ApplyFilter: sets the cursor's query and returns the number of matching
// records, 0 when no user filter is in force afterwards. Shows "Sorry -
// filter is too complex.Please simplify it." beyond 255 characters.
uint32_t applyFilter(FilterState& state, xbase::Cursor& cursor, const std::string& tagIdentifier);
// True when the user filter with the base filter joined exceeds 255 characters.
bool filterTooComplex(const std::string& userFilter);
// The query ApplyFilter hands the engine for a user filter.
std::string engineQuery(const std::string& userFilter);

// SaveFilterTo / RestoreFilterFrom: 20 lines, CR LF. Missing lines read as
// empty and switches off; text past line 20 is ignored.
bool saveFilterTo(const std::string& path, const FilterValues& values);
bool restoreFilterFrom(const std::string& path, FilterValues& values);
// The same reading from any stream.
FilterValues readFilterValues(std::istream& in);

// TagAllRecords: writes the tag identifier into every record of the view,
// from the first. After each record `afterRecord(n)` runs (n from 1), where
// the window repaints and lets Cancel be pressed; returning false stops the
// loop after that record. Returns the number tagged; `cancelled` tells why it ended.
uint32_t tagAllRecords(DataSet& dataSet, const std::string& tagIdentifier,
                       const std::function<bool(uint32_t tagged)>& afterRecord, bool& cancelled);

}  // namespace data
