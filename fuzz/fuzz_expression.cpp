// Compiles fuzzed expression text against a table with every field type and
// evaluates what compiles on a few records.
#include "fuzz_support.h"
#include "xbase/cursor.h"
#include "xbase/error.h"
#include "xbase/expression.h"
#include "xbase/table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<xbase::Table> table = [] {
    std::string path = qvfuzz::scratchPath("e.dbf");
    xbase::Table::create(path, xbase::parseFieldList("LNAME:C:10,AGE:N:5:1,ISDEL:L,BORN:D,MEMO:M,CODES:C:4"));
    auto t = xbase::Table::open(path);
    const char* rows[][6] = {{"Smith", "42.5", "F", "19970428", "memo text", "ABC"},
                             {"", "", "", "", "", ""},
                             {"Ölund", "-1", "T", "20000229", "x", "C"}};
    for (auto& row : rows) {
      xbase::Record r = t->blankRecord();
      for (int i = 0; i < 6; ++i) r.setText(i, row[i]);
      t->append(r);
    }
    return t;
  }();
  std::string text(reinterpret_cast<const char*>(data), size);
  try {
    xbase::Expression e = xbase::Expression::compile(text, table->fields());
    xbase::Environment env;
    for (uint32_t r = 1; r <= table->recordCount(); ++r) {
      xbase::EvalContext ctx{table->rawRecord(r), r, table.get(), &env};
      (void)e.evaluate(ctx);
      env.exact = !env.exact;
    }
  } catch (const xbase::Error&) {
  }
  return 0;
}
