// The current record as clipboard text: name, address, phone, codes and
// comment blocks, each line ended by CR LF and left out when empty.
#pragma once

#include <string>

#include "data_set.h"

namespace data {

struct RecordTextBlocks {
  bool comments = true, codes = true, phones = true, address = true, name = true;
};

// GetRecordAsString. Lines are kept whole, whatever their length (the text
// is built in a growing string, never a fixed buffer).
std::string recordAsText(const DataSet& dataSet, const RecordTextBlocks& blocks);

}  // namespace data
