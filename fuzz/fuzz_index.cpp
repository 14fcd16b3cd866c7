// Opens a table with a fuzzed production index beside it, walks and seeks
// every order, checks the index, then appends and edits a record so that
// inserts and removals run on the damaged trees too.
#include "fuzz_support.h"
#include "xbase/cursor.h"
#include "xbase/error.h"
#include "xbase/index_check.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

namespace {

// The table's bytes, made once; restored before every input.
const std::string& tableBytes(const std::string& path) {
  static std::string bytes = [&] {
    xbase::Table::create(path, xbase::parseFieldList("ROOMNAME:C:10,FACILITY:C:10,N:N:5:0,L:L,D:D"));
    {
      auto t = xbase::Table::open(path);
      for (int i = 0; i < 60; ++i) {
        xbase::Record r = t->blankRecord();
        r.setText("ROOMNAME", "Room " + std::to_string(i * 37 % 60));
        r.setText("FACILITY", i % 3 ? "Audio" : "Film");
        r.setText("N", std::to_string(i % 17));
        r.setText("L", i % 2 ? "T" : "F");
        r.setText("D", i % 5 ? "20200101" : "");
        t->append(r);
      }
    }
    FILE* f = std::fopen(path.c_str(), "rb");
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    std::fclose(f);
    return out;
  }();
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string dbf = qvfuzz::scratchPath("t.dbf");
  static const std::string cdx = qvfuzz::scratchPath("t.cdx");
  const std::string& table = tableBytes(dbf);
  qvfuzz::writeScratch(dbf, reinterpret_cast<const uint8_t*>(table.data()), table.size());
  qvfuzz::writeScratch(cdx, data, size);
  try {
    auto t = xbase::Table::open(dbf);
    (void)xbase::checkIndexes(*t, 5);
    xbase::Environment env;
    xbase::Cursor c(*t, env);
    for (int order = 1; order <= t->indexes().orderCount(); ++order) {
      try {
        c.setOrder(order);
        int steps = 0;
        for (bool ok = c.first(); ok && steps < 200; ok = c.next()) ++steps;
        for (bool ok = c.last(); ok && steps < 400; ok = c.previous()) ++steps;
        env.softSeek = true;
        c.seek("Room 1");
      } catch (const xbase::Error&) {
      }
    }
    try {
      xbase::Record r = t->blankRecord();
      r.setText("ROOMNAME", "Room 99");
      t->append(r);
      xbase::Record e = t->read(7);
      e.setText("ROOMNAME", "AAA");
      e.setText("N", "3");
      t->update(e);
    } catch (const xbase::Error&) {
    }
  } catch (const xbase::Error&) {
  }
  return 0;
}
