// Page I/O of one index file (CDX or IDX): checked reads through a small
// cache, writes, and new pages appended at the end of the file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "file.h"
#include "index_page.h"

namespace xbase {

class IndexPages {
 public:
  explicit IndexPages(File file);

  const std::string& path() const { return file_.path(); }
  bool writable() const { return file_.writable(); }
  uint64_t size() const { return size_; }

  // The page at `offset`. Throws CorruptFileError when the offset is not a
  // page of this file (not a multiple of 512, or past the end). Offset 0 is
  // the file's first header; tree pointers are checked for 0 by their readers.
  const char* read(uint32_t offset);
  void write(uint32_t offset, const char* page);
  // Writes consecutive pages at once (bulk builds); `bytes` is a multiple of 512.
  void writeRun(uint32_t offset, const std::string& bytes);
  // Reserves `count` new pages at the end of the file and returns the first.
  uint32_t allocate(uint32_t count = 1);
  // Cuts the file back to `size` bytes (a cancelled build).
  void truncate(uint64_t size) {
    file_.truncate(size);
    size_ = size;
    cache_.clear();
  }
  // Drops every cached page (after the file was changed behind the cache).
  void clearCache() { cache_.clear(); }
  File& file() { return file_; }

 private:
  File file_;
  uint64_t size_;  // bytes in the file, including pages allocated but not yet written
  std::unordered_map<uint32_t, std::array<char, kIndexPageSize>> cache_;  // page offset -> bytes
};

}  // namespace xbase
