// One record of a table held in memory: read, changed field by field, then
// appended or written back through its Table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "value.h"

namespace xbase {

class Table;

class Record {
 public:
  uint32_t recno() const { return recno_; }  // 0 until appended
  bool deleted() const { return data_[0] == '*'; }
  void setDeleted(bool on) { data_[0] = on ? '*' : ' '; }

  // The field as text (see fieldText); a memo field gives its memo text.
  std::string text(int field) const;
  std::string text(std::string_view fieldName) const;
  Value value(int field) const;
  // Throws xbase::Error when the text does not suit the field; the record is
  // then unchanged. Character values longer than the field are cut.
  void setText(int field, std::string_view text);
  void setText(std::string_view fieldName, std::string_view text);
  void setValue(int field, const Value& value);

  const std::string& bytes() const { return data_; }

 private:
  friend class Table;
  Record(const Table* table, std::string data, uint32_t recno)
      : table_(table), data_(std::move(data)), recno_(recno) {}
  int requireField(std::string_view name) const;

  const Table* table_;   // the table the record belongs to
  std::string data_;     // the record bytes, deletion flag first
  uint32_t recno_;       // its number in the table, 0 when new
  std::vector<std::pair<int, std::string>> pendingMemos_;  // memo texts to store on write
};

}  // namespace xbase
