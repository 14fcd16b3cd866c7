// The tables delivered with the program (label-stock templates LBLTPL and
// states with ZIP ranges CSZ): built from the readable sources in resources/
// by the build, and copied into a home's SYSDATA on first use.
#pragma once

#include <string>
#include <vector>

#include "xbase/field.h"

namespace data {

struct DeliveredTable {
  const char* source;    // CSV in resources/, with a header line naming the fields
  const char* fileName;  // in SYSDATA
  std::vector<xbase::FieldSpec> fields;
  const char* tagName;
  const char* tagExpression;
};

const std::vector<DeliveredTable>& deliveredTables();

// Builds one delivered table (and its CDX) at `dbfPath` from its CSV. Throws
// xbase::Error naming the CSV line of a bad value.
void buildDeliveredTable(const DeliveredTable& table, const std::string& csvPath, const std::string& dbfPath);

// Where the build left the delivered tables ($QUILLVANE_DELIVERED overrides).
std::string deliveredFolder();
// Makes the home's DATA and SYSDATA folders and copies into SYSDATA each
// delivered table it lacks. Returns the names copied.
std::vector<std::string> prepareHome();

}  // namespace data
