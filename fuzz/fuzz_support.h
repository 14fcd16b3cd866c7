// Writes a fuzz input to a private scratch file so that the file readers can
// open it as they open real files.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace qvfuzz {

inline std::string scratchPath(const char* name) {
  static std::string folder = [] {
    char tmpl[] = "/tmp/qvfuzz-XXXXXX";
    return std::string(mkdtemp(tmpl) ? tmpl : "/tmp");
  }();
  return folder + "/" + name;
}

inline void writeScratch(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace qvfuzz
