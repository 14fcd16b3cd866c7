#include "filters.h"

#include <fstream>

#include "platform/prompts.h"
#include "xbase/error.h"
#include "xbase/string_ops.h"

namespace data {

const std::array<const char*, 18> kFilterFields = {"LNAME",  "FNAME",  "TITLE", "ORG",   "STREET", "STREET2",
                                                   "ZIP",    "CITY+STATE", "STATE", "COUNTRY", "PHONE", "PHONE2",
                                                   "FAX",    "EMAIL",  "DATE",  "CODES", "USER1",  "USER2"};

namespace {

constexpr std::size_t kQueryLimit = 255;
const char* kBaseFilter = "!ISDEL";
const char* kBaseJoin = ".and. !ISDEL";

std::string upper(std::string s) {
  xbase::upperInPlace(s.data(), s.size());
  return s;
}

std::string trimBlanks(const std::string& s) {
  std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace

std::string buildCondition(const std::string& field, const std::string& value) {
  struct Split {
    char separator;
    const char* joiner;
  };
  static const Split splits[] = {{';', ".or."}, {'+', ".and."}, {'^', ".and..not."}};
  for (const Split& s : splits) {
    if (value.find(s.separator) == std::string::npos) continue;
    std::string out;
    std::size_t start = 0;
    while (start <= value.size()) {
      std::size_t end = value.find(s.separator, start);
      std::string piece = value.substr(start, end == std::string::npos ? std::string::npos : end - start);
      if (!piece.empty()) out += (out.empty() ? "" : s.joiner) + ("(" + buildCondition(field, piece) + ")");
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return "(" + (out.empty() ? std::string(".T.") : out) + ")";
  }
  std::string op = "=", rest = value;
  if (value.compare(0, 2, ">=") == 0) op = ">=", rest = value.substr(2);
  else if (value.compare(0, 1, ">") == 0) op = ">", rest = value.substr(1);
  else if (value.compare(0, 2, "<=") == 0) op = "<=", rest = value.substr(2);
  else if (value.compare(0, 1, "<") == 0) op = "<", rest = value.substr(1);
  else if (value.compare(0, 1, "$") == 0) op = "$", rest = value.substr(1);
  if (op != "=") rest = rest.substr(0, 99);
  // A double quote would end the literal early: the same text in square brackets instead.
  std::string r = upper(rest);
  std::string literal = r.find('"') == std::string::npos ? "\"" + r + "\"" : "[" + r + "]";
  if (op == "$") return literal + "$UPPER(" + field + ")";
  return "UPPER(" + field + ")" + op + literal;
}

std::string buildQueryString(const FilterValues& values, const std::string& tagIdentifier) {
  // The fields in the order the expression lists them (comment 1 and 2 before date and codes).
  static const int order[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16, 17, 14, 15};
  std::string expression, joiner;
  for (int i : order) {
    const std::string& v = values.entries[std::size_t(i)];
    if (trimBlanks(v).empty()) continue;
    expression += joiner + buildCondition(kFilterFields[std::size_t(i)], v);
    joiner = " and ";
  }
  if (values.tagged) {
    expression += joiner + "(UPPER(TAG)=\"" + tagIdentifier + "\")";
    joiner = " and ";
  }
  if (!expression.empty() && values.reverse) expression = "(!(" + expression + "))";
  return expression;
}

void clearQueryVars(FilterState& state) {
  state.values = FilterValues();
  state.userFilter.clear();
}

bool filterTooComplex(const std::string& userFilter) {
  return userFilter.size() + std::string(kBaseJoin).size() > kQueryLimit;
}

std::string engineQuery(const std::string& userFilter) {
  return userFilter.empty() ? std::string(kBaseFilter) : userFilter + kBaseJoin;
}

uint32_t applyFilter(FilterState& state, xbase::Cursor& cursor, const std::string& tagIdentifier) {
  state.userFilter = buildQueryString(state.values, tagIdentifier);
  if (state.userFilter.empty()) {
    cursor.setQuery(kBaseFilter);
    return 0;
  }
  if (filterTooComplex(state.userFilter)) {
    platform::prompts().info("Sorry - filter is too complex.Please simplify it.");
    cursor.setQuery(kBaseFilter);
    clearQueryVars(state);
    return 0;
  }
  uint32_t matches = 0;
  try {
    cursor.setQuery(engineQuery(state.userFilter));
    matches = cursor.count();
  } catch (const xbase::ExpressionError&) {
    matches = 0;  // an entry the engine cannot read matches nothing
  }
  if (matches == 0) {
    clearQueryVars(state);
    cursor.setQuery(kBaseFilter);
    return 0;
  }
  return matches;
}

bool saveFilterTo(const std::string& path, const FilterValues& values) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  for (const std::string& e : values.entries) out << e << "\r\n";
  out << (values.tagged ? "T" : "F") << "\r\n" << (values.reverse ? "T" : "F") << "\r\n";
  return bool(out);
}

FilterValues readFilterValues(std::istream& in) {
  std::vector<std::string> lines;
  std::string line;
  while (lines.size() < 20 && std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  lines.resize(20);
  FilterValues v;
  for (std::size_t i = 0; i < 18; ++i) v.entries[i] = lines[i];
  v.tagged = lines[18] == "T";
  v.reverse = lines[19] == "T";
  return v;
}

bool restoreFilterFrom(const std::string& path, FilterValues& values) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  values = readFilterValues(in);
  return true;
}

uint32_t tagAllRecords(DataSet& dataSet, const std::string& tagIdentifier,
                       const std::function<bool(uint32_t tagged)>& afterRecord, bool& cancelled) {
  cancelled = false;
  uint32_t tagged = 0;
  dataSet.disableControls();
  dataSet.first();
  // A tag written into a filtered view can move the record out of it (a
  // "not tagged" filter); walk by record number so that each is visited once.
  while (!dataSet.eof() && dataSet.recno() != 0) {
    uint32_t current = dataSet.recno();
    dataSet.edit();
    dataSet.setText("TAG", tagIdentifier);
    if (!dataSet.post()) break;
    ++tagged;
    dataSet.go(current);
    bool more = dataSet.next();
    if (afterRecord && !afterRecord(tagged)) {
      cancelled = true;
      break;
    }
    if (!more) break;
  }
  dataSet.enableControls();
  dataSet.first();
  return tagged;
}

}  // namespace data
