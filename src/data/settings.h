// The settings file QUILLV.ini in the home, read and written key by key as
// the Windows INI routines do: every call opens the file, nothing is cached.
// Booleans are written 1 / 0 and read true for any non-zero integer.
#pragma once

#include <string>

namespace data {

// The home's settings file: home + "QUILLV.ini".
std::string settingsPath();

class Settings {
 public:
  explicit Settings(std::string path = settingsPath()) : path_(std::move(path)) {}

  std::string readString(const std::string& section, const std::string& key, const std::string& def) const;
  // A missing key or a value that does not start with an integer gives `def`.
  int readInteger(const std::string& section, const std::string& key, int def) const;
  bool readBool(const std::string& section, const std::string& key, bool def) const;
  // False when the file could not be written (the old file is then intact).
  bool writeString(const std::string& section, const std::string& key, const std::string& value);
  bool writeInteger(const std::string& section, const std::string& key, int value);
  bool writeBool(const std::string& section, const std::string& key, bool value);

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace data
