// A full walk of a cursor for the table benchmarks: every record is read
// (one byte of each summed, so no reading can be skipped) and the walk's
// count and sum come back as the step's result.
#pragma once

#include <string>

#include "xbase/cursor.h"

namespace qvbench {

inline std::string walkRecords(xbase::Cursor& c) {
  unsigned long n = 0, sum = 0;
  for (bool ok = c.first(); ok; ok = c.next()) {
    ++n;
    sum += static_cast<unsigned char>(c.rawRecord()[1]);
  }
  return std::to_string(n) + " " + std::to_string(sum);
}

}  // namespace qvbench
