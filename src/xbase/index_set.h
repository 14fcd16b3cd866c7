// The index files open on one table and the orders they offer: the
// production CDX (opened with the table, kept in step with every write) and
// standalone IDX files (opened or created by the caller; keys are added to
// them explicitly, as the checks that use them do).
//
// Orders are numbered from 1: the production tags in creation order, then
// one order per standalone file in the order they were opened.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "index_file.h"

namespace xbase {

class Table;

class IndexSet {
 public:
  explicit IndexSet(Table& table);
  ~IndexSet();

  // Opens the production index when the table's header says it has one or a
  // file of that name exists. A damaged or unsuitable file is not opened and
  // the reason is kept in error(): the table stays usable, without orders.
  void openProduction();
  // The production index file's path (as it exists, or as it would be created).
  std::string productionPath() const;
  IndexFile* production() { return production_.get(); }
  const std::string& error() const { return error_; }

  int orderCount() const;
  // The order number of a tag (without regard to case); 0 when there is none.
  int orderNumber(std::string_view tagName) const;
  // REQUIRES: 1 <= number <= orderCount().
  IndexTag& order(int number);
  // The index file of an order; "" for order 0 or a number out of range.
  std::string orderFile(int number) const;

  // Creates or replaces a production tag, creating the production index when
  // none is open and setting the table's flag. False when cancelled.
  bool createTag(const std::string& name, const std::string& expression, const ProgressFunction& progress = {});
  // Closes every index file, production and standalone, so that they can be deleted.
  void closeAll();
  // Closes the production index, deletes its file and clears the table's flag.
  void deleteProduction();
  // Creates an empty standalone index, opens it and returns its order number.
  int createStandalone(const std::string& path, const std::string& expression);
  int openStandalone(const std::string& path);
  // Closes the standalone index of that order (numbers after it move down by one).
  void closeStandalone(int number);
  // Adds a record's key to the index of an order.
  void addKey(int number, uint32_t recno);
  // Rebuilds every tag from its expression: the production index is written
  // anew (dropping abandoned pages), standalone ones get a fresh tree. False
  // when cancelled; progress counts records over all tags.
  bool reindex(const ProgressFunction& progress = {});

  // Called by the table around its writes. Standalone indexes are left as
  // they are when the table is packed or zapped: their callers own them.
  void requireMaintainable() const;
  void recordAppended(uint32_t recno, const char* record);
  // Records first..last were appended without their keys (a bulk run).
  void recordsAppended(uint32_t first, uint32_t last);
  void recordChanged(uint32_t recno, const char* before, const char* after);
  void tableRewritten();

 private:
  // Writes the production index anew with the same tags, from the table.
  bool rebuildProduction(const ProgressFunction& progress);

  Table& table_;
  std::unique_ptr<IndexFile> production_;
  std::vector<std::unique_ptr<IndexFile>> standalone_;
  std::string error_;           // see error()
  std::string oldKey_, newKey_; // scratch keys
};

}  // namespace xbase
