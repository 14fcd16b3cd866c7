#include "cursor.h"

#include <cstring>

#include "error.h"
#include "index_set.h"
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
  orderNumber_ = 0;
}

void Cursor::setOrder(int number) {
  if (number == 0) {
    setOrder(std::unique_ptr<RecordOrder>());
    return;
  }
  IndexSet& indexes = table_.indexes();
  if (number < 0 || number > indexes.orderCount()) throw Error(table_.path(), "no order " + std::to_string(number));
  order_ = std::make_unique<TagOrder>(table_, indexes.order(number));
  orderNumber_ = number;
}

void Cursor::setOrder(std::string_view tagName) {
  int number = table_.indexes().orderNumber(tagName);
  if (number == 0) throw Error(table_.path(), "no tag named " + std::string(tagName));
  setOrder(number);
}

bool Cursor::seek(std::string_view value) {
  auto* tagOrder = dynamic_cast<TagOrder*>(order_.get());
  if (!tagOrder) throw Error(table_.path(), "a seek needs an index order");
  SeekKey key = makeSeekKey(tagOrder->tag().keyForm, value, env_.exact);
  uint32_t r = tagOrder->seek(key.key, key.significant);
  while (r != 0 && !visible(r)) r = tagOrder->next(r);
  bool found = r != 0 && tagOrder->currentMatches(key.key, key.significant);
  bof_ = false;
  if (found || (env_.softSeek && r != 0)) {
    recno_ = r;
    eof_ = false;
  } else {
    eof_ = true;
  }
  return found;
}

TagOrder::TagOrder(const Table& table, IndexTag& tag) : table_(table), tag_(tag) {}

uint32_t TagOrder::settle(CompactTag::Position p) {
  position_ = p;
  version_ = tag_.tree->version();
  return p.page ? tag_.tree->recnoAt(p) : 0;
}

uint32_t TagOrder::first() { return settle(tag_.tree->first()); }
uint32_t TagOrder::last() { return settle(tag_.tree->last()); }

bool TagOrder::locate(uint32_t recno) {
  if (version_ == tag_.tree->version() && position_.page && tag_.tree->recnoAt(position_) == recno) return true;
  // Find the record's own entry from its key.
  if (!tag_.keyOf(table_, table_.rawRecord(recno), recno, key_)) key_.assign(tag_.keyForm.length, tag_.keyForm.fill());
  CompactTag::Position p = tag_.tree->lowerBound(key_.data(), tag_.keyForm.length, recno);
  position_ = p;
  version_ = tag_.tree->version();
  return p.page && tag_.tree->recnoAt(p) == recno;
}

uint32_t TagOrder::next(uint32_t recno) {
  if (!locate(recno)) return position_.page ? settle(position_) : 0;  // already past it
  return settle(tag_.tree->next(position_));
}

uint32_t TagOrder::previous(uint32_t recno) {
  if (!locate(recno) && !position_.page) return settle(tag_.tree->last());
  return settle(tag_.tree->previous(position_));
}

uint32_t TagOrder::seek(const std::string& key, std::size_t significant) {
  return settle(tag_.tree->lowerBound(key.data(), significant, 0));
}

bool TagOrder::currentMatches(const std::string& key, std::size_t significant) {
  if (!position_.page || version_ != tag_.tree->version()) return false;
  return std::memcmp(tag_.tree->keyAt(position_), key.data(), significant) == 0;
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
  if (!env_.deleted && !query_) return true;  // no need to read the record
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

std::vector<uint32_t> Cursor::viewSnapshot() {
  const uint32_t total = table_.recordCount();
  std::vector<bool> shown(std::size_t(total) + 1, false);
  uint32_t visibleCount = 0;
  const bool wasSequential = table_.sequentialReading();
  table_.setSequentialReading(true);
  for (uint32_t r = 1; r <= total; ++r)
    if (visible(r)) {
      shown[r] = true;
      ++visibleCount;
    }
  table_.setSequentialReading(wasSequential);
  std::vector<uint32_t> rows;
  rows.reserve(visibleCount);
  if (orderNumber_ == 0 && dynamic_cast<NaturalOrder*>(order_.get())) {
    for (uint32_t r = 1; r <= total; ++r)
      if (shown[r]) rows.push_back(r);
    return rows;
  }
  for (uint32_t r = order_->first(); r != 0; r = order_->next(r))
    if (r <= total && shown[r]) rows.push_back(r);
  return rows;
}

bool Cursor::test(std::string_view expression, uint32_t recno) {
  Expression e = Expression::compile(expression, table_.fields());
  if (e.type() != ValueType::Logical) throw ExpressionError(std::string(expression), 1, "not a logical expression");
  EvalContext c = context(recno);
  return e.logical(c);
}

}  // namespace xbase
