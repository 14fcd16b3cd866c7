// Address files: creating one (its 23 fields and 26 tags), rebuilding its
// indexes, opening one into a data set with the messages the user sees, and
// naming new files.
#pragma once

#include <string>

#include "address_layout.h"
#include "data_set.h"
#include "xbase/table.h"

namespace data {

// CreateAddressFile: creates and indexes a new, empty address file at `path`
// with the given widths. Messages: "Create failed", "File creation failed",
// "Unable to create index files". The file is closed afterwards.
bool createAddressFile(const std::string& path, const FieldWidths& widths);
// BuildAddressIndexes: deletes the table's index file, if any, and creates
// the 26 tags. "Unable to create index files" on failure. Progress counts
// records over all tags.
bool buildAddressIndexes(xbase::Table& table, const xbase::ProgressFunction& progress = {});
// CheckValidIndex: all 26 tag names present, looked up in the fixed order.
bool checkValidIndex(const xbase::Table& table);
// OpenQVWFile: opens an address file into `dataSet` (declared with the record
// view) and reports whether its index is valid; on failure shows the
// "Unable to open ..." message.
bool openAddressFile(DataSet& dataSet, const std::string& path, bool& indexValid);

// The first of ADD0001 ... ADD9999 with no .DBF in `dataFolder` (ADD0001 when all exist).
std::string defaultNewFileName(const std::string& dataFolder);
// A name the new-file dialog accepts: a letter or "_", then letters, digits or "_".
bool isValidNewName(const std::string& name);
// GetDatabasePath: the folder of the open file, with a trailing separator.
std::string databasePath(const DataSet& dataSet);

}  // namespace data
