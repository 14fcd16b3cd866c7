// Benchmark of the table engine on synthetic address records, against the
// sqlite3 command-line shell doing the same work in the same run:
//   append from CSV (qvdbf append-csv / sqlite3 .import),
//   a full pass in natural order,
//   a count under a three-condition query (a full-scan count(*) in SQLite).
// Prints records per second and each step's peak memory (max RSS).
//
// usage: xbase_bench [RECORDS] [FOLDER]     defaults: 1000000, a temporary folder
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "cursor_walk.h"
#include "xbase/cursor.h"
#include "xbase/table.h"

namespace {

using namespace qvbench;

const char* kQuery = "UPPER(LNAME)=\"SMI\" .AND. \"C\"$UPPER(CODES) .AND. !ISDEL";
const char* kSqlQuery =
    "SELECT count(*) FROM t WHERE upper(LNAME) LIKE 'SMI%' AND instr(upper(CODES),'C')>0 AND ISDEL<>'T';";

}  // namespace

int main(int argc, char** argv) {
  BenchSetup setup(argc, argv);
  const long records = setup.records;
  const std::string csv = setup.file("addresses.csv");
  const std::string dbf = setup.file("ADDRESS.DBF");
  const std::string db = setup.file("address.sqlite");
  generateCsv(csv, records);
  std::printf("CSV: %.1f MiB\n", double(std::filesystem::file_size(csv)) / (1024.0 * 1024.0));

  // --- ours
  std::filesystem::remove(dbf);
  run({QVDBF_PATH, "create", dbf, kAddressFields});
  Measure append = run({QVDBF_PATH, "append-csv", dbf, csv});
  report("qvdbf append-csv", records, append);

  Measure pass = inChild([&] {
    auto t = xbase::Table::open(dbf, xbase::OpenMode::SharedReadOnly);
    xbase::Environment env;
    env.deleted = false;
    xbase::Cursor c(*t, env);
    c.setSequentialReading(true);
    return walkRecords(c);
  });
  report("full pass, natural order", records, pass);

  Measure count = inChild([&] {
    auto t = xbase::Table::open(dbf, xbase::OpenMode::SharedReadOnly);
    xbase::Environment env;
    xbase::Cursor c(*t, env);
    c.setQuery(kQuery);
    return std::to_string(c.count());
  });
  report("count, three-condition query", records, count);

  // --- SQLite 3, the same work
  std::filesystem::remove(db);
  std::string schema = "CREATE TABLE t(";
  for (std::size_t i = 0; i < sizeof(kColumns) / sizeof(kColumns[0]); ++i)
    schema += std::string(i ? "," : "") + kColumns[i] + " TEXT";
  schema += ");";
  run({"sqlite3", db, schema});
  Measure sqlImport = run({"sqlite3", db, ".mode csv", ".import " + csv + " t"});
  report("sqlite3 .import", records, sqlImport);
  Measure sqlPass = run({"sqlite3", db, "SELECT sum(length(LNAME)) FROM t;"});
  report("sqlite3 full scan", records, sqlPass);
  Measure sqlCount = run({"sqlite3", db, kSqlQuery});
  report("sqlite3 count(*) with WHERE", records, sqlCount);

  std::printf("matches: ours %s, sqlite3 %s", count.output.c_str(), sqlCount.output.c_str());
  std::printf("append: %.2fx sqlite3; count: %.2fx sqlite3 (higher is faster)\n",
              sqlImport.seconds / append.seconds, sqlCount.seconds / count.seconds);
  return 0;
}
