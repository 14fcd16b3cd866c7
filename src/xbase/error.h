// Errors raised by the table engine.
//
// Every failure the engine reports is an xbase::Error whose message names the
// file (when there is one) and says what is wrong, in words fit to show a user.
#pragma once

#include <stdexcept>
#include <string>

namespace xbase {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
  Error(const std::string& file, const std::string& problem)
      : std::runtime_error(file + ": " + problem) {}
};

// A file that is not a readable table, memo or index file.
class CorruptFileError : public Error {
 public:
  CorruptFileError(const std::string& file, const std::string& problem) : Error(file, problem) {}
};

// A second exclusive open of a file that is already held.
class FileInUseError : public Error {
 public:
  explicit FileInUseError(const std::string& file)
      : Error(file, "the file is in use by another program or user") {}
};

// A compile error in an xBase expression; position is 1-based.
class ExpressionError : public Error {
 public:
  ExpressionError(std::string expression, std::size_t position, const std::string& problem)
      : Error("expression error at position " + std::to_string(position) + ": " + problem),
        expression_(std::move(expression)), position_(position) {}
  const std::string& expression() const { return expression_; }
  std::size_t position() const { return position_; }

 private:
  std::string expression_;  // the text that failed to compile
  std::size_t position_;    // 1-based character position of the fault
};

}  // namespace xbase
