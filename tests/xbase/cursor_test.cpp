// Cursors: the query and the Deleted switch restrict navigation and counting;
// first, last, next and previous with their end flags; go() to any record.
#include "test_support.h"
#include "xbase/cursor.h"
#include "xbase/error.h"
#include "xbase/table.h"

using namespace xbase;
using qvtest::TempDir;

namespace {

class CursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Table::create(dir_.file("c.dbf"), parseFieldList("LNAME:C:10,ISDEL:L"));
    table_ = Table::open(dir_.file("c.dbf"));
    // 1 Adams, 2 Baker (deleted), 3 Brown, 4 Clark (ISDEL), 5 Bates
    const char* names[] = {"Adams", "Baker", "Brown", "Clark", "Bates"};
    for (int i = 0; i < 5; ++i) {
      Record r = table_->blankRecord();
      r.setText("LNAME", names[i]);
      r.setText("ISDEL", i == 3 ? "T" : "F");
      r.setDeleted(i == 1);
      table_->append(r);
    }
  }

  std::vector<uint32_t> walkForward(Cursor& c) {
    std::vector<uint32_t> out;
    for (bool ok = c.first(); ok; ok = c.next()) out.push_back(c.recno());
    return out;
  }
  std::vector<uint32_t> walkBackward(Cursor& c) {
    std::vector<uint32_t> out;
    for (bool ok = c.last(); ok; ok = c.previous()) out.push_back(c.recno());
    return out;
  }

  TempDir dir_;
  std::unique_ptr<Table> table_;
  Environment env_;
};

}  // namespace

TEST_F(CursorTest, QueryAndDeletedSwitchRestrictWhatIsVisited) {
  Cursor c(*table_, env_);
  EXPECT_EQ(walkForward(c), (std::vector<uint32_t>{1, 3, 4, 5}));
  EXPECT_EQ(c.count(), 4u);
  c.setQuery("!ISDEL");
  EXPECT_EQ(walkForward(c), (std::vector<uint32_t>{1, 3, 5}));
  EXPECT_EQ(walkBackward(c), (std::vector<uint32_t>{5, 3, 1}));
  EXPECT_EQ(c.count(), 3u);
  c.setQuery("UPPER(LNAME)=\"B\".and. !ISDEL");
  EXPECT_EQ(walkForward(c), (std::vector<uint32_t>{3, 5}));
  env_.deleted = false;
  EXPECT_EQ(walkForward(c), (std::vector<uint32_t>{2, 3, 5}));
  EXPECT_EQ(c.count(), 3u);
  c.setQuery("");
  EXPECT_EQ(c.query(), "");
  EXPECT_EQ(c.count(), 5u);
}

TEST_F(CursorTest, EndFlagsAndMovesPastTheEnds) {
  Cursor c(*table_, env_);
  c.setQuery("!ISDEL");
  ASSERT_TRUE(c.first());
  EXPECT_FALSE(c.bof());
  EXPECT_FALSE(c.previous());
  EXPECT_TRUE(c.bof());
  EXPECT_EQ(c.recno(), 1u);  // stays on the first record
  ASSERT_TRUE(c.last());
  EXPECT_FALSE(c.next());
  EXPECT_TRUE(c.eof());
  EXPECT_EQ(c.recno(), 0u);
  EXPECT_TRUE(c.previous());  // back from past the end
  EXPECT_EQ(c.recno(), 5u);
  EXPECT_TRUE(c.skip(-2));
  EXPECT_EQ(c.recno(), 1u);
  EXPECT_TRUE(c.go(2));  // go ignores the query and the deleted flag
  EXPECT_EQ(c.recno(), 2u);
  EXPECT_TRUE(c.next());
  EXPECT_EQ(c.recno(), 3u);
  EXPECT_FALSE(c.go(6));
  EXPECT_FALSE(c.go(0));

  c.setQuery("LNAME=\"Nobody\"");
  EXPECT_FALSE(c.first());
  EXPECT_TRUE(c.eof());
  EXPECT_TRUE(c.bof());
  EXPECT_EQ(c.recno(), 0u);
  EXPECT_FALSE(c.next());
  EXPECT_FALSE(c.previous());
}

TEST_F(CursorTest, ABadQueryIsRefusedAndTheOldOneStays) {
  Cursor c(*table_, env_);
  c.setQuery("!ISDEL");
  EXPECT_THROW(c.setQuery("LNAME="), ExpressionError);
  EXPECT_THROW(c.setQuery("LNAME"), ExpressionError);  // not logical
  EXPECT_EQ(c.query(), "!ISDEL");
  EXPECT_EQ(c.count(), 3u);
}

TEST_F(CursorTest, SeesRecordsAppendedAndChangedAfterItWasMade) {
  Cursor c(*table_, env_);
  c.setQuery("!ISDEL");
  ASSERT_TRUE(c.last());
  Record r = table_->blankRecord();
  r.setText("LNAME", "Young");
  r.setText("ISDEL", "F");
  table_->append(r);
  EXPECT_TRUE(c.next());
  EXPECT_EQ(c.recno(), 6u);
  Record first = table_->read(1);
  first.setText("ISDEL", "T");
  table_->update(first);
  EXPECT_EQ(walkForward(c), (std::vector<uint32_t>{3, 5, 6}));
  EXPECT_TRUE(c.test("UPPER(LNAME)=\"YOU\"", 6));
}
