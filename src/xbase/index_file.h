// Index files: a compound index (CDX: a directory of named tags, the
// production index of a table or an independent one) or a standalone compact
// index (IDX: one tag, its header at offset 0).
//
// CDX layout: the header at offset 0 is a tag (options 0xE0, key length 10)
// whose keys are the tag names, blank-padded, and whose record numbers are
// the offsets of each tag's header. Creation order is header order.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compact_tag.h"
#include "expression.h"
#include "field.h"
#include "index_pages.h"
#include "table.h"

namespace xbase {

// One tag with its compiled expressions.
struct IndexTag {
  std::string name;                       // upper case; the file's base name for an IDX
  KeySpec keyForm;
  std::unique_ptr<CompactTag> tree;
  std::optional<Expression> key;          // compiled key expression
  std::optional<Expression> forCondition; // compiled FOR condition, when the tag has one
  // False for tags whose keys this engine cannot build (Visual FoxPro's
  // nullable or integer keys, descending or foreign collations): they can be
  // read and walked, not kept up to date.
  bool buildable = true;

  // The record's key (keyForm.length bytes) into `out`; false when a FOR
  // condition leaves the record out of the tag.
  bool keyOf(const Table& table, const char* record, uint32_t recno, std::string& out);
};

class IndexFile {
 public:
  enum class Kind { Compound, Standalone };

  // Creates an empty CDX, replacing a file of that name that nobody holds.
  static std::unique_ptr<IndexFile> createCompound(const std::string& path);
  // Creates an empty IDX with the key expression (compiled against `table`).
  static std::unique_ptr<IndexFile> createStandalone(const std::string& path, const std::string& expression,
                                                     const Table& table);
  // Opens an existing CDX or IDX and compiles its tags against the table's
  // fields. Throws CorruptFileError naming the file and the tag.
  static std::unique_ptr<IndexFile> open(const std::string& path, const Table& table, bool writable);

  Kind kind() const { return kind_; }
  const std::string& path() const { return pages_->path(); }
  std::size_t tagCount() const { return tags_.size(); }
  IndexTag& tag(std::size_t i) { return *tags_[i]; }
  // Position of the tag with that name (without regard to case), or -1.
  int findTag(std::string_view name) const;

  // Compound files: builds a tag over every record of the table (keys sorted
  // in bulk, pages written in one pass) and adds it, replacing a tag of the
  // same name. Returns false when cancelled (nothing is added then).
  bool addTag(const std::string& name, const std::string& expression, const Table& table,
              const ProgressFunction& progress = {});
  // Rebuilds one tag's tree from the table.
  bool rebuildTag(std::size_t i, const Table& table, const ProgressFunction& progress = {});

 private:
  IndexFile() = default;
  void readDirectory(const Table& table);
  std::unique_ptr<IndexTag> loadTag(const std::string& name, uint32_t headerOffset, const Table& table);
  // Builds a sorted tree of the table's keys; 0 when cancelled.
  uint32_t buildSorted(IndexTag& tag, const Table& table, const ProgressFunction& progress);

  Kind kind_ = Kind::Compound;
  std::unique_ptr<IndexPages> pages_;
  std::unique_ptr<CompactTag> directory_;        // CDX only
  std::vector<std::unique_ptr<IndexTag>> tags_;  // creation order
};

// Checks a tag name: 1 to 10 letters, digits or underscores, not starting
// with a digit. Returns it upper-cased; throws Error otherwise.
std::string checkTagName(std::string_view name);

}  // namespace xbase
