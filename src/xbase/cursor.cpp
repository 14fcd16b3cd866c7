#include "cursor.h"

#include "error.h"
#include "field_codec.h"

namespace xbase {

Cursor::Cursor(Table& table, const Environment& env)
    : table_(table), env_(env), order_(std::make_unique<NaturalOrder>(table)) {}

void Cursor::setQuery(std::string_view expression) {
  std::string_view trimmed = trimBlanks(expression);
  if (trimmed.empty()) {
    query_.reset();
    queryText_.clear();
    return;
  }
  Expression e = Expression::compile(expression, table_.fields());
  if (e.type() != ValueType::Logical)
    throw ExpressionError(std::string(expression), 1, "a query must be a logical expression");
  query_.emplace(std::move(e));
  queryText_ = std::string(expression);
}

void Cursor::setOrder(std::unique_ptr<RecordOrder> order) {
  order_ = order ? std::move(order) : std::make_unique<NaturalOrder>(table_);
}

EvalContext Cursor::context(uint32_t recno) const {
  EvalContext c;
  c.record = table_.rawRecord(recno);
  c.recno = recno;
  c.table = &table_;
  c.env = &env_;
  return c;
}

bool Cursor::visible(uint32_t recno) {
  const char* raw = table_.rawRecord(recno);
  if (env_.deleted && raw[0] == '*') return false;
  if (!query_) return true;
  EvalContext c{raw, recno, &table_, &env_};
  return query_->logical(c);
}

template <typename Step>
uint32_t Cursor::seekVisible(uint32_t start, Step step) {
  for (uint32_t r = start; r != 0; r = step(r))
    if (visible(r)) return r;
  return 0;
}

bool Cursor::first() {
  uint32_t r = seekVisible(order_->first(), [this](uint32_t x) { return order_->next(x); });
  recno_ = r;
  eof_ = bof_ = r == 0;
  return r != 0;
}

bool Cursor::last() {
  uint32_t r = seekVisible(order_->last(), [this](uint32_t x) { return order_->previous(x); });
  recno_ = r;
  eof_ = bof_ = r == 0;
  return r != 0;
}

bool Cursor::next() {
  if (eof_) return false;
  uint32_t r = seekVisible(order_->next(recno_), [this](uint32_t x) { return order_->next(x); });
  bof_ = false;
  if (r == 0) {
    eof_ = true;  // stays on the last record it had, as xBase's EOF() does
    return false;
  }
  recno_ = r;
  return true;
}

bool Cursor::previous() {
  if (eof_) return last();  // from past the end, back to the last visible record
  uint32_t r = seekVisible(order_->previous(recno_), [this](uint32_t x) { return order_->previous(x); });
  if (r == 0) {
    bof_ = true;  // stays on the first record, as xBase's BOF() does
    return false;
  }
  bof_ = false;
  recno_ = r;
  return true;
}

bool Cursor::skip(long n) {
  bool ok = true;
  for (; n > 0 && ok; --n) ok = next();
  for (; n < 0 && ok; ++n) ok = previous();
  return ok;
}

bool Cursor::go(uint32_t recno) {
  if (recno < 1 || recno > table_.recordCount()) return false;
  recno_ = recno;
  eof_ = bof_ = false;
  return true;
}

uint32_t Cursor::count() {
  uint32_t n = 0;
  const uint32_t total = table_.recordCount();
  bool wasSequential = table_.sequentialReading();
  table_.setSequentialReading(true);
  for (uint32_t r = 1; r <= total; ++r)
    if (visible(r)) ++n;
  table_.setSequentialReading(wasSequential);
  return n;
}

bool Cursor::test(std::string_view expression, uint32_t recno) {
  Expression e = Expression::compile(expression, table_.fields());
  if (e.type() != ValueType::Logical) throw ExpressionError(std::string(expression), 1, "not a logical expression");
  EvalContext c = context(recno);
  return e.logical(c);
}

}  // namespace xbase
