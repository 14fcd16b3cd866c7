// Reading tables made by other programs (FoxPro 2.x, Visual FoxPro, dBASE
// III with DBT memos), and untrusted files that must fail cleanly.
#include "test_support.h"
#include "xbase/byte_order.h"
#include "xbase/cursor.h"
#include "xbase/error.h"
#include "xbase/table.h"

using namespace xbase;
using qvtest::fixture;
using qvtest::TempDir;

TEST(Reader, FoxPro2TableWithFptMemos) {
  auto t = Table::open(fixture("xbase/foxpro2x-dbase_f5/dbase_f5.dbf"), OpenMode::SharedReadOnly);
  EXPECT_EQ(t->header().version, 0xF5);
  EXPECT_EQ(t->recordCount(), 975u);
  EXPECT_EQ(t->fieldCount(), 59);
  Record first = t->read(1);
  EXPECT_EQ(first.text("NOM"), "joan-ramon");
  EXPECT_EQ(first.text("NF"), "1");
  int withMemo = 0;
  int memoField = -1;
  for (int i = 0; i < t->fieldCount(); ++i)
    if (t->field(i).isMemo()) memoField = i;
  ASSERT_GE(memoField, 0);
  for (uint32_t r = 1; r <= t->recordCount(); ++r)
    if (!t->read(r).text(memoField).empty()) ++withMemo;
  EXPECT_EQ(withMemo, 211);
  EXPECT_EQ(t->read(2).text(memoField).substr(0, 12), "El meu pare.");
}

TEST(Reader, VisualFoxProTablesAreReadable) {
  auto calls = Table::open(fixture("xbase/vfp-calls/calls.dbf"), OpenMode::SharedReadOnly);
  EXPECT_EQ(calls->recordCount(), 16u);
  Record r = calls->read(1);
  EXPECT_EQ(r.text("CALL_ID"), "1");
  EXPECT_EQ(r.text("SUBJECT"), "Buy flavored coffees.");
  EXPECT_EQ(r.text("NOTES"), "Nancy told me about their blends. Thinking about it. Should call back later.");
  EXPECT_EQ(formatDtos(r.value(calls->fieldIndex("CALL_DATE")).date), "19941121");
  EXPECT_THROW(calls->blankRecord().setText("CALL_ID", "3"), Error);

  auto orders = Table::open(fixture("xbase/vfp-orders/orders.dbf"), OpenMode::SharedReadOnly);
  EXPECT_EQ(orders->recordCount(), 830u);
  Environment env;
  Cursor c(*orders, env);
  EXPECT_EQ(c.count(), 830u);
}

TEST(Reader, DBaseIIITableWithDbtMemos) {
  auto t = Table::open(fixture("xbase/dbase3-dbase_83/dbase_83.dbf"), OpenMode::SharedReadOnly);
  EXPECT_EQ(t->header().version, 0x83);
  EXPECT_EQ(t->recordCount(), 67u);
  int memo = t->fieldIndex("DESC");
  ASSERT_GE(memo, 0);
  std::string text = t->read(1).text(memo);
  EXPECT_EQ(text.substr(0, 28), "Our Original assortment...a ");
  EXPECT_EQ(text.find('\x1A'), std::string::npos);
  EXPECT_NE(text.find("Raspberry Blanc."), std::string::npos);
}

TEST(Reader, ToleratesADamagedTerminatorAndOtherWritersHeaders) {
  auto rooms = Table::open(fixture("xbase/foxpro2x-rooms/rooms.dbf"), OpenMode::SharedReadOnly);
  EXPECT_EQ(rooms->recordCount(), 42u);
  EXPECT_EQ(rooms->read(2).text("ROOMNAME"), "Bay  1");
  auto test10k = Table::open(fixture("xbase/other-test10k/TEST10K.DBF"), OpenMode::SharedReadOnly);
  EXPECT_EQ(test10k->recordCount(), 10000u);
  EXPECT_EQ(test10k->field(1).offset, test10k->field(0).width + 1u);  // computed, not the stored 0
}

TEST(Reader, FindsMemoFilesWithoutRegardToCase) {
  TempDir dir;
  Table::create(dir.file("mixed.dbf"), parseFieldList("N:C:3,M:M"));
  {
    auto t = Table::open(dir.file("mixed.dbf"));
    Record r = t->blankRecord();
    r.setText("M", "found");
    t->append(r);
  }
  std::filesystem::rename(dir.file("mixed.fpt"), dir.file("mixed.FpT"));
  EXPECT_EQ(Table::open(dir.file("mixed.dbf"))->read(1).text("M"), "found");
  std::filesystem::remove(dir.file("mixed.FpT"));
  EXPECT_THROW(Table::open(dir.file("mixed.dbf")), CorruptFileError);
}

namespace {

std::string goodTable(const TempDir& dir) {
  Table::create(dir.file("good.dbf"), parseFieldList("NAME:C:10,AGE:N:3:0"));
  auto t = Table::open(dir.file("good.dbf"));
  for (int i = 0; i < 3; ++i) {
    Record r = t->blankRecord();
    r.setText("NAME", "n");
    t->append(r);
  }
  t.reset();
  return qvtest::readFile(dir.file("good.dbf"));
}

// `bytes` with one byte replaced.
std::string patched(std::string bytes, std::size_t at, char value) {
  bytes.replace(at, 1, 1, value);
  return bytes;
}

}  // namespace

TEST(Reader, UntrustedFilesFailWithAClearErrorNamingTheFile) {
  TempDir dir;
  const std::string good = goodTable(dir);
  struct Case {
    const char* name;
    std::function<std::string(std::string)> damage;
    const char* says;
  } cases[] = {
      {"empty", [](std::string) { return std::string(); }, "shorter than a table header"},
      {"truncated header", [](std::string b) { return b.substr(0, 40); }, "ends inside its header"},
      {"unknown version", [](std::string b) { return patched(b, 0, 0x77); }, "unknown version"},
      {"record length disagrees", [](std::string b) { putLE16(b.data() + 10, 99); return b; }, "record length"},
      {"header length too small", [](std::string b) { putLE16(b.data() + 8, 20); return b; }, "header length"},
      {"no fields", [](std::string b) { return patched(b, 32, 0x0D); }, "no fields"},
      {"field without name", [](std::string b) { return patched(b, 32, 0); }, "has no name"},
      {"unknown field type", [](std::string b) { return patched(b, 32 + 11, 'Z'); }, "unknown type"},
      {"zero width", [](std::string b) { return patched(b, 32 + 16, 0); }, "width 0"},
      {"header length beyond the file",
       [](std::string b) { putLE16(b.data() + 8, 60000); return b; }, "ends inside its header"},
  };
  for (const Case& c : cases) {
    std::string path = dir.file(std::string(c.name) + ".dbf");
    qvtest::writeFile(path, c.damage(good));
    try {
      Table::open(path, OpenMode::SharedReadOnly);
      ADD_FAILURE() << c.name << ": opened";
    } catch (const CorruptFileError& e) {
      std::string msg = e.what();
      EXPECT_NE(msg.find(path), std::string::npos) << c.name << ": " << msg;
      EXPECT_NE(msg.find(c.says), std::string::npos) << c.name << ": " << msg;
    }
  }
}

TEST(Reader, ARecordCountBeyondTheFileIsCutToTheRecordsPresent) {
  TempDir dir;
  std::string bytes = goodTable(dir);
  putLE32(bytes.data() + 4, 1000000);
  qvtest::writeFile(dir.file("big.dbf"), bytes);
  auto t = Table::open(dir.file("big.dbf"), OpenMode::SharedReadOnly);
  EXPECT_EQ(t->recordCount(), 3u);
  EXPECT_TRUE(t->countRepaired());
  EXPECT_THROW(t->rawRecord(4), Error);
}

TEST(Reader, DescriptorsWithoutTerminatorStopAtTheHeaderLength) {
  TempDir dir;
  std::string bytes = goodTable(dir);
  uint16_t headerLength = getLE16(bytes.data() + 8);
  bytes[headerLength - 1] = 'X';  // the 0x0D is gone; records still start at the header length
  qvtest::writeFile(dir.file("noterm.dbf"), bytes);
  auto t = Table::open(dir.file("noterm.dbf"), OpenMode::SharedReadOnly);
  EXPECT_EQ(t->fieldCount(), 2);
  EXPECT_EQ(t->read(3).text("NAME"), "n");
}
