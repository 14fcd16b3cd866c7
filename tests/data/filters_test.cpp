// Filters: the exact texts BuildCondition and BuildQueryString produce, the
// 255-character limit, .FLT files, and tagging every record of a view.
#include "data/address_file.h"
#include "data/filters.h"
#include "data_test_support.h"

using namespace data;

TEST(Filters, BuildConditionGivesTheExactTexts) {
  const std::pair<const char*, const char*> cases[] = {
      {"baker", R"(UPPER(LNAME)="BAKER")"},
      {">=M", R"(UPPER(LNAME)>="M")"},
      {">M", R"(UPPER(LNAME)>"M")"},
      {"<=M", R"(UPPER(LNAME)<="M")"},
      {"<m", R"(UPPER(LNAME)<"M")"},
      {"$ON", R"("ON"$UPPER(LNAME))"},
      {"A;B", R"(((UPPER(LNAME)="A").or.(UPPER(LNAME)="B")))"},
      {"A+B^C", R"(((UPPER(LNAME)="A").and.(((UPPER(LNAME)="B").and..not.(UPPER(LNAME)="C")))))"},
      {"BAKER; JONES", R"(((UPPER(LNAME)="BAKER").or.(UPPER(LNAME)=" JONES")))"},
      // Empty pieces are left out; separators alone match everything.
      {"A;;B", R"(((UPPER(LNAME)="A").or.(UPPER(LNAME)="B")))"},
      {"A;", R"(((UPPER(LNAME)="A")))"},
      {";", "(.T.)"},
      // A double quote in the value is kept inside square brackets.
      {"O\"Neil", R"(UPPER(LNAME)=[O"NEIL])"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(buildCondition("LNAME", value), expected) << value;
  EXPECT_EQ(buildCondition("LNAME", ">" + std::string(150, 'x')).size(), std::string("UPPER(LNAME)>\"\"").size() + 99);
}

TEST(Filters, BuildQueryStringJoinsEntriesInItsOrder) {
  FilterValues v;
  EXPECT_EQ(buildQueryString(v, "TAGID"), "");
  v.reverse = true;
  EXPECT_EQ(buildQueryString(v, "TAGID"), "");  // Reverse alone leaves the filter empty
  v.entries[15] = "$C";     // codes
  v.entries[16] = "note";   // comment 1
  v.entries[7] = "spring";  // city
  v.entries[0] = "   ";     // blank: skipped
  v.tagged = true;
  v.reverse = false;
  EXPECT_EQ(buildQueryString(v, "TAGID"),
            R"(UPPER(CITY+STATE)="SPRING" and UPPER(USER1)="NOTE" and "C"$UPPER(CODES) and (UPPER(TAG)="TAGID"))");
  v.reverse = true;
  EXPECT_EQ(buildQueryString(v, "T"),
            R"((!(UPPER(CITY+STATE)="SPRING" and UPPER(USER1)="NOTE" and "C"$UPPER(CODES) and (UPPER(TAG)="T"))))");
  FilterValues onlyTagged;
  onlyTagged.tagged = true;
  EXPECT_EQ(buildQueryString(onlyTagged, "VJZW2SD"), R"((UPPER(TAG)="VJZW2SD"))");
}

namespace {

class FilterOnFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(createAddressFile(home_.data("add0001.DBF"), defaultFieldWidths()));
    set_.declare(DataSet::addressRecordView());
    ASSERT_TRUE(set_.openTableFile(home_.data("add0001.DBF")));
    const char* rows[][4] = {{"Baker", "Springfield", "IL", "AC"}, {"Jones", "Spring", "TX", "B"},
                             {"baker", "Salem", "OR", "C"},        {"Smith", "Ely", "NV", ""},
                             {"Bakerson", "Dover", "DE", "CC"}};
    for (auto& row : rows) {
      set_.insert();
      set_.setText("LNAME", row[0]);
      set_.setText("CITY", row[1]);
      set_.setText("STATE", row[2]);
      set_.setText("CODES", row[3]);
      set_.setText("ISDEL", "F");
      ASSERT_TRUE(set_.post());
    }
    set_.go(5);
    set_.edit();
    set_.setText("ISDEL", "T");
    ASSERT_TRUE(set_.post());
  }

  qvtest::TestHome home_;
  xbase::Environment env_;
  DataSet set_{env_};
  FilterState state_;
};

}  // namespace

TEST_F(FilterOnFile, ApplyFilterSetsTheQueryAndCounts) {
  state_.values.entries[0] = "baker";
  EXPECT_EQ(applyFilter(state_, set_.cursor(), "T"), 2u);  // Bakerson is ISDEL
  EXPECT_EQ(set_.cursor().query(), R"(UPPER(LNAME)="BAKER".and. !ISDEL)");
  state_.values.entries[0] = "";
  state_.values.entries[7] = "SPRING";  // prefix of CITY+STATE
  EXPECT_EQ(applyFilter(state_, set_.cursor(), "T"), 2u);
  state_.values.entries[7] = "";
  state_.values.entries[15] = "$C";
  state_.values.entries[0] = "B;S";
  EXPECT_EQ(applyFilter(state_, set_.cursor(), "T"), 2u);  // Baker (AC) and baker (C)
  // No match: the filter is dropped without a message.
  state_.values = FilterValues();
  state_.values.entries[0] = "Nobody";
  EXPECT_EQ(applyFilter(state_, set_.cursor(), "T"), 0u);
  EXPECT_EQ(state_.values, FilterValues());
  EXPECT_EQ(state_.userFilter, "");
  EXPECT_EQ(set_.cursor().query(), "!ISDEL");
  EXPECT_TRUE(home_.prompts.shown().empty());
  // Empty: the base filter alone.
  EXPECT_EQ(applyFilter(state_, set_.cursor(), "T"), 0u);
  EXPECT_EQ(set_.cursor().query(), "!ISDEL");
  EXPECT_EQ(set_.cursor().count(), 4u);
}

TEST_F(FilterOnFile, TheQueryMayNotExceed255Characters) {
  // UPPER(LNAME)="..." is 15 characters around the value.
  state_.values.entries[0] = "B" + std::string(243 - 15 - 1, 'A');
  ASSERT_EQ(buildQueryString(state_.values, "").size(), 243u);
  applyFilter(state_, set_.cursor(), "T");
  EXPECT_TRUE(home_.prompts.shown().empty());  // applied; dropped silently since nothing matches
  EXPECT_FALSE(filterTooComplex(buildQueryString(state_.values, "")));
  state_.values.entries[0] = "B" + std::string(244 - 15 - 1, 'A');
  EXPECT_EQ(applyFilter(state_, set_.cursor(), "T"), 0u);
  EXPECT_EQ(home_.prompts.texts(), std::vector<std::string>{"Sorry - filter is too complex.Please simplify it."});
  EXPECT_EQ(state_.values, FilterValues());
  EXPECT_EQ(set_.cursor().query(), "!ISDEL");
}

TEST_F(FilterOnFile, TaggingEveryRecordOfTheViewAndCancelling) {
  set_.cursor().setQuery("!ISDEL");
  bool cancelled = false;
  EXPECT_EQ(tagAllRecords(set_, "TAG1", {}, cancelled), 4u);
  EXPECT_FALSE(cancelled);
  set_.setTagIdentifier("TAG1");
  for (bool ok = set_.first(); ok; ok = set_.next()) EXPECT_EQ(set_.text("Tagged"), "Yes");
  set_.go(5);
  EXPECT_EQ(set_.text("Tagged"), "No");  // out of the view

  // Cancelled after the second record: exactly two tagged.
  uint32_t seen = 0;
  EXPECT_EQ(tagAllRecords(set_, "TAG2", [&](uint32_t n) { seen = n; return n < 2; }, cancelled), 2u);
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(seen, 2u);
  EXPECT_EQ(set_.cursor().recno(), 1u);  // back on the first record
  xbase::Cursor all(set_.table(), env_);
  all.setQuery("TAG=\"TAG2\"");
  EXPECT_EQ(all.count(), 2u);
}

TEST(FilterFiles, SaveAndRestore) {
  qvtest::TempDir dir;
  FilterValues v;
  for (std::size_t i = 0; i < 18; ++i) v.entries[i] = i % 3 ? "" : "value " + std::to_string(i) + ";x";
  v.tagged = true;
  ASSERT_TRUE(saveFilterTo(dir.file("a.FLT"), v));
  std::string bytes = qvtest::readFile(dir.file("a.FLT"));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 20);
  EXPECT_NE(bytes.find("\r\nT\r\nF\r\n"), std::string::npos);
  FilterValues back;
  ASSERT_TRUE(restoreFilterFrom(dir.file("a.FLT"), back));
  EXPECT_EQ(back, v);

  // Fewer lines: the rest empty and off. More: ignored. Binary: taken as text.
  qvtest::writeFile(dir.file("short.flt"), "smith\r\njohn\n");
  ASSERT_TRUE(restoreFilterFrom(dir.file("short.flt"), back));
  EXPECT_EQ(back.entries[0], "smith");
  EXPECT_EQ(back.entries[1], "john");
  EXPECT_EQ(back.entries[17], "");
  EXPECT_FALSE(back.tagged);
  std::string longFile;
  for (int i = 0; i < 30; ++i) longFile += (i == 18 ? "T" : i == 19 ? "t" : "x") + std::string("\r\n");
  qvtest::writeFile(dir.file("long.flt"), longFile);
  ASSERT_TRUE(restoreFilterFrom(dir.file("long.flt"), back));
  EXPECT_TRUE(back.tagged);
  EXPECT_FALSE(back.reverse);  // only "T" exactly
  std::string binary(5000, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = char(i * 7);
  qvtest::writeFile(dir.file("bin.flt"), binary);
  EXPECT_TRUE(restoreFilterFrom(dir.file("bin.flt"), back));
  EXPECT_FALSE(restoreFilterFrom(dir.file("missing.flt"), back));
}
