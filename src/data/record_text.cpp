#include "record_text.h"

namespace data {

namespace {

std::string trimLeft(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return s.substr(i);
}

}  // namespace

std::string recordAsText(const DataSet& d, const RecordTextBlocks& b) {
  std::string out;
  auto line = [&](const std::string& s) {
    if (!s.empty()) out += s + "\r\n";
  };
  auto f = [&](const char* name) { return d.text(name); };
  if (b.name) {
    std::string middle = f("MIDDLE");
    bool blank = middle.find_first_not_of(' ') == std::string::npos;
    std::string m = blank ? middle : middle + ".";
    line(trimLeft(f("PREFIX") + " ") + trimLeft(f("FNAME") + " ") + trimLeft(m + " ") + trimLeft(f("LNAME") + " "));
    line(f("TITLE"));
    line(f("ORG"));
  }
  if (b.address) {
    line(f("STREET"));
    line(f("STREET2"));
    line(trimLeft(f("CITY") + " ") + " " + trimLeft(f("STATE") + " ") + trimLeft(f("ZIP")));
    line(trimLeft(f("COUNTRY") + " "));
  }
  if (b.phones) {
    if (!f("PHONE").empty()) line("Phone  :" + f("PHONE"));
    if (!f("PHONE2").empty()) line("Phone 2:" + f("PHONE2"));
  }
  if (b.codes && !f("CODES").empty()) line("Codes :" + f("CODES"));
  if (b.comments) {
    if (!f("USER1").empty()) line("Comment 1 :" + f("USER1"));
    if (!f("USER2").empty()) line("Comment 2 :" + f("USER2"));
  }
  return out;
}

}  // namespace data
