// Benchmark of opening an address file and applying a user filter on
// 1,000,000 synthetic address records: a filter of four entries, one with a
// ";" alternative and one with "$". Prints the time to the first record and
// to the count of matches (target: under a second each).
//
// usage: filter_bench [RECORDS] [FOLDER]     defaults: 1000000, a temporary folder
#include "bench_support.h"
#include "data/address_file.h"
#include "data/filters.h"
#include "platform/prompts.h"

using namespace qvbench;

int main(int argc, char** argv) {
  BenchSetup setup(argc, argv);
  const std::string csv = setup.file("addresses.csv");
  const std::string dbf = setup.file("ADD0001.DBF");
  generateCsv(csv, setup.records);
  if (!data::createAddressFile(dbf, data::defaultFieldWidths())) return 1;
  run({QVDBF_PATH, "append-csv", dbf, csv});
  run({QVDBF_PATH, "reindex", dbf});

  Measure m = inChild([&] {
    auto start = std::chrono::steady_clock::now();
    auto seconds = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    xbase::Environment env;
    data::DataSet set(env);
    bool indexValid = false;
    if (!data::openAddressFile(set, dbf, indexValid) || !indexValid) return std::string("open failed");
    set.cursor().setOrder("LNAME");
    set.first();
    double opened = seconds();

    data::FilterState filter;
    filter.values.entries[0] = "SMI;JO";     // last name: Smith... or Jo...
    filter.values.entries[7] = "SPRING";     // city
    filter.values.entries[8] = "IL;CA;TX";   // state
    filter.values.entries[15] = "$C";        // codes containing C
    start = std::chrono::steady_clock::now();
    set.disableControls();
    uint32_t matches = data::applyFilter(filter, set.cursor(), "TAGID");
    double counted = seconds();
    set.first();
    set.enableControls();
    double firstRecord = seconds();
    char buf[300];
    std::snprintf(buf, sizeof buf,
                  "open and first record %.3f s; filter count %.3f s (%u matches); first filtered record %.3f s\n"
                  "query: %s\n",
                  opened, counted, matches, firstRecord, set.cursor().query().c_str());
    return std::string(buf);
  });
  std::printf("%s", m.output.c_str());
  std::printf("peak memory %.1f MiB\n", double(m.maxRssKb) / 1024.0);
  return 0;
}
