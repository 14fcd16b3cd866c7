// Indexes: FoxPro's page and key formats byte for byte, tags kept in step
// with every write, orders and seeks on the cursor, standalone IDX files,
// files made by other programs, and damaged index files.
#include <algorithm>
#include <cstring>
#include <map>
#include <random>

#include "test_support.h"
#include "xbase/byte_order.h"
#include "xbase/cursor.h"
#include "xbase/error.h"
#include "xbase/index_check.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

using namespace xbase;
using qvtest::fixture;
using qvtest::TempDir;

namespace {

std::string hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out.push_back(' ');
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

// Record numbers in the order a cursor visits them.
std::vector<uint32_t> walk(Cursor& c) {
  std::vector<uint32_t> out;
  for (bool ok = c.first(); ok; ok = c.next()) out.push_back(c.recno());
  return out;
}
std::vector<uint32_t> walkBack(Cursor& c) {
  std::vector<uint32_t> out;
  for (bool ok = c.last(); ok; ok = c.previous()) out.push_back(c.recno());
  std::reverse(out.begin(), out.end());
  return out;
}

}  // namespace

TEST(IndexFormat, LeafPagesMatchTheBytesFoxProWrote) {
  // The tag directory leaf of a FoxPro-made CDX, rebuilt from its five entries.
  std::string cdx = qvtest::readFile(fixture("xbase/foxpro2x-rooms/rooms.cdx"));
  const char* real = cdx.data() + 0x400;
  IndexNode node;
  decodeIndexNode(real, 10, ' ', "rooms.cdx", node);
  ASSERT_EQ(node.count(), 5u);
  EXPECT_EQ(std::string(node.key(2, 10), 10), "FILM      ");
  EXPECT_EQ(node.recnos[2], 9216u);

  LeafBuilder builder(10, ' ');
  for (std::size_t i = 0; i < node.count(); ++i) ASSERT_TRUE(builder.tryAdd(node.key(i, 10), node.recnos[i]));
  char page[kIndexPageSize];
  builder.finish(kAttrRoot | kAttrLeaf, kNoPage, kNoPage, page);
  EXPECT_EQ(hex(std::string(page, 24)), hex(std::string(real, 24)));  // header, masks, bit widths, free space
  EXPECT_EQ(hex(std::string(page + 24, 15)), hex(std::string(real + 24, 15)));  // entries
  EXPECT_EQ(std::string(page + 484, 28), std::string(real + 484, 28));           // packed key bytes
}

TEST(IndexFormat, KeyEncodings) {
  const std::pair<double, const char*> numbers[] = {
      {0, "80 00 00 00 00 00 00 00"},   {-0.0, "80 00 00 00 00 00 00 00"}, {-1, "40 0F FF FF FF FF FF FF"},
      {1, "BF F0 00 00 00 00 00 00"},   {12.5, "C0 29 00 00 00 00 00 00"}, {21, "C0 35 00 00 00 00 00 00"},
      {-12.5, "3F D6 FF FF FF FF FF FF"}, {299, "C0 72 B0 00 00 00 00 00"},
  };
  for (const auto& [value, bytes] : numbers) {
    char key[8];
    encodeNumberKey(value, key);
    EXPECT_EQ(hex(std::string(key, 8)), bytes) << value;
    EXPECT_EQ(decodeNumberKey(key), value == 0 ? 0.0 : value);
  }
  char key[8];
  encodeNumberKey(toJulian(1987, 2, 14), key);
  EXPECT_EQ(hex(std::string(key, 8)), "C1 42 AA FC 80 00 00 00");
  encodeNumberKey(toJulian(2000, 1, 1), key);
  EXPECT_EQ(hex(std::string(key, 8)), "C1 42 B4 2C 80 00 00 00");

  TempDir dir;
  Table::create(dir.file("k.dbf"), parseFieldList("NAME:C:6,OK:L,BORN:D"));
  auto t = Table::open(dir.file("k.dbf"));
  Record r = t->blankRecord();
  r.setText("NAME", "ab");
  t->append(r);
  Environment env;
  auto keyOf = [&](const char* expression) {
    Expression e = Expression::compile(expression, t->fields());
    KeySpec keyForm = keySpecFor(e);
    std::string out(keyForm.length, '?');
    EvalContext ctx{t->rawRecord(1), 1, t.get(), &env};
    buildKey(e, keyForm, ctx, out.data());
    return out;
  };
  EXPECT_EQ(keyOf("UPPER(NAME)"), "AB    ");
  EXPECT_EQ(keyOf("TRIM(NAME)+'|'"), "ab|    ");  // padded to the expression's width
  EXPECT_EQ(keyOf("OK"), "F");                    // an empty logical indexes as F
  EXPECT_EQ(keyOf("!OK"), "T");
  EXPECT_EQ(hex(keyOf("BORN")), "80 00 00 00 00 00 00 00");  // the empty date
  EXPECT_THROW(keySpecFor(Expression::compile("SPACE(241)", t->fields())), ExpressionError);
}

namespace {

// A table whose tags are checked against an independent sort after every change.
class IndexedTable : public ::testing::Test {
 protected:
  void SetUp() override {
    Table::create(dir_.file("people.dbf"), parseFieldList("LNAME:C:30,FNAME:C:30,AGE:N:4:0,BORN:D,ISDEL:L,NOTE:M"));
    table_ = Table::open(dir_.file("people.dbf"));
  }

  void appendPerson(const std::string& last, const std::string& first, int age, const std::string& born, bool del) {
    Record r = table_->blankRecord();
    r.setText("LNAME", last);
    r.setText("FNAME", first);
    r.setText("AGE", std::to_string(age));
    r.setText("BORN", born);
    r.setText("ISDEL", del ? "T" : "F");
    table_->append(r);
  }

  void addRandom(int count) {
    static const char* names[] = {"Smith", "smith", "Smithers", "Jones", "Brown", "O'Neil", "van Dyke", "Zed", ""};
    for (int i = 0; i < count; ++i) {
      std::string last = std::string(names[rng_() % 9]) + (rng_() % 3 ? "" : std::to_string(rng_() % 1000));
      char born[9];
      std::snprintf(born, sizeof born, "%04d%02d%02d", 1900 + int(rng_() % 120), 1 + int(rng_() % 12), 1 + int(rng_() % 28));
      appendPerson(last, "F" + std::to_string(rng_() % 50), int(rng_() % 200) - 50, rng_() % 10 ? born : "",
                   rng_() % 7 == 0);
    }
  }

  // Every tag: checkIndexes is clean and the walk equals the records sorted by key.
  void expectTagsMatchRecords() {
    EXPECT_EQ(checkIndexes(*table_), std::vector<std::string>{});
    IndexSet& set = table_->indexes();
    for (int order = 1; order <= set.orderCount(); ++order) {
      IndexTag& tag = set.order(order);
      std::vector<std::pair<std::string, uint32_t>> expected;
      std::string key;
      for (uint32_t r = 1; r <= table_->recordCount(); ++r)
        if (tag.keyOf(*table_, table_->rawRecord(r), r, key)) expected.emplace_back(key, r);
      std::sort(expected.begin(), expected.end());
      std::vector<std::pair<std::string, uint32_t>> actual;
      tag.tree->walk([&](const char* k, uint32_t r) { actual.emplace_back(std::string(k, tag.keyForm.length), r); });
      EXPECT_EQ(actual, expected) << "tag " << tag.name;
    }
  }

  TempDir dir_;
  std::unique_ptr<Table> table_;
  std::mt19937 rng_{7};
};

}  // namespace

TEST_F(IndexedTable, TagsStayInStepWithAppendsEditsAndDeletions) {
  addRandom(3000);
  ASSERT_TRUE(table_->indexes().createTag("NAME", "UPPER(LNAME-FNAME)"));
  ASSERT_TRUE(table_->indexes().createTag("LNAME", "UPPER(LNAME)+UPPER(FNAME)"));
  ASSERT_TRUE(table_->indexes().createTag("AGE", "AGE"));
  ASSERT_TRUE(table_->indexes().createTag("BORN", "BORN"));
  ASSERT_TRUE(table_->indexes().createTag("ISDEL", "ISDEL"));
  ASSERT_TRUE(table_->indexes().createTag("NOTISDEL", "!ISDEL"));
  ASSERT_TRUE(table_->indexes().createTag("DELETED", "DELETED()"));
  ASSERT_TRUE(table_->indexes().createTag("RECENT", "DTOS(BORN)+STR(RECNO(),7)"));
  expectTagsMatchRecords();

  // Appends land all over the trees and split pages at every level.
  addRandom(4000);
  expectTagsMatchRecords();

  // Edits move keys; deletion marks change DELETED(); whole leaves empty out.
  for (uint32_t r = 1; r <= table_->recordCount(); r += 3) {
    Record rec = table_->read(r);
    rec.setText("LNAME", "Moved" + std::to_string(rng_() % 100));
    rec.setText("AGE", std::to_string(int(rng_() % 90)));
    rec.setText("ISDEL", rng_() % 2 ? "T" : "F");
    table_->update(rec);
  }
  for (uint32_t r = 2; r <= table_->recordCount(); r += 5) table_->setDeleted(r, true);
  for (uint32_t r = 1; r <= 2000; ++r) {  // empty the low end of the AGE tree
    Record rec = table_->read(r);
    rec.setText("AGE", "9999");
    table_->update(rec);
  }
  expectTagsMatchRecords();

  // The file on disk says the same after reopening.
  table_.reset();
  table_ = Table::open(dir_.file("people.dbf"));
  EXPECT_EQ(table_->indexes().orderCount(), 8);
  EXPECT_TRUE(table_->header().tableFlags & kFlagProductionIndex);
  expectTagsMatchRecords();

  // Pack removes the marked records and rebuilds the tags.
  uint32_t live = 0;
  for (uint32_t r = 1; r <= table_->recordCount(); ++r) live += !table_->isDeleted(r);
  ASSERT_TRUE(table_->pack());
  EXPECT_EQ(table_->recordCount(), live);
  expectTagsMatchRecords();
  table_->zap();
  expectTagsMatchRecords();
  addRandom(50);
  expectTagsMatchRecords();
}

TEST_F(IndexedTable, BulkAppendsKeepTagsInStep) {
  ASSERT_TRUE(table_->indexes().createTag("LNAME", "UPPER(LNAME)"));
  ASSERT_TRUE(table_->indexes().createTag("AGE", "AGE"));
  addRandom(30000);
  // A small batch gets its keys inserted...
  table_->beginBulk();
  addRandom(2000);
  Record r = table_->read(table_->recordCount());  // edited before its keys exist
  r.setText("LNAME", "Edited");
  table_->update(r);
  table_->endBulk();
  expectTagsMatchRecords();
  // ...a large one rebuilds the tags.
  table_->beginBulk();
  addRandom(12000);
  table_->endBulk();
  expectTagsMatchRecords();
  // A table closed in the middle of a bulk run still gets its keys.
  table_->beginBulk();
  addRandom(100);
  table_.reset();
  table_ = Table::open(dir_.file("people.dbf"));
  expectTagsMatchRecords();
}

TEST_F(IndexedTable, NavigationInOrderHonoursTheQueryAndTheDeletedSwitch) {
  appendPerson("Smith", "Ann", 30, "19900101", false);   // 1
  appendPerson("adams", "Bob", 40, "", false);           // 2
  appendPerson("Smith", "Al", 50, "19800101", true);     // 3: ISDEL
  appendPerson("Brown", "Cy", 20, "19700101", false);    // 4: deletion flag
  appendPerson("Smithers", "Di", 60, "20000101", false); // 5
  table_->setDeleted(4, true);
  ASSERT_TRUE(table_->indexes().createTag("LNAME", "UPPER(LNAME)+UPPER(FNAME)"));
  ASSERT_TRUE(table_->indexes().createTag("AGE", "AGE"));
  Environment env;
  Cursor c(*table_, env);
  c.setOrder("lname");
  EXPECT_EQ(c.orderNumber(), 1);
  EXPECT_EQ(walk(c), (std::vector<uint32_t>{2, 3, 1, 5}));
  EXPECT_EQ(walkBack(c), walk(c));
  c.setQuery("!ISDEL");
  EXPECT_EQ(walk(c), (std::vector<uint32_t>{2, 1, 5}));
  EXPECT_EQ(walkBack(c), walk(c));
  EXPECT_EQ(c.count(), 3u);
  env.deleted = false;
  EXPECT_EQ(walk(c), (std::vector<uint32_t>{2, 4, 1, 5}));
  c.setOrder(2);
  EXPECT_EQ(walk(c), (std::vector<uint32_t>{4, 1, 2, 5}));
  // After go(), next continues from that record's place in the order.
  ASSERT_TRUE(c.go(1));
  ASSERT_TRUE(c.next());
  EXPECT_EQ(c.recno(), 2u);
  ASSERT_TRUE(c.previous());
  EXPECT_EQ(c.recno(), 1u);
  // A change to the record under the cursor moves it in the order.
  Record r = table_->read(1);
  r.setText("AGE", "99");
  table_->update(r);
  EXPECT_FALSE(c.next());
  c.setOrder(0);
  EXPECT_EQ(walk(c), (std::vector<uint32_t>{1, 2, 4, 5}));
  EXPECT_THROW(c.setOrder("NOSUCH"), Error);
  EXPECT_THROW(c.setOrder(3), Error);
}

TEST_F(IndexedTable, SeekUnderExactAndSoftSeek) {
  appendPerson("Smith", "Ann", 30, "19900101", false);    // 1
  appendPerson("Baker", "Bob", 40, "", false);            // 2
  appendPerson("Smithers", "Cy", 50, "19800101", false);  // 3
  appendPerson("Smith", "Al", 20, "19700101", true);      // 4: ISDEL
  ASSERT_TRUE(table_->indexes().createTag("LNAME", "UPPER(LNAME)+UPPER(FNAME)"));
  ASSERT_TRUE(table_->indexes().createTag("L", "UPPER(LNAME)"));
  ASSERT_TRUE(table_->indexes().createTag("AGE", "AGE"));
  ASSERT_TRUE(table_->indexes().createTag("BORN", "BORN"));
  ASSERT_TRUE(table_->indexes().createTag("ISDEL", "ISDEL"));
  Environment env;
  Cursor c(*table_, env);
  c.setOrder("LNAME");
  struct Case {
    const char* tag;
    const char* value;
    bool exact, soft, query;
    bool found;
    uint32_t recno;  // 0: at the end
  } cases[] = {
      {"LNAME", "SMITH", false, false, false, true, 4},   // SMITH AL before SMITH ANN
      {"LNAME", "SMITH", false, false, true, true, 1},    // the ISDEL record is out of view
      {"LNAME", "SMITHE", false, false, false, true, 3},
      {"LNAME", "SMITHS", false, false, false, false, 0},
      {"LNAME", "SMITHS", false, true, false, false, 0},  // nothing greater: the end
      {"LNAME", "C", false, true, false, false, 4},       // the next greater key
      {"LNAME", "smith", false, false, false, false, 0},  // keys are upper case
      {"LNAME", "", false, false, false, true, 2},        // the empty value begins every key
      {"L", "SMITH", true, false, false, true, 1},        // equal keys go by record number
      {"L", "SMITHERS", true, false, false, true, 3},
      {"L", "SMITHE", true, false, false, false, 0},
      {"L", "SMITHE", true, true, false, false, 3},
      {"AGE", "40", false, false, false, true, 2},
      {"AGE", "41", false, true, false, false, 3},
      {"AGE", "4", false, false, false, false, 0},        // numbers match whole
      {"BORN", "19800101", false, false, false, true, 3},
      {"BORN", "", false, false, false, true, 2},         // the empty date
      {"ISDEL", "T", false, false, false, true, 4},
      {"ISDEL", "F", false, false, false, true, 1},
  };
  for (const Case& k : cases) {
    env.exact = k.exact;
    env.softSeek = k.soft;
    c.setQuery(k.query ? "!ISDEL" : "");
    c.setOrder(k.tag);
    std::string what = std::string(k.tag) + " " + k.value + (k.exact ? " exact" : "") + (k.soft ? " soft" : "");
    EXPECT_EQ(c.seek(k.value), k.found) << what;
    EXPECT_EQ(c.recno(), k.recno) << what;
    EXPECT_EQ(c.eof(), k.recno == 0) << what;
  }
  // A seek followed by next walks on in order.
  env.exact = false;
  c.setQuery("");
  c.setOrder("LNAME");
  ASSERT_TRUE(c.seek("SMITH"));
  ASSERT_TRUE(c.next());
  EXPECT_EQ(c.recno(), 1u);
  c.setOrder("AGE");
  EXPECT_THROW(c.seek("forty"), Error);
  c.setOrder(0);
  EXPECT_THROW(c.seek("SMITH"), Error);
}

TEST_F(IndexedTable, StandaloneIndexHoldsOnlyTheKeysAddedToIt) {
  addRandom(300);
  ASSERT_TRUE(table_->indexes().createTag("LNAME", "UPPER(LNAME)"));
  IndexSet& set = table_->indexes();
  const std::string idx = dir_.file("_chkdup.idx");
  int order = set.createStandalone(idx, "UPPER(LNAME)+STR(AGE,4)");
  EXPECT_EQ(order, 2);
  EXPECT_EQ(set.orderFile(order), idx);
  EXPECT_EQ(set.orderFile(1), set.productionPath());
  EXPECT_EQ(set.orderFile(0), "");
  std::vector<uint32_t> added;
  for (uint32_t r = 1; r <= table_->recordCount(); r += 7) {
    set.addKey(order, r);
    added.push_back(r);
  }
  // An edit is not carried into it: the caller decides what it holds.
  Record changed = table_->read(2);
  changed.setText("LNAME", "AAAA");
  table_->update(changed);

  Environment env;
  env.deleted = false;
  Cursor c(*table_, env);
  c.setOrder(order);
  std::vector<uint32_t> visited = walk(c);
  std::vector<uint32_t> sortedVisited = visited;
  std::sort(sortedVisited.begin(), sortedVisited.end());
  EXPECT_EQ(sortedVisited, added);
  EXPECT_EQ(c.count(), table_->recordCount());  // counting ignores the order

  set.closeStandalone(order);
  EXPECT_EQ(set.orderCount(), 1);
  order = set.openStandalone(idx);
  c.setOrder(order);
  EXPECT_EQ(walk(c), visited);
  set.closeAll();
  EXPECT_EQ(set.orderCount(), 0);
  EXPECT_EQ(std::remove(idx.c_str()), 0);
}

TEST_F(IndexedTable, ProductionIndexLifecycle) {
  addRandom(100);
  IndexSet& set = table_->indexes();
  EXPECT_EQ(set.orderCount(), 0);
  EXPECT_EQ(set.orderNumber("NAME"), 0);
  ASSERT_TRUE(set.createTag("NAME", "UPPER(LNAME)"));
  ASSERT_TRUE(set.createTag("AGE", "AGE"));
  EXPECT_EQ(set.orderNumber("name"), 1);
  EXPECT_EQ(set.orderNumber("AGE"), 2);
  ASSERT_TRUE(set.createTag("NAME", "UPPER(FNAME)"));  // replaces, and moves to the end
  EXPECT_EQ(set.orderNumber("AGE"), 1);
  EXPECT_EQ(set.orderNumber("NAME"), 2);
  EXPECT_EQ(set.order(2).tree->header().expression, "UPPER(FNAME)");
  EXPECT_THROW(set.createTag("BAD NAME", "AGE"), Error);
  EXPECT_THROW(set.createTag("MEMO", "NOTE"), ExpressionError);
  EXPECT_THROW(set.createTag("X", "NOSUCH"), ExpressionError);
  bool stopped = false;
  EXPECT_FALSE(set.createTag("SLOW", "UPPER(LNAME)", [&](uint32_t, uint32_t) { return stopped = false; }));
  EXPECT_EQ(set.orderNumber("SLOW"), 0);
  expectTagsMatchRecords();

  std::string path = set.productionPath();
  set.deleteProduction();
  EXPECT_FALSE(fileExists(path));
  EXPECT_FALSE(table_->header().tableFlags & kFlagProductionIndex);
  EXPECT_EQ(set.orderCount(), 0);
  addRandom(10);  // writes go on without an index
  ASSERT_TRUE(set.createTag("AGE", "AGE"));
  expectTagsMatchRecords();
  uint32_t calls = 0;
  ASSERT_TRUE(set.reindex([&](uint32_t done, uint32_t total) {
    ++calls;
    EXPECT_LE(done, total);
    return true;
  }));
  EXPECT_GT(calls, 0u);
  expectTagsMatchRecords();
}

TEST(IndexFixtures, FilesFromOtherProgramsOpenWithTheirIndexes) {
  struct Case {
    const char* table;
    std::size_t tags;
    bool complete;  // every tag holds every record
  } cases[] = {
      {"xbase/foxpro2x-rooms/rooms.dbf", 5, false},  // three FOR tags
      {"xbase/vfp-calls/calls.dbf", 2, true},
      {"xbase/vfp-employees/employees.dbf", 5, true},
      {"xbase/vfp-expense_reports/expense_reports.dbf", 3, true},
      {"xbase/vfp-orders/orders.dbf", 6, true},
      {"xbase/vfp-issue115/issue115.dbf", 2, false},  // stale: one key per tag
  };
  for (const Case& k : cases) {
    auto t = Table::open(fixture(k.table), OpenMode::SharedReadOnly);
    IndexSet& set = t->indexes();
    EXPECT_EQ(set.error(), "") << k.table;
    ASSERT_EQ(std::size_t(set.orderCount()), k.tags) << k.table;
    for (int order = 1; order <= set.orderCount(); ++order) {
      std::size_t entries = 0;
      set.order(order).tree->walk([&](const char*, uint32_t recno) {
        EXPECT_GE(recno, 1u);
        EXPECT_LE(recno, t->recordCount());
        ++entries;
      });
      if (k.complete) {
        EXPECT_EQ(entries, t->recordCount()) << k.table << " " << set.order(order).name;
      }
    }
    if (k.complete) {
      EXPECT_EQ(checkIndexes(*t), std::vector<std::string>{}) << k.table;
    }
  }
  // The FOR tag AUDIO holds exactly the rooms whose facility is Audio.
  auto rooms = Table::open(fixture("xbase/foxpro2x-rooms/rooms.dbf"), OpenMode::SharedReadOnly);
  Environment env;
  Cursor c(*rooms, env);
  c.setOrder("AUDIO");
  std::vector<uint32_t> audio = walk(c);
  EXPECT_EQ(audio.size(), 13u);
  for (uint32_t r : audio) EXPECT_EQ(rooms->read(r).text("FACILITY"), "Audio");
  EXPECT_EQ(checkIndexes(*rooms), std::vector<std::string>{});
}

TEST(IndexFixtures, AFoxProTableStaysCorrectAfterOurWrites) {
  TempDir dir;
  std::filesystem::copy_file(fixture("xbase/foxpro2x-rooms/rooms.dbf"), dir.file("rooms.dbf"));
  std::filesystem::copy_file(fixture("xbase/foxpro2x-rooms/rooms.cdx"), dir.file("rooms.cdx"));
  auto t = Table::open(dir.file("rooms.dbf"));
  for (int i = 0; i < 40; ++i) {
    Record r = t->blankRecord();
    r.setText("ROOMNAME", "Room " + std::to_string(i));
    r.setText("FACILITY", i % 3 ? "Audio" : "Film");
    t->append(r);
  }
  Record first = t->read(2);
  first.setText("FACILITY", "Audio");
  t->update(first);
  EXPECT_EQ(checkIndexes(*t), std::vector<std::string>{});
}

TEST(IndexDamage, DamagedIndexFilesFailCleanly) {
  TempDir dir;
  const std::string dbf = dir.file("d.dbf");
  Table::create(dbf, parseFieldList("NAME:C:20,N:N:5:0"));
  {
    auto t = Table::open(dbf);
    for (int i = 0; i < 400; ++i) {
      Record r = t->blankRecord();
      r.setText("NAME", "name" + std::to_string(i * 7919 % 400));
      r.setText("N", std::to_string(i));
      t->append(r);
    }
    ASSERT_TRUE(t->indexes().createTag("NAME", "NAME"));
    ASSERT_TRUE(t->indexes().createTag("N", "N"));
  }
  const std::string good = qvtest::readFile(dir.file("d.cdx"));
  auto tagHeader = [&](const std::string& cdx, int which) {
    // The directory is one leaf at 0x400 here; its record numbers are header offsets.
    IndexNode node;
    decodeIndexNode(cdx.data() + 0x400, 10, ' ', "d.cdx", node);
    return node.recnos[std::size_t(which)];
  };
  const uint32_t nHeader = tagHeader(good, 0);  // "N" sorts before "NAME" in the directory
  const uint32_t nameRoot = getLE32(good.data() + tagHeader(good, 1));
  struct Case {
    const char* what;
    std::function<void(std::string&)> damage;
  } cases[] = {
      {"root outside the file", [&](std::string& b) { putLE32(b.data() + nHeader, 0x7FFFFE00); }},
      {"root not on a page", [&](std::string& b) { putLE32(b.data() + nHeader, 1000); }},
      {"child pointer outside the file", [&](std::string& b) {
         putBE32(b.data() + nameRoot + kInteriorHeaderSize + 20 + 4, 0x7FFFFE00);
       }},
      {"child pointer to itself", [&](std::string& b) {
         putBE32(b.data() + nameRoot + kInteriorHeaderSize + 20 + 4, nameRoot);
       }},
      {"interior key count too large", [&](std::string& b) { putLE16(b.data() + nameRoot + 2, 900); }},
      {"directory names a header that is not one", [&](std::string& b) {
         b[std::size_t(nHeader) + 14] = 0;  // options without the compact bit
       }},
      {"expression that does not compile", [&](std::string& b) {
         std::memcpy(b.data() + nHeader + 512, "NOSUCH", 6);
       }},
      {"key length out of range", [&](std::string& b) { putLE16(b.data() + nHeader + 12, 999); }},
      {"truncated file", [&](std::string& b) { b.resize(b.size() - 1024); }},
      {"size not whole pages", [&](std::string& b) { b.resize(b.size() - 100); }},
      {"garbage", [&](std::string& b) {
         std::mt19937 rng(3);
         for (std::size_t i = 1024; i < b.size(); ++i) b[i] = char(rng());
       }},
  };
  // Leaf damage: every leaf of tag NAME gets a key count that does not fit.
  for (const Case& k : cases) {
    std::string bytes = good;
    k.damage(bytes);
    qvtest::writeFile(dir.file("d.cdx"), bytes);
    auto t = Table::open(dbf, OpenMode::SharedReadOnly);  // the table itself always opens
    std::vector<std::string> problems = checkIndexes(*t);
    ASSERT_FALSE(problems.empty()) << k.what;
    EXPECT_NE(problems[0].find("d.cdx"), std::string::npos) << k.what << ": " << problems[0];
    Environment env;
    Cursor c(*t, env);
    for (int order = 1; order <= t->indexes().orderCount(); ++order) {
      try {
        c.setOrder(order);
        walk(c);
        c.seek("name1");
      } catch (const Error&) {
      }
    }
  }
  // A loop in the sibling chain of the leaves.
  std::string bytes = good;
  {
    IndexNode root;
    decodeIndexNode(good.data() + nameRoot, 20, ' ', "d.cdx", root);
    ASSERT_GE(root.count(), 3u);
    uint32_t second = root.children[1];
    putLE32(bytes.data() + second + 8, root.children[0]);  // right sibling back to the first leaf
  }
  qvtest::writeFile(dir.file("d.cdx"), bytes);
  auto t = Table::open(dbf, OpenMode::SharedReadOnly);
  std::vector<std::string> problems = checkIndexes(*t);
  ASSERT_FALSE(problems.empty());
  EXPECT_NE(problems[0].find("tag NAME"), std::string::npos) << problems[0];
}
