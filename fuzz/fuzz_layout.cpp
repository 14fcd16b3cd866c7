// Reads fuzzed layout streams as element lists and as value lists, as the
// designers read layout files from disk.
#include <cstdint>
#include <string>

#include "design/layout_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    design::LayoutReader reader(bytes);
    while (!reader.atEnd()) (void)reader.readList();
  } catch (const design::LayoutError&) {
  }
  try {
    design::LayoutReader reader(bytes);
    (void)reader.readValueList();
  } catch (const design::LayoutError&) {
  }
  return 0;
}
