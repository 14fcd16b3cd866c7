#include "address_file.h"

#include <cctype>
#include <cstdio>

#include "platform/home.h"
#include "platform/prompts.h"
#include "xbase/error.h"
#include "xbase/index_set.h"

namespace data {

namespace {

const char* kUnableToCreateIndexes = "Unable to create index files";

}  // namespace

bool createAddressFile(const std::string& path, const FieldWidths& widths) {
  auto& prompts = platform::prompts();
  std::vector<xbase::FieldSpec> specs;
  for (std::size_t i = 0; i < kAddressFields.size(); ++i)
    specs.push_back({kAddressFields[i].name, kAddressFields[i].type, widths.widths[i], 0});
  try {
    (void)xbase::makeFoxProHeader(specs);  // the engine accepts the structure
  } catch (const xbase::Error&) {
    prompts.info("Create failed");
    return false;
  }
  try {
    xbase::Table::create(path, specs);
  } catch (const xbase::Error&) {
    prompts.info("File creation failed");
    return false;
  }
  if (!xbase::fileExists(path)) {
    prompts.info("File creation failed");
    return false;
  }
  xbase::Environment env;
  DataSet create(env);
  create.declare(DataSet::addressRecordView());
  if (!create.openTableFile(path)) {
    prompts.info("File creation failed");
    return false;
  }
  if (!buildAddressIndexes(create.table())) {
    prompts.info("File creation failed");
    return false;
  }
  create.close();
  return true;
}

bool buildAddressIndexes(xbase::Table& table, const xbase::ProgressFunction& progress) {
  try {
    xbase::IndexSet& indexes = table.indexes();
    std::string file = indexes.orderFile(1);
    if (file.empty() && xbase::fileExists(indexes.productionPath())) file = indexes.productionPath();
    if (!file.empty()) {
      indexes.closeAll();
      std::remove(file.c_str());
    }
    const uint32_t perTag = table.recordCount();
    const uint64_t total = uint64_t(perTag) * kAddressTags.size();
    uint64_t base = 0;
    for (const TagDef& tag : kAddressTags) {
      bool done = indexes.createTag(tag.name, tag.expression, [&](uint32_t d, uint32_t) {
        return !progress || progress(uint32_t((base + d) * 10000 / (total ? total : 1)), 10000);
      });
      if (!done) throw xbase::Error("cancelled");
      base += perTag;
    }
  } catch (const xbase::Error&) {
    platform::prompts().info(kUnableToCreateIndexes);
    return false;
  }
  return true;
}

bool checkValidIndex(const xbase::Table& table) {
  for (const char* name : kValidIndexOrder)
    if (table.indexes().orderNumber(name) == 0) return false;
  return true;
}

bool openAddressFile(DataSet& dataSet, const std::string& path, bool& indexValid) {
  indexValid = false;
  if (dataSet.fields().empty()) dataSet.declare(DataSet::addressRecordView());
  if (dataSet.openTableFile(path)) {
    indexValid = checkValidIndex(dataSet.table());
    return true;
  }
  platform::prompts().info("Unable to open " + path + "\r\n\r\n * May not be a Quillvane file.\r\n * May be in use by another program or user");
  return false;
}

std::string defaultNewFileName(const std::string& dataFolder) {
  char name[16];
  for (int i = 1; i <= 9999; ++i) {
    std::snprintf(name, sizeof name, "ADD%04d", i);
    if (!xbase::fileExists(platform::pathNoCase(dataFolder, std::string(name) + ".DBF"))) return name;
  }
  return "ADD0001";
}

bool isValidNewName(const std::string& name) {
  if (name.empty()) return false;
  if (!std::isalpha(static_cast<unsigned char>(name[0])) && name[0] != '_') return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

std::string databasePath(const DataSet& dataSet) { return platform::folderOf(dataSet.path()); }

}  // namespace data
