// Opens a fuzzed DBF (with a fixed small FPT beside it) and reads every
// field of every record, navigates and counts with a query.
#include "fuzz_support.h"
#include "xbase/cursor.h"
#include "xbase/error.h"
#include "xbase/table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string dbf = qvfuzz::scratchPath("t.dbf");
  static const std::string fpt = qvfuzz::scratchPath("t.fpt");
  static bool memoReady = false;
  if (!memoReady) {
    std::string header(512, '\0');
    header[3] = 9;   // next free block 9
    header[7] = 64;  // block size 64
    std::string block(64, 'm');
    block.replace(0, 8, std::string("\0\0\0\1\0\0\0\x0c", 8));
    std::string all = header + block;
    qvfuzz::writeScratch(fpt, reinterpret_cast<const uint8_t*>(all.data()), all.size());
    memoReady = true;
  }
  qvfuzz::writeScratch(dbf, data, size);
  try {
    auto t = xbase::Table::open(dbf, xbase::OpenMode::SharedReadOnly);
    uint32_t n = std::min<uint32_t>(t->recordCount(), 200);
    for (uint32_t r = 1; r <= n; ++r) {
      xbase::Record rec = t->read(r);
      for (int f = 0; f < t->fieldCount(); ++f) {
        try {
          (void)rec.text(f);
          (void)rec.value(f);
        } catch (const xbase::Error&) {
        }
      }
    }
    xbase::Environment env;
    xbase::Cursor c(*t, env);
    if (t->recordCount() <= 5000) {
      for (int f = 0; f < t->fieldCount(); ++f) {
        try {
          c.setQuery("!EMPTY(" + t->field(f).name + ")");
          (void)c.count();
          c.last();
          c.previous();
        } catch (const xbase::Error&) {
        }
      }
    }
  } catch (const xbase::Error&) {
  }
  return 0;
}
