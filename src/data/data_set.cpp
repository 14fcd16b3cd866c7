#include "data_set.h"

#include <stdexcept>
#include <strings.h>

#include "platform/prompts.h"
#include "short_date.h"
#include "xbase/date.h"
#include "xbase/error.h"

namespace data {

namespace {

std::string trimRightBlanks(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

std::string trimLeftBlanks(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return s.substr(i);
}

bool compatible(char declared, xbase::FieldType actual) {
  if (declared == 0) return true;
  char a = static_cast<char>(actual);
  if (declared == a) return true;
  return (declared == 'N' || declared == 'F') && (a == 'N' || a == 'F');
}

}  // namespace

DataSet::DataSet(xbase::Environment& env) : env_(env) {}
DataSet::~DataSet() = default;

std::vector<DataField> DataSet::addressRecordView() {
  auto stored = [](const char* name, const char* label, int width, bool visible, char type = 'C') {
    DataField f;
    f.name = name;
    f.label = label;
    f.displayWidth = width;
    f.visible = visible;
    f.type = type;
    return f;
  };
  auto calculated = [](const char* name, const char* label, int size, int width, bool visible) {
    DataField f;
    f.name = name;
    f.label = label;
    f.size = size;
    f.displayWidth = width;
    f.visible = visible;
    f.calculated = true;
    return f;
  };
  return {
      calculated("Tagged", "Tagged", 0, 0, true),
      calculated("FullName", "Full Name", 35, 35, false),
      calculated("FullNameWithPrefix", "Full Name & Prefix", 35, 35, false),
      calculated("CityStateZip", "City, State & Zip", 35, 35, false),
      stored("LNAME", "Last Name", 20, true),
      stored("FNAME", "First Name", 15, true),
      stored("MIDDLE", "Middle", 0, true),
      stored("PREFIX", "Prefix", 4, true),
      stored("TITLE", "Title", 20, true),
      stored("ORG", "Organization", 20, true),
      stored("STREET", "Address 1", 0, true),
      stored("STREET2", "Address 2", 20, true),
      stored("CITY", "City", 15, true),
      stored("STATE", "State", 5, true),
      stored("ZIP", "Zip/Postal Code", 10, true),
      stored("COUNTRY", "Country", 15, true),
      stored("PHONE", "Phone 1", 15, true),
      stored("PHONE2", "Phone 2", 15, true),
      stored("FAX", "Fax", 0, true),
      stored("EMAIL", "Email", 0, true),
      stored("CODES", "Codes", 0, true),
      stored("USER1", "Comment 1", 15, true),
      stored("USER2", "Comment 2", 15, true),
      stored("MEMO", "MEMO", 0, false, 'M'),
      stored("ISDEL", "Deleted", 0, false, 'L'),
      stored("DATE", "Actual Date", 0, false),
      calculated("DisplayDate", "Date", 12, 12, true),
      stored("TAG", "TAG", 0, false),
  };
}

void DataSet::declare(std::vector<DataField> fields) {
  declared_ = std::move(fields);
  fields_ = declared_;
}

bool DataSet::checkTableFields(const xbase::Table& table) {
  // From the last to the first, as the declared list is checked.
  for (std::size_t k = fields_.size(); k-- > 0;) {
    DataField& f = fields_[k];
    if (f.calculated) continue;
    int i = table.fieldIndex(f.name);
    if (i < 0 || !compatible(f.type, table.field(i).type)) return false;
    f.tableIndex = i;
    f.size = table.field(i).width;
  }
  return true;
}

bool DataSet::openTableFile(const std::string& path, xbase::OpenMode mode) {
  close();
  if (!xbase::fileExists(path)) {
    platform::prompts().info("File " + path + " not found");
    return false;
  }
  try {
    auto table = xbase::Table::open(path, mode);
    fields_ = declared_;
    if (fields_.empty()) {
      for (int i = 0; i < table->fieldCount(); ++i) {
        DataField f;
        f.name = table->field(i).name;
        f.label = f.name;
        f.size = table->field(i).width;
        f.tableIndex = i;
        fields_.push_back(f);
      }
    } else if (!checkTableFields(*table)) {
      return false;
    }
    table_ = std::move(table);
  } catch (const xbase::Error&) {
    return false;
  }
  cursor_ = std::make_unique<xbase::Cursor>(*table_, env_);
  path_ = path;
  calculated_.assign(fields_.size(), std::string());
  state_ = State::Browse;
  first();
  return true;
}

void DataSet::close() {
  buffer_.reset();
  cursor_.reset();
  table_.reset();
  path_.clear();
  state_ = State::Inactive;
}

uint32_t DataSet::recno() const {
  if (state_ == State::Insert) return 0;
  return cursor_ ? cursor_->recno() : 0;
}

void DataSet::load() {
  if (cursor_ && cursor_->recno() != 0) buffer_.emplace(cursor_->read());
  else buffer_.reset();
  recompute();
  changed();
}

void DataSet::refresh() {
  if (active()) load();
}

bool DataSet::first() {
  if (!active()) return false;
  bool ok = cursor_->first();
  load();
  return ok;
}

bool DataSet::last() {
  if (!active()) return false;
  bool ok = cursor_->last();
  load();
  return ok;
}

bool DataSet::next() {
  if (!active()) return false;
  bool ok = cursor_->next();
  if (ok) load();
  return ok;
}

bool DataSet::prior() {
  if (!active()) return false;
  bool ok = cursor_->previous();
  if (ok) load();
  return ok;
}

bool DataSet::moveBy(long n) {
  bool ok = true;
  for (; n > 0 && ok; --n) ok = cursor_->next();
  for (; n < 0 && ok; ++n) ok = cursor_->previous();
  load();
  return ok;
}

bool DataSet::go(uint32_t recno) {
  if (!active() || !cursor_->go(recno)) return false;
  load();
  return true;
}

const DataField* DataSet::find(std::string_view name) const {
  int i = fieldIndex(name);
  return i < 0 ? nullptr : &fields_[std::size_t(i)];
}

int DataSet::fieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i].name.size() == name.size() &&
        ::strncasecmp(fields_[i].name.data(), name.data(), name.size()) == 0)
      return int(i);
  return -1;
}

std::string DataSet::text(std::string_view name) const {
  int i = fieldIndex(name);
  if (i < 0) throw std::out_of_range("no field " + std::string(name));
  const DataField& f = fields_[std::size_t(i)];
  if (f.calculated) return calculated_.empty() ? std::string() : calculated_[std::size_t(i)];
  if (!buffer_) return {};
  return buffer_->text(f.tableIndex);
}

void DataSet::setText(std::string_view name, std::string_view value) {
  if (state_ != State::Edit && state_ != State::Insert)
    throw std::logic_error("the data set is not in edit or insert state");
  const DataField* f = find(name);
  if (!f || f->calculated) throw std::out_of_range("no stored field " + std::string(name));
  buffer_->setText(f->tableIndex, value);
  recompute();
  changed();
}

std::string DataSet::calculatedValue(const DataField& f, const xbase::Record& record) const {
  auto stored = [&](const char* n) -> std::string {
    const DataField* s = find(n);
    return s && !s->calculated ? record.text(s->tableIndex) : std::string();
  };
  if (f.name == "Tagged") return !tagId_.empty() && stored("TAG") == tagId_ ? "Yes" : "No";
  if (f.name == "DisplayDate") {
    std::string d = stored("DATE");
    if (xbase::JulianDay jd = xbase::parseDtos(d.substr(0, 8)); jd && d.size() >= 8) {
      xbase::CalendarDate c = xbase::fromJulian(jd);
      return formatShortDate(c.year, c.month, c.day, shortDateFormat());
    }
    return {};
  }
  if (!extraFields_) return {};
  if (f.name == "FullName") return trimRightBlanks(stored("FNAME") + " " + stored("MIDDLE")) + " " + stored("LNAME");
  if (f.name == "FullNameWithPrefix")
    return trimLeftBlanks(trimRightBlanks(stored("PREFIX") + " " + stored("FNAME") + " " + stored("MIDDLE"))) + " " +
           stored("LNAME");
  if (f.name == "CityStateZip")
    return trimLeftBlanks(stored("CITY") + " ") + trimLeftBlanks(stored("STATE") + " ") + stored("ZIP");
  return {};
}

void DataSet::recompute() {
  if (calculated_.size() != fields_.size()) calculated_.assign(fields_.size(), std::string());
  for (std::size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i].calculated) calculated_[i] = buffer_ ? calculatedValue(fields_[i], *buffer_) : std::string();
}

std::string DataSet::textOf(uint32_t recno, std::string_view name) const {
  const DataField* f = find(name);
  if (!f) throw std::out_of_range("no field " + std::string(name));
  xbase::Record r = table_->read(recno);
  return f->calculated ? calculatedValue(*f, r) : r.text(f->tableIndex);
}

void DataSet::changed() {
  if (disabled_ > 0) {
    pendingChange_ = true;
    return;
  }
  if (onDataChange) onDataChange(*this);
}

void DataSet::disableControls() { ++disabled_; }

void DataSet::enableControls() {
  if (disabled_ == 0) return;
  if (--disabled_ == 0 && pendingChange_) {
    pendingChange_ = false;
    if (onDataChange) onDataChange(*this);
  }
}

void DataSet::setExtraFields(bool visible) {
  extraFields_ = visible;
  for (DataField& f : fields_)
    if (f.name == "FullName" || f.name == "FullNameWithPrefix" || f.name == "CityStateZip") f.visible = visible;
  recompute();
}

void DataSet::setTagIdentifier(const std::string& id) {
  tagId_ = id;
  recompute();
}

void DataSet::edit() {
  if (state_ != State::Browse || !buffer_) return;
  state_ = State::Edit;
  if (afterEdit) afterEdit(*this);
}

void DataSet::insert() {
  if (state_ != State::Browse) return;
  beforeInsert_ = cursor_->recno();
  buffer_.emplace(table_->blankRecord());
  state_ = State::Insert;
  recompute();
  changed();
  if (afterInsert) afterInsert(*this);
}

bool DataSet::post() {
  if (state_ != State::Edit && state_ != State::Insert) return false;
  try {
    if (state_ == State::Insert) {
      uint32_t recno = table_->append(*buffer_);
      cursor_->go(recno);
    } else {
      table_->update(*buffer_);
    }
  } catch (const xbase::Error& e) {
    platform::prompts().error(e.what());
    return false;
  }
  state_ = State::Browse;
  load();
  if (afterPost) afterPost(*this);
  return true;
}

void DataSet::cancel() {
  if (state_ != State::Edit && state_ != State::Insert) return;
  if (state_ == State::Insert && beforeInsert_) cursor_->go(beforeInsert_);
  state_ = State::Browse;
  load();
  if (afterCancel) afterCancel(*this);
}

void DataSet::deleteRecord() {
  if (state_ != State::Browse || !buffer_ || cursor_->recno() == 0) return;
  uint32_t recno = cursor_->recno();
  table_->setDeleted(recno, true);
  if (!cursor_->next() && !cursor_->last()) cursor_->first();
  if (cursor_->recno() == recno && !cursor_->visible(recno)) cursor_->first();
  load();
}

}  // namespace data
