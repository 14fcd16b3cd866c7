// The data set windows bind to: one open table with its cursor (the "table
// component"), a record buffer for the current record, declared fields with
// display labels and visibility, calculated fields, the browse / edit /
// insert states with their events, and suspend / resume of bound controls.
//
// A record move costs the same whatever the size of the file: the buffer is
// one record and the calculated fields are recomputed from it alone.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cursor.h"
#include "xbase/environment.h"
#include "xbase/table.h"

namespace data {

struct DataField {
  std::string name;        // LNAME, TAG, FullName, ...
  std::string label;       // display label
  int displayWidth = 0;    // characters in a grid; 0 for the default
  bool visible = true;
  bool calculated = false;
  int size = 0;            // characters: the file's width once open; 35 or 12 for calculated text
  int tableIndex = -1;     // the table's field, -1 for calculated fields
  char type = 0;           // declared type letter of a stored field; 0 takes any
};

class DataSet {
 public:
  enum class State { Inactive, Browse, Edit, Insert };
  using Event = std::function<void(DataSet&)>;

  // The engine switches are the caller's and must outlive the data set.
  explicit DataSet(xbase::Environment& env);
  ~DataSet();
  DataSet(const DataSet&) = delete;
  DataSet& operator=(const DataSet&) = delete;

  // The record view of an address file: 23 stored and 5 calculated fields,
  // in declared order, with their labels.
  static std::vector<DataField> addressRecordView();
  // Declares the fields; with none declared the data set takes the file's own.
  void declare(std::vector<DataField> fields);

  // OpenTableFile: closes; "File <path> not found" when there is no file;
  // CheckTableFields; opens. False (table closed) on any failure.
  bool openTableFile(const std::string& path, xbase::OpenMode mode = xbase::OpenMode::Exclusive);
  // Every declared stored field must exist in the file (by name, any case)
  // with a compatible type; each takes the file's width.
  bool checkTableFields(const xbase::Table& table);
  void close();
  bool active() const { return table_ != nullptr; }
  // The file as opened.
  const std::string& path() const { return path_; }

  xbase::Table& table() { return *table_; }
  xbase::Cursor& cursor() { return *cursor_; }
  xbase::Environment& environment() { return env_; }

  // Navigation; each ends an edit by cancelling it first is NOT done: callers post or cancel.
  bool first();
  bool last();
  bool next();
  bool prior();
  bool moveBy(long n);
  bool go(uint32_t recno);
  bool eof() const { return !cursor_ || cursor_->eof(); }
  bool bof() const { return !cursor_ || cursor_->bof(); }
  // The current record number, 0 when there is none.
  uint32_t recno() const;
  // Re-reads the current record (after the query or the order changed elsewhere).
  void refresh();

  const std::vector<DataField>& fields() const { return fields_; }
  int fieldIndex(std::string_view name) const;
  // A field's value as text (calculated ones included); "" without a record.
  std::string text(std::string_view name) const;
  // A field's value in another record, without moving to it.
  std::string textOf(uint32_t recno, std::string_view name) const;
  // Sets a stored field in edit or insert state; throws xbase::Error for a
  // value the field cannot hold, std::logic_error outside edit or insert.
  void setText(std::string_view name, std::string_view text);

  State state() const { return state_; }
  void edit();
  void insert();
  // Writes the buffer: an edit in place, an insert as a new record. Shows an
  // error box and stays in its state when the engine refuses; false then.
  bool post();
  void cancel();
  // Marks the current record deleted and moves to the next visible one.
  void deleteRecord();

  Event afterEdit, afterInsert, afterPost, afterCancel;
  // The current record changed: a move, a post, a cancel, an edit of a field.
  Event onDataChange;

  // Bound controls stop following the data set while disabled; the calls
  // nest; the last enable tells them once.
  void disableControls();
  void enableControls();
  bool controlsDisabled() const { return disabled_ > 0; }

  // FullName, FullNameWithPrefix and CityStateZip are shown and computed
  // only while on.
  void setExtraFields(bool visible);
  bool extraFields() const { return extraFields_; }
  // The tag identifier that `Tagged` compares TAG with.
  void setTagIdentifier(const std::string& id);
  const std::string& tagIdentifier() const { return tagId_; }

 private:
  void load();        // the cursor's record into the buffer
  void recompute();   // calculated fields from the buffer
  std::string calculatedValue(const DataField& f, const xbase::Record& record) const;
  void changed();     // tells bound controls, unless disabled
  const DataField* find(std::string_view name) const;

  xbase::Environment& env_;
  std::vector<DataField> declared_;         // as declared
  std::vector<DataField> fields_;           // declared, with the file's widths; or the file's own
  std::unique_ptr<xbase::Table> table_;
  std::unique_ptr<xbase::Cursor> cursor_;
  std::string path_;
  std::optional<xbase::Record> buffer_;     // the current record (or the one being inserted)
  std::vector<std::string> calculated_;     // values of calculated fields, by position in fields_
  State state_ = State::Inactive;
  uint32_t beforeInsert_ = 0;               // record to go back to when an insert is cancelled
  int disabled_ = 0;                        // nesting of disableControls
  bool pendingChange_ = false;              // a change happened while disabled
  bool extraFields_ = false;
  std::string tagId_;
};

}  // namespace data
