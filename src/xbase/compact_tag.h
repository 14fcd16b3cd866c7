// One index tag: a B+tree of compact pages in an index file, ordered by
// (key, record number). Reads, seeks, single-key insert and remove with page
// splits, and the bulk build that writes a whole tree in one pass.
//
// Tag header (1024 bytes, integers LE): 0 root page; 4 free list (header at
// offset 0 only); 12 key length; 14 options (0x01 unique, 0x08 FOR, 0x20
// compact, 0x40 compound tag, 0x80 CDX directory); 15 signature 1; 502
// descending; 504/506 FOR position/length; 508/510 key position/length; 512
// the expression pool (key, NUL, FOR, NUL).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "index_key.h"
#include "index_page.h"
#include "index_pages.h"

namespace xbase {

constexpr uint8_t kOptionUnique = 0x01;
constexpr uint8_t kOptionFor = 0x08;
constexpr uint8_t kOptionCompact = 0x20;
constexpr uint8_t kOptionCompound = 0x40;
constexpr uint8_t kOptionDirectory = 0x80;
constexpr uint32_t kTagHeaderSize = 1024;

struct TagHeader {
  uint32_t root = 0;
  uint16_t keyLength = 0;
  uint8_t options = 0;
  bool descending = false;
  std::string expression;     // as stored, case kept
  std::string forExpression;  // empty when none
};

// Reads and checks a tag header. Throws CorruptFileError naming `what`.
TagHeader readTagHeader(IndexPages& pages, uint32_t offset, const std::string& what);
void writeTagHeader(IndexPages& pages, uint32_t offset, const TagHeader& header);

class CompactTag {
 public:
  struct Position {
    uint32_t page = 0;   // leaf offset; 0 past either end
    uint32_t index = 0;  // entry in the leaf
  };

  CompactTag(IndexPages& pages, uint32_t headerOffset, TagHeader header, KeySpec keyForm, std::string name);

  const std::string& name() const { return name_; }
  const TagHeader& header() const { return header_; }
  const KeySpec& keyForm() const { return spec_; }
  uint32_t headerOffset() const { return headerOffset_; }
  IndexPages& pages() { return pages_; }
  // Bumped by every change, so that positions taken before can be refreshed.
  uint64_t version() const { return version_; }

  // Allocates a header and writes an empty tree; returns the header offset.
  static uint32_t createEmpty(IndexPages& pages, TagHeader header);
  // Supplies the entries of a bulk build in ascending (key, recno) order;
  // returns false after the last one.
  using EntrySource = std::function<bool(const char*& key, uint32_t& recno)>;
  // Writes a whole tree from sorted entries at the end of the file; returns its root.
  static uint32_t buildTree(IndexPages& pages, const KeySpec& keyForm, const EntrySource& next);
  // Points the header at a new tree (the old pages are abandoned).
  void replaceTree(uint32_t root);

  void insert(const char* key, uint32_t recno);
  // Removes the entry; false when it is not there.
  bool remove(const char* key, uint32_t recno);

  Position first();
  Position last();
  Position next(Position p);
  Position previous(Position p);
  // The first entry whose key's first `significant` bytes are >= those of
  // `key` and, when all bytes count, whose record number is >= `recno`.
  Position lowerBound(const char* key, std::size_t significant, uint32_t recno);
  const char* keyAt(Position p);
  uint32_t recnoAt(Position p);

  // Calls `visit` for every entry in order, checking the tree's shape on the
  // way: ordering, sibling links, page kinds. Throws CorruptFileError.
  void walk(const std::function<void(const char* key, uint32_t recno)>& visit);

 private:
  struct PathStep {
    uint32_t page;
    std::size_t index;  // entry followed in this (interior) page
  };
  std::vector<PathStep> descend(const char* key, std::size_t significant, uint32_t recno, uint32_t& leaf);
  Position step(Position p, bool forward);
  // The interior page at `page` (checked: depth, pointer, key count), or
  // null when it is a leaf; `count` gets its number of entries.
  const char* interior(uint32_t page, int depth, std::size_t& count);
  uint32_t childAt(const char* interiorPage, std::size_t i) const;
  // The leftmost or rightmost leaf.
  uint32_t edgeLeaf(bool leftmost);
  const IndexNode& leaf(uint32_t offset);
  void loadNode(uint32_t offset, IndexNode& node);
  int compare(const char* a, uint32_t ra, const char* b, std::size_t significant, uint32_t rb) const;
  // Writes `node` back at `offset` (splitting it when it overflows) and
  // fixes the parents along `path` above `level`.
  void store(std::vector<PathStep>& path, std::size_t level, uint32_t offset, IndexNode& node);
  void fixParentKey(std::vector<PathStep>& path, std::size_t level, const char* key, uint32_t recno);
  void unlinkEmpty(std::vector<PathStep>& path, std::size_t level, uint32_t offset, const IndexNode& node);
  bool encodeLeaf(const IndexNode& node, std::size_t from, std::size_t to, char* page);
  [[noreturn]] void corrupt(const std::string& why) const;

  IndexPages& pages_;
  uint32_t headerOffset_;
  TagHeader header_;
  KeySpec spec_;
  std::string name_;                 // for messages
  uint64_t version_ = 0;             // see version()
  uint32_t cachedLeaf_ = 0;          // offset of the decoded leaf below, 0 for none
  IndexNode cachedNode_;             // a decoded leaf, for walking without decoding each step
};

}  // namespace xbase
