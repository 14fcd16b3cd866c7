// A streaming reader of RFC 4180 comma-separated text: quoted values may hold
// commas, doubled quotes and line breaks; lines end in CR LF or LF.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace platform {

class CsvReader {
 public:
  explicit CsvReader(std::FILE* in) : in_(in) {}
  // Reads the next record into `values`; false at the end of the input.
  bool next(std::vector<std::string>& values);
  // Line number (1-based) where the record last returned began.
  long line() const { return recordLine_; }

 private:
  int get();
  int peek();

  std::FILE* in_;
  std::string buffer_;        // bytes read ahead
  std::size_t pos_ = 0;       // next byte of buffer_
  long currentLine_ = 1;      // line of the next byte
  long recordLine_ = 0;       // see line()
};

// One value written as a CSV field: quoted when it holds a comma, a quote or
// a line break.
std::string csvField(const std::string& value);

}  // namespace platform
