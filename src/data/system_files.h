// The program's own tables in SYSDATA (letters, reports, envelopes, label
// layouts, label-stock templates, states and ZIP ranges), their structures
// and tags, opening them with the messages of each, and FIELDS.LST.
#pragma once

#include <string>
#include <vector>

#include "data_set.h"
#include "xbase/field.h"

namespace data {

struct SystemTable {
  const char* fileName;                 // "LETTER.DBF"
  std::vector<xbase::FieldSpec> fields; // structure when the program creates it; empty: never created
  const char* tagName;                  // its one tag
  const char* tagExpression;
};

const SystemTable& letterTable();
const SystemTable& reportTable();
const SystemTable& envelopeTable();
const SystemTable& labelTable();
const SystemTable& templateTable();  // LBLTPL.DBF, delivered
const SystemTable& stateTable();     // CSZ.DBF, delivered

// Each opens the table from SYSDATA into the data set (exclusively), creating
// it when missing (LETTER, REPORT, ENVELOPE, LABEL only) and its tag when the
// CDX is missing. Messages: "Unable to Open or Create LETTER.DBF" and so on,
// "Unable to Open LBLTPL.DBF", "Unable to Open or Create CSZ.DBF".
// A file that exists but cannot be read is renamed aside (".bad", ".bad1",
// ...) before a new one is created, never overwritten.
bool openLetterTable(DataSet& dataSet);
bool openReportTable(DataSet& dataSet);
bool openEnvelopeTable(DataSet& dataSet);
bool openLabelTable(DataSet& dataSet);
bool openTemplateTable(DataSet& dataSet);
bool openStateTable(DataSet& dataSet);

// FIELDS.LST in SYSDATA: the browse grid's column order, one name a line (CR
// LF). A missing file gives an empty list.
std::string fieldsListPath();
std::vector<std::string> readFieldsList(const std::string& path = fieldsListPath());
bool writeFieldsList(const std::vector<std::string>& names, const std::string& path = fieldsListPath());

}  // namespace data
