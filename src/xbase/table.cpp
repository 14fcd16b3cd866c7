#include "table.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "error.h"
#include "field_codec.h"
#include "index_set.h"

namespace xbase {

namespace {

constexpr char kEndMarker = 0x1A;
constexpr std::size_t kWindowBytes = 32 * 1024;
constexpr std::size_t kSequentialWindowBytes = 1024 * 1024;
constexpr std::size_t kBulkBytes = 1024 * 1024;

std::string findMemoFile(const std::string& dbfPath, MemoKind kind) {
  return companionPath(dbfPath, kind == MemoKind::Fpt ? ".fpt" : ".dbt");
}

void writeNewTable(File& file, const DbfHeader& header) {
  std::string bytes = serializeDbfHeader(header);
  bytes.push_back(kEndMarker);
  file.writeAt(0, bytes.data(), bytes.size());
  file.truncate(bytes.size());
}

}  // namespace

void Table::create(const std::string& path, const std::vector<FieldSpec>& fields) {
  DbfHeader header = makeFoxProHeader(fields);
  File file(path, File::Mode::CreateExclusive);
  if (header.memoKind() == MemoKind::Fpt) createFpt(findMemoFile(path, MemoKind::Fpt));
  writeNewTable(file, header);
}

void Table::createLike(const std::string& path, const Table& source) {
  std::vector<FieldSpec> specs;
  for (const FieldDef& f : source.fields()) {
    char t = static_cast<char>(f.type);
    if (std::string_view("CNFLDM").find(t) == std::string_view::npos)
      throw Error(source.path(), "field " + f.name + " has a type that FoxPro 2.x tables cannot hold");
    specs.push_back({f.name, t, f.width, f.decimals});
  }
  create(path, specs);
}

std::unique_ptr<Table> Table::open(const std::string& path, OpenMode mode) {
  std::unique_ptr<Table> t(new Table());
  t->path_ = path;
  File::Mode fileMode = mode == OpenMode::Exclusive ? File::Mode::Exclusive : File::Mode::SharedReadOnly;
  t->file_ = File(path, fileMode);
  t->fileSize_ = t->file_.size();

  std::string bytes(32, '\0');
  bytes.resize(t->file_.readAt(0, bytes.data(), bytes.size()));
  if (bytes.size() >= 10) {
    std::size_t headerLength = bytes[8] & 0xFF;
    headerLength |= std::size_t(bytes[9] & 0xFF) << 8;
    if (headerLength > bytes.size()) {
      bytes.resize(headerLength);
      bytes.resize(t->file_.readAt(0, bytes.data(), headerLength));
    }
  }
  t->header_ = parseDbfHeader(path, bytes);

  uint64_t available = t->fileSize_ - t->header_.headerLength;
  uint64_t whole = available / t->header_.recordLength;
  if (whole < t->header_.recordCount) {
    // An interrupted append: believe the records that are really there.
    t->header_.recordCount = uint32_t(whole);
    t->countRepaired_ = true;
  }
  t->writtenCount_ = t->header_.recordCount;

  MemoKind kind = t->header_.memoKind();
  bool hasMemoField = false;
  for (const FieldDef& f : t->header_.fields) hasMemoField |= f.isMemo();
  if (kind != MemoKind::None && hasMemoField) {
    std::string memoPath = findMemoFile(path, kind);
    if (!fileExists(memoPath)) throw CorruptFileError(path, "its memo file " + memoPath + " is missing");
    t->memo_ = openMemoFile(memoPath, kind, fileMode);
  }
  t->indexes_ = std::make_unique<IndexSet>(*t);
  t->indexes_->openProduction();
  return t;
}

Table::~Table() {
  try {
    if (file_.isOpen() && file_.writable()) endBulk();
  } catch (...) {
    // A destructor cannot report; endBulk() is where callers learn of failures.
  }
}

int Table::fieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < header_.fields.size(); ++i) {
    const std::string& n = header_.fields[i].name;
    if (n.size() != name.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < n.size() && same; ++k)
      same = n[k] == std::toupper(static_cast<unsigned char>(name[k]));
    if (same) return int(i);
  }
  return -1;
}

bool Table::writableFormat() const {
  switch (header_.version) {
    case 0x03: case 0xF5: return true;
    default: return false;
  }
}

void Table::requireWritable() const {
  if (readOnly()) throw Error(path_, "the table is open read-only");
  if (!writableFormat()) throw Error(path_, "only FoxPro 2.x tables can be changed; this one is read only");
}

void Table::loadWindow(uint32_t recno) const {
  // Runs of neighbouring records (forwards or backwards) read ahead; a jump
  // (an index order, a go to) reads just the record, so that random access
  // does not drag whole windows through memory.
  const bool forward = windowCount_ && recno == windowFirst_ + windowCount_;
  const bool backward = windowCount_ && recno + 1 == windowFirst_;
  std::size_t bytes = sequential_ ? kSequentialWindowBytes : (forward || backward) ? kWindowBytes : 0;
  uint32_t per = uint32_t(std::max<std::size_t>(1, bytes / header_.recordLength));
  uint32_t first = recno;
  if (backward) first = recno > per ? recno - per + 1 : 1;
  uint32_t last = std::min<uint64_t>(uint64_t(first) + per - 1, writtenCount_);
  uint32_t count = last - first + 1;
  window_.resize(std::size_t(count) * header_.recordLength);
  std::size_t got = file_.readAt(recordOffset(first), window_.data(), window_.size());
  if (got < window_.size()) {
    windowCount_ = 0;
    throw CorruptFileError(path_, "the file is truncated");
  }
  windowFirst_ = first;
  windowCount_ = count;
}

const char* Table::rawRecord(uint32_t recno) const {
  if (recno < 1 || recno > header_.recordCount)
    throw Error(path_, "record " + std::to_string(recno) + " does not exist");
  if (recno > writtenCount_)
    return bulkBuffer_.data() + std::size_t(recno - writtenCount_ - 1) * header_.recordLength;
  if (windowCount_ == 0 || recno < windowFirst_ || recno >= windowFirst_ + windowCount_) loadWindow(recno);
  return window_.data() + std::size_t(recno - windowFirst_) * header_.recordLength;
}

Record Table::read(uint32_t recno) const {
  const char* raw = rawRecord(recno);
  return Record(this, std::string(raw, header_.recordLength), recno);
}

Record Table::blankRecord() const {
  std::string data(header_.recordLength, ' ');
  for (const FieldDef& f : header_.fields) encodeBlank(data.data(), f);
  return Record(this, std::move(data), 0);
}

std::string Table::memoText(const char* record, const FieldDef& f) const {
  if (!memo_) return {};
  return memo_->read(fieldMemoBlock(record, f));
}

void Table::writeMemos(Record& record) {
  if (record.pendingMemos_.empty()) return;
  if (!memo_) throw Error(path_, "the table has no memo file");
  for (auto& [index, text] : record.pendingMemos_) {
    const FieldDef& f = field(index);
    uint32_t block = memo_->write(fieldMemoBlock(record.data_.data(), f), text);
    encodeMemoBlock(record.data_.data(), f, block);
  }
  record.pendingMemos_.clear();
}

void Table::writeCountAndMarker() {
  CalendarDate d = today();
  unsigned char h[7];
  h[0] = uint8_t(d.year % 100);
  h[1] = uint8_t(d.month);
  h[2] = uint8_t(d.day);
  uint32_t n = writtenCount_;
  for (int i = 0; i < 4; ++i) h[3 + i] = uint8_t(n >> (8 * i));
  uint64_t end = recordOffset(writtenCount_ + 1);
  char marker = kEndMarker;
  file_.writeAt(end, &marker, 1);
  file_.writeAt(1, h, sizeof h);
  if (fileSize_ > end + 1) file_.truncate(end + 1);
  fileSize_ = end + 1;
  header_.year = h[0];
  header_.month = h[1];
  header_.day = h[2];
}

uint32_t Table::append(Record& record) {
  requireWritable();
  indexes_->requireMaintainable();
  if (record.table_ != this) throw Error(path_, "the record belongs to another table");
  if (header_.recordCount == 0xFFFFFFFFu) throw Error(path_, "the table is full");
  writeMemos(record);
  ++changeCount_;
  if (bulk_) {
    bulkBuffer_.append(record.data_);
    record.recno_ = ++header_.recordCount;
    if (bulkBuffer_.size() >= kBulkBytes) flushBulk();
    return record.recno_;  // its keys are added by endBulk()
  }
  flushBulk();
  std::string bytes = record.data_;
  bytes.push_back(kEndMarker);
  file_.writeAt(recordOffset(writtenCount_ + 1), bytes.data(), bytes.size());
  fileSize_ = std::max(fileSize_, recordOffset(writtenCount_ + 1) + bytes.size());
  ++writtenCount_;
  header_.recordCount = writtenCount_;
  writeCountAndMarker();
  record.recno_ = writtenCount_;
  indexes_->recordAppended(record.recno_, record.data_.data());
  return record.recno_;
}

void Table::update(Record& record) {
  requireWritable();
  indexes_->requireMaintainable();
  if (record.table_ != this || record.recno_ == 0 || record.recno_ > header_.recordCount)
    throw Error(path_, "the record is not a record of this table");
  writeMemos(record);
  ++changeCount_;
  uint32_t recno = record.recno_;
  const std::string before(rawRecord(recno), header_.recordLength);
  if (recno > writtenCount_) {
    std::memcpy(bulkBuffer_.data() + std::size_t(recno - writtenCount_ - 1) * header_.recordLength,
                record.data_.data(), header_.recordLength);
    indexes_->recordChanged(recno, before.data(), record.data_.data());
    return;
  }
  file_.writeAt(recordOffset(recno), record.data_.data(), header_.recordLength);
  if (windowCount_ && recno >= windowFirst_ && recno < windowFirst_ + windowCount_)
    std::memcpy(window_.data() + std::size_t(recno - windowFirst_) * header_.recordLength, record.data_.data(),
                header_.recordLength);
  writeCountAndMarker();
  indexes_->recordChanged(recno, before.data(), record.data_.data());
}

void Table::setDeleted(uint32_t recno, bool deleted) {
  Record r = read(recno);
  r.setDeleted(deleted);
  update(r);
}

void Table::beginBulk() {
  requireWritable();
  if (!bulk_) bulkFirst_ = header_.recordCount + 1;
  bulk_ = true;
  if (memo_) memo_->setDeferHeader(true);
}

void Table::endBulk() {
  if (!bulk_) return;
  bulk_ = false;
  flushBulk();
  if (memo_) memo_->setDeferHeader(false);
  if (bulkFirst_ <= header_.recordCount) indexes_->recordsAppended(bulkFirst_, header_.recordCount);
}

void Table::flushBulk() {
  if (bulkBuffer_.empty()) return;
  if (memo_) memo_->flush();  // the records about to be written point into it
  bulkBuffer_.push_back(kEndMarker);
  uint64_t at = recordOffset(writtenCount_ + 1);
  file_.writeAt(at, bulkBuffer_.data(), bulkBuffer_.size());
  fileSize_ = std::max(fileSize_, at + bulkBuffer_.size());
  writtenCount_ = header_.recordCount;
  bulkBuffer_.clear();
  writeCountAndMarker();
}

void Table::setProductionIndexFlag(bool on) {
  requireWritable();
  uint8_t flags = on ? uint8_t(header_.tableFlags | kFlagProductionIndex)
                     : uint8_t(header_.tableFlags & ~kFlagProductionIndex);
  if (flags == header_.tableFlags) return;
  file_.writeAt(28, &flags, 1);
  header_.tableFlags = flags;
}

void Table::zap() {
  requireWritable();
  bulkBuffer_.clear();
  ++changeCount_;
  writtenCount_ = 0;
  header_.recordCount = 0;
  invalidateWindow();
  if (memo_) memo_->clear();
  writeCountAndMarker();
  indexes_->tableRewritten();
}

bool Table::pack(const ProgressFunction& progress) {
  requireWritable();
  flushBulk();
  const std::string tempDbf = path_ + ".packing";
  const std::string memoPath = memo_ ? memo_->path() : std::string();
  const std::string tempMemo = memoPath + ".packing";
  struct TempFiles {
    std::vector<std::string> names;
    bool keep = false;
    ~TempFiles() {
      if (!keep)
        for (const auto& n : names) std::remove(n.c_str());
    }
  } temps;

  File out(tempDbf, File::Mode::CreateExclusive);
  temps.names.push_back(tempDbf);
  std::unique_ptr<MemoFile> newMemo;
  if (memo_) {
    newMemo = createFpt(tempMemo);
    temps.names.push_back(tempMemo);
  }
  // Keep whatever the original had between the descriptors and the first record.
  std::string original(header_.headerLength, '\0');
  file_.readExactly(0, original.data(), original.size());
  out.writeAt(0, original.data(), original.size());

  const uint32_t total = header_.recordCount;
  uint32_t kept = 0;
  std::string buffer;
  buffer.reserve(kBulkBytes + header_.recordLength);
  uint64_t outPos = header_.headerLength;
  bool oldSequential = sequential_;
  setSequentialReading(true);
  for (uint32_t r = 1; r <= total; ++r) {
    const char* raw = rawRecord(r);
    if (raw[0] != '*') {
      std::size_t at = buffer.size();
      buffer.append(raw, header_.recordLength);
      if (newMemo) {
        for (const FieldDef& f : header_.fields) {
          if (!f.isMemo()) continue;
          uint32_t block = fieldMemoBlock(buffer.data() + at, f);
          std::string text;
          try {
            text = memo_->read(block);
          } catch (const CorruptFileError&) {
            text.clear();  // a pointer into nowhere holds nothing worth keeping
          }
          encodeMemoBlock(buffer.data() + at, f, newMemo->write(0, text));
        }
      }
      ++kept;
      if (buffer.size() >= kBulkBytes) {
        out.writeAt(outPos, buffer.data(), buffer.size());
        outPos += buffer.size();
        buffer.clear();
      }
    }
    if (progress && (r % 1024 == 0 || r == total) && !progress(r, total)) {
      setSequentialReading(oldSequential);
      return false;
    }
  }
  setSequentialReading(oldSequential);
  buffer.push_back(kEndMarker);
  out.writeAt(outPos, buffer.data(), buffer.size());
  unsigned char count[4];
  for (int i = 0; i < 4; ++i) count[i] = uint8_t(kept >> (8 * i));
  out.writeAt(4, count, 4);
  if (newMemo) newMemo->flush();
  out.sync();

  // Both new files are complete and locked; put them in place. The locks
  // follow the files through the rename, so nobody can slip in between.
  if (newMemo) newMemo->renameTo(memoPath);
  out.renameTo(path_);
  temps.keep = true;
  file_ = std::move(out);
  if (newMemo) memo_ = std::move(newMemo);
  header_.recordCount = kept;
  writtenCount_ = kept;
  fileSize_ = file_.size();
  invalidateWindow();
  ++changeCount_;
  writeCountAndMarker();
  indexes_->tableRewritten();
  return true;
}

}  // namespace xbase
