// System tables: created when missing (with their tag), kept aside when
// unreadable, delivered tables never created, FIELDS.LST; and the delivered
// templates and states copied into a fresh home.
#include <set>

#include "data/delivered_data.h"
#include "data/system_files.h"
#include "data_test_support.h"
#include "xbase/index_set.h"

using namespace data;

TEST(SystemFiles, MissingTablesAreCreatedWithTheirTag) {
  qvtest::TestHome home;
  xbase::Environment env;
  DataSet set(env);
  struct Case {
    bool (*open)(DataSet&);
    const char* file;
    int fields;
  } cases[] = {{openLetterTable, "LETTER.DBF", 2},
               {openReportTable, "REPORT.DBF", 3},
               {openEnvelopeTable, "ENVELOPE.DBF", 3},
               {openLabelTable, "LABEL.DBF", 22}};
  for (const Case& c : cases) {
    ASSERT_TRUE(c.open(set)) << c.file;
    EXPECT_TRUE(xbase::fileExists(home.sysdata(c.file)));
    EXPECT_EQ(set.table().fieldCount(), c.fields);
    EXPECT_EQ(set.table().indexes().orderNumber("DESCRIPT"), 1) << c.file;
    set.close();
  }
  EXPECT_TRUE(home.prompts.shown().empty());
  auto label = xbase::Table::open(home.sysdata("LABEL.DBF"));
  EXPECT_EQ(label->field(2).name, "LBLHEIGHT");
  EXPECT_EQ(label->field(2).decimals, 3);
  EXPECT_EQ(char(label->field(20).type), 'L');
}

TEST(SystemFiles, AMissingIndexIsRebuiltAndTheRowsKept) {
  qvtest::TestHome home;
  xbase::Environment env;
  DataSet set(env);
  ASSERT_TRUE(openLabelTable(set));
  for (const char* d : {"Zebra", "apple", "Mango"}) {
    set.insert();
    set.setText("DESCRIPT", d);
    ASSERT_TRUE(set.post());
  }
  set.close();
  std::filesystem::remove(home.sysdata("LABEL.CDX"));
  ASSERT_TRUE(openLabelTable(set));
  EXPECT_EQ(set.table().recordCount(), 3u);
  set.cursor().setOrder("DESCRIPT");
  set.first();
  EXPECT_EQ(set.text("DESCRIPT"), "apple");
}

TEST(SystemFiles, UnreadableTablesAreKeptAside) {
  qvtest::TestHome home;
  qvtest::writeFile(home.sysdata("REPORT.DBF"), "not a table, but maybe someone's data");
  xbase::Environment env;
  DataSet set(env);
  ASSERT_TRUE(openReportTable(set));
  EXPECT_EQ(set.table().fieldCount(), 3);
  EXPECT_EQ(qvtest::readFile(home.sysdata("REPORT.DBF.bad")), "not a table, but maybe someone's data");
  set.close();
  qvtest::writeFile(home.sysdata("REPORT.DBF"), "garbage again");
  ASSERT_TRUE(openReportTable(set));
  EXPECT_EQ(qvtest::readFile(home.sysdata("REPORT.DBF.bad1")), "garbage again");
}

TEST(SystemFiles, FailuresSayWhichTable) {
  qvtest::TestHome home;
  xbase::Environment env;
  DataSet set(env);
  EXPECT_FALSE(openTemplateTable(set));  // delivered: never created
  EXPECT_FALSE(xbase::fileExists(home.sysdata("LBLTPL.DBF")));
  EXPECT_FALSE(openStateTable(set));
  std::filesystem::remove_all(home.dir.path() / "SYSDATA");
  EXPECT_FALSE(openLetterTable(set));
  EXPECT_FALSE(openLabelTable(set));
  EXPECT_EQ(home.prompts.texts(),
            (std::vector<std::string>{"Unable to Open LBLTPL.DBF", "Unable to Open or Create CSZ.DBF",
                                      "Unable to Open or Create LETTER.DBF", "Unable to Open or Create LABEL.DBF"}));
}

TEST(SystemFiles, FieldsList) {
  qvtest::TestHome home;
  EXPECT_TRUE(readFieldsList().empty());
  ASSERT_TRUE(writeFieldsList({"Tagged", "LNAME", "NOSUCH", "FNAME"}));
  EXPECT_EQ(qvtest::readFile(home.sysdata("FIELDS.LST")), "Tagged\r\nLNAME\r\nNOSUCH\r\nFNAME\r\n");
  EXPECT_EQ(readFieldsList(), (std::vector<std::string>{"Tagged", "LNAME", "NOSUCH", "FNAME"}));
}

TEST(DeliveredData, AFreshHomeGetsTheTemplatesAndStates) {
  qvtest::TestHome home;
  std::filesystem::remove_all(home.dir.path() / "SYSDATA");
  EXPECT_EQ(prepareHome(), (std::vector<std::string>{"LBLTPL.DBF", "CSZ.DBF"}));
  EXPECT_TRUE(prepareHome().empty());  // copied once
  xbase::Environment env;
  DataSet set(env);
  ASSERT_TRUE(openTemplateTable(set));
  EXPECT_GE(set.table().recordCount(), 100u);
  set.cursor().setOrder("DESCRIPT");
  ASSERT_TRUE(set.cursor().seek("AVERY 5160 "));
  set.refresh();
  EXPECT_EQ(set.text("DESCRIPT"), "Avery 5160  Address");
  const std::pair<const char*, const char*> avery5160[] = {
      {"LBLHEIGHT", "1.000"}, {"LBLWIDTH", "2.625"},   {"NBRACROSS", "3"},     {"NBRDOWN", "10"},
      {"TOPMARG", "0.500"},   {"LEFTMARG", "0.188"},   {"HORIZPITCH", "2.750"}, {"VERTPITCH", "1.000"},
      {"SHEETWIDTH", "8.500"}, {"SHEETDEPTH", "11.000"}, {"PAPERSIZE", "LTR"},   {"PRINTER", "LJ"},
      {"MANUFAC", "AVERY"},   {"PRODTYPE", "ADDRESS/SHIPPING LABELS"}};
  for (const auto& [field, value] : avery5160) EXPECT_EQ(set.text(field), value) << field;
  // Every stock fits its sheet.
  for (bool ok = set.first(); ok; ok = set.next()) {
    double across = std::stod(set.text("LEFTMARG")) + (std::stoi(set.text("NBRACROSS")) - 1) * std::stod(set.text("HORIZPITCH")) +
                    std::stod(set.text("LBLWIDTH"));
    EXPECT_LE(across, std::stod(set.text("SHEETWIDTH")) + 0.01) << set.text("DESCRIPT");
  }
  set.close();

  ASSERT_TRUE(openStateTable(set));
  set.cursor().setOrder("STATE");
  for (const char* state : {"AL", "AK", "DC", "WY", "PR", "GU", "VI", "AS", "MP", "AA", "AE", "AP", "ON", "QC", "BC",
                            "NU", "YT", "NL"})
    EXPECT_TRUE(set.cursor().seek(state)) << state;
  env.exact = true;
  EXPECT_FALSE(set.cursor().seek("ZZ"));
  std::set<std::string> states;
  for (bool ok = set.first(); ok; ok = set.next()) states.insert(set.text("STATE"));
  EXPECT_EQ(states.size(), 51u + 5u + 3u + 3u + 13u);  // 50 states and DC, 5 territories, 3 freely associated states, 3 military, 13 Canadian
}
