#include "index_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "byte_order.h"
#include "error.h"

namespace xbase {

namespace {

const Environment& keyEnvironment() {
  static const Environment env;  // keys never depend on Exact; dates as the program writes them
  return env;
}

std::string baseNameUpper(const std::string& path) {
  auto slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  auto dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  for (char& c : name) c = char(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

std::string directoryKey(const std::string& name) {
  std::string key = name;
  key.resize(10, ' ');
  return key;
}

constexpr uint16_t kDirectoryKeyLength = 10;

}  // namespace

std::string checkTagName(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
  bool ok = !upper.empty() && upper.size() <= 10 && !std::isdigit(static_cast<unsigned char>(upper[0]));
  for (char c : upper) ok = ok && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
  if (!ok) throw Error("invalid tag name \"" + std::string(name) + "\": use 1 to 10 letters, digits or _");
  return upper;
}

bool IndexTag::keyOf(const Table& table, const char* record, uint32_t recno, std::string& out) {
  if (!buildable) throw Error("tag " + name + ": keys of this kind cannot be written by this program");
  EvalContext ctx{record, recno, &table, &keyEnvironment()};
  if (forCondition && !forCondition->logical(ctx)) return false;
  out.resize(keyForm.length);
  buildKey(*key, keyForm, ctx, out.data());
  return true;
}

std::unique_ptr<IndexFile> IndexFile::createCompound(const std::string& path) {
  std::unique_ptr<IndexFile> f(new IndexFile());
  f->kind_ = Kind::Compound;
  f->pages_ = std::make_unique<IndexPages>(File(path, File::Mode::CreateExclusive));
  TagHeader directory;
  directory.keyLength = kDirectoryKeyLength;
  directory.options = kOptionDirectory | kOptionCompound | kOptionCompact;
  uint32_t offset = CompactTag::createEmpty(*f->pages_, directory);
  directory = readTagHeader(*f->pages_, offset, "tag directory");
  f->directory_ = std::make_unique<CompactTag>(*f->pages_, offset, directory,
                                               KeySpec{KeyType::Character, kDirectoryKeyLength}, "directory");
  return f;
}

std::unique_ptr<IndexFile> IndexFile::createStandalone(const std::string& path, const std::string& expression,
                                                       const Table& table) {
  Expression key = Expression::compile(expression, table.fields());
  KeySpec keyForm = keySpecFor(key);
  std::unique_ptr<IndexFile> f(new IndexFile());
  f->kind_ = Kind::Standalone;
  f->pages_ = std::make_unique<IndexPages>(File(path, File::Mode::CreateExclusive));
  TagHeader header;
  header.keyLength = keyForm.length;
  header.options = kOptionCompact;
  header.expression = expression;
  uint32_t offset = CompactTag::createEmpty(*f->pages_, header);
  f->tags_.push_back(f->loadTag(baseNameUpper(path), offset, table));
  return f;
}

std::unique_ptr<IndexFile> IndexFile::open(const std::string& path, const Table& table, bool writable) {
  std::unique_ptr<IndexFile> f(new IndexFile());
  f->pages_ = std::make_unique<IndexPages>(File(path, writable ? File::Mode::Exclusive : File::Mode::SharedReadOnly));
  IndexPages& pages = *f->pages_;
  if (pages.size() < kTagHeaderSize + kIndexPageSize)
    throw CorruptFileError(path, "not a valid index file: it is too short");
  if (pages.size() % kIndexPageSize != 0)
    throw CorruptFileError(path, "not a valid index file: its size is not a whole number of pages");
  uint8_t options = uint8_t(pages.read(0)[14]);
  if (options & kOptionDirectory) {
    f->kind_ = Kind::Compound;
    f->readDirectory(table);
  } else if (options & kOptionCompact) {
    f->kind_ = Kind::Standalone;
    f->tags_.push_back(f->loadTag(baseNameUpper(path), 0, table));
  } else {
    throw CorruptFileError(path, "not a compact index (old-style IDX files are not supported)");
  }
  return f;
}

void IndexFile::readDirectory(const Table& table) {
  TagHeader header = readTagHeader(*pages_, 0, "tag directory");
  if (header.keyLength != kDirectoryKeyLength)
    throw CorruptFileError(path(), "tag directory: unexpected key length");
  directory_ = std::make_unique<CompactTag>(*pages_, 0, header, KeySpec{KeyType::Character, kDirectoryKeyLength},
                                            "directory");
  std::vector<std::pair<uint32_t, std::string>> entries;
  directory_->walk([&](const char* key, uint32_t offset) {
    std::string name(key, kDirectoryKeyLength);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) name.pop_back();
    entries.emplace_back(offset, name);
  });
  std::sort(entries.begin(), entries.end());
  for (const auto& [offset, name] : entries) {
    if (offset == 0) throw CorruptFileError(path(), "tag " + name + ": the directory points at itself");
    tags_.push_back(loadTag(name, offset, table));
  }
}

std::unique_ptr<IndexTag> IndexFile::loadTag(const std::string& name, uint32_t headerOffset, const Table& table) {
  TagHeader header = readTagHeader(*pages_, headerOffset, "tag " + name);
  if (header.options & kOptionDirectory)
    throw CorruptFileError(path(), "tag " + name + ": its header is a tag directory, not a tag");
  auto tag = std::make_unique<IndexTag>();
  tag->name = name;
  try {
    tag->key.emplace(Expression::compile(header.expression, table.fields()));
    if (!header.forExpression.empty()) {
      tag->forCondition.emplace(Expression::compile(header.forExpression, table.fields()));
      if (tag->forCondition->type() != ValueType::Logical)
        throw ExpressionError(header.forExpression, 1, "a FOR condition must be a logical expression");
    }
  } catch (const ExpressionError& e) {
    throw CorruptFileError(path(), "tag " + name + ": its expression does not suit the table: " + e.what());
  }
  tag->keyForm.type = keyTypeOf(tag->key->type());
  tag->keyForm.length = header.keyLength;
  // Keys we would build must have the layout the file uses.
  try {
    KeySpec ours = keySpecFor(*tag->key);
    if (tag->keyForm.type != KeyType::Character && ours.length != tag->keyForm.length) tag->buildable = false;
  } catch (const ExpressionError&) {
    tag->buildable = false;
  }
  if ((header.options & 0x02) || header.descending || (header.options & kOptionUnique)) tag->buildable = false;
  tag->tree = std::make_unique<CompactTag>(*pages_, headerOffset, header, tag->keyForm, name);
  return tag;
}

int IndexFile::findTag(std::string_view name) const {
  for (std::size_t i = 0; i < tags_.size(); ++i) {
    const std::string& n = tags_[i]->name;
    if (n.size() == name.size() &&
        std::equal(n.begin(), n.end(), name.begin(), [](char a, char b) {
          return a == std::toupper(static_cast<unsigned char>(b));
        }))
      return int(i);
  }
  return -1;
}

uint32_t IndexFile::buildSorted(IndexTag& tag, const Table& table, const ProgressFunction& progress) {
  const uint32_t total = table.recordCount();
  const std::size_t L = tag.keyForm.length;
  struct Item {
    uint64_t prefix;  // the key's first 8 bytes, big-endian: most comparisons end here
    uint32_t slot;    // where the whole key is in `keys`
    uint32_t recno;
  };
  std::vector<Item> items;
  items.reserve(total);
  std::string keys;
  keys.reserve(std::size_t(total) * L);
  std::string key;
  const bool wasSequential = table.sequentialReading();
  table.setSequentialReading(true);
  for (uint32_t r = 1; r <= total; ++r) {
    if (tag.keyOf(table, table.rawRecord(r), r, key)) {
      uint64_t prefix = 0;
      for (std::size_t i = 0; i < 8; ++i) prefix = (prefix << 8) | (i < L ? static_cast<unsigned char>(key[i]) : 0u);
      items.push_back({prefix, uint32_t(items.size()), r});
      keys.append(key);
    }
    if (progress && (r % 4096 == 0 || r == total) && !progress(r, total)) {
      table.setSequentialReading(wasSequential);
      return 0;
    }
  }
  table.setSequentialReading(wasSequential);
  const char* base = keys.data();
  std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    if (L > 8) {
      int c = std::memcmp(base + std::size_t(a.slot) * L + 8, base + std::size_t(b.slot) * L + 8, L - 8);
      if (c) return c < 0;
    }
    return a.recno < b.recno;
  });
  std::size_t at = 0;
  return CompactTag::buildTree(*pages_, tag.keyForm, [&](const char*& k, uint32_t& recno) {
    if (at >= items.size()) return false;
    k = base + std::size_t(items[at].slot) * L;
    recno = items[at].recno;
    ++at;
    return true;
  });
}

bool IndexFile::addTag(const std::string& name, const std::string& expression, const Table& table,
                       const ProgressFunction& progress) {
  if (kind_ != Kind::Compound) throw Error(path(), "tags can be added only to a compound index");
  std::string tagName = checkTagName(name);
  Expression key = Expression::compile(expression, table.fields());
  KeySpec keyForm = keySpecFor(key);
  const uint64_t sizeBefore = pages_->size();
  TagHeader header;
  header.keyLength = keyForm.length;
  header.options = kOptionCompact | kOptionCompound;
  header.expression = expression;
  uint32_t headerOffset = pages_->allocate(2);
  auto tag = std::make_unique<IndexTag>();
  tag->name = tagName;
  tag->keyForm = keyForm;
  tag->key.emplace(std::move(key));
  uint32_t root = buildSorted(*tag, table, progress);
  if (root == 0) {
    pages_->truncate(sizeBefore);
    return false;
  }
  header.root = root;
  writeTagHeader(*pages_, headerOffset, header);
  tag->tree = std::make_unique<CompactTag>(*pages_, headerOffset, header, keyForm, tagName);

  int existing = findTag(tagName);
  if (existing >= 0) {
    directory_->remove(directoryKey(tagName).data(), tags_[std::size_t(existing)]->tree->headerOffset());
    tags_.erase(tags_.begin() + existing);
  }
  directory_->insert(directoryKey(tagName).data(), headerOffset);
  tags_.push_back(std::move(tag));
  return true;
}

bool IndexFile::rebuildTag(std::size_t i, const Table& table, const ProgressFunction& progress) {
  IndexTag& tag = *tags_[i];
  uint32_t root = buildSorted(tag, table, progress);
  if (root == 0) return false;
  tag.tree->replaceTree(root);
  return true;
}

}  // namespace xbase
