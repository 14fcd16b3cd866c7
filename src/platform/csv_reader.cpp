#include "csv_reader.h"

namespace platform {

int CsvReader::get() {
  if (pos_ >= buffer_.size()) {
    buffer_.resize(1 << 16);
    std::size_t n = std::fread(buffer_.data(), 1, buffer_.size(), in_);
    buffer_.resize(n);
    pos_ = 0;
    if (n == 0) return EOF;
  }
  int c = static_cast<unsigned char>(buffer_[pos_++]);
  if (c == '\n') ++currentLine_;
  return c;
}

int CsvReader::peek() {
  int c = get();
  if (c != EOF) {
    --pos_;
    if (c == '\n') --currentLine_;
  }
  return c;
}

bool CsvReader::next(std::vector<std::string>& values) {
  values.clear();
  int c = peek();
  if (c == EOF) return false;
  recordLine_ = currentLine_;
  std::string value;
  bool quoted = false;
  while (true) {
    c = get();
    if (quoted) {
      if (c == EOF) break;  // an unclosed quote runs to the end of the input
      if (c == '"') {
        if (peek() == '"') {
          get();
          value.push_back('"');
        } else {
          quoted = false;
        }
      } else {
        value.push_back(char(c));
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      values.push_back(std::move(value));
      value.clear();
    } else if (c == '\r' && peek() == '\n') {
      // the LF ends the record
    } else if (c == '\n' || c == EOF) {
      break;
    } else {
      value.push_back(char(c));
    }
  }
  values.push_back(std::move(value));
  return true;
}

std::string csvField(const std::string& value) {
  if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

}  // namespace platform
