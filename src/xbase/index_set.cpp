#include "index_set.h"

#include <algorithm>
#include <cstdio>

#include "error.h"
#include "table.h"

namespace xbase {

IndexSet::IndexSet(Table& table) : table_(table) {}
IndexSet::~IndexSet() = default;

std::string IndexSet::productionPath() const { return companionPath(table_.path(), ".cdx"); }

void IndexSet::openProduction() {
  production_.reset();
  error_.clear();
  std::string path = productionPath();
  bool flagged = table_.header().tableFlags & kFlagProductionIndex;
  if (!fileExists(path)) {
    if (flagged) error_ = path + ": the production index is missing";
    return;
  }
  try {
    production_ = IndexFile::open(path, table_, !table_.readOnly());
    if (production_->kind() != IndexFile::Kind::Compound) {
      production_.reset();
      error_ = path + ": not a compound index";
    }
  } catch (const Error& e) {
    production_.reset();
    error_ = e.what();
  }
}

int IndexSet::orderCount() const {
  int n = production_ ? int(production_->tagCount()) : 0;
  return n + int(standalone_.size());
}

int IndexSet::orderNumber(std::string_view tagName) const {
  if (production_) {
    int i = production_->findTag(tagName);
    if (i >= 0) return i + 1;
  }
  int base = production_ ? int(production_->tagCount()) : 0;
  for (std::size_t i = 0; i < standalone_.size(); ++i)
    if (standalone_[i]->findTag(tagName) == 0) return base + int(i) + 1;
  return 0;
}

IndexTag& IndexSet::order(int number) {
  int produced = production_ ? int(production_->tagCount()) : 0;
  if (number >= 1 && number <= produced) return production_->tag(std::size_t(number - 1));
  std::size_t s = std::size_t(number - produced - 1);
  if (number < 1 || s >= standalone_.size()) throw Error(table_.path(), "no order " + std::to_string(number));
  return standalone_[s]->tag(0);
}

std::string IndexSet::orderFile(int number) const {
  int produced = production_ ? int(production_->tagCount()) : 0;
  if (number >= 1 && number <= produced) return production_->path();
  std::size_t s = std::size_t(number - produced - 1);
  if (number < 1 || s >= standalone_.size()) return {};
  return standalone_[s]->path();
}

bool IndexSet::createTag(const std::string& name, const std::string& expression, const ProgressFunction& progress) {
  if (table_.readOnly()) throw Error(table_.path(), "the table is open read-only");
  checkTagName(name);
  Expression::compile(expression, table_.fields());  // report a bad expression before touching any file
  if (!production_) {
    std::string path = productionPath();
    production_ = fileExists(path) && error_.empty() ? IndexFile::open(path, table_, true)
                                                     : IndexFile::createCompound(path);
    error_.clear();
  }
  bool done = production_->addTag(name, expression, table_, progress);
  if (done) table_.setProductionIndexFlag(true);
  return done;
}

void IndexSet::closeAll() {
  production_.reset();
  standalone_.clear();
}

void IndexSet::deleteProduction() {
  std::string path = production_ ? production_->path() : productionPath();
  production_.reset();
  error_.clear();
  if (fileExists(path) && std::remove(path.c_str()) != 0) throw Error(path, "could not delete the index file");
  if (!table_.readOnly()) table_.setProductionIndexFlag(false);
}

int IndexSet::createStandalone(const std::string& path, const std::string& expression) {
  standalone_.push_back(IndexFile::createStandalone(path, expression, table_));
  return orderCount();
}

int IndexSet::openStandalone(const std::string& path) {
  auto file = IndexFile::open(path, table_, !table_.readOnly());
  if (file->kind() != IndexFile::Kind::Standalone) throw Error(path, "not a standalone index");
  standalone_.push_back(std::move(file));
  return orderCount();
}

void IndexSet::closeStandalone(int number) {
  int produced = production_ ? int(production_->tagCount()) : 0;
  std::size_t s = std::size_t(number - produced - 1);
  if (number <= produced || s >= standalone_.size()) throw Error(table_.path(), "order " + std::to_string(number) + " is not a standalone index");
  standalone_.erase(standalone_.begin() + long(s));
}

void IndexSet::addKey(int number, uint32_t recno) {
  IndexTag& tag = order(number);
  if (tag.keyOf(table_, table_.rawRecord(recno), recno, newKey_)) tag.tree->insert(newKey_.data(), recno);
}

bool IndexSet::rebuildProduction(const ProgressFunction& progress) {
  if (!production_) return true;
  std::vector<std::pair<std::string, std::string>> tags;
  for (std::size_t i = 0; i < production_->tagCount(); ++i)
    tags.emplace_back(production_->tag(i).name, production_->tag(i).tree->header().expression);
  const std::string path = production_->path();
  production_.reset();
  production_ = IndexFile::createCompound(path);
  for (const auto& [name, expression] : tags)
    if (!production_->addTag(name, expression, table_, progress)) return false;
  table_.setProductionIndexFlag(!tags.empty());
  return true;
}

bool IndexSet::reindex(const ProgressFunction& progress) {
  if (!production_ && !error_.empty())
    throw Error(error_ + " (its tags are unknown, so it cannot be rebuilt from them)");
  const uint64_t perTag = table_.recordCount();
  const std::size_t steps = (production_ ? production_->tagCount() : 0) + standalone_.size();
  const uint64_t total = std::max<uint64_t>(1, perTag * steps);
  uint64_t base = 0;
  // Progress over all tags: each tag's pass moves the base on by one table.
  auto overall = [&](uint32_t done, uint32_t) {
    if (!progress) return true;
    bool go = progress(uint32_t((base + done) * 10000 / total), 10000);
    if (done == perTag) base += perTag;
    return go;
  };
  if (!rebuildProduction(overall)) return false;
  for (auto& file : standalone_)
    if (!file->rebuildTag(0, table_, overall)) return false;
  return true;
}

void IndexSet::requireMaintainable() const {
  if (!production_) return;
  for (std::size_t i = 0; i < production_->tagCount(); ++i)
    if (!production_->tag(i).buildable)
      throw Error(production_->path(), "tag " + production_->tag(i).name +
                                           " cannot be kept up to date by this program; the table is read only");
}

void IndexSet::recordAppended(uint32_t recno, const char* record) {
  if (!production_) return;
  for (std::size_t i = 0; i < production_->tagCount(); ++i) {
    IndexTag& tag = production_->tag(i);
    if (tag.keyOf(table_, record, recno, newKey_)) tag.tree->insert(newKey_.data(), recno);
  }
}

void IndexSet::recordsAppended(uint32_t first, uint32_t last) {
  if (!production_ || last < first) return;
  // Rebuilding costs a pass over the table per tag; inserting costs a leaf
  // rewrite per key and tag. Past a tenth of the table, the pass wins.
  const uint64_t added = uint64_t(last) - first + 1;
  if (added > 10000 && added * 10 > table_.recordCount()) {
    rebuildProduction({});
    return;
  }
  for (uint32_t r = first; r <= last; ++r) recordAppended(r, table_.rawRecord(r));
}

void IndexSet::recordChanged(uint32_t recno, const char* before, const char* after) {
  if (!production_) return;
  for (std::size_t i = 0; i < production_->tagCount(); ++i) {
    IndexTag& tag = production_->tag(i);
    bool hadKey = tag.keyOf(table_, before, recno, oldKey_);
    bool hasKey = tag.keyOf(table_, after, recno, newKey_);
    if (hadKey == hasKey && (!hadKey || oldKey_ == newKey_)) continue;
    if (hadKey) tag.tree->remove(oldKey_.data(), recno);
    if (hasKey) tag.tree->insert(newKey_.data(), recno);
  }
}

void IndexSet::tableRewritten() { rebuildProduction({}); }

}  // namespace xbase
