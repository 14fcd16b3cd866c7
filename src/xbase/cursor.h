// A cursor over a table: the "table component" that windows navigate with.
//
// It holds an engine query (a logical expression; empty means none) and obeys
// the environment's Deleted switch; first, last, next and previous visit only
// the records both let through, go() reaches any record. Counting runs the
// same test over the whole table. The order of visits comes from a
// RecordOrder, the table's natural order unless an index order is set.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "environment.h"
#include "expression.h"
#include "compact_tag.h"
#include "table.h"

namespace xbase {

// The sequence in which a cursor visits records. Returns 0 past either end.
class RecordOrder {
 public:
  virtual ~RecordOrder() = default;
  virtual uint32_t first() = 0;
  virtual uint32_t last() = 0;
  virtual uint32_t next(uint32_t recno) = 0;
  virtual uint32_t previous(uint32_t recno) = 0;
};

class NaturalOrder final : public RecordOrder {
 public:
  explicit NaturalOrder(const Table& table) : table_(table) {}
  uint32_t first() override { return table_.recordCount() ? 1 : 0; }
  uint32_t last() override { return table_.recordCount(); }
  uint32_t next(uint32_t recno) override { return recno < table_.recordCount() ? recno + 1 : 0; }
  uint32_t previous(uint32_t recno) override { return recno > 1 ? std::min(recno - 1, table_.recordCount()) : 0; }

 private:
  const Table& table_;
};

struct IndexTag;

// Visits records in the order of an index tag.
class TagOrder final : public RecordOrder {
 public:
  TagOrder(const Table& table, IndexTag& tag);
  uint32_t first() override;
  uint32_t last() override;
  uint32_t next(uint32_t recno) override;
  uint32_t previous(uint32_t recno) override;
  IndexTag& tag() { return tag_; }
  // Places the order at the first entry at or after the seek key; returns
  // that entry's record number, 0 at the end.
  uint32_t seek(const std::string& key, std::size_t significant);
  // True when the entry the order stands on begins with `key`.
  bool currentMatches(const std::string& key, std::size_t significant);

 private:
  // Finds `recno`'s entry (or where it would be) when the position is stale.
  bool locate(uint32_t recno);
  uint32_t settle(CompactTag::Position p);

  const Table& table_;
  IndexTag& tag_;
  CompactTag::Position position_;  // where the last answer came from
  uint64_t version_ = ~uint64_t(0);  // tree version the position belongs to
  std::string key_;                  // scratch
};

class Cursor {
 public:
  // The table and the environment must outlive the cursor.
  Cursor(Table& table, const Environment& env);

  Table& table() { return table_; }
  const Environment& environment() const { return env_; }

  // Sets the engine query; an empty text removes it. Throws ExpressionError
  // (and keeps the query in force) when the text does not compile or is not
  // a logical expression. The cursor is not moved.
  void setQuery(std::string_view expression);
  const std::string& query() const { return queryText_; }

  // Uses `order` for navigation; null goes back to natural order.
  void setOrder(std::unique_ptr<RecordOrder> order);
  // The controlling order by number (0: natural order) or by tag name.
  // Throws Error for an order that does not exist. The cursor is not moved.
  void setOrder(int number);
  void setOrder(std::string_view tagName);
  // 0 for natural order.
  int orderNumber() const { return orderNumber_; }

  // Seeks `value` on the controlling order (Error without one). Under Exact
  // off a key that begins with the value matches. Found: the cursor stands on
  // the first visible match. Not found: with SoftSeek it stands on the next
  // visible record in order (or at the end), else at the end.
  bool seek(std::string_view value);

  // Each returns true when it landed on a visible record.
  bool first();
  bool last();
  bool next();
  bool previous();
  // Moves by n visible records (negative: backwards).
  bool skip(long n);
  // Goes to the record whatever the query says; false when it does not exist.
  bool go(uint32_t recno);

  bool eof() const { return eof_; }
  bool bof() const { return bof_; }
  // The current record number; 0 when there is none (empty view, or past an end).
  uint32_t recno() const { return eof_ ? 0 : recno_; }

  // True when the record passes the Deleted switch and the query.
  bool visible(uint32_t recno);
  // Records that pass the Deleted switch and the query, in the whole table.
  uint32_t count();
  // The record numbers of the view, in the controlling order: one pass in
  // natural order marks the visible records, then the order is walked
  // without reading records. The cursor is not moved.
  std::vector<uint32_t> viewSnapshot();
  // Evaluates a logical expression on one record; throws ExpressionError.
  bool test(std::string_view expression, uint32_t recno);

  // The current record's bytes (see Table::rawRecord). REQUIRES: recno() != 0.
  const char* rawRecord() const { return table_.rawRecord(recno_); }
  Record read() const { return table_.read(recno_); }
  EvalContext context(uint32_t recno) const;

  // Larger read-ahead for one-way passes (reports, presort, ZIP counts).
  void setSequentialReading(bool on) { table_.setSequentialReading(on); }

 private:
  // From `start` (0 = none) walk with `step` until a visible record.
  template <typename Step>
  uint32_t seekVisible(uint32_t start, Step step);

  Table& table_;
  const Environment& env_;
  std::unique_ptr<RecordOrder> order_;  // never null
  int orderNumber_ = 0;                 // as set by setOrder(int), 0 for natural or custom
  std::optional<Expression> query_;     // compiled query, none when empty
  std::string queryText_;               // as set
  uint32_t recno_ = 0;                  // current record, 0 for none
  bool eof_ = true;
  bool bof_ = true;
};

}  // namespace xbase
