// Reads fuzzed FPT and DBT memo files at many block numbers.
#include "fuzz_support.h"
#include "xbase/error.h"
#include "xbase/memo_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = qvfuzz::scratchPath("m.memo");
  qvfuzz::writeScratch(path, data, size);
  for (auto kind : {xbase::MemoKind::Fpt, xbase::MemoKind::DbtIII, xbase::MemoKind::DbtIV}) {
    try {
      auto memo = xbase::openMemoFile(path, kind, xbase::File::Mode::SharedReadOnly);
      for (uint32_t block : {0u, 1u, 2u, 7u, 8u, 9u, 16u, 100u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        try {
          (void)memo->read(block);
        } catch (const xbase::Error&) {
        }
      }
    } catch (const xbase::Error&) {
    }
  }
  return 0;
}
