// The compiled form of an expression: a typed tree whose nodes evaluate
// themselves. Character results are views into the record or into a buffer
// the node owns and reuses, so a warm tree allocates nothing per record.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "expression.h"

namespace xbase::expr {

struct Node {
  explicit Node(ValueType t) : type(t) {}
  virtual ~Node() = default;
  virtual bool logical(const EvalContext&) { return false; }
  virtual double number(const EvalContext&) { return 0; }
  virtual JulianDay date(const EvalContext&) { return 0; }
  virtual std::string_view chars(const EvalContext&) { return {}; }
  // The most characters a character node can yield: an index key's length.
  virtual std::size_t width() const { return 0; }
  // True, with the value, for a number known at compile time.
  virtual bool constantNumber(double&) const { return false; }

  ValueType type;
};

using NodePtr = std::unique_ptr<Node>;

// Builds a function call node; throws ExpressionError (at `position`) for an
// unknown name or unsuitable arguments. `usesMemo` is unchanged.
NodePtr makeFunction(const std::string& expression, std::size_t position, const std::string& name,
                     std::vector<NodePtr> args);

}  // namespace xbase::expr
