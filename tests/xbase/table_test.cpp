// Tables: creation, field values as text and typed, the header kept
// consistent after every write, locking, bulk appends, pack, zap, and
// records surviving a kill right after their append returned.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"
#include "xbase/byte_order.h"
#include "xbase/error.h"
#include "xbase/table.h"

using namespace xbase;
using qvtest::TempDir;

namespace {

const char* kFields = "NAME:C:10,AMOUNT:N:8:2,COUNT:N:4:0,OK:L,BORN:D,NOTE:M";

std::unique_ptr<Table> makeTable(const TempDir& dir, const std::string& name = "t.dbf") {
  Table::create(dir.file(name), parseFieldList(kFields));
  return Table::open(dir.file(name));
}

// The header's count, and whether the file ends with 0x1A right after the last record.
void expectConsistent(const std::string& path, uint32_t records) {
  std::string bytes = qvtest::readFile(path);
  ASSERT_GE(bytes.size(), 32u);
  uint32_t count = getLE32(bytes.data() + 4);
  uint16_t headerLength = getLE16(bytes.data() + 8), recordLength = getLE16(bytes.data() + 10);
  EXPECT_EQ(count, records);
  EXPECT_EQ(bytes.size(), std::size_t(headerLength) + std::size_t(count) * recordLength + 1);
  EXPECT_EQ(bytes.back(), '\x1A');
}

}  // namespace

TEST(Table, CreatesFoxProFilesWithTheDeclaredStructure) {
  TempDir dir;
  Table::create(dir.file("plain.dbf"), parseFieldList("A:C:5"));
  Table::create(dir.file("memo.dbf"), parseFieldList(kFields));
  std::string plain = qvtest::readFile(dir.file("plain.dbf"));
  EXPECT_EQ(uint8_t(plain[0]), 0x03);
  EXPECT_EQ(getLE16(plain.data() + 8), 32 + 32 + 1);
  EXPECT_EQ(plain[64], '\x0D');
  EXPECT_FALSE(fileExists(dir.file("plain.fpt")));

  std::string memo = qvtest::readFile(dir.file("memo.dbf"));
  EXPECT_EQ(uint8_t(memo[0]), 0xF5);
  std::string fpt = qvtest::readFile(dir.file("memo.fpt"));
  ASSERT_EQ(fpt.size(), 512u);
  EXPECT_EQ(getBE32(fpt.data()), 8u);
  EXPECT_EQ(getBE16(fpt.data() + 6), 64u);

  auto t = Table::open(dir.file("memo.dbf"));
  ASSERT_EQ(t->fieldCount(), 6);
  EXPECT_EQ(t->field(1).name, "AMOUNT");
  EXPECT_EQ(t->field(1).width, 8);
  EXPECT_EQ(t->field(1).decimals, 2);
  EXPECT_EQ(t->field(1).offset, 11u);
  EXPECT_EQ(t->field(5).width, 10);
  EXPECT_EQ(t->recordLength(), 1 + 10 + 8 + 4 + 1 + 8 + 10);
  expectConsistent(dir.file("memo.dbf"), 0);
}

TEST(Table, RejectsInvalidFieldLists) {
  TempDir dir;
  for (const char* bad : {"1A:C:5", "A:C:0", "A:C:255", "A:N:21", "A:N:5:4", "A:X:5", "A:C:5,a:C:3",
                          "TOOLONGNAME1:C:5"}) {
    EXPECT_THROW(Table::create(dir.file("bad.dbf"), parseFieldList(bad)), Error) << bad;
  }
  EXPECT_THROW(parseFieldList("A:C"), Error);
  EXPECT_THROW(parseFieldList("A"), Error);
}

TEST(Table, StoresValuesInTheirFieldFormats) {
  TempDir dir;
  auto t = makeTable(dir);
  Record r = t->blankRecord();
  r.setText("NAME", "Smith  ");
  r.setText("AMOUNT", "12.5");
  r.setText("COUNT", " 7 ");
  r.setText("OK", "T");
  r.setText("BORN", "19970428");
  r.setText("NOTE", "first line\r\nsecond line");
  t->append(r);

  const char* raw = t->rawRecord(1);
  EXPECT_EQ(std::string(raw, t->recordLength() - 10),
            " Smith        12.50   7T19970428");
  Record back = t->read(1);
  EXPECT_EQ(back.text("NAME"), "Smith");  // trailing blanks removed
  EXPECT_EQ(back.text("AMOUNT"), "12.50");
  EXPECT_EQ(back.text("COUNT"), "7");
  EXPECT_EQ(back.text("OK"), "T");
  EXPECT_EQ(back.text("BORN"), "19970428");
  EXPECT_EQ(back.text("NOTE"), "first line\r\nsecond line");
  EXPECT_DOUBLE_EQ(back.value(1).number, 12.5);
  EXPECT_TRUE(back.value(3).logical);
  EXPECT_EQ(formatDtos(back.value(4).date), "19970428");

  Record blank = t->blankRecord();
  t->append(blank);
  Record b = t->read(2);
  EXPECT_EQ(b.text("NAME"), "");
  EXPECT_EQ(b.text("AMOUNT"), "");
  EXPECT_EQ(b.text("OK"), "?");
  EXPECT_EQ(b.text("BORN"), "");
  EXPECT_EQ(b.text("NOTE"), "");
  EXPECT_FALSE(b.value(3).logical);
  EXPECT_EQ(b.value(4).date, 0);

  Record typed = t->read(2);
  typed.setValue(1, Value::numeric(-3.456));
  typed.setValue(3, Value::boolean(false));
  typed.setValue(4, Value::dateValue(toJulian(2026, 12, 9)));
  t->update(typed);
  EXPECT_EQ(t->read(2).text("AMOUNT"), "-3.46");
  EXPECT_EQ(t->read(2).text("OK"), "F");
  EXPECT_EQ(t->read(2).text("BORN"), "20261209");
}

TEST(Table, RefusesValuesThatDoNotFitAndLeavesTheRecordAlone) {
  TempDir dir;
  auto t = makeTable(dir);
  Record r = t->blankRecord();
  r.setText("NAME", "A name that is far too long");
  EXPECT_EQ(r.text("NAME"), "A name tha");  // character values are cut to the width
  const std::string before = r.bytes();
  struct Case {
    const char* field;
    const char* text;
  } cases[] = {{"AMOUNT", "12x"}, {"AMOUNT", "123456.78"}, {"COUNT", "99999"},
               {"OK", "maybe"},   {"BORN", "19970230"},    {"BORN", "1997-04-28"}};
  for (const auto& c : cases) {
    EXPECT_THROW(r.setText(c.field, c.text), Error) << c.field << "=" << c.text;
    EXPECT_EQ(r.bytes(), before) << c.field << "=" << c.text;
  }
  try {
    r.setText("AMOUNT", "abc");
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("AMOUNT"), std::string::npos);
  }
}

TEST(Table, KeepsHeaderCountAndEndMarkerConsistentAfterEveryWrite) {
  TempDir dir;
  auto t = makeTable(dir);
  setTodayFunction([] { return CalendarDate{2026, 12, 9}; });
  for (int i = 1; i <= 3; ++i) {
    Record r = t->blankRecord();
    r.setText("NAME", "n" + std::to_string(i));
    EXPECT_EQ(t->append(r), uint32_t(i));
    expectConsistent(dir.file("t.dbf"), uint32_t(i));
  }
  std::string bytes = qvtest::readFile(dir.file("t.dbf"));
  EXPECT_EQ(int(bytes[1]), 26);
  EXPECT_EQ(int(bytes[2]), 12);
  EXPECT_EQ(int(bytes[3]), 9);
  setTodayFunction({});

  Record r = t->read(2);
  r.setText("NAME", "changed");
  t->update(r);
  t->setDeleted(3, true);
  expectConsistent(dir.file("t.dbf"), 3);
  EXPECT_TRUE(t->isDeleted(3));
  EXPECT_EQ(t->read(2).text("NAME"), "changed");

  t.reset();
  auto again = Table::open(dir.file("t.dbf"));
  EXPECT_EQ(again->recordCount(), 3u);
  EXPECT_EQ(again->read(2).text("NAME"), "changed");
  EXPECT_TRUE(again->read(3).deleted());
}

TEST(Table, ExclusiveOpenExcludesEveryOtherOpen) {
  TempDir dir;
  auto t = makeTable(dir);
  EXPECT_THROW(Table::open(dir.file("t.dbf")), FileInUseError);
  EXPECT_THROW(Table::open(dir.file("t.dbf"), OpenMode::SharedReadOnly), FileInUseError);
  try {
    Table::open(dir.file("t.dbf"));
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("t.dbf"), std::string::npos);
  }

  // From another process too.
  pid_t child = fork();
  if (child == 0) {
    try {
      Table::open(dir.file("t.dbf"));
      _exit(0);
    } catch (const FileInUseError&) {
      _exit(3);
    } catch (...) {
      _exit(4);
    }
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 3);

  t.reset();
  auto shared1 = Table::open(dir.file("t.dbf"), OpenMode::SharedReadOnly);
  auto shared2 = Table::open(dir.file("t.dbf"), OpenMode::SharedReadOnly);
  EXPECT_THROW(Table::open(dir.file("t.dbf")), FileInUseError);
  Record r = shared1->blankRecord();
  EXPECT_THROW(shared1->append(r), Error);
  EXPECT_THROW(Table::create(dir.file("t.dbf"), parseFieldList("A:C:1")), FileInUseError);
}

TEST(Table, PostedRecordSurvivesAKillRightAfterTheAppend) {
  TempDir dir;
  makeTable(dir).reset();
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t child = fork();
  if (child == 0) {
    auto t = Table::open(dir.file("t.dbf"));
    for (int i = 0; i < 50; ++i) {
      Record r = t->blankRecord();
      r.setText("NAME", "rec" + std::to_string(i));
      r.setText("NOTE", "memo " + std::to_string(i));
      t->append(r);
    }
    char c = 'x';
    if (write(ready[1], &c, 1) != 1) _exit(1);
    pause();  // killed here, with the table still open
    _exit(0);
  }
  close(ready[1]);
  char c;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  close(ready[0]);

  auto t = Table::open(dir.file("t.dbf"));
  ASSERT_EQ(t->recordCount(), 50u);
  EXPECT_EQ(t->read(50).text("NAME"), "rec49");
  EXPECT_EQ(t->read(50).text("NOTE"), "memo 49");
  expectConsistent(dir.file("t.dbf"), 50);
}

TEST(Table, OpensATableWhoseLastAppendWasCutShort) {
  TempDir dir;
  {
    auto t = makeTable(dir);
    for (int i = 0; i < 3; ++i) {
      Record r = t->blankRecord();
      r.setText("NAME", "r" + std::to_string(i));
      t->append(r);
    }
  }
  // The header claims a fourth record whose bytes never reached the file.
  std::string bytes = qvtest::readFile(dir.file("t.dbf"));
  putLE32(bytes.data() + 4, 4);
  bytes.pop_back();  // and the end marker went too
  qvtest::writeFile(dir.file("t.dbf"), bytes);
  auto t = Table::open(dir.file("t.dbf"));
  EXPECT_TRUE(t->countRepaired());
  EXPECT_EQ(t->recordCount(), 3u);
  Record r = t->blankRecord();
  r.setText("NAME", "next");
  EXPECT_EQ(t->append(r), 4u);
  expectConsistent(dir.file("t.dbf"), 4);
}

TEST(Table, BulkAppendsAreReadableBeforeAndAfterTheyAreWritten) {
  TempDir dir;
  auto t = makeTable(dir);
  t->beginBulk();
  for (int i = 1; i <= 5000; ++i) {
    Record r = t->blankRecord();
    r.setText("NAME", std::to_string(i));
    if (i % 100 == 0) r.setText("NOTE", "memo " + std::to_string(i));
    t->append(r);
  }
  EXPECT_EQ(t->recordCount(), 5000u);
  EXPECT_EQ(t->read(4999).text("NAME"), "4999");  // still in the buffer
  Record r = t->read(5000);
  r.setText("NAME", "last");
  t->update(r);
  t->endBulk();
  expectConsistent(dir.file("t.dbf"), 5000);
  t.reset();
  auto again = Table::open(dir.file("t.dbf"));
  EXPECT_EQ(again->read(1).text("NAME"), "1");
  EXPECT_EQ(again->read(5000).text("NAME"), "last");
  EXPECT_EQ(again->read(4900).text("NOTE"), "memo 4900");
}

TEST(Table, PackRemovesDeletedRecordsAndUnusedMemoSpace) {
  TempDir dir;
  auto t = makeTable(dir);
  for (int i = 1; i <= 10; ++i) {
    Record r = t->blankRecord();
    r.setText("NAME", "r" + std::to_string(i));
    r.setText("NOTE", std::string(200, char('a' + i)));
    r.setDeleted(i % 2 == 0);
    t->append(r);
  }
  // A memo that outgrew its blocks leaves them behind.
  Record grown = t->read(1);
  grown.setText("NOTE", std::string(1000, 'z'));
  t->update(grown);
  auto fptSize = [&] { return qvtest::readFile(dir.file("t.fpt")).size(); };
  std::size_t before = fptSize();

  std::vector<uint32_t> calls;
  EXPECT_TRUE(t->pack([&](uint32_t done, uint32_t total) {
    calls.push_back(done);
    EXPECT_EQ(total, 10u);
    return true;
  }));
  EXPECT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), 10u);
  EXPECT_EQ(t->recordCount(), 5u);
  expectConsistent(dir.file("t.dbf"), 5);
  EXPECT_LT(fptSize(), before);
  for (uint32_t i = 1; i <= 5; ++i) {
    Record r = t->read(i);
    EXPECT_FALSE(r.deleted());
    EXPECT_EQ(r.text("NAME"), "r" + std::to_string(2 * i - 1));
    EXPECT_EQ(r.text("NOTE"), i == 1 ? std::string(1000, 'z') : std::string(200, char('a' + 2 * i - 1)));
  }
  // The table is still held exclusively and still writable after the swap.
  EXPECT_THROW(Table::open(dir.file("t.dbf"), OpenMode::SharedReadOnly), FileInUseError);
  EXPECT_THROW(Table::open(dir.file("t.fpt"), OpenMode::SharedReadOnly), Error);
  Record r = t->blankRecord();
  r.setText("NOTE", "after pack");
  EXPECT_EQ(t->append(r), 6u);
  EXPECT_EQ(t->read(6).text("NOTE"), "after pack");
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().string().find(".packing"), std::string::npos) << entry.path();
}

TEST(Table, CancelledPackLeavesTheTableAsItWas) {
  TempDir dir;
  auto t = makeTable(dir);
  t->beginBulk();
  for (int i = 1; i <= 3000; ++i) {
    Record r = t->blankRecord();
    r.setText("NAME", std::to_string(i));
    r.setDeleted(i % 3 == 0);
    t->append(r);
  }
  t->endBulk();
  std::string before = qvtest::readFile(dir.file("t.dbf"));
  EXPECT_FALSE(t->pack([](uint32_t done, uint32_t) { return done < 2000; }));
  EXPECT_EQ(qvtest::readFile(dir.file("t.dbf")), before);
  EXPECT_EQ(t->recordCount(), 3000u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(Table, ZapAndCopyOfTheStructure) {
  TempDir dir;
  auto t = makeTable(dir);
  for (int i = 0; i < 3; ++i) {
    Record r = t->blankRecord();
    r.setText("NOTE", "x");
    t->append(r);
  }
  Table::createLike(dir.file("copy.dbf"), *t);
  t->zap();
  EXPECT_EQ(t->recordCount(), 0u);
  expectConsistent(dir.file("t.dbf"), 0);
  EXPECT_EQ(qvtest::readFile(dir.file("t.fpt")).size(), 512u);
  EXPECT_THROW(t->rawRecord(1), Error);

  auto copy = Table::open(dir.file("copy.dbf"));
  EXPECT_EQ(copy->recordCount(), 0u);
  ASSERT_EQ(copy->fieldCount(), t->fieldCount());
  for (int i = 0; i < t->fieldCount(); ++i) {
    EXPECT_EQ(copy->field(i).name, t->field(i).name);
    EXPECT_EQ(copy->field(i).width, t->field(i).width);
    EXPECT_EQ(copy->field(i).decimals, t->field(i).decimals);
  }
  EXPECT_TRUE(fileExists(dir.file("copy.fpt")));
}
