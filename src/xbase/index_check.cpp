#include "index_check.h"

#include <cstring>

#include "error.h"
#include "index_set.h"
#include "table.h"

namespace xbase {

std::vector<std::string> checkIndexes(Table& table, std::size_t limit) {
  std::vector<std::string> problems;
  auto report = [&](const std::string& p) {
    if (problems.size() < limit) problems.push_back(p);
  };
  IndexSet& indexes = table.indexes();
  if (!indexes.error().empty()) {
    report(indexes.error());
    return problems;
  }
  IndexFile* production = indexes.production();
  if (!production) return problems;
  const uint32_t count = table.recordCount();
  std::string expected;
  for (std::size_t t = 0; t < production->tagCount() && problems.size() < limit; ++t) {
    IndexTag& tag = production->tag(t);
    std::vector<bool> seen(std::size_t(count) + 1, false);
    const std::string prefix = "tag " + tag.name + ": ";
    try {
      tag.tree->walk([&](const char* key, uint32_t recno) {
        if (recno < 1 || recno > count) {
          report(prefix + "points at record " + std::to_string(recno) + ", which does not exist");
          return;
        }
        if (seen[recno]) report(prefix + "holds record " + std::to_string(recno) + " twice");
        seen[recno] = true;
        if (!tag.buildable) return;
        if (!tag.keyOf(table, table.rawRecord(recno), recno, expected))
          report(prefix + "holds record " + std::to_string(recno) + ", which its FOR condition leaves out");
        else if (std::memcmp(expected.data(), key, tag.keyForm.length) != 0)
          report(prefix + "the key of record " + std::to_string(recno) + " differs from its expression's value");
      });
      if (!tag.buildable) continue;
      for (uint32_t r = 1; r <= count && problems.size() < limit; ++r)
        if (!seen[r] && tag.keyOf(table, table.rawRecord(r), r, expected))
          report(prefix + "has no key for record " + std::to_string(r));
    } catch (const Error& e) {
      report(e.what());
    }
  }
  return problems;
}

}  // namespace xbase
