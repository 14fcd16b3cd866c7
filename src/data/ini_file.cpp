#include "ini_file.h"

#include <cstdio>
#include <fstream>
#include <strings.h>

namespace data {

namespace {

constexpr std::size_t npos = std::string::npos;

std::string trim(const std::string& s) {
  std::size_t a = s.find_first_not_of(" \t");
  if (a == npos) return {};
  std::size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

bool sameNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The section name of a header line, or nothing.
std::optional<std::string> headerName(const std::string& line) {
  std::string t = trim(line);
  if (t.size() < 2 || t[0] != '[') return std::nullopt;
  std::size_t close = t.find(']');
  if (close == npos) return std::nullopt;
  return trim(t.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing (comments and other lines).
std::optional<std::string> keyOf(const std::string& line) {
  std::string t = trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
  std::size_t eq = t.find('=');
  if (eq == npos) return std::nullopt;
  return trim(t.substr(0, eq));
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(std::move(line));
  }
}

std::size_t IniFile::findSection(const std::string& section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto name = headerName(lines_[i]);
    if (name && sameNoCase(*name, section)) return i;
  }
  return npos;
}

std::size_t IniFile::findKey(std::size_t header, const std::string& key) const {
  for (std::size_t i = header + 1; i < lines_.size(); ++i) {
    if (headerName(lines_[i])) break;
    auto k = keyOf(lines_[i]);
    if (k && sameNoCase(*k, key)) return i;
  }
  return npos;
}

bool IniFile::hasSection(const std::string& section) const { return findSection(section) != npos; }

std::optional<std::string> IniFile::get(const std::string& section, const std::string& key) const {
  std::size_t header = findSection(section);
  if (header == npos) return std::nullopt;
  std::size_t line = findKey(header, key);
  if (line == npos) return std::nullopt;
  const std::string& text = lines_[line];
  return trim(text.substr(text.find('=') + 1));
}

std::vector<std::string> IniFile::keys(const std::string& section) const {
  std::vector<std::string> out;
  std::size_t header = findSection(section);
  if (header == npos) return out;
  for (std::size_t i = header + 1; i < lines_.size() && !headerName(lines_[i]); ++i)
    if (auto k = keyOf(lines_[i])) out.push_back(*k);
  return out;
}

void IniFile::set(const std::string& section, const std::string& key, const std::string& value) {
  std::size_t header = findSection(section);
  if (header == npos) {
    if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.push_back("");
    lines_.push_back("[" + section + "]");
    lines_.push_back(key + "=" + value);
    return;
  }
  std::size_t line = findKey(header, key);
  if (line != npos) {
    lines_[line] = *keyOf(lines_[line]) + "=" + value;
    return;
  }
  // After the section's last non-blank line.
  std::size_t at = header + 1;
  for (std::size_t i = header + 1; i < lines_.size() && !headerName(lines_[i]); ++i)
    if (!trim(lines_[i]).empty()) at = i + 1;
  lines_.insert(lines_.begin() + long(at), key + "=" + value);
}

bool IniFile::save() const {
  const std::string temp = path_ + ".saving";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const std::string& line : lines_) out << line << "\r\n";
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), path_.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace data
