#include "delivered_data.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/csv_reader.h"
#include "platform/home.h"
#include "xbase/error.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

namespace data {

const std::vector<DeliveredTable>& deliveredTables() {
  static const std::vector<DeliveredTable> tables = {
      {"lbltpl.csv",
       "LBLTPL.DBF",
       {{"DESCRIPT", 'C', 60, 0},  {"PRINTER", 'C', 2, 0},    {"LBLHEIGHT", 'N', 6, 3},  {"LBLWIDTH", 'N', 6, 3},
        {"NBRACROSS", 'N', 2, 0},  {"NBRDOWN", 'N', 2, 0},    {"TOPMARG", 'N', 6, 3},    {"LEFTMARG", 'N', 6, 3},
        {"HORIZPITCH", 'N', 6, 3}, {"VERTPITCH", 'N', 6, 3},  {"SHEETWIDTH", 'N', 6, 3}, {"SHEETDEPTH", 'N', 6, 3},
        {"PAPERSIZE", 'C', 5, 0},  {"LBLSHAPE", 'C', 2, 0},   {"MANUFAC", 'C', 10, 0},   {"PRODTYPE", 'C', 25, 0},
        {"MIDEXTRAX", 'N', 6, 3},  {"MIDEXTRAY", 'N', 6, 3},  {"ART", 'C', 12, 0}},
       "DESCRIPT",
       "UPPER(descript)"},
      {"csz.csv",
       "CSZ.DBF",
       {{"NAME", 'C', 20, 0}, {"STATE", 'C', 4, 0}, {"LOW_ZIP", 'C', 10, 0}, {"HIGH_ZIP", 'C', 10, 0}},
       "STATE",
       "UPPER(state)"},
  };
  return tables;
}

void buildDeliveredTable(const DeliveredTable& t, const std::string& csvPath, const std::string& dbfPath) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(csvPath.c_str(), "rb"), std::fclose);
  if (!in) throw xbase::Error(csvPath, "cannot open the file");
  std::remove(xbase::companionPath(dbfPath, ".cdx").c_str());
  xbase::Table::create(dbfPath, t.fields);
  auto table = xbase::Table::open(dbfPath);
  platform::CsvReader reader(in.get());
  std::vector<std::string> header, values;
  if (!reader.next(header)) throw xbase::Error(csvPath, "the file is empty");
  std::vector<int> columns;
  for (const std::string& name : header) {
    int i = table->fieldIndex(name);
    if (i < 0) throw xbase::Error(csvPath, "no field " + name + " in " + t.fileName);
    columns.push_back(i);
  }
  while (reader.next(values)) {
    if (values.size() == 1 && values[0].empty()) continue;
    xbase::Record r = table->blankRecord();
    try {
      for (std::size_t c = 0; c < columns.size() && c < values.size(); ++c) r.setText(columns[c], values[c]);
    } catch (const xbase::Error& e) {
      throw xbase::Error(csvPath, "line " + std::to_string(reader.line()) + ": " + e.what());
    }
    table->append(r);
  }
  table->indexes().createTag(t.tagName, t.tagExpression);
}

std::string deliveredFolder() {
  if (const char* env = std::getenv("QUILLVANE_DELIVERED"); env && *env) {
    std::string s = env;
    return s.back() == '/' ? s : s + "/";
  }
  return QV_DELIVERED_DIR "/";
}

std::vector<std::string> prepareHome() {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(platform::dataFolder(), ec);
  fs::create_directories(platform::sysdataFolder(), ec);
  std::vector<std::string> copied;
  for (const DeliveredTable& t : deliveredTables()) {
    std::string target = platform::pathNoCase(platform::sysdataFolder(), t.fileName);
    if (xbase::fileExists(target)) continue;
    std::string source = platform::pathNoCase(deliveredFolder(), t.fileName);
    std::string sourceIndex = xbase::companionPath(source, ".cdx");
    if (!xbase::fileExists(source)) continue;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    if (ec) continue;
    if (xbase::fileExists(sourceIndex))
      fs::copy_file(sourceIndex, xbase::companionPath(target, ".cdx"), fs::copy_options::overwrite_existing, ec);
    copied.push_back(t.fileName);
  }
  return copied;
}

}  // namespace data
