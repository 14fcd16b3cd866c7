// Benchmark of the indexes on synthetic address records, with SQLite 3
// measured in the same run on the same rows:
//   building the 26 address tags (26 expression indexes in SQLite),
//   walking every record in LNAME order (an indexed ORDER BY),
//   100 000 random seeks (median and 99th percentile),
//   appending 10 000 records with all 26 tags open,
//   packing after deleting 10% of the records.
// Peak memory of the build is shown for 1 tag and for 26.
//
// usage: index_bench [RECORDS] [FOLDER]     defaults: 1000000, a temporary folder
#include <algorithm>
#include <filesystem>

#include "bench_support.h"
#include "cursor_walk.h"
#include "xbase/cursor.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

namespace {

using namespace qvbench;

const std::pair<const char*, const char*> kTags[] = {
    {"NAME", "UPPER(LNAME-FNAME)"}, {"LNAME", "UPPER(LNAME)+UPPER(FNAME)"}, {"FNAME", "UPPER(FNAME)"},
    {"TITLE", "UPPER(TITLE)"}, {"ORG", "UPPER(ORG)"}, {"STREET", "UPPER(STREET)"}, {"STREET2", "UPPER(STREET2)"},
    {"CITY", "UPPER(CITY+STATE)"}, {"STATE", "UPPER(STATE)"}, {"ZIP", "UPPER(ZIP)"}, {"COUNTRY", "UPPER(COUNTRY)"},
    {"PHONE", "UPPER(PHONE)"}, {"PHONE2", "UPPER(PHONE2)"}, {"EMAIL", "UPPER(EMAIL)"}, {"FAX", "UPPER(FAX)"},
    {"USER1", "UPPER(USER1)"}, {"USER2", "UPPER(USER2)"}, {"DATE", "UPPER(DATE)"}, {"TAG", "UPPER(TAG)"},
    {"CODES", "UPPER(CODES)"}, {"PREFIX", "UPPER(PREFIX)"}, {"MIDDLE", "UPPER(MIDDLE)"}, {"DELETED", "DELETED()"},
    {"STATEZIP", "UPPER(STATE-ZIP)"}, {"ISDEL", "ISDEL"}, {"NOTISDEL", "!ISDEL"},
};
// The same keys as SQLite expressions over the imported (unpadded) text.
const char* kSqlIndexes[] = {
    "upper(LNAME||FNAME)", "upper(LNAME)||upper(FNAME)", "upper(FNAME)", "upper(TITLE)", "upper(ORG)",
    "upper(STREET)", "upper(STREET2)", "upper(CITY||STATE)", "upper(STATE)", "upper(ZIP)", "upper(COUNTRY)",
    "upper(PHONE)", "upper(PHONE2)", "upper(EMAIL)", "upper(FAX)", "upper(USER1)", "upper(USER2)", "upper(DATE)",
    "upper(TAG)", "upper(CODES)", "upper(PREFIX)", "upper(MIDDLE)", "ISDEL='D'", "upper(STATE||ZIP)", "ISDEL",
    "ISDEL<>'T'",
};

void buildTags(const std::string& dbf, std::size_t count) {
  auto t = xbase::Table::open(dbf);
  t->indexes().deleteProduction();
  for (std::size_t i = 0; i < count; ++i) t->indexes().createTag(kTags[i].first, kTags[i].second);
}

}  // namespace

int main(int argc, char** argv) {
  BenchSetup setup(argc, argv);
  const long records = setup.records;
  const std::string csv = setup.file("addresses.csv");
  const std::string dbf = setup.file("ADDRESS.DBF");
  const std::string db = setup.file("address.sqlite");
  generateCsv(csv, records);
  run({QVDBF_PATH, "create", dbf, kAddressFields});
  run({QVDBF_PATH, "append-csv", dbf, csv});

  // --- ours
  Measure one = inChild([&] {
    buildTags(dbf, 1);
    return std::string();
  });
  report("build 1 tag", records, one);
  Measure build = inChild([&] {
    buildTags(dbf, 26);
    return std::string();
  });
  report("build 26 tags", records * 26, build);
  std::printf("%-34s %8.2f s for 26 tags\n", "", build.seconds);

  Measure walk = inChild([&] {
    // Deleted records hidden, as the program runs: every record is read.
    auto t = xbase::Table::open(dbf, xbase::OpenMode::SharedReadOnly);
    xbase::Environment env;
    xbase::Cursor c(*t, env);
    c.setOrder("LNAME");
    return walkRecords(c);
  });
  report("walk in LNAME order, reading records", records, walk);

  Measure seeks = inChild([&] {
    auto t = xbase::Table::open(dbf, xbase::OpenMode::SharedReadOnly);
    xbase::Environment env;
    env.deleted = false;
    xbase::Cursor c(*t, env);
    c.setOrder("LNAME");
    std::mt19937 rng(99);
    std::vector<std::string> targets;
    for (int i = 0; i < 100000; ++i) {
      std::string last = t->read(1 + rng() % t->recordCount()).text("LNAME");
      for (char& ch : last) ch = char(std::toupper(static_cast<unsigned char>(ch)));
      targets.push_back(last.substr(0, 1 + rng() % std::max<std::size_t>(1, last.size())));
    }
    std::vector<double> micros;
    micros.reserve(targets.size());
    unsigned found = 0;
    for (const auto& target : targets) {
      auto start = std::chrono::steady_clock::now();
      found += c.seek(target);
      micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    char buf[160];
    std::snprintf(buf, sizeof buf, "median %.2f us, p99 %.2f us, found %u of %zu", micros[micros.size() / 2],
                  micros[micros.size() * 99 / 100], found, micros.size());
    return std::string(buf);
  });
  std::printf("%-34s %s\n", "100000 seeks by LNAME prefix", seeks.output.c_str());

  Measure append = inChild([&] {
    auto t = xbase::Table::open(dbf);
    std::mt19937 rng(5);
    for (int i = 0; i < 10000; ++i) {
      xbase::Record r = t->blankRecord();
      r.setText("LNAME", "Newname" + std::to_string(rng() % 100000));
      r.setText("FNAME", "First" + std::to_string(rng() % 1000));
      r.setText("CITY", "Town" + std::to_string(rng() % 500));
      r.setText("ZIP", std::to_string(10000 + rng() % 90000));
      r.setText("ISDEL", "F");
      t->append(r);
    }
    return std::string();
  });
  report("append with 26 tags open", 10000, append);

  Measure pack = inChild([&] {
    auto t = xbase::Table::open(dbf);
    for (uint32_t r = 1; r <= t->recordCount(); r += 10) t->setDeleted(r, true);
    auto start = std::chrono::steady_clock::now();
    t->pack();
    return std::to_string(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  });
  std::printf("%-34s %8.2f s (marking 10%% deleted and packing; the pack and tag rebuild alone %.2f s) %9.1f MiB peak\n",
              "delete 10% and pack", pack.seconds, std::atof(pack.output.c_str()), double(pack.maxRssKb) / 1024.0);

  // --- SQLite 3, the same work
  std::string schema = "CREATE TABLE t(";
  for (std::size_t i = 0; i < sizeof(kColumns) / sizeof(kColumns[0]); ++i)
    schema += std::string(i ? "," : "") + kColumns[i] + " TEXT";
  schema += ");";
  std::filesystem::remove(db);
  run({"sqlite3", db, schema});
  run({"sqlite3", db, ".mode csv", ".import " + csv + " t"});
  std::string indexes;
  for (std::size_t i = 0; i < sizeof(kSqlIndexes) / sizeof(kSqlIndexes[0]); ++i)
    indexes += "CREATE INDEX i" + std::to_string(i) + " ON t(" + kSqlIndexes[i] + ");";
  Measure sqlBuild = run({"sqlite3", db, indexes});
  report("sqlite3 26 expression indexes", records * 26, sqlBuild);
  std::printf("%-34s %8.2f s for 26 indexes\n", "", sqlBuild.seconds);
  Measure sqlWalk = run({"sqlite3", db, ".output /dev/null", "SELECT rowid, LNAME FROM t ORDER BY upper(LNAME)||upper(FNAME);"});
  report("sqlite3 ORDER BY, reading rows", records, sqlWalk);
  Measure plan = run({"sqlite3", db, "EXPLAIN QUERY PLAN SELECT rowid, LNAME FROM t ORDER BY upper(LNAME)||upper(FNAME);"});
  std::printf("%-34s %s", "  (its plan)", plan.output.c_str());

  std::printf("build: %.2fx sqlite3; ordered walk: %.2fx sqlite3 (higher is faster)\n",
              sqlBuild.seconds / build.seconds, sqlWalk.seconds / walk.seconds);
  return 0;
}
