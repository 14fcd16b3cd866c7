#include "record.h"

#include "error.h"
#include "field_codec.h"
#include "table.h"

namespace xbase {

int Record::requireField(std::string_view name) const {
  int i = table_->fieldIndex(name);
  if (i < 0) throw Error(table_->path(), "no field named " + std::string(name));
  return i;
}

std::string Record::text(int field) const {
  const FieldDef& f = table_->field(field);
  if (f.isMemo()) {
    for (const auto& [index, memo] : pendingMemos_)
      if (index == field) return memo;
    return table_->memoText(data_.data(), f);
  }
  return fieldText(data_.data(), f);
}

std::string Record::text(std::string_view fieldName) const { return text(requireField(fieldName)); }

Value Record::value(int field) const {
  const FieldDef& f = table_->field(field);
  switch (fieldValueType(f)) {
    case ValueType::Numeric: return Value::numeric(fieldNumber(data_.data(), f));
    case ValueType::Logical: return Value::boolean(fieldLogical(data_.data(), f));
    case ValueType::Date: return Value::dateValue(fieldDate(data_.data(), f));
    case ValueType::Character: break;
  }
  return Value::character(f.isMemo() ? text(field) : std::string(trimRight(rawField(data_.data(), f))));
}

void Record::setText(int field, std::string_view text) {
  const FieldDef& f = table_->field(field);
  if (f.isMemo()) {
    for (auto& [index, memo] : pendingMemos_) {
      if (index == field) {
        memo.assign(text);
        return;
      }
    }
    pendingMemos_.emplace_back(field, std::string(text));
    return;
  }
  encodeText(data_.data(), f, text);
}

void Record::setText(std::string_view fieldName, std::string_view text) { setText(requireField(fieldName), text); }

void Record::setValue(int field, const Value& v) {
  const FieldDef& f = table_->field(field);
  switch (v.type) {
    case ValueType::Character: setText(field, v.text); return;
    case ValueType::Numeric: encodeNumber(data_.data(), f, v.number); return;
    case ValueType::Logical: encodeLogical(data_.data(), f, v.logical); return;
    case ValueType::Date: encodeDate(data_.data(), f, v.date); return;
  }
}

}  // namespace xbase
