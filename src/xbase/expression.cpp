// Lexer, parser and operator nodes of the expression compiler. Function
// calls are built in expression_functions.cpp.
//
// Precedence, loosest first: .OR.; .AND.; .NOT. / !; the comparisons
// = == <> # != < <= > >= $; + and -; * / %; ^ and **; unary - and +.
// Operators of one level group left to right.

#include "expression.h"

#include <cctype>
#include <cmath>

#include "error.h"
#include "expression_nodes.h"
#include "field_codec.h"
#include "string_ops.h"
#include "table.h"

namespace xbase {

using expr::Node;
using expr::NodePtr;

namespace {

// ---------------------------------------------------------------- lexer

enum class Tok {
  End, Number, String, Ident, LParen, RParen, Comma, Plus, Minus, Star, Slash, Percent, Power,
  Eq, EqEq, Ne, Lt, Le, Gt, Ge, Dollar, And, Or, Not, True, False, Arrow
};

struct Token {
  Tok kind = Tok::End;
  std::size_t pos = 0;   // 0-based start in the text
  std::string text;      // identifier (upper case) or string contents
  double number = 0;
};

class Lexer {
 public:
  Lexer(std::string_view src, const std::string& whole) : src_(src), whole_(whole) {}

  std::vector<Token> run() {
    std::vector<Token> out;
    while (true) {
      Token t = next();
      out.push_back(t);
      if (t.kind == Tok::End) break;
    }
    return out;
  }

 private:
  [[noreturn]] void fail(std::size_t pos, const std::string& what) { throw ExpressionError(whole_, pos + 1, what); }

  static bool identStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
  static bool identChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

  Token next() {
    while (i_ < src_.size() && std::isspace(static_cast<unsigned char>(src_[i_]))) ++i_;
    Token t;
    t.pos = i_;
    if (i_ >= src_.size()) return t;
    char c = src_[i_];
    auto two = [&](char second) { return i_ + 1 < src_.size() && src_[i_ + 1] == second; };
    auto simple = [&](Tok k, std::size_t len) {
      t.kind = k;
      i_ += len;
      return t;
    };
    if (c == '.') {
      // .T. .F. .Y. .N. .AND. .OR. .NOT., else a number such as .5
      std::size_t j = i_ + 1;
      while (j < src_.size() && std::isalpha(static_cast<unsigned char>(src_[j]))) ++j;
      if (j > i_ + 1 && j < src_.size() && src_[j] == '.') {
        std::string word(src_.substr(i_ + 1, j - i_ - 1));
        for (char& ch : word) ch = char(std::toupper(static_cast<unsigned char>(ch)));
        Tok k = Tok::End;
        if (word == "T" || word == "Y") k = Tok::True;
        else if (word == "F" || word == "N") k = Tok::False;
        else if (word == "AND") k = Tok::And;
        else if (word == "OR") k = Tok::Or;
        else if (word == "NOT") k = Tok::Not;
        if (k != Tok::End) return simple(k, j + 1 - i_);
        fail(i_, "unknown word ." + word + ".");
      }
      if (j == i_ + 1 && j < src_.size() && std::isdigit(static_cast<unsigned char>(src_[j]))) return number(t);
      fail(i_, "expected an operand");
    }
    if (std::isdigit(static_cast<unsigned char>(c))) return number(t);
    if (c == '"' || c == '\'' || c == '[') {
      char close = c == '[' ? ']' : c;
      std::size_t end = src_.find(close, i_ + 1);
      if (end == std::string_view::npos) fail(i_, "the string has no closing " + std::string(1, close));
      t.kind = Tok::String;
      t.text = std::string(src_.substr(i_ + 1, end - i_ - 1));
      i_ = end + 1;
      return t;
    }
    if (identStart(c)) {
      std::size_t j = i_;
      while (j < src_.size() && identChar(src_[j])) ++j;
      t.text = std::string(src_.substr(i_, j - i_));
      for (char& ch : t.text) ch = char(std::toupper(static_cast<unsigned char>(ch)));
      i_ = j;
      // The bare words AND, OR and NOT work as the dotted operators do.
      if (t.text == "AND") t.kind = Tok::And;
      else if (t.text == "OR") t.kind = Tok::Or;
      else if (t.text == "NOT") t.kind = Tok::Not;
      else t.kind = Tok::Ident;
      return t;
    }
    switch (c) {
      case '(': return simple(Tok::LParen, 1);
      case ')': return simple(Tok::RParen, 1);
      case ',': return simple(Tok::Comma, 1);
      case '+': return simple(Tok::Plus, 1);
      case '-': return two('>') ? simple(Tok::Arrow, 2) : simple(Tok::Minus, 1);
      case '*': return two('*') ? simple(Tok::Power, 2) : simple(Tok::Star, 1);
      case '/': return simple(Tok::Slash, 1);
      case '%': return simple(Tok::Percent, 1);
      case '^': return simple(Tok::Power, 1);
      case '$': return simple(Tok::Dollar, 1);
      case '#': return simple(Tok::Ne, 1);
      case '=': return two('=') ? simple(Tok::EqEq, 2) : simple(Tok::Eq, 1);
      case '!': return two('=') ? simple(Tok::Ne, 2) : simple(Tok::Not, 1);
      case '<':
        if (two('>')) return simple(Tok::Ne, 2);
        return two('=') ? simple(Tok::Le, 2) : simple(Tok::Lt, 1);
      case '>': return two('=') ? simple(Tok::Ge, 2) : simple(Tok::Gt, 1);
      default: break;
    }
    fail(i_, "unexpected character '" + std::string(1, c) + "'");
  }

  Token number(Token& t) {
    std::size_t j = i_;
    bool point = false;
    while (j < src_.size() && (std::isdigit(static_cast<unsigned char>(src_[j])) || (src_[j] == '.' && !point))) {
      if (src_[j] == '.') {
        // "1.AND." style: a dot followed by a letter ends the number.
        if (j + 1 < src_.size() && std::isalpha(static_cast<unsigned char>(src_[j + 1]))) break;
        point = true;
      }
      ++j;
    }
    t.kind = Tok::Number;
    t.number = parseNumber(src_.substr(i_, j - i_));
    i_ = j;
    return t;
  }

  std::string_view src_;
  const std::string& whole_;
  std::size_t i_ = 0;
};

// ---------------------------------------------------------------- leaf nodes

struct NumberLiteral : Node {
  explicit NumberLiteral(double v) : Node(ValueType::Numeric), value(v) {}
  double number(const EvalContext&) override { return value; }
  bool constantNumber(double& out) const override {
    out = value;
    return true;
  }
  double value;
};

struct StringLiteral : Node {
  explicit StringLiteral(std::string v) : Node(ValueType::Character), value(std::move(v)) {}
  std::string_view chars(const EvalContext&) override { return value; }
  std::size_t width() const override { return value.size(); }
  std::string value;
};

struct LogicalLiteral : Node {
  explicit LogicalLiteral(bool v) : Node(ValueType::Logical), value(v) {}
  bool logical(const EvalContext&) override { return value; }
  bool value;
};

struct FieldNode : Node {
  explicit FieldNode(const FieldDef& f) : Node(fieldValueType(f)), field(f) {}
  bool logical(const EvalContext& c) override { return fieldLogical(c.record, field); }
  double number(const EvalContext& c) override { return fieldNumber(c.record, field); }
  JulianDay date(const EvalContext& c) override { return fieldDate(c.record, field); }
  std::string_view chars(const EvalContext& c) override {
    if (field.isMemo()) {
      try {
        buffer = c.table ? c.table->memoText(c.record, field) : std::string();
      } catch (const CorruptFileError&) {
        buffer.clear();  // a damaged memo reads as empty here; reading the field itself reports it
      }
      return buffer;
    }
    return rawField(c.record, field);  // full width, trailing blanks included
  }
  std::size_t width() const override { return field.isMemo() ? 0 : field.width; }
  FieldDef field;
  std::string buffer;  // memo text
};

// ---------------------------------------------------------------- operators

struct Unary : Node {
  Unary(ValueType t, NodePtr a) : Node(t), arg(std::move(a)) {}
  NodePtr arg;
};

struct NotNode : Unary {
  explicit NotNode(NodePtr a) : Unary(ValueType::Logical, std::move(a)) {}
  bool logical(const EvalContext& c) override { return !arg->logical(c); }
};

struct NegateNode : Unary {
  explicit NegateNode(NodePtr a) : Unary(ValueType::Numeric, std::move(a)) {}
  double number(const EvalContext& c) override { return -arg->number(c); }
  bool constantNumber(double& out) const override {
    if (!arg->constantNumber(out)) return false;
    out = -out;
    return true;
  }
};

struct Binary : Node {
  Binary(ValueType t, NodePtr a, NodePtr b) : Node(t), left(std::move(a)), right(std::move(b)) {}
  NodePtr left, right;
};

struct AndNode : Binary {
  using Binary::Binary;
  bool logical(const EvalContext& c) override { return left->logical(c) && right->logical(c); }
};

struct OrNode : Binary {
  using Binary::Binary;
  bool logical(const EvalContext& c) override { return left->logical(c) || right->logical(c); }
};

enum class Arith { Add, Sub, Mul, Div, Mod, Pow };

struct ArithNode : Binary {
  ArithNode(Arith o, NodePtr a, NodePtr b) : Binary(ValueType::Numeric, std::move(a), std::move(b)), op(o) {}
  double number(const EvalContext& c) override {
    double a = left->number(c), b = right->number(c);
    switch (op) {
      case Arith::Add: return a + b;
      case Arith::Sub: return a - b;
      case Arith::Mul: return a * b;
      case Arith::Div: return b == 0 ? 0 : a / b;  // no exceptions mid-scan; xBase would stop with an error
      case Arith::Mod: return b == 0 ? 0 : a - b * std::floor(a / b);
      case Arith::Pow: return std::pow(a, b);
    }
    return 0;
  }
  Arith op;
};

struct ConcatNode : Binary {
  ConcatNode(bool moveBlanks, NodePtr a, NodePtr b)
      : Binary(ValueType::Character, std::move(a), std::move(b)), moving(moveBlanks) {}
  std::string_view chars(const EvalContext& c) override {
    std::string_view a = left->chars(c);
    // The left view may live in a child's buffer; copy it before evaluating the right.
    scratch.assign(a.data(), a.size());
    std::string_view b = right->chars(c);
    if (moving) {
      joinMovingBlanks(scratch, b, buffer);
      return buffer;
    }
    scratch.append(b.data(), b.size());
    return scratch;
  }
  std::size_t width() const override { return left->width() + right->width(); }
  bool moving;
  std::string scratch, buffer;
};

// date + number, number + date, date - number
struct DateShiftNode : Binary {
  DateShiftNode(bool dateFirst, bool subtract, NodePtr a, NodePtr b)
      : Binary(ValueType::Date, std::move(a), std::move(b)), dateLeft(dateFirst), minus(subtract) {}
  JulianDay date(const EvalContext& c) override {
    JulianDay d = dateLeft ? left->date(c) : right->date(c);
    double n = dateLeft ? right->number(c) : left->number(c);
    if (d <= 0) return 0;
    double r = minus ? d - std::trunc(n) : d + std::trunc(n);
    return r >= kFirstJulianDay && r <= kLastJulianDay ? JulianDay(r) : 0;
  }
  bool dateLeft, minus;
};

struct DateDiffNode : Binary {
  using Binary::Binary;
  double number(const EvalContext& c) override { return double(left->date(c)) - double(right->date(c)); }
};

enum class Rel { Eq, EqEq, Ne, Lt, Le, Gt, Ge };

bool relHolds(Rel r, int cmp) {
  switch (r) {
    case Rel::Eq: case Rel::EqEq: return cmp == 0;
    case Rel::Ne: return cmp != 0;
    case Rel::Lt: return cmp < 0;
    case Rel::Le: return cmp <= 0;
    case Rel::Gt: return cmp > 0;
    case Rel::Ge: return cmp >= 0;
  }
  return false;
}

template <typename T>
int order(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

struct CompareNode : Binary {
  CompareNode(Rel r, NodePtr a, NodePtr b) : Binary(ValueType::Logical, std::move(a), std::move(b)), rel(r) {}
  bool logical(const EvalContext& c) override {
    switch (left->type) {
      case ValueType::Numeric: return relHolds(rel, order(left->number(c), right->number(c)));
      case ValueType::Date: return relHolds(rel, order(left->date(c), right->date(c)));
      case ValueType::Logical: return relHolds(rel, order(int(left->logical(c)), int(right->logical(c))));
      case ValueType::Character: {
        std::string_view a = left->chars(c);
        scratch.assign(a.data(), a.size());
        std::string_view b = right->chars(c);
        if (rel == Rel::EqEq) return scratch == b;
        return relHolds(rel, compareChars(scratch, b, c.env && c.env->exact));
      }
    }
    return false;
  }
  Rel rel;
  std::string scratch;
};

struct ContainsNode : Binary {
  using Binary::Binary;
  bool logical(const EvalContext& c) override {
    std::string_view a = left->chars(c);
    scratch.assign(a.data(), a.size());
    std::string_view b = right->chars(c);
    return !scratch.empty() && b.find(scratch) != std::string_view::npos;
  }
  std::string scratch;
};

// ---------------------------------------------------------------- parser


class Parser {
 public:
  Parser(const std::string& text, const std::vector<FieldDef>& fields)
      : text_(text), fields_(fields), tokens_(Lexer(text, text).run()) {}

  NodePtr parse(bool& usesMemo) {
    if (peek().kind == Tok::End) fail(peek().pos, "the expression is empty");
    NodePtr n = orExpr();
    if (peek().kind != Tok::End) fail(peek().pos, "expected an operator or the end of the expression");
    usesMemo = usesMemo_;
    return n;
  }

 private:
  [[noreturn]] void fail(std::size_t pos, const std::string& what) { throw ExpressionError(text_, pos + 1, what); }
  const Token& peek() const { return tokens_[k_]; }
  Token take() { return tokens_[k_++]; }
  bool accept(Tok kind) {
    if (peek().kind != kind) return false;
    ++k_;
    return true;
  }
  void need(NodePtr& n, ValueType t, std::size_t pos, const char* op) {
    if (n->type != t)
      fail(pos, std::string(op) + " needs " + describe(t) + ", not " + describe(n->type));
  }

  // Bounds recursion so that deeply nested input cannot exhaust the stack.
  struct Depth {
    Parser& p;
    explicit Depth(Parser& parser, std::size_t pos) : p(parser) {
      if (++p.depth_ > kMaxDepth) p.fail(pos, "the expression is nested too deeply");
    }
    ~Depth() { --p.depth_; }
  };
  static constexpr int kMaxDepth = 256;

  NodePtr orExpr() {
    Depth guard(*this, peek().pos);
    NodePtr left = andExpr();
    while (peek().kind == Tok::Or) {
      std::size_t pos = take().pos;
      NodePtr right = andExpr();
      need(left, ValueType::Logical, pos, ".OR.");
      need(right, ValueType::Logical, pos, ".OR.");
      left = std::make_unique<OrNode>(ValueType::Logical, std::move(left), std::move(right));
    }
    return left;
  }

  NodePtr andExpr() {
    NodePtr left = notExpr();
    while (peek().kind == Tok::And) {
      std::size_t pos = take().pos;
      NodePtr right = notExpr();
      need(left, ValueType::Logical, pos, ".AND.");
      need(right, ValueType::Logical, pos, ".AND.");
      left = std::make_unique<AndNode>(ValueType::Logical, std::move(left), std::move(right));
    }
    return left;
  }

  NodePtr notExpr() {
    Depth guard(*this, peek().pos);
    if (peek().kind == Tok::Not) {
      std::size_t pos = take().pos;
      NodePtr arg = notExpr();
      need(arg, ValueType::Logical, pos, ".NOT.");
      return std::make_unique<NotNode>(std::move(arg));
    }
    return relExpr();
  }

  NodePtr relExpr() {
    NodePtr left = addExpr();
    while (true) {
      Tok k = peek().kind;
      Rel rel;
      switch (k) {
        case Tok::Eq: rel = Rel::Eq; break;
        case Tok::EqEq: rel = Rel::EqEq; break;
        case Tok::Ne: rel = Rel::Ne; break;
        case Tok::Lt: rel = Rel::Lt; break;
        case Tok::Le: rel = Rel::Le; break;
        case Tok::Gt: rel = Rel::Gt; break;
        case Tok::Ge: rel = Rel::Ge; break;
        case Tok::Dollar: {
          std::size_t pos = take().pos;
          NodePtr right = addExpr();
          need(left, ValueType::Character, pos, "$");
          need(right, ValueType::Character, pos, "$");
          left = std::make_unique<ContainsNode>(ValueType::Logical, std::move(left), std::move(right));
          continue;
        }
        default: return left;
      }
      std::size_t pos = take().pos;
      NodePtr right = addExpr();
      if (left->type != right->type)
        fail(pos, std::string("cannot compare ") + describe(left->type) + " with " + describe(right->type));
      left = std::make_unique<CompareNode>(rel, std::move(left), std::move(right));
    }
  }

  NodePtr addExpr() {
    NodePtr left = mulExpr();
    while (peek().kind == Tok::Plus || peek().kind == Tok::Minus) {
      Token op = take();
      bool minus = op.kind == Tok::Minus;
      NodePtr right = mulExpr();
      ValueType a = left->type, b = right->type;
      if (a == ValueType::Numeric && b == ValueType::Numeric) {
        left = std::make_unique<ArithNode>(minus ? Arith::Sub : Arith::Add, std::move(left), std::move(right));
      } else if (a == ValueType::Character && b == ValueType::Character) {
        left = std::make_unique<ConcatNode>(minus, std::move(left), std::move(right));
      } else if (a == ValueType::Date && b == ValueType::Numeric) {
        left = std::make_unique<DateShiftNode>(true, minus, std::move(left), std::move(right));
      } else if (a == ValueType::Numeric && b == ValueType::Date && !minus) {
        left = std::make_unique<DateShiftNode>(false, false, std::move(left), std::move(right));
      } else if (a == ValueType::Date && b == ValueType::Date && minus) {
        left = std::make_unique<DateDiffNode>(ValueType::Numeric, std::move(left), std::move(right));
      } else {
        fail(op.pos, std::string("cannot ") + (minus ? "subtract " : "add ") + describe(b) +
                         (minus ? " from " : " to ") + describe(a));
      }
    }
    return left;
  }

  NodePtr mulExpr() {
    NodePtr left = powExpr();
    while (peek().kind == Tok::Star || peek().kind == Tok::Slash || peek().kind == Tok::Percent) {
      Token op = take();
      NodePtr right = powExpr();
      const char* name = op.kind == Tok::Star ? "*" : op.kind == Tok::Slash ? "/" : "%";
      need(left, ValueType::Numeric, op.pos, name);
      need(right, ValueType::Numeric, op.pos, name);
      Arith a = op.kind == Tok::Star ? Arith::Mul : op.kind == Tok::Slash ? Arith::Div : Arith::Mod;
      left = std::make_unique<ArithNode>(a, std::move(left), std::move(right));
    }
    return left;
  }

  // Exponents group left to right, as in xBase: 2^3^2 is 64.
  NodePtr powExpr() {
    NodePtr left = unary();
    while (peek().kind == Tok::Power) {
      std::size_t pos = take().pos;
      NodePtr right = unary();
      need(left, ValueType::Numeric, pos, "^");
      need(right, ValueType::Numeric, pos, "^");
      left = std::make_unique<ArithNode>(Arith::Pow, std::move(left), std::move(right));
    }
    return left;
  }

  NodePtr unary() {
    Depth guard(*this, peek().pos);
    if (peek().kind == Tok::Minus || peek().kind == Tok::Plus) {
      Token op = take();
      NodePtr arg = unary();
      need(arg, ValueType::Numeric, op.pos, op.kind == Tok::Minus ? "unary -" : "unary +");
      if (op.kind == Tok::Plus) return arg;
      return std::make_unique<NegateNode>(std::move(arg));
    }
    return primary();
  }

  NodePtr primary() {
    Token t = take();
    switch (t.kind) {
      case Tok::Number: return std::make_unique<NumberLiteral>(t.number);
      case Tok::String: return std::make_unique<StringLiteral>(t.text);
      case Tok::True: return std::make_unique<LogicalLiteral>(true);
      case Tok::False: return std::make_unique<LogicalLiteral>(false);
      case Tok::LParen: {
        NodePtr inner = orExpr();
        if (!accept(Tok::RParen)) fail(peek().pos, "expected ')'");
        return inner;
      }
      case Tok::Ident: {
        if (accept(Tok::LParen)) {
          std::vector<NodePtr> args;
          if (!accept(Tok::RParen)) {
            while (true) {
              args.push_back(orExpr());
              if (accept(Tok::RParen)) break;
              if (!accept(Tok::Comma)) fail(peek().pos, "expected ',' or ')'");
            }
          }
          return expr::makeFunction(text_, t.pos, t.text, std::move(args));
        }
        std::string name = t.text;
        std::size_t pos = t.pos;
        // alias->field: the alias is ignored, there is only one table.
        if (accept(Tok::Arrow)) {
          Token f = take();
          if (f.kind != Tok::Ident) fail(f.pos, "expected a field name after ->");
          name = f.text;
          pos = f.pos;
        }
        // Field names are at most 10 characters in the file; a longer name (as
        // Visual FoxPro databases keep them) matches its first 10.
        if (name.size() > 10) name.resize(10);
        for (const FieldDef& f : fields_) {
          if (f.name == name) {
            if (f.type == FieldType::NullFlags || f.type == FieldType::General || f.type == FieldType::Picture)
              fail(pos, "field " + name + " cannot be used in an expression");
            if (f.isMemo()) usesMemo_ = true;
            return std::make_unique<FieldNode>(f);
          }
        }
        fail(pos, "unknown field " + name);
      }
      case Tok::End: fail(t.pos, "expected an operand, found the end of the expression");
      default: fail(t.pos, "expected an operand");
    }
  }

  const std::string& text_;
  const std::vector<FieldDef>& fields_;
  std::vector<Token> tokens_;
  std::size_t k_ = 0;
  bool usesMemo_ = false;
  int depth_ = 0;  // current recursion depth of the descent
};

}  // namespace

Expression Expression::compile(std::string_view text, const std::vector<FieldDef>& fields) {
  Expression e;
  e.text_ = std::string(text);
  Parser p(e.text_, fields);
  e.root_ = p.parse(e.usesMemo_);
  return e;
}

Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;
Expression::~Expression() = default;

ValueType Expression::type() const { return root_->type; }
std::size_t Expression::width() const { return root_->width(); }
bool Expression::logical(const EvalContext& ctx) { return root_->logical(ctx); }
double Expression::number(const EvalContext& ctx) { return root_->number(ctx); }
JulianDay Expression::date(const EvalContext& ctx) { return root_->date(ctx); }
std::string_view Expression::characters(const EvalContext& ctx) { return root_->chars(ctx); }

Value Expression::evaluate(const EvalContext& ctx) {
  switch (root_->type) {
    case ValueType::Numeric: return Value::numeric(root_->number(ctx));
    case ValueType::Logical: return Value::boolean(root_->logical(ctx));
    case ValueType::Date: return Value::dateValue(root_->date(ctx));
    case ValueType::Character: break;
  }
  return Value::character(std::string(root_->chars(ctx)));
}

}  // namespace xbase
