// Address files: creation with 26 tags, recognition, the messages of a
// failed open, invalid indexes, new-file names; the data set's calculated
// fields, states and events.
#include "data/address_file.h"
#include "data/short_date.h"
#include "data_test_support.h"
#include "xbase/index_check.h"
#include "xbase/index_set.h"

using namespace data;

namespace {

const char* kUnableToOpen = "\r\n\r\n * May not be a Quillvane file.\r\n * May be in use by another program or user";

}  // namespace

TEST(AddressFile, CreatedWithTheFieldsWidthsAndTags) {
  qvtest::TestHome home;
  FieldWidths widths = defaultFieldWidths();
  widths["LNAME"] = 45;
  ASSERT_TRUE(createAddressFile(home.data("ADD0001.DBF"), widths));
  EXPECT_TRUE(home.prompts.shown().empty());
  auto t = xbase::Table::open(home.data("ADD0001.DBF"));
  ASSERT_EQ(t->fieldCount(), 23);
  for (int i = 0; i < 23; ++i) {
    EXPECT_EQ(t->field(i).name, kAddressFields[std::size_t(i)].name);
    EXPECT_EQ(char(t->field(i).type), kAddressFields[std::size_t(i)].type);
  }
  EXPECT_EQ(t->field(0).width, 45);
  EXPECT_EQ(t->field(22).width, 10);  // MEMO
  ASSERT_EQ(t->indexes().orderCount(), 26);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(t->indexes().order(i + 1).name, kAddressTags[std::size_t(i)].name);
  EXPECT_EQ(t->indexes().order(26).name, "NOTISDEL");  // the last one created
  EXPECT_TRUE(checkValidIndex(*t));
  EXPECT_EQ(xbase::checkIndexes(*t), std::vector<std::string>{});
}

TEST(AddressFile, CreationFailuresSayWhat) {
  qvtest::TestHome home;
  FieldWidths bad = defaultFieldWidths();
  bad["LNAME"] = 300;  // the engine refuses the structure
  EXPECT_FALSE(createAddressFile(home.data("BAD.DBF"), bad));
  EXPECT_EQ(home.prompts.texts(), std::vector<std::string>{"Create failed"});
  home.prompts.clear();
  EXPECT_FALSE(createAddressFile(home.dir.file("NOFOLDER/X.DBF"), defaultFieldWidths()));
  EXPECT_EQ(home.prompts.texts(), std::vector<std::string>{"File creation failed"});
}

TEST(AddressFile, RecognitionAndTheMessagesOfAFailedOpen) {
  qvtest::TestHome home;
  xbase::Environment env;
  DataSet set(env);
  bool indexValid = true;

  // Missing: two messages in a row.
  std::string missing = home.data("NONE.DBF");
  EXPECT_FALSE(openAddressFile(set, missing, indexValid));
  EXPECT_EQ(home.prompts.texts(),
            (std::vector<std::string>{"File " + missing + " not found", "Unable to open " + missing + kUnableToOpen}));
  home.prompts.clear();

  // All 23 fields plus others, in another order and with other widths: accepted, widths from the file.
  std::string fieldList = "ZEXTRA:C:5,";
  for (auto it = kAddressFields.rbegin(); it != kAddressFields.rend(); ++it) {
    int width = std::string(it->name) == "LNAME" ? 50 : it->width;
    fieldList += std::string(it->name) + ":" + it->type + (it->type == 'C' ? ":" + std::to_string(width) : "") + ",";
  }
  fieldList.pop_back();
  xbase::Table::create(home.data("OTHER.DBF"), xbase::parseFieldList(fieldList));
  ASSERT_TRUE(openAddressFile(set, home.data("OTHER.DBF"), indexValid));
  EXPECT_FALSE(indexValid);  // no index at all
  EXPECT_EQ(set.fields()[std::size_t(set.fieldIndex("LNAME"))].size, 50);
  EXPECT_EQ(set.fieldIndex("ZEXTRA"), -1);
  EXPECT_TRUE(home.prompts.shown().empty());
  set.close();

  // Lacking TAG, or ISDEL of the wrong type: refused.
  std::string noTag = fieldList.substr(0, fieldList.find("TAG:C:8,")) + fieldList.substr(fieldList.find("TAG:C:8,") + 8);
  xbase::Table::create(home.data("NOTAG.DBF"), xbase::parseFieldList(noTag));
  EXPECT_FALSE(openAddressFile(set, home.data("NOTAG.DBF"), indexValid));
  std::string wrongType = fieldList;
  wrongType.replace(wrongType.find("ISDEL:L"), 7, "ISDEL:C:1");
  xbase::Table::create(home.data("WRONG.DBF"), xbase::parseFieldList(wrongType));
  EXPECT_FALSE(openAddressFile(set, home.data("WRONG.DBF"), indexValid));
  EXPECT_EQ(home.prompts.texts(), (std::vector<std::string>{"Unable to open " + home.data("NOTAG.DBF") + kUnableToOpen,
                                                            "Unable to open " + home.data("WRONG.DBF") + kUnableToOpen}));
  EXPECT_FALSE(set.active());

  // Held by someone else.
  ASSERT_TRUE(createAddressFile(home.data("HELD.DBF"), defaultFieldWidths()));
  auto holder = xbase::Table::open(home.data("HELD.DBF"));
  EXPECT_FALSE(openAddressFile(set, home.data("HELD.DBF"), indexValid));
}

TEST(AddressFile, AnIndexLackingOneTagIsInvalid) {
  qvtest::TestHome home;
  ASSERT_TRUE(createAddressFile(home.data("A.DBF"), defaultFieldWidths()));
  {
    auto t = xbase::Table::open(home.data("A.DBF"));
    // Rebuild without TAG.
    t->indexes().deleteProduction();
    for (const TagDef& tag : kAddressTags)
      if (std::string(tag.name) != "TAG") t->indexes().createTag(tag.name, tag.expression);
  }
  xbase::Environment env;
  DataSet set(env);
  bool indexValid = true;
  ASSERT_TRUE(openAddressFile(set, home.data("A.DBF"), indexValid));
  EXPECT_FALSE(indexValid);
  ASSERT_TRUE(buildAddressIndexes(set.table()));
  EXPECT_TRUE(checkValidIndex(set.table()));
}

TEST(AddressFile, DefaultNamesAndValidNames) {
  qvtest::TestHome home;
  EXPECT_EQ(defaultNewFileName(platform::dataFolder()), "ADD0001");
  for (const char* n : {"ADD0001.DBF", "add0002.dbf", "ADD0003.DBF"}) qvtest::writeFile(home.data(n), "x");
  EXPECT_EQ(defaultNewFileName(platform::dataFolder()), "ADD0004");
  std::filesystem::remove(home.data("add0002.dbf"));
  EXPECT_EQ(defaultNewFileName(platform::dataFolder()), "ADD0002");
  for (const char* ok : {"_LIST", "A", "Z9_", "abc"}) EXPECT_TRUE(isValidNewName(ok)) << ok;
  for (const char* bad : {"", "1ABC", "A-B", "A B", "A.DBF"}) EXPECT_FALSE(isValidNewName(bad)) << bad;
}

namespace {

class AddressDataSet : public ::testing::Test {
 protected:
  void SetUp() override {
    setShortDateFormat("M/d/yyyy");
    ASSERT_TRUE(createAddressFile(home_.data("ADD0001.DBF"), defaultFieldWidths()));
    bool valid = false;
    ASSERT_TRUE(openAddressFile(set_, home_.data("ADD0001.DBF"), valid));
    ASSERT_TRUE(valid);
  }
  void TearDown() override { setShortDateFormat(""); }

  void add(std::initializer_list<std::pair<const char*, const char*>> values) {
    set_.insert();
    for (const auto& [field, value] : values) set_.setText(field, value);
    ASSERT_TRUE(set_.post());
  }

  qvtest::TestHome home_;
  xbase::Environment env_;
  DataSet set_{env_};
};

}  // namespace

TEST_F(AddressDataSet, CalculatedFields) {
  add({{"FNAME", "John"}, {"LNAME", "Smith"}, {"PREFIX", "Dr."}, {"CITY", "Springfield"}, {"STATE", "IL"},
       {"ZIP", "62701"}, {"DATE", "19970428"}, {"TAG", "VJZW2SD"}});
  EXPECT_EQ(set_.text("FullName"), "");  // computed only while shown
  set_.setExtraFields(true);
  EXPECT_TRUE(set_.fields()[std::size_t(set_.fieldIndex("FullName"))].visible);
  EXPECT_EQ(set_.text("FullName"), "John Smith");
  EXPECT_EQ(set_.text("FullNameWithPrefix"), "Dr. John Smith");
  EXPECT_EQ(set_.text("CityStateZip"), "Springfield IL 62701");
  EXPECT_EQ(set_.text("DisplayDate"), "4/28/1997");
  EXPECT_EQ(set_.text("Tagged"), "No");
  set_.setTagIdentifier("VJZW2SD");
  EXPECT_EQ(set_.text("Tagged"), "Yes");
  set_.setTagIdentifier("vjzw2sd");
  EXPECT_EQ(set_.text("Tagged"), "No");  // compared exactly

  add({{"FNAME", "Ann"}, {"MIDDLE", "Q"}, {"LNAME", "Lee"}, {"STATE", "IL"}, {"ZIP", "62701"}, {"DATE", "19970230"}});
  EXPECT_EQ(set_.text("FullName"), "Ann Q Lee");
  EXPECT_EQ(set_.text("FullNameWithPrefix"), "Ann Q Lee");
  EXPECT_EQ(set_.text("CityStateZip"), "IL 62701");
  EXPECT_EQ(set_.text("DisplayDate"), "");
  set_.edit();
  set_.setText("DATE", "ABC");
  EXPECT_EQ(set_.text("DisplayDate"), "");
  set_.setText("DATE", "20261209");
  EXPECT_EQ(set_.text("DisplayDate"), "12/9/2026");  // recomputed as the field changes
  set_.cancel();
  set_.setExtraFields(false);
  EXPECT_EQ(set_.text("FullName"), "");
}

TEST_F(AddressDataSet, StatesEventsAndBoundControls) {
  std::vector<std::string> events;
  set_.afterEdit = [&](DataSet&) { events.push_back("edit"); };
  set_.afterInsert = [&](DataSet&) { events.push_back("insert"); };
  set_.afterPost = [&](DataSet&) { events.push_back("post"); };
  set_.afterCancel = [&](DataSet&) { events.push_back("cancel"); };
  int changes = 0;
  set_.onDataChange = [&](DataSet&) { ++changes; };

  EXPECT_EQ(set_.state(), DataSet::State::Browse);
  EXPECT_THROW(set_.setText("LNAME", "x"), std::logic_error);
  add({{"LNAME", "First"}});
  add({{"LNAME", "Second"}});
  EXPECT_EQ(set_.recno(), 2u);
  set_.insert();
  set_.setText("LNAME", "Dropped");
  set_.cancel();
  EXPECT_EQ(set_.recno(), 2u);  // back where the insert started
  EXPECT_EQ(set_.table().recordCount(), 2u);
  set_.first();
  set_.edit();
  set_.setText("LNAME", "Changed");
  EXPECT_EQ(set_.state(), DataSet::State::Edit);
  EXPECT_TRUE(set_.post());
  EXPECT_EQ(set_.text("LNAME"), "Changed");
  EXPECT_EQ(events, (std::vector<std::string>{"insert", "post", "insert", "post", "insert", "cancel", "edit", "post"}));

  // The widths the file declares bound what a field takes.
  set_.edit();
  set_.setText("MIDDLE", "XYZ");
  EXPECT_EQ(set_.text("MIDDLE"), "X");
  set_.cancel();

  // While disabled, controls hear of changes once, at the end.
  changes = 0;
  set_.disableControls();
  set_.disableControls();
  set_.next();
  set_.first();
  set_.enableControls();
  EXPECT_EQ(changes, 0);
  set_.enableControls();
  EXPECT_EQ(changes, 1);

  // Deleting marks the record and moves on.
  set_.first();
  set_.deleteRecord();
  EXPECT_TRUE(set_.table().isDeleted(1));
  EXPECT_EQ(set_.recno(), 2u);
  EXPECT_EQ(set_.cursor().count(), 1u);
}
