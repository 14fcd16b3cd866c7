#include "index_pages.h"

#include <cstring>

#include "error.h"

namespace xbase {

namespace {
constexpr std::size_t kMaxCachedPages = 32768;  // 16 MiB
}

IndexPages::IndexPages(File file) : file_(std::move(file)), size_(file_.size()) {}

const char* IndexPages::read(uint32_t offset) {
  auto it = cache_.find(offset);
  if (it != cache_.end()) return it->second.data();
  if (offset % kIndexPageSize != 0 || uint64_t(offset) + kIndexPageSize > size_)
    throw CorruptFileError(path(), "damaged index: a page pointer (" + std::to_string(offset) + ") leads outside the file");
  if (cache_.size() >= kMaxCachedPages) cache_.clear();
  auto& page = cache_[offset];
  std::size_t got = file_.readAt(offset, page.data(), kIndexPageSize);
  if (got < kIndexPageSize) std::memset(page.data() + got, 0, kIndexPageSize - got);
  return page.data();
}

void IndexPages::write(uint32_t offset, const char* page) {
  file_.writeAt(offset, page, kIndexPageSize);
  auto it = cache_.find(offset);
  if (it != cache_.end()) std::memcpy(it->second.data(), page, kIndexPageSize);
}

void IndexPages::writeRun(uint32_t offset, const std::string& bytes) {
  file_.writeAt(offset, bytes.data(), bytes.size());
  for (std::size_t at = 0; at < bytes.size(); at += kIndexPageSize) cache_.erase(uint32_t(offset + at));
}

uint32_t IndexPages::allocate(uint32_t count) {
  uint64_t offset = (size_ + kIndexPageSize - 1) / kIndexPageSize * kIndexPageSize;
  if (offset + uint64_t(count) * kIndexPageSize > 0xFFFFFE00ull) throw Error(path(), "the index file is full");
  size_ = offset + uint64_t(count) * kIndexPageSize;
  return uint32_t(offset);
}

}  // namespace xbase
