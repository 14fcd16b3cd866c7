#include "index_page.h"

#include <cstring>

#include "byte_order.h"
#include "error.h"

namespace xbase {

namespace {

int bitLength(uint32_t v) { return v ? 32 - __builtin_clz(v) : 0; }

}  // namespace

void decodeIndexNode(const char* page, uint16_t keyLength, char fill, const std::string& file, IndexNode& out) {
  auto bad = [&](const std::string& why) { return CorruptFileError(file, "damaged index page: " + why); };
  out.attributes = getLE16(page);
  uint16_t n = getLE16(page + 2);
  out.left = getLE32(page + 4);
  out.right = getLE32(page + 8);
  out.keys.clear();
  out.recnos.clear();
  out.children.clear();
  out.dups.clear();
  out.trails.clear();
  out.validCounts = 0;
  const std::size_t L = keyLength;
  if (!(out.attributes & kAttrLeaf)) {
    if (n > interiorCapacity(keyLength)) throw bad("more keys than an interior page holds");
    out.keys.reserve(n * L);
    for (std::size_t i = 0; i < n; ++i) {
      const char* e = page + kInteriorHeaderSize + i * (L + 8);
      out.keys.append(e, L);
      out.recnos.push_back(getBE32(e + L));
      out.children.push_back(getBE32(e + L + 4));
    }
    return;
  }
  uint32_t recMask = getLE32(page + 14);
  int rb = static_cast<unsigned char>(page[20]);
  int db = static_cast<unsigned char>(page[21]);
  int tb = static_cast<unsigned char>(page[22]);
  int width = static_cast<unsigned char>(page[23]);
  if (width < 1 || width > 8 || rb + db + tb != 8 * width || rb > 32 || db > 16 || tb > 16)
    throw bad("inconsistent entry bit widths");
  if (std::size_t(n) * std::size_t(width) > kLeafArea) throw bad("more keys than a leaf holds");
  (void)recMask;  // the masks follow from the bit widths, which are what count
  const uint64_t dupMask = (uint64_t(1) << db) - 1, trailMask = (uint64_t(1) << tb) - 1;
  const uint64_t recnoMask = rb == 32 ? 0xFFFFFFFFull : (uint64_t(1) << rb) - 1;
  out.keys.resize(n * L);
  out.recnos.resize(n);
  out.dups.resize(n);
  out.trails.resize(n);
  std::size_t pos = kIndexPageSize;
  const std::size_t entriesEnd = kLeafHeaderSize + std::size_t(n) * width;
  for (std::size_t i = 0; i < n; ++i) {
    uint64_t v = 0;
    const unsigned char* e = reinterpret_cast<const unsigned char*>(page) + kLeafHeaderSize + i * width;
    for (int b = width - 1; b >= 0; --b) v = (v << 8) | e[b];
    uint32_t recno = uint32_t(v & recnoMask);
    std::size_t dup = std::size_t((v >> rb) & dupMask);
    std::size_t trail = std::size_t((v >> (rb + db)) & trailMask);
    if (dup > L || trail > L || dup + trail > L || (i == 0 && dup > 0)) throw bad("key counts out of range");
    std::size_t stored = L - dup - trail;
    if (stored > pos - entriesEnd) throw bad("key bytes overlap the entries");
    pos -= stored;
    char* key = out.keys.data() + i * L;
    if (dup) std::memcpy(key, key - L, dup);
    std::memcpy(key + dup, page + pos, stored);
    std::memset(key + dup + stored, fill, trail);
    out.recnos[i] = recno;
    out.dups[i] = uint8_t(dup);
    out.trails[i] = uint8_t(trail);
  }
  // Counts are reusable only when they fit our builder's byte-sized fields
  // and the key really ends in that many fill bytes.
  out.validCounts = L <= 255 ? n : 0;
}

void encodeInterior(const IndexNode& node, uint16_t keyLength, char* page) {
  std::memset(page, 0, kIndexPageSize);
  putLE16(page, node.attributes);
  putLE16(page + 2, uint16_t(node.count()));
  putLE32(page + 4, node.left);
  putLE32(page + 8, node.right);
  for (std::size_t i = 0; i < node.count(); ++i) {
    char* e = page + kInteriorHeaderSize + i * (keyLength + 8u);
    std::memcpy(e, node.key(i, keyLength), keyLength);
    putBE32(e + keyLength, node.recnos[i]);
    putBE32(e + keyLength + 4, node.children[i]);
  }
}

LeafBuilder::LeafBuilder(uint16_t keyLength, char fill)
    : keyLength_(keyLength), fill_(fill), countBits_(bitLength(keyLength)) {
  reset();
}

void LeafBuilder::reset() {
  recnos_.clear();
  dups_.clear();
  trails_.clear();
  stored_.clear();
  previous_.assign(keyLength_, fill_);
  previousSignificant_ = 0;
  maxRecno_ = 0;
  width_ = entryBytesFor(0, countBits_);
}

int LeafBuilder::entryBytesFor(uint32_t maxRecno, int countBits) {
  int need = bitLength(maxRecno);
  for (int n = 3; n <= 8; ++n) {
    int rb = 8 * n - 2 * countBits;
    if (rb >= need && rb <= 32) return n;
    if (rb > 32) break;
  }
  // Wide counts leave too few record bits at 3 bytes; take the first width
  // whose record field fits, capped at a 32-bit record number.
  for (int n = 3; n <= 8; ++n)
    if (8 * n - 2 * countBits >= need) return n;
  return 8;
}

bool LeafBuilder::tryAdd(const char* key, uint32_t recno) {
  std::size_t significant = keyLength_;
  while (significant > 0 && key[significant - 1] == fill_) --significant;
  std::size_t dup = 0;
  if (!recnos_.empty()) {
    std::size_t limit = std::min(significant, previousSignificant_);
    const char* prev = previous_.data();
    while (dup < limit && prev[dup] == key[dup]) ++dup;
  }
  return push(key, recno, dup, significant);
}

bool LeafBuilder::push(const char* key, uint32_t recno, std::size_t dup, std::size_t significant) {
  // The entry width only changes when a record number needs more bits.
  int width = width_;
  if (recno > maxRecno_ && bitLength(recno) > bitLength(maxRecno_)) width = entryBytesFor(recno, countBits_);
  std::size_t total = (recnos_.size() + 1) * std::size_t(width) + stored_.size() + (significant - dup);
  if (total > kLeafArea) return false;
  width_ = width;
  recnos_.push_back(recno);
  dups_.push_back(uint8_t(dup));
  trails_.push_back(uint8_t(keyLength_ - significant));
  stored_.append(key + dup, significant - dup);
  std::memcpy(previous_.data(), key, keyLength_);
  previousSignificant_ = significant;
  maxRecno_ = std::max(maxRecno_, recno);
  return true;
}

bool LeafBuilder::tryAddEncoded(const char* key, uint32_t recno, uint8_t dup, uint8_t trail) {
  if (recnos_.empty() && dup != 0) return tryAdd(key, recno);
  return push(key, recno, dup, keyLength_ - trail);
}

void LeafBuilder::finish(uint16_t attributes, uint32_t left, uint32_t right, char* page) const {
  std::memset(page, 0, kIndexPageSize);
  const int width = width_;
  const int db = countBits_, tb = countBits_, rb = 8 * width - db - tb;
  const std::size_t n = recnos_.size();
  putLE16(page, uint16_t(attributes | kAttrLeaf));
  putLE16(page + 2, uint16_t(n));
  putLE32(page + 4, left);
  putLE32(page + 8, right);
  putLE16(page + 12, uint16_t(kLeafArea - n * std::size_t(width) - stored_.size()));
  putLE32(page + 14, rb >= 32 ? 0xFFFFFFFFu : uint32_t((uint64_t(1) << rb) - 1));
  page[18] = char((1u << db) - 1);
  page[19] = char((1u << tb) - 1);
  page[20] = char(rb);
  page[21] = char(db);
  page[22] = char(tb);
  page[23] = char(width);
  std::size_t pos = kIndexPageSize, storedAt = 0;
  for (std::size_t i = 0; i < n; ++i) {
    uint64_t v = uint64_t(recnos_[i]) | (uint64_t(dups_[i]) << rb) | (uint64_t(trails_[i]) << (rb + db));
    char* e = page + kLeafHeaderSize + i * std::size_t(width);
    for (int b = 0; b < width; ++b) e[b] = char(v >> (8 * b));
    std::size_t len = keyLength_ - dups_[i] - trails_[i];
    pos -= len;
    std::memcpy(page + pos, stored_.data() + storedAt, len);
    storedAt += len;
  }
}

}  // namespace xbase
