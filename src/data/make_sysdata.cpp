// Build step: turns the delivered tables' sources (CSV in resources/) into
// the SYSDATA tables the program ships, with their tags.
// usage: make_sysdata RESOURCES_FOLDER OUTPUT_FOLDER
#include <cstdio>
#include <filesystem>

#include "delivered_data.h"
#include "xbase/error.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_sysdata RESOURCES_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  std::filesystem::create_directories(argv[2]);
  try {
    for (const auto& t : data::deliveredTables())
      data::buildDeliveredTable(t, std::string(argv[1]) + "/" + t.source, std::string(argv[2]) + "/" + t.fileName);
  } catch (const xbase::Error& e) {
    std::fprintf(stderr, "make_sysdata: %s\n", e.what());
    return 1;
  }
  return 0;
}
