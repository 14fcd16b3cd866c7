#include "commands.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <iostream>

#include "data/address_file.h"
#include "data/delivered_data.h"
#include "data/filters.h"
#include "data/settings.h"
#include "platform/csv_reader.h"
#include "platform/home.h"
#include "platform/prompts.h"
#include "xbase/cursor.h"
#include "xbase/error.h"
#include "xbase/index_check.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

namespace qvdbf {

namespace {

constexpr const char* kUsage =
    "usage: qvdbf COMMAND FILE ...\n"
    "  info FILE                          version, record count, one line per field\n"
    "  create FILE FIELDS                 FIELDS like LNAME:C:30,AGE:N:3:0,NOTE:M\n"
    "  append-csv FILE CSV                append one record per CSV line; prints the number appended\n"
    "  count FILE [--deleted on|off] [--exact on|off] [--order TAG] [EXPR]\n"
    "                                     records matching EXPR (deleted ones hidden unless --deleted off)\n"
    "  list FILE [--fields A,B,...] [--filter EXPR] [--limit N] [--order TAG] [--deleted on|off]\n"
    "                                     CSV of the records in view, record number first\n"
    "  index FILE TAG EXPR                create or replace a tag in the production index\n"
    "  reindex FILE                       rebuild every tag of the production index from its expression\n"
    "  seek FILE TAG KEY [--exact] [--soft]\n"
    "                                     the record number found, or \"not found\" (with --soft\n"
    "                                     also the record the cursor stands on, or \"eof\")\n"
    "  check FILE                         verify every tag against the records: \"ok\" or the problems\n"
    "  create-address FILE                a new, empty address file with its 26 tags (default widths)\n"
    "  filter FILE                        the 20 filter values (.FLT lines) on standard input: prints the\n"
    "                                     engine query the filter sets, then the number of records matching\n"
    "  setup-home                         make the home's folders, copy the delivered tables, create\n"
    "                                     DATA/add0001.DBF when missing; prints the home\n"
    "  eval FILE RECNO EXPR               the value of EXPR on that record: C:text N:number L:T D:yyyymmdd\n"
    "  pack FILE                          remove records marked deleted; prints the number left\n"
    "  zap FILE                           remove every record\n"
    "exit status: 0 done, 1 a failed check, 2 bad usage or an unreadable file\n";

bool parseSwitch(const std::string& value, bool& out) {
  if (value == "on") out = true;
  else if (value == "off") out = false;
  else return false;
  return true;
}

std::string formatNumberOut(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

std::string valueText(const xbase::Value& v) {
  switch (v.type) {
    case xbase::ValueType::Character: return "C:" + v.text;
    case xbase::ValueType::Numeric: return "N:" + formatNumberOut(v.number);
    case xbase::ValueType::Logical: return std::string("L:") + (v.logical ? "T" : "F");
    case xbase::ValueType::Date: return "D:" + xbase::formatDtos(v.date);
  }
  return {};
}

// Options of the form --name value, anywhere among the arguments; the rest
// are returned in order.
struct Options {
  std::vector<std::pair<std::string, std::string>> named;
  Args positional;
  const std::string* get(const std::string& name) const {
    for (const auto& [n, v] : named)
      if (n == name) return &v;
    return nullptr;
  }
};

bool splitOptions(const Args& args, const std::vector<std::string>& allowed, Options& out, std::string& problem) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      std::string name = a.substr(2);
      bool known = false;
      for (const auto& n : allowed) known |= n == name;
      if (!known) {
        problem = "unknown option " + a;
        return false;
      }
      if (i + 1 >= args.size()) {
        problem = "option " + a + " needs a value";
        return false;
      }
      out.named.emplace_back(name, args[++i]);
    } else {
      out.positional.push_back(a);
    }
  }
  return true;
}

// The program's messages, written to stderr while a command runs.
class ReportingPrompts : public platform::Prompts {
 public:
  ReportingPrompts() { platform::setPrompts(this); }
  ~ReportingPrompts() override { platform::setPrompts(nullptr); }
  void info(const std::string& text) override { std::fprintf(stderr, "qvdbf: %s\n", text.c_str()); }
  void error(const std::string& text) override { std::fprintf(stderr, "qvdbf: %s\n", text.c_str()); }
  bool ask(const std::string&, const std::string& text, bool) override {
    std::fprintf(stderr, "qvdbf: %s (answered No)\n", text.c_str());
    return false;
  }
  void beep() override {}
};

}  // namespace

int usage(const std::string& problem) {
  if (!problem.empty()) std::fprintf(stderr, "qvdbf: %s\n", problem.c_str());
  std::fputs(kUsage, problem.empty() ? stdout : stderr);
  return problem.empty() ? 0 : 2;
}

int cmdInfo(const Args& args) {
  if (args.size() != 1) return usage("info takes one FILE");
  auto table = xbase::Table::open(args[0], xbase::OpenMode::SharedReadOnly);
  std::printf("version 0x%02X\n", table->header().version);
  std::printf("records %u\n", table->recordCount());
  for (const auto& f : table->fields())
    std::printf("%s %c %u %u\n", f.name.c_str(), static_cast<char>(f.type), unsigned(f.width), unsigned(f.decimals));
  xbase::IndexSet& indexes = table->indexes();
  for (int i = 1; i <= indexes.orderCount(); ++i) {
    xbase::IndexTag& tag = indexes.order(i);
    std::printf("TAG %s %s\n", tag.name.c_str(), tag.tree->header().expression.c_str());
  }
  if (!indexes.error().empty()) std::fprintf(stderr, "qvdbf: %s\n", indexes.error().c_str());
  return 0;
}

int cmdCreate(const Args& args) {
  if (args.size() != 2) return usage("create takes FILE and FIELDS");
  xbase::Table::create(args[0], xbase::parseFieldList(args[1]));
  return 0;
}

int cmdAppendCsv(const Args& args) {
  if (args.size() != 2) return usage("append-csv takes FILE and CSV");
  auto table = xbase::Table::open(args[0], xbase::OpenMode::Exclusive);
  std::FILE* in = args[1] == "-" ? stdin : std::fopen(args[1].c_str(), "rb");
  if (!in) {
    std::fprintf(stderr, "qvdbf: %s: cannot open the file\n", args[1].c_str());
    return 2;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(in == stdin ? nullptr : in, std::fclose);
  platform::CsvReader reader(in);
  std::vector<std::string> values;
  unsigned long appended = 0;
  table->beginBulk();
  const int fields = table->fieldCount();
  try {
    while (reader.next(values)) {
      xbase::Record record = table->blankRecord();
      for (int i = 0; i < fields && std::size_t(i) < values.size(); ++i) record.setText(i, values[std::size_t(i)]);
      table->append(record);
      ++appended;
    }
    table->endBulk();
  } catch (const xbase::Error& e) {
    table->endBulk();
    std::fprintf(stderr, "qvdbf: %s: line %ld: %s (%lu records appended before it)\n", args[1].c_str(), reader.line(),
                 e.what(), appended);
    return 2;
  }
  std::printf("%lu\n", appended);
  return 0;
}

int cmdCount(const Args& args) {
  Options o;
  std::string problem;
  if (!splitOptions(args, {"deleted", "exact", "order"}, o, problem)) return usage(problem);
  if (o.positional.empty() || o.positional.size() > 2) return usage("count takes FILE and at most one EXPR");
  xbase::Environment env;
  if (auto v = o.get("deleted"); v && !parseSwitch(*v, env.deleted)) return usage("--deleted takes on or off");
  if (auto v = o.get("exact"); v && !parseSwitch(*v, env.exact)) return usage("--exact takes on or off");
  auto table = xbase::Table::open(o.positional[0], xbase::OpenMode::SharedReadOnly);
  xbase::Cursor cursor(*table, env);
  if (auto tag = o.get("order")) cursor.setOrder(*tag);
  if (o.positional.size() == 2) cursor.setQuery(o.positional[1]);
  std::printf("%u\n", cursor.count());
  return 0;
}

int cmdList(const Args& args) {
  Options o;
  std::string problem;
  if (!splitOptions(args, {"fields", "filter", "limit", "order", "deleted"}, o, problem)) return usage(problem);
  if (o.positional.size() != 1) return usage("list takes one FILE");
  xbase::Environment env;
  if (auto v = o.get("deleted"); v && !parseSwitch(*v, env.deleted)) return usage("--deleted takes on or off");
  auto table = xbase::Table::open(o.positional[0], xbase::OpenMode::SharedReadOnly);
  xbase::Cursor cursor(*table, env);
  if (auto tag = o.get("order")) cursor.setOrder(*tag);
  if (auto f = o.get("filter")) cursor.setQuery(*f);
  long limit = -1;
  if (auto l = o.get("limit")) {
    char* end = nullptr;
    limit = std::strtol(l->c_str(), &end, 10);
    if (l->empty() || *end || limit < 0) return usage("--limit takes a number");
  }
  std::vector<int> columns;
  if (auto f = o.get("fields")) {
    std::size_t start = 0;
    while (start <= f->size()) {
      std::size_t comma = f->find(',', start);
      std::string name = f->substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      int index = table->fieldIndex(name);
      if (index < 0) throw xbase::Error(table->path(), "no field named " + name);
      columns.push_back(index);
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  } else {
    for (int i = 0; i < table->fieldCount(); ++i)
      if (table->field(i).type != xbase::FieldType::NullFlags) columns.push_back(i);
  }
  table->setSequentialReading(true);
  std::string line;
  for (bool ok = cursor.first(); ok && limit != 0; ok = cursor.next(), --limit) {
    xbase::Record record = cursor.read();
    line = std::to_string(record.recno());
    for (int c : columns) {
      line.push_back(',');
      line += platform::csvField(record.text(c));
    }
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return 0;
}

int cmdEval(const Args& args) {
  if (args.size() != 3) return usage("eval takes FILE, RECNO and EXPR");
  auto table = xbase::Table::open(args[0], xbase::OpenMode::SharedReadOnly);
  char* end = nullptr;
  unsigned long recno = std::strtoul(args[1].c_str(), &end, 10);
  if (args[1].empty() || *end) return usage("RECNO must be a record number");
  if (recno < 1 || recno > table->recordCount()) throw xbase::Error(table->path(), "record " + args[1] + " does not exist");
  xbase::Environment env;
  xbase::Expression e = xbase::Expression::compile(args[2], table->fields());
  xbase::EvalContext ctx{table->rawRecord(uint32_t(recno)), uint32_t(recno), table.get(), &env};
  std::printf("%s\n", valueText(e.evaluate(ctx)).c_str());
  return 0;
}

int cmdPack(const Args& args) {
  if (args.size() != 1) return usage("pack takes one FILE");
  auto table = xbase::Table::open(args[0], xbase::OpenMode::Exclusive);
  table->pack();
  std::printf("%u\n", table->recordCount());
  return 0;
}

int cmdIndex(const Args& args) {
  if (args.size() != 3) return usage("index takes FILE, TAG and EXPR");
  auto table = xbase::Table::open(args[0], xbase::OpenMode::Exclusive);
  table->indexes().createTag(args[1], args[2]);
  return 0;
}

int cmdReindex(const Args& args) {
  if (args.size() != 1) return usage("reindex takes one FILE");
  auto table = xbase::Table::open(args[0], xbase::OpenMode::Exclusive);
  table->indexes().reindex();
  return 0;
}

int cmdSeek(const Args& args) {
  bool exact = false, soft = false;
  Args rest;
  for (const auto& a : args) {
    if (a == "--exact") exact = true;
    else if (a == "--soft") soft = true;
    else rest.push_back(a);
  }
  if (rest.size() != 3) return usage("seek takes FILE, TAG and KEY");
  auto table = xbase::Table::open(rest[0], xbase::OpenMode::SharedReadOnly);
  xbase::Environment env;
  env.exact = exact;
  env.softSeek = soft;
  xbase::Cursor cursor(*table, env);
  cursor.setOrder(rest[1]);
  if (cursor.seek(rest[2])) {
    std::printf("%u\n", cursor.recno());
    return 0;
  }
  std::printf("not found\n");
  if (soft) {
    if (cursor.eof()) std::printf("eof\n");
    else std::printf("%u\n", cursor.recno());
  }
  return 0;
}

int cmdCheck(const Args& args) {
  if (args.size() != 1) return usage("check takes one FILE");
  auto table = xbase::Table::open(args[0], xbase::OpenMode::SharedReadOnly);
  std::vector<std::string> problems = xbase::checkIndexes(*table);
  if (problems.empty()) {
    std::printf("ok\n");
    return 0;
  }
  for (const auto& p : problems) std::printf("%s\n", p.c_str());
  return 1;
}

int cmdCreateAddress(const Args& args) {
  if (args.size() != 1) return usage("create-address takes one FILE");
  ReportingPrompts messages;
  return data::createAddressFile(args[0], data::defaultFieldWidths()) ? 0 : 2;
}

int cmdFilter(const Args& args) {
  if (args.size() != 1) return usage("filter takes one FILE");
  ReportingPrompts messages;
  xbase::Environment env;
  auto table = xbase::Table::open(args[0], xbase::OpenMode::SharedReadOnly);
  xbase::Cursor cursor(*table, env);
  data::FilterState state;
  state.values = data::readFilterValues(std::cin);
  const std::string tagId = data::Settings().readString("Misc", "GlobalTagId", "");
  const std::string userFilter = data::buildQueryString(state.values, tagId);
  const bool baseOnly = userFilter.empty() || data::filterTooComplex(userFilter);
  const std::string query = baseOnly ? "!ISDEL" : data::engineQuery(userFilter);
  uint32_t matches = data::applyFilter(state, cursor, tagId);
  if (baseOnly) matches = cursor.count();
  std::printf("%s\n%u\n", query.c_str(), matches);
  return 0;
}

int cmdSetupHome(const Args& args) {
  if (!args.empty()) return usage("setup-home takes no arguments");
  ReportingPrompts messages;
  for (const auto& name : data::prepareHome()) std::fprintf(stderr, "copied %s\n", name.c_str());
  const std::string file = platform::dataFolder() + "add0001.DBF";
  if (!xbase::fileExists(platform::pathNoCase(platform::dataFolder(), "add0001.DBF"))) {
    data::Settings settings;
    if (!data::createAddressFile(file, data::readFieldWidths(settings))) return 2;
    std::fprintf(stderr, "created %s\n", file.c_str());
  }
  std::printf("%s\n", platform::homeFolder().c_str());
  return 0;
}

int cmdZap(const Args& args) {
  if (args.size() != 1) return usage("zap takes one FILE");
  auto table = xbase::Table::open(args[0], xbase::OpenMode::Exclusive);
  table->zap();
  return 0;
}

}  // namespace qvdbf
