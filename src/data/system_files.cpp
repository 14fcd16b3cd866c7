#include "system_files.h"

#include <cstdio>
#include <fstream>

#include "platform/home.h"
#include "platform/prompts.h"
#include "xbase/error.h"
#include "xbase/index_set.h"

namespace data {

namespace {

using xbase::FieldSpec;

// Moves an unreadable file out of the way; its rows may still be recovered by hand.
bool keepAside(const std::string& path) {
  for (int i = 0; i < 1000; ++i) {
    std::string aside = path + (i == 0 ? ".bad" : ".bad" + std::to_string(i));
    if (!xbase::fileExists(aside)) return std::rename(path.c_str(), aside.c_str()) == 0;
  }
  return false;
}

bool openTable(DataSet& dataSet, const SystemTable& t, const std::string& failure) {
  dataSet.close();
  const std::string folder = platform::sysdataFolder();
  const std::string path = platform::pathNoCase(folder, t.fileName);
  bool opened = xbase::fileExists(path) && dataSet.openTableFile(path);
  if (!opened) {
    if (t.fields.empty()) {
      platform::prompts().info(failure);
      return false;
    }
    try {
      if (xbase::fileExists(path) && !keepAside(path)) throw xbase::Error(path, "cannot be moved aside");
      xbase::Table::create(path, t.fields);
      opened = dataSet.openTableFile(path);
    } catch (const xbase::Error&) {
      opened = false;
    }
    if (!opened) {
      platform::prompts().info(failure);
      return false;
    }
  }
  // A missing CDX is created; failing to is not an error: the table is used without it.
  if (dataSet.table().indexes().orderNumber(t.tagName) == 0 && !xbase::fileExists(dataSet.table().indexes().productionPath())) {
    try {
      dataSet.table().indexes().createTag(t.tagName, t.tagExpression);
    } catch (const xbase::Error&) {
    }
  }
  dataSet.first();
  return true;
}

std::vector<FieldSpec> specs(std::initializer_list<FieldSpec> list) { return list; }

}  // namespace

const SystemTable& letterTable() {
  static const SystemTable t{"LETTER.DBF", specs({{"DESCRIPT", 'C', 50, 0}, {"RTF", 'M', 10, 0}}), "DESCRIPT",
                             "UPPER(descript)"};
  return t;
}

const SystemTable& reportTable() {
  static const SystemTable t{"REPORT.DBF",
                             specs({{"DESCRIPT", 'C', 60, 0}, {"LAYOUT", 'C', 60, 0}, {"BINARY", 'C', 12, 0}}),
                             "DESCRIPT", "UPPER(descript)"};
  return t;
}

const SystemTable& envelopeTable() {
  static const SystemTable t{"ENVELOPE.DBF",
                             specs({{"DESCRIPT", 'C', 60, 0}, {"NUMBER", 'N', 5, 0}, {"BINARY", 'C', 12, 0}}),
                             "DESCRIPT", "UPPER(descript)"};
  return t;
}

const SystemTable& labelTable() {
  static const SystemTable t{
      "LABEL.DBF",
      specs({{"DESCRIPT", 'C', 60, 0},  {"PRINTER", 'C', 2, 0},   {"LBLHEIGHT", 'N', 6, 3}, {"LBLWIDTH", 'N', 6, 3},
             {"NBRACROSS", 'N', 2, 0},  {"NBRDOWN", 'N', 2, 0},   {"TOPMARG", 'N', 6, 3},   {"LEFTMARG", 'N', 6, 3},
             {"HORIZPITCH", 'N', 6, 3}, {"VERTPITCH", 'N', 6, 3}, {"SHEETWIDTH", 'N', 6, 3}, {"SHEETDEPTH", 'N', 6, 3},
             {"PAPERSIZE", 'C', 5, 0},  {"LBLSHAPE", 'C', 2, 0},  {"TPLDESCRIP", 'C', 60, 0}, {"MANUFAC", 'C', 10, 0},
             {"PRODTYPE", 'C', 25, 0},  {"MIDEXTRAX", 'N', 6, 3}, {"MIDEXTRAY", 'N', 6, 3}, {"ART", 'C', 12, 0},
             {"DELETED", 'L', 1, 0},    {"BINARY", 'C', 12, 0}}),
      "DESCRIPT", "UPPER(descript)"};
  return t;
}

const SystemTable& templateTable() {
  static const SystemTable t{"LBLTPL.DBF", {}, "DESCRIPT", "UPPER(descript)"};
  return t;
}

const SystemTable& stateTable() {
  static const SystemTable t{"CSZ.DBF", {}, "STATE", "UPPER(state)"};
  return t;
}

bool openLetterTable(DataSet& d) { return openTable(d, letterTable(), "Unable to Open or Create LETTER.DBF"); }
bool openReportTable(DataSet& d) { return openTable(d, reportTable(), "Unable to Open or Create REPORT.DBF"); }
bool openEnvelopeTable(DataSet& d) { return openTable(d, envelopeTable(), "Unable to Open or Create ENVELOPE.DBF"); }
bool openLabelTable(DataSet& d) { return openTable(d, labelTable(), "Unable to Open or Create LABEL.DBF"); }
bool openTemplateTable(DataSet& d) { return openTable(d, templateTable(), "Unable to Open LBLTPL.DBF"); }
bool openStateTable(DataSet& d) { return openTable(d, stateTable(), "Unable to Open or Create CSZ.DBF"); }

std::string fieldsListPath() { return platform::pathNoCase(platform::sysdataFolder(), "FIELDS.LST"); }

std::vector<std::string> readFieldsList(const std::string& path) {
  std::vector<std::string> names;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) names.push_back(line);
  }
  return names;
}

bool writeFieldsList(const std::vector<std::string>& names, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& n : names) out << n << "\r\n";
  return bool(out);
}

}  // namespace data
