// The functions an expression may call. Names are matched without regard to
// case and, as in xBase, may be shortened to their first four letters or more
// when that leaves no doubt.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "error.h"
#include "expression_nodes.h"
#include "field_codec.h"
#include "string_ops.h"

namespace xbase::expr {

namespace {

enum class Fn {
  Upper, Lower, Trim, Ltrim, Alltrim, Substr, Left, Right, Len, Empty, Deleted, Recno, Str, Val, Dtos,
  Dtoc, Ctod, Date, Iif, Space, At, Abs, Int, Round, Max, Min, Chr, Asc, Replicate, Padl, Padr, Padc,
  Year, Month, Day, Between, Inlist, Isblank
};

struct FnInfo {
  const char* name;
  Fn fn;
  int minArgs, maxArgs;
};

constexpr FnInfo kFunctions[] = {
    {"UPPER", Fn::Upper, 1, 1},     {"LOWER", Fn::Lower, 1, 1},       {"TRIM", Fn::Trim, 1, 1},
    {"RTRIM", Fn::Trim, 1, 1},      {"LTRIM", Fn::Ltrim, 1, 1},       {"ALLTRIM", Fn::Alltrim, 1, 1},
    {"SUBSTR", Fn::Substr, 2, 3},   {"LEFT", Fn::Left, 2, 2},         {"RIGHT", Fn::Right, 2, 2},
    {"LEN", Fn::Len, 1, 1},         {"EMPTY", Fn::Empty, 1, 1},       {"DELETED", Fn::Deleted, 0, 0},
    {"RECNO", Fn::Recno, 0, 0},     {"STR", Fn::Str, 1, 3},           {"VAL", Fn::Val, 1, 1},
    {"DTOS", Fn::Dtos, 1, 1},       {"DTOC", Fn::Dtoc, 1, 1},         {"CTOD", Fn::Ctod, 1, 1},
    {"DATE", Fn::Date, 0, 0},       {"IIF", Fn::Iif, 3, 3},           {"SPACE", Fn::Space, 1, 1},
    {"AT", Fn::At, 2, 2},           {"ABS", Fn::Abs, 1, 1},           {"INT", Fn::Int, 1, 1},
    {"ROUND", Fn::Round, 2, 2},     {"MAX", Fn::Max, 2, 2},           {"MIN", Fn::Min, 2, 2},
    {"CHR", Fn::Chr, 1, 1},         {"ASC", Fn::Asc, 1, 1},           {"REPLICATE", Fn::Replicate, 2, 2},
    {"PADL", Fn::Padl, 2, 3},       {"PADR", Fn::Padr, 2, 3},         {"PADC", Fn::Padc, 2, 3},
    {"YEAR", Fn::Year, 1, 1},       {"MONTH", Fn::Month, 1, 1},       {"DAY", Fn::Day, 1, 1},
    {"BETWEEN", Fn::Between, 3, 3}, {"INLIST", Fn::Inlist, 2, 64},    {"ISBLANK", Fn::Isblank, 1, 1},
};


// Counts as huge any length an argument might ask for; results are capped so
// that a stray SPACE(1e9) cannot exhaust memory.
constexpr double kMaxResult = 65535;

std::size_t clampLength(double n) {
  if (!(n > 0)) return 0;
  return std::size_t(std::min(std::trunc(n), kMaxResult));
}

struct FunctionNode : Node {
  FunctionNode(Fn f, ValueType t, std::vector<NodePtr> a) : Node(t), fn(f), args(std::move(a)) {}

  std::string_view str(std::size_t i, const EvalContext& c, std::string& keep) {
    std::string_view v = args[i]->chars(c);
    keep.assign(v.data(), v.size());
    return keep;
  }

  bool isEmpty(const EvalContext& c) {
    const NodePtr& a = args[0];
    switch (a->type) {
      case ValueType::Character: {
        std::string_view v = a->chars(c);
        return std::all_of(v.begin(), v.end(), [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; });
      }
      case ValueType::Numeric: return a->number(c) == 0;
      case ValueType::Date: return a->date(c) == 0;
      case ValueType::Logical: return !a->logical(c);
    }
    return true;
  }

  // Three-way comparison of two arguments of the same type.
  int compareArgs(std::size_t i, std::size_t j, const EvalContext& c) {
    switch (args[i]->type) {
      case ValueType::Numeric: {
        double a = args[i]->number(c), b = args[j]->number(c);
        return a < b ? -1 : (a > b ? 1 : 0);
      }
      case ValueType::Date: {
        JulianDay a = args[i]->date(c), b = args[j]->date(c);
        return a < b ? -1 : (a > b ? 1 : 0);
      }
      case ValueType::Logical: return int(args[i]->logical(c)) - int(args[j]->logical(c));
      case ValueType::Character: {
        std::string_view a = str(i, c, scratch);
        std::string_view b = args[j]->chars(c);
        return compareChars(a, b, c.env && c.env->exact);
      }
    }
    return 0;
  }

  bool logical(const EvalContext& c) override {
    switch (fn) {
      case Fn::Empty: case Fn::Isblank: return isEmpty(c);
      case Fn::Deleted: return c.record && c.record[0] == '*';
      case Fn::Iif: return args[0]->logical(c) ? args[1]->logical(c) : args[2]->logical(c);
      case Fn::Between: return compareArgs(0, 1, c) >= 0 && compareArgs(0, 2, c) <= 0;
      case Fn::Inlist:
        for (std::size_t i = 1; i < args.size(); ++i)
          if (compareArgs(0, i, c) == 0) return true;
        return false;
      case Fn::Max: return args[0]->logical(c) || args[1]->logical(c);
      case Fn::Min: return args[0]->logical(c) && args[1]->logical(c);
      default: return false;
    }
  }

  double number(const EvalContext& c) override {
    switch (fn) {
      case Fn::Len: return double(args[0]->chars(c).size());
      case Fn::Recno: return double(c.recno);
      case Fn::Val: return parseNumber(args[0]->chars(c));
      case Fn::At: {
        std::string_view needle = str(0, c, scratch);
        std::string_view hay = args[1]->chars(c);
        if (needle.empty()) return 0;
        std::size_t p = hay.find(needle);
        return p == std::string_view::npos ? 0 : double(p + 1);
      }
      case Fn::Iif: return args[0]->logical(c) ? args[1]->number(c) : args[2]->number(c);
      case Fn::Abs: return std::fabs(args[0]->number(c));
      case Fn::Int: return std::trunc(args[0]->number(c));
      case Fn::Round: {
        double v = args[0]->number(c);
        int d = int(std::clamp(args[1]->number(c), -18.0, 18.0));
        double scale = std::pow(10.0, d);
        return std::round(v * scale) / scale;  // half away from zero, as xBase ROUND()
      }
      case Fn::Max: {
        double a = args[0]->number(c), b = args[1]->number(c);
        return a > b ? a : b;
      }
      case Fn::Min: {
        double a = args[0]->number(c), b = args[1]->number(c);
        return a < b ? a : b;
      }
      case Fn::Asc: {
        std::string_view s = args[0]->chars(c);
        return s.empty() ? 0 : double(static_cast<unsigned char>(s[0]));
      }
      case Fn::Year: case Fn::Month: case Fn::Day: {
        CalendarDate cd = fromJulian(args[0]->date(c));
        if (cd.year == 0) return 0;
        return fn == Fn::Year ? cd.year : fn == Fn::Month ? cd.month : cd.day;
      }
      default: return 0;
    }
  }

  JulianDay date(const EvalContext& c) override {
    switch (fn) {
      case Fn::Ctod: {
        Environment fallback;
        return parseDate(std::string(args[0]->chars(c)), c.env ? *c.env : fallback);
      }
      case Fn::Date: {
        CalendarDate d = today();
        return toJulian(d.year, d.month, d.day);
      }
      case Fn::Iif: return args[0]->logical(c) ? args[1]->date(c) : args[2]->date(c);
      case Fn::Max: return std::max(args[0]->date(c), args[1]->date(c));
      case Fn::Min: {
        JulianDay a = args[0]->date(c), b = args[1]->date(c);
        return std::min(a, b);
      }
      default: return 0;
    }
  }

  std::string_view chars(const EvalContext& c) override {
    switch (fn) {
      case Fn::Upper: case Fn::Lower: {
        std::string_view v = args[0]->chars(c);
        buffer.assign(v.data(), v.size());
        if (fn == Fn::Upper) upperInPlace(buffer.data(), buffer.size());
        else lowerInPlace(buffer.data(), buffer.size());
        return buffer;
      }
      case Fn::Trim: return trimRight(args[0]->chars(c));
      case Fn::Ltrim: {
        std::string_view v = args[0]->chars(c);
        std::size_t i = 0;
        while (i < v.size() && v[i] == ' ') ++i;
        return v.substr(i);
      }
      case Fn::Alltrim: return trimBlanks(args[0]->chars(c));
      case Fn::Substr: {
        std::string_view v = str(0, c, buffer);
        double start = std::trunc(args[1]->number(c));
        if (start < 1 || start > double(v.size())) return {};
        std::size_t from = std::size_t(start) - 1;
        std::size_t n = v.size() - from;
        if (args.size() > 2) n = std::min(n, clampLength(args[2]->number(c)));
        return v.substr(from, n);
      }
      case Fn::Left: {
        std::string_view v = str(0, c, buffer);
        return v.substr(0, std::min(v.size(), clampLength(args[1]->number(c))));
      }
      case Fn::Right: {
        std::string_view v = str(0, c, buffer);
        std::size_t n = std::min(v.size(), clampLength(args[1]->number(c)));
        return v.substr(v.size() - n);
      }
      case Fn::Str: {
        double v = args[0]->number(c);
        int width = args.size() > 1 ? int(clampLength(args[1]->number(c))) : 10;
        int decimals = args.size() > 2 ? int(std::min(clampLength(args[2]->number(c)), std::size_t(18))) : 0;
        if (width == 0) return {};
        // Too many decimals for the width: drop decimals before giving up.
        for (int d = decimals; d >= 0; --d) {
          if (d > 0 && d > width - 2) continue;
          if (formatNumber(v, width, d, buffer)) return buffer;
        }
        buffer.assign(std::size_t(width), '*');
        return buffer;
      }
      case Fn::Dtos: {
        buffer = formatDtos(args[0]->date(c));
        return buffer;
      }
      case Fn::Dtoc: {
        Environment fallback;
        buffer = formatDate(args[0]->date(c), c.env ? *c.env : fallback);
        return buffer;
      }
      case Fn::Iif: return args[0]->logical(c) ? args[1]->chars(c) : args[2]->chars(c);
      case Fn::Space: {
        buffer.assign(clampLength(args[0]->number(c)), ' ');
        return buffer;
      }
      case Fn::Chr: {
        double n = args[0]->number(c);
        buffer.assign(1, char(int(n >= 0 && n < 256 ? n : 0)));
        return buffer;
      }
      case Fn::Replicate: {
        std::string_view v = str(0, c, scratch);
        std::size_t times = clampLength(args[1]->number(c));
        buffer.clear();
        if (!v.empty()) times = std::min(times, std::size_t(kMaxResult) / v.size());
        for (std::size_t i = 0; i < times; ++i) buffer.append(v);
        return buffer;
      }
      case Fn::Padl: case Fn::Padr: case Fn::Padc: {
        std::string_view v = str(0, c, scratch);
        std::size_t width = clampLength(args[1]->number(c));
        char fill = ' ';
        if (args.size() > 2) {
          std::string_view f = args[2]->chars(c);
          if (!f.empty()) fill = f[0];
        }
        if (v.size() >= width) {
          buffer.assign(v.substr(0, width));
          return buffer;
        }
        std::size_t pad = width - v.size();
        std::size_t before = fn == Fn::Padl ? pad : fn == Fn::Padr ? 0 : pad / 2;
        buffer.assign(before, fill);
        buffer.append(v);
        buffer.append(pad - before, fill);
        return buffer;
      }
      case Fn::Max: case Fn::Min: {
        int cmp = compareArgs(0, 1, c);
        bool first = fn == Fn::Max ? cmp >= 0 : cmp <= 0;
        if (first) return scratch;
        std::string_view b = args[1]->chars(c);
        buffer.assign(b.data(), b.size());
        return buffer;
      }
      default: return {};
    }
  }

  // A numeric argument's value when it is known at compile time.
  bool constant(std::size_t i, double& out) const { return i < args.size() && args[i]->constantNumber(out); }

  std::size_t width() const override {
    double n = 0, m = 0;
    std::size_t w0 = args.empty() ? 0 : args[0]->width();
    switch (fn) {
      case Fn::Upper: case Fn::Lower: case Fn::Trim: case Fn::Ltrim: case Fn::Alltrim: return w0;
      case Fn::Substr: {
        double start = 1;
        bool knownStart = constant(1, start);
        std::size_t rest = knownStart && start >= 1 ? (start - 1 < double(w0) ? w0 - std::size_t(start - 1) : 0) : w0;
        if (args.size() > 2 && constant(2, n)) return std::min(rest, clampLength(n));
        return rest;
      }
      case Fn::Left: case Fn::Right: return constant(1, n) ? std::min(w0, clampLength(n)) : w0;
      case Fn::Str: return args.size() > 1 ? (constant(1, n) ? clampLength(n) : 20) : 10;
      case Fn::Dtos: return 8;
      case Fn::Dtoc: return 10;
      case Fn::Iif: return std::max(args[1]->width(), args[2]->width());
      case Fn::Space: return constant(0, n) ? clampLength(n) : 0;
      case Fn::Chr: return 1;
      case Fn::Replicate: return constant(1, n) ? std::min<std::size_t>(w0 * clampLength(n), std::size_t(kMaxResult)) : w0;
      case Fn::Padl: case Fn::Padr: case Fn::Padc: return constant(1, m) ? clampLength(m) : w0;
      case Fn::Max: case Fn::Min: return std::max(w0, args[1]->width());
      default: return 0;
    }
  }

  Fn fn;
  std::vector<NodePtr> args;
  std::string buffer, scratch;  // results and copies of arguments
};

[[noreturn]] void failAt(const std::string& expression, std::size_t position, const std::string& what) {
  throw ExpressionError(expression, position + 1, what);
}

const FnInfo* lookup(const std::string& name) {
  for (const FnInfo& f : kFunctions)
    if (name == f.name) return &f;
  if (name.size() < 4) return nullptr;
  const FnInfo* found = nullptr;
  for (const FnInfo& f : kFunctions) {
    if (std::strncmp(f.name, name.c_str(), name.size()) == 0) {
      if (found && found->fn != f.fn) return nullptr;  // ambiguous
      found = &f;
    }
  }
  return found;
}

}  // namespace

NodePtr makeFunction(const std::string& expression, std::size_t position, const std::string& name,
                     std::vector<NodePtr> args) {
  auto fail = [&](const std::string& what) { failAt(expression, position, what); };
  const FnInfo* info = lookup(name);
  if (!info) failAt(expression, position, "unknown function " + name + "()");
  int n = int(args.size());
  if (n < info->minArgs || n > info->maxArgs) {
    std::string want = info->minArgs == info->maxArgs
                           ? std::to_string(info->minArgs)
                           : std::to_string(info->minArgs) + " to " + std::to_string(info->maxArgs);
    fail(std::string(info->name) + "() takes " + want + " argument" + (info->maxArgs == 1 ? "" : "s") + ", not " +
         std::to_string(n));
  }
  auto want = [&](int i, ValueType t) {
    if (args[std::size_t(i)]->type != t)
      fail(std::string(info->name) + "() argument " + std::to_string(i + 1) + " must be " + describe(t) + ", not " +
           describe(args[std::size_t(i)]->type));
  };
  auto sameAsFirst = [&](int from) {
    for (int i = from; i < n; ++i) want(i, args[0]->type);
  };
  using V = ValueType;
  ValueType result = V::Character;
  switch (info->fn) {
    case Fn::Upper: case Fn::Lower: case Fn::Trim: case Fn::Ltrim: case Fn::Alltrim: want(0, V::Character); break;
    case Fn::Substr: want(0, V::Character); want(1, V::Numeric); if (n > 2) want(2, V::Numeric); break;
    case Fn::Left: case Fn::Right: case Fn::Replicate: want(0, V::Character); want(1, V::Numeric); break;
    case Fn::Padl: case Fn::Padr: case Fn::Padc:
      want(0, V::Character); want(1, V::Numeric); if (n > 2) want(2, V::Character); break;
    case Fn::Len: case Fn::Val: case Fn::Asc: want(0, V::Character); result = V::Numeric; break;
    case Fn::Empty: case Fn::Isblank: case Fn::Deleted: result = V::Logical; break;
    case Fn::Recno: result = V::Numeric; break;
    case Fn::Str: for (int i = 0; i < n; ++i) want(i, V::Numeric); break;
    case Fn::Dtos: case Fn::Dtoc: want(0, V::Date); break;
    case Fn::Ctod: want(0, V::Character); result = V::Date; break;
    case Fn::Date: result = V::Date; break;
    case Fn::Iif:
      want(0, V::Logical);
      want(2, args[1]->type);
      result = args[1]->type;
      break;
    case Fn::Space: case Fn::Chr: want(0, V::Numeric); break;
    case Fn::At: want(0, V::Character); want(1, V::Character); result = V::Numeric; break;
    case Fn::Abs: case Fn::Int: want(0, V::Numeric); result = V::Numeric; break;
    case Fn::Round: want(0, V::Numeric); want(1, V::Numeric); result = V::Numeric; break;
    case Fn::Max: case Fn::Min: sameAsFirst(1); result = args[0]->type; break;
    case Fn::Year: case Fn::Month: case Fn::Day: want(0, V::Date); result = V::Numeric; break;
    case Fn::Between: case Fn::Inlist:
      if (args[0]->type == V::Logical && info->fn == Fn::Between) fail("BETWEEN() cannot order logical values");
      sameAsFirst(1);
      result = V::Logical;
      break;
  }
  return std::make_unique<FunctionNode>(info->fn, result, std::move(args));
}

}  // namespace xbase::expr
