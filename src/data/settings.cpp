#include "settings.h"

#include <cstdlib>

#include "ini_file.h"
#include "platform/home.h"

namespace data {

std::string settingsPath() { return platform::pathNoCase(platform::homeFolder(), "QUILLV.ini"); }

std::string Settings::readString(const std::string& section, const std::string& key, const std::string& def) const {
  auto v = IniFile(path_).get(section, key);
  return v ? *v : def;
}

int Settings::readInteger(const std::string& section, const std::string& key, int def) const {
  auto v = IniFile(path_).get(section, key);
  if (!v || v->empty()) return def;
  char* end = nullptr;
  long n = std::strtol(v->c_str(), &end, 10);
  if (end == v->c_str()) return def;
  if (n > 2147483647L || n < -2147483647L - 1) return def;
  return int(n);
}

bool Settings::readBool(const std::string& section, const std::string& key, bool def) const {
  return readInteger(section, key, def ? 1 : 0) != 0;
}

bool Settings::writeString(const std::string& section, const std::string& key, const std::string& value) {
  IniFile ini(path_);
  ini.set(section, key, value);
  return ini.save();
}

bool Settings::writeInteger(const std::string& section, const std::string& key, int value) {
  return writeString(section, key, std::to_string(value));
}

bool Settings::writeBool(const std::string& section, const std::string& key, bool value) {
  return writeString(section, key, value ? "1" : "0");
}

}  // namespace data
