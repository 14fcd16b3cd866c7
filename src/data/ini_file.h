// Windows INI files, byte for byte: "[Section]" lines, "key=value" lines,
// CR LF endings, no escaping. Sections and keys are found without regard to
// case, as Windows does; surrounding blanks of keys and values are ignored.
// Lines the reader does not understand are kept as they are on writing.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace data {

class IniFile {
 public:
  // Reads the file if it exists; a missing or unreadable file is empty.
  explicit IniFile(std::string path);

  std::optional<std::string> get(const std::string& section, const std::string& key) const;
  // Sets a key, adding it (and its section) when missing.
  void set(const std::string& section, const std::string& key, const std::string& value);
  // The keys of a section in file order.
  std::vector<std::string> keys(const std::string& section) const;
  bool hasSection(const std::string& section) const;

  // Writes the file through a temporary file renamed over it, so that a
  // failed or interrupted write leaves the old file whole. False on failure.
  bool save() const;
  const std::string& path() const { return path_; }

 private:
  // Index of the section's header line, or npos.
  std::size_t findSection(const std::string& section) const;
  // Index of the key's line within the section starting at `header`, or npos.
  std::size_t findKey(std::size_t header, const std::string& key) const;

  std::string path_;
  std::vector<std::string> lines_;  // without their line endings
};

}  // namespace data
