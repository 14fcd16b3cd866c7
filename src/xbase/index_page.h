// The 512-byte pages of compact (CDX and compact IDX) index trees: a reader
// that decodes a page into plain entries, and a builder that packs entries
// into a compressed leaf.
//
// Node header (all pages): u16 attributes (0x01 root, 0x02 leaf), u16 key
// count, u32 left sibling, u32 right sibling (0xFFFFFFFF for none).
// Interior pages: entries of key (L bytes), u32 BE record number, u32 BE
// child page, each naming the last key of its child's subtree.
// Leaves: u16 free bytes, u32 record mask, u8 duplicate mask, u8 trailing
// mask, u8 RB, u8 DB, u8 TB, u8 N; then N-byte entries, read as one LE
// integer [trail | dup | record], and the keys' remaining bytes packed from
// the page's end backwards: each key keeps `dup` bytes of the one before and
// drops `trail` fill bytes at its end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xbase {

constexpr uint32_t kIndexPageSize = 512;
constexpr uint32_t kNoPage = 0xFFFFFFFFu;
constexpr uint16_t kAttrRoot = 0x01;
constexpr uint16_t kAttrLeaf = 0x02;
constexpr std::size_t kLeafHeaderSize = 24;
constexpr std::size_t kLeafArea = kIndexPageSize - kLeafHeaderSize;  // 488
constexpr std::size_t kInteriorHeaderSize = 12;

// A page as plain entries: keys laid end to end (count() * keyLength bytes).
struct IndexNode {
  uint16_t attributes = 0;
  uint32_t left = kNoPage;
  uint32_t right = kNoPage;
  std::string keys;
  std::vector<uint32_t> recnos;
  std::vector<uint32_t> children;  // interior pages only
  // Leaves: each entry's stored duplicate and trailing counts, valid for the
  // first `validCounts` entries (an edit invalidates those from its position
  // on), so that re-encoding a leaf can copy them instead of recomputing.
  std::vector<uint8_t> dups, trails;
  std::size_t validCounts = 0;

  bool leaf() const { return attributes & kAttrLeaf; }
  bool root() const { return attributes & kAttrRoot; }
  std::size_t count() const { return recnos.size(); }
  const char* key(std::size_t i, uint16_t keyLength) const { return keys.data() + i * keyLength; }
};

// Decodes a page. Throws CorruptFileError (naming `file`) when its counts,
// bit widths or key bytes do not fit the page.
void decodeIndexNode(const char* page, uint16_t keyLength, char fill, const std::string& file, IndexNode& out);

// Entries an interior page holds.
inline std::size_t interiorCapacity(uint16_t keyLength) { return (kIndexPageSize - kInteriorHeaderSize) / (keyLength + 8u); }
// REQUIRES: node.count() <= interiorCapacity(keyLength).
void encodeInterior(const IndexNode& node, uint16_t keyLength, char* page);

// Packs leaf entries in key order, FoxPro's way: duplicate and trailing
// counts per entry, entry width N = 3 bytes unless record numbers need more.
class LeafBuilder {
 public:
  LeafBuilder(uint16_t keyLength, char fill);
  void reset();
  // Adds the entry if the page has room for it; returns false (and changes
  // nothing) when it has not.
  bool tryAdd(const char* key, uint32_t recno);
  // As tryAdd, for an entry whose counts are already known (copied from the
  // page it was decoded from, after the same predecessor).
  bool tryAddEncoded(const char* key, uint32_t recno, uint8_t dup, uint8_t trail);
  std::size_t count() const { return recnos_.size(); }
  const char* lastKey() const { return previous_.data(); }
  uint32_t lastRecno() const { return recnos_.back(); }
  // Writes the page with the given header fields.
  void finish(uint16_t attributes, uint32_t left, uint32_t right, char* page) const;

 private:
  static int entryBytesFor(uint32_t maxRecno, int countBits);
  // Adds an entry that keeps `dup` bytes of the previous key and stores its
  // bytes up to `significant`, if the page has room.
  bool push(const char* key, uint32_t recno, std::size_t dup, std::size_t significant);

  uint16_t keyLength_;            // L
  char fill_;                     // trailing byte trimmed from keys
  int countBits_;                 // DB = TB, the bit length of L
  std::vector<uint32_t> recnos_;  // per entry
  std::vector<uint8_t> dups_;     // bytes shared with the previous key
  std::vector<uint8_t> trails_;   // fill bytes dropped at the end
  std::string stored_;            // the bytes each entry keeps, in entry order
  std::string previous_;          // the last key added (L bytes)
  std::size_t previousSignificant_ = 0;  // its length without trailing fill
  uint32_t maxRecno_ = 0;
  int width_ = 3;                 // N, bytes per entry, for maxRecno_
};

}  // namespace xbase
