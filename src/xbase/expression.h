// xBase expressions: compiled once against a table's fields, then evaluated
// per record without re-parsing and, on the usual paths, without allocating.
//
// Types are checked at compile time: an unknown field or function, a wrong
// argument or a type mismatch is an ExpressionError that names the position,
// never a failure during evaluation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "environment.h"
#include "field.h"
#include "value.h"

namespace xbase {

class Table;

// What an expression is evaluated against: one record and the switches in force.
struct EvalContext {
  const char* record = nullptr;       // raw record bytes, deletion flag first
  uint32_t recno = 0;                 // its number, for RECNO()
  const Table* table = nullptr;       // for memo fields; may be null when none are used
  const Environment* env = nullptr;   // Exact, Century, DateFormat
};

namespace expr {
struct Node;
}

class Expression {
 public:
  // Compiles `text` against the given fields. Throws ExpressionError.
  static Expression compile(std::string_view text, const std::vector<FieldDef>& fields);

  Expression(Expression&&) noexcept;
  Expression& operator=(Expression&&) noexcept;
  ~Expression();

  const std::string& text() const { return text_; }
  ValueType type() const;
  // The most characters a character expression can yield (FoxPro's key length).
  std::size_t width() const;
  // True when the expression reads a memo field (its evaluation then reads the memo file).
  bool usesMemo() const { return usesMemo_; }

  // Typed evaluation; REQUIRES: the expression has that type.
  bool logical(const EvalContext& ctx);
  double number(const EvalContext& ctx);
  JulianDay date(const EvalContext& ctx);
  // The view stays valid until the next evaluation.
  std::string_view characters(const EvalContext& ctx);
  Value evaluate(const EvalContext& ctx);

 private:
  Expression() = default;
  std::string text_;                 // as compiled
  std::unique_ptr<expr::Node> root_; // the compiled tree
  bool usesMemo_ = false;            // some node reads a memo field
};

}  // namespace xbase
