// Memo files: FPT allocation and reuse, and pointers or headers that lead
// nowhere giving errors instead of crashes.
#include "test_support.h"
#include "xbase/byte_order.h"
#include "xbase/error.h"
#include "xbase/memo_file.h"
#include "xbase/table.h"

using namespace xbase;
using qvtest::TempDir;

TEST(Memo, FptReusesBlocksWhenTheTextFitsAndAppendsOtherwise) {
  TempDir dir;
  auto memo = createFpt(dir.file("m.fpt"));
  uint32_t a = memo->write(0, "short");
  EXPECT_EQ(a, 8u);  // the first block after the 512-byte header
  uint32_t b = memo->write(0, std::string(100, 'b'));
  EXPECT_EQ(b, 9u);
  EXPECT_EQ(memo->write(a, "still short"), a);
  uint32_t moved = memo->write(a, std::string(300, 'c'));
  EXPECT_GT(moved, b);
  EXPECT_EQ(memo->read(moved), std::string(300, 'c'));
  EXPECT_EQ(memo->read(b), std::string(100, 'b'));
  EXPECT_EQ(memo->write(b, ""), 0u);
  EXPECT_EQ(memo->read(0), "");
  memo.reset();

  std::string bytes = qvtest::readFile(dir.file("m.fpt"));
  EXPECT_EQ(bytes.size() % 64, 0u);
  EXPECT_EQ(getBE32(bytes.data()), bytes.size() / 64);
  EXPECT_EQ(getBE32(bytes.data() + 8 * 64), 1u);  // text block type
}

TEST(Memo, ANextFreePointerBehindTheDataIsNotTrusted) {
  TempDir dir;
  {
    auto memo = createFpt(dir.file("m.fpt"));
    memo->write(0, std::string(500, 'x'));
  }
  std::string bytes = qvtest::readFile(dir.file("m.fpt"));
  putBE32(bytes.data(), 8);  // as if the header write had been lost
  qvtest::writeFile(dir.file("m.fpt"), bytes);
  auto memo = openMemoFile(dir.file("m.fpt"), MemoKind::Fpt, File::Mode::Exclusive);
  uint32_t next = memo->write(0, "new");
  EXPECT_GE(next, 16u);  // 8 + 500 bytes fill blocks 8 to 15
  EXPECT_EQ(memo->read(8), std::string(500, 'x'));
}

TEST(Memo, DamagedMemoFilesGiveErrorsNamingTheFile) {
  TempDir dir;
  {
    auto memo = createFpt(dir.file("m.fpt"));
    memo->write(0, "hello");
  }
  auto memo = openMemoFile(dir.file("m.fpt"), MemoKind::Fpt, File::Mode::SharedReadOnly);
  for (uint32_t block : {1u, 7u, 9u, 1000u, 0xFFFFFFFFu}) {
    try {
      memo->read(block);
      ADD_FAILURE() << "block " << block << " read";
    } catch (const CorruptFileError& e) {
      EXPECT_NE(std::string(e.what()).find("m.fpt"), std::string::npos);
    }
  }
  memo.reset();

  // A length that runs past the end of the file.
  std::string bytes = qvtest::readFile(dir.file("m.fpt"));
  putBE32(bytes.data() + 8 * 64 + 4, 0x7FFFFFFF);
  qvtest::writeFile(dir.file("m.fpt"), bytes);
  auto damaged = openMemoFile(dir.file("m.fpt"), MemoKind::Fpt, File::Mode::SharedReadOnly);
  EXPECT_THROW(damaged->read(8), CorruptFileError);
  damaged.reset();

  // Block size 0, and a file shorter than its header.
  putBE16(bytes.data() + 6, 0);
  qvtest::writeFile(dir.file("zero.fpt"), bytes);
  EXPECT_THROW(openMemoFile(dir.file("zero.fpt"), MemoKind::Fpt, File::Mode::SharedReadOnly), CorruptFileError);
  qvtest::writeFile(dir.file("short.fpt"), "abc");
  EXPECT_THROW(openMemoFile(dir.file("short.fpt"), MemoKind::Fpt, File::Mode::SharedReadOnly), CorruptFileError);
}

TEST(Memo, ARecordWithABadMemoPointerStillReadsItsOtherFields) {
  TempDir dir;
  Table::create(dir.file("t.dbf"), parseFieldList("NAME:C:5,NOTE:M"));
  {
    auto t = Table::open(dir.file("t.dbf"));
    Record r = t->blankRecord();
    r.setText("NAME", "ann");
    r.setText("NOTE", "text");
    t->append(r);
  }
  std::string bytes = qvtest::readFile(dir.file("t.dbf"));
  std::size_t header = getLE16(bytes.data() + 8);
  bytes.replace(header + 6, 10, "    999999");
  qvtest::writeFile(dir.file("t.dbf"), bytes);
  auto t = Table::open(dir.file("t.dbf"), OpenMode::SharedReadOnly);
  Record r = t->read(1);
  EXPECT_EQ(r.text("NAME"), "ann");
  EXPECT_THROW(r.text("NOTE"), CorruptFileError);
}
