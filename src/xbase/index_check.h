// Verifies the production index of a table against its records: every tag
// holds exactly one key per record (deleted ones included, FOR conditions
// honoured), in order, each equal to its expression's value on the record.
#pragma once

#include <string>
#include <vector>

namespace xbase {

class Table;

// The problems found, at most `limit` of them; empty when all is well.
std::vector<std::string> checkIndexes(Table& table, std::size_t limit = 20);

}  // namespace xbase
