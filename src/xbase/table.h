// An open DBF table: its structure, record reading through a small window
// cache, and every write (append, update, deletion flag, pack, zap) done so
// that the header, the record count and the end-of-file marker agree after
// each one.
//
// Write order for durability: record bytes and the 0x1A marker first, then the
// header's count and date. A process killed in between leaves the old count,
// which hides only the record whose append had not returned.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dbf_header.h"
#include "file.h"
#include "memo_file.h"
#include "record.h"

namespace xbase {

class IndexSet;

enum class OpenMode { Exclusive, SharedReadOnly };

// Called with (records done, records in all); returning false cancels.
using ProgressFunction = std::function<bool(uint32_t done, uint32_t total)>;

class Table {
 public:
  // Creates an empty FoxPro 2.x table (and its FPT when a memo field is
  // declared), replacing a file of that name that nobody holds.
  static void create(const std::string& path, const std::vector<FieldSpec>& fields);
  // Creates an empty FoxPro 2.x table with the fields of `source`.
  static void createLike(const std::string& path, const Table& source);
  static std::unique_ptr<Table> open(const std::string& path, OpenMode mode = OpenMode::Exclusive);

  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  const std::string& path() const { return path_; }
  const DbfHeader& header() const { return header_; }
  const std::vector<FieldDef>& fields() const { return header_.fields; }
  const FieldDef& field(int index) const { return header_.fields[std::size_t(index)]; }
  int fieldCount() const { return int(header_.fields.size()); }
  // Index of the field with that name, without regard to case; -1 if none.
  int fieldIndex(std::string_view name) const;
  uint32_t recordCount() const { return header_.recordCount; }
  uint16_t recordLength() const { return header_.recordLength; }
  bool readOnly() const { return !file_.writable(); }
  // True when the file is of a kind this engine writes (FoxPro 2.x, dBASE III without memo).
  bool writableFormat() const;
  // True when opening found fewer whole records than the header claimed.
  bool countRepaired() const { return countRepaired_; }
  // Bumped by every change, so that views above the table can drop what they cached.
  uint64_t changeCount() const { return changeCount_; }

  // The raw bytes of a record (deletion flag first). The pointer stays valid
  // until the next call on this table. Throws Error for a record number
  // outside 1..recordCount().
  const char* rawRecord(uint32_t recno) const;
  bool isDeleted(uint32_t recno) const { return rawRecord(recno)[0] == '*'; }
  Record read(uint32_t recno) const;
  Record blankRecord() const;
  // The memo text a field of a raw record points to.
  std::string memoText(const char* record, const FieldDef& f) const;

  // Appends the record and returns its number (also stored in the record).
  uint32_t append(Record& record);
  // Writes a record read from this table back to its place.
  void update(Record& record);
  void setDeleted(uint32_t recno, bool deleted);

  // Between beginBulk() and endBulk(), appended records are gathered and
  // written in large blocks; endBulk() (or any other write, or the
  // destructor) writes the rest. A record counts as posted once written.
  // The production index learns of the new records at endBulk(): their keys
  // are inserted, or for a large batch the tags are rebuilt in one pass.
  // Until then, orders do not show them.
  void beginBulk();
  void endBulk();
  // Larger read-ahead for one-way passes over the whole table.
  void setSequentialReading(bool on) const { sequential_ = on; }
  bool sequentialReading() const { return sequential_; }

  // Removes the records that carry the deletion flag, and the memo space that
  // no record uses any more. The table is rebuilt in temporary files that
  // replace the originals only when complete, so a cancel or a failure leaves
  // it as it was. Returns false when cancelled.
  bool pack(const ProgressFunction& progress = {});
  // Removes every record.
  void zap();
  // Sets or clears the header flag that says a production index exists.
  void setProductionIndexFlag(bool on);

  // The index files open on the table; every write keeps the production
  // index in step.
  IndexSet& indexes() { return *indexes_; }
  const IndexSet& indexes() const { return *indexes_; }

 private:
  Table() = default;
  friend class Record;

  void requireWritable() const;
  uint64_t recordOffset(uint32_t recno) const {
    return header_.headerLength + uint64_t(recno - 1) * header_.recordLength;
  }
  void writeMemos(Record& record);
  void flushBulk();
  // Writes header bytes 1-7 (date, count) and the end marker after the last record.
  void writeCountAndMarker();
  void loadWindow(uint32_t recno) const;
  void invalidateWindow() const { windowCount_ = 0; }

  std::string path_;                  // the DBF file as opened
  File file_;                         // the DBF, locked
  std::unique_ptr<MemoFile> memo_;    // FPT or DBT, when the table has one
  DbfHeader header_;                  // header as in force (count includes bulk records)
  uint32_t writtenCount_ = 0;         // records actually in the file
  uint64_t fileSize_ = 0;             // size of the DBF as we left it
  bool countRepaired_ = false;        // the header claimed more records than the file holds
  uint64_t changeCount_ = 0;          // see changeCount()

  bool bulk_ = false;                 // gathering appends
  uint32_t bulkFirst_ = 0;            // first record appended in this bulk run
  std::string bulkBuffer_;            // records appended but not yet written

  mutable bool sequential_ = false;        // read-ahead size for whole passes
  mutable std::vector<char> window_;       // cached run of records
  mutable uint32_t windowFirst_ = 0;       // record number of the first cached record
  mutable uint32_t windowCount_ = 0;       // records in the window

  std::unique_ptr<IndexSet> indexes_;      // declared last: closed before the table
};

}  // namespace xbase
