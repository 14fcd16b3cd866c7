// Settings: the INI file format, value forms and defaults, preferences, the
// new-file widths, the tag identifier and placement arithmetic.
#include "data/address_layout.h"
#include "data/ini_file.h"
#include "data/placement.h"
#include "data/preferences.h"
#include "data/short_date.h"
#include "data/tag_identifier.h"
#include "data_test_support.h"

using namespace data;

TEST(IniFile, ReadsAndWritesTheWindowsFormat) {
  qvtest::TempDir dir;
  const std::string path = dir.file("QUILLV.ini");
  qvtest::writeFile(path,
                    "[Misc]\r\nGlobalTagId=ABC\r\n\r\n[Envelope Feed]\r\n  Orientation = 2 \r\n"
                    "garbage line without equals\r\n; a comment=1\r\n[adding]\nPlugDate=1\n");
  IniFile ini(path);
  EXPECT_EQ(ini.get("misc", "globaltagid"), "ABC");
  EXPECT_EQ(ini.get("Envelope Feed", "orientation"), "2");
  EXPECT_EQ(ini.get("Adding", "PlugDate"), "1");
  EXPECT_EQ(ini.get("Adding", "a comment"), std::nullopt);
  EXPECT_EQ(ini.get("Nothing", "x"), std::nullopt);
  ini.set("MISC", "GLOBALTAGID", "XYZ");   // replaced in place, its spelling kept
  ini.set("Envelope Feed", "Facing", "1");  // added after the section's last key
  ini.set("New Section", "Key", "a=b c");   // a new section at the end
  ASSERT_TRUE(ini.save());
  EXPECT_EQ(qvtest::readFile(path),
            "[Misc]\r\nGlobalTagId=XYZ\r\n\r\n[Envelope Feed]\r\n  Orientation = 2 \r\n"
            "garbage line without equals\r\n; a comment=1\r\nFacing=1\r\n[adding]\r\nPlugDate=1\r\n\r\n"
            "[New Section]\r\nKey=a=b c\r\n");
  EXPECT_EQ(IniFile(path).get("New Section", "Key"), "a=b c");
  EXPECT_EQ(IniFile(path).keys("Envelope Feed"), (std::vector<std::string>{"Orientation", "Facing"}));
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(Settings, DamagedFilesGiveDefaultsAndKeepOtherSections) {
  qvtest::TempDir dir;
  const std::string path = dir.file("QUILLV.ini");
  std::string damaged = "[Misc]\r\nGettingStarted=1\r\n";
  damaged += std::string(200000, 'x') + "\r\n";  // a huge line
  damaged += std::string("\x01\x02\xff[\x00=junk\r\n", 12);
  damaged += "[NewFileFieldLengths]\r\nFieldZIP=4\r\nFieldLNAME=7\r\nFieldCITY=abc\r\nFieldFAX=81\r\n";
  qvtest::writeFile(path, damaged);
  Settings s(path);
  EXPECT_TRUE(s.readBool("Misc", "GettingStarted", false));
  EXPECT_EQ(s.readInteger("Misc", "Missing", 42), 42);
  EXPECT_EQ(s.readString("No Such Section", "Key", "dflt"), "dflt");
  FieldWidths w = readFieldWidths(s);
  EXPECT_EQ(w["ZIP"], 10);    // 4 is out of range: the default
  EXPECT_EQ(w["LNAME"], 7);   // kept
  EXPECT_EQ(w["CITY"], 30);   // not a number
  EXPECT_EQ(w["FAX"], 40);    // 81 is out of range; FAX's default is 40
  EXPECT_EQ(w["MIDDLE"], 1);  // fixed
  ASSERT_TRUE(s.writeBool("Adding", "PlugDate", true));
  EXPECT_TRUE(s.readBool("Misc", "GettingStarted", false));
  EXPECT_EQ(s.readInteger("NewFileFieldLengths", "FieldLNAME", 0), 7);
  EXPECT_EQ(dialogDefaultFieldWidths()["FAX"], 30);
  EXPECT_EQ(defaultFieldWidths()["FAX"], 40);
  w["ZIP"] = 90;
  writeFieldWidths(s, w);
  EXPECT_EQ(s.readInteger("NewFileFieldLengths", "FieldZIP", 0), 10);  // range-checked when written
}

TEST(Settings, PreferencesAndTheTagIdentifier) {
  qvtest::TestHome home;
  platform::setNow([] { return platform::DateTime{2026, 12, 9, 14, 5, 9}; });
  EXPECT_EQ(makeTagIdentifier(platform::now()), "VJZW2SD");
  EXPECT_EQ(toBase36(0), "");
  EXPECT_EQ(toBase36(35), "Z");
  EXPECT_EQ(toBase36(36), "10");
  EXPECT_EQ(makeNewTagIdentifier(platform::now(), "XYZ"), "VJZW2SD");
  EXPECT_EQ(makeNewTagIdentifier(platform::now(), "VJZW2SD"), "VJZW2SE");  // the same second: the next one

  Settings s;
  EXPECT_EQ(s.path(), home.dir.file("QUILLV.ini"));
  Preferences p = loadPreferences(s);  // no file: defaults, and a new identifier written back
  EXPECT_EQ(p.tagIdentifier, "VJZW2SD");
  EXPECT_FALSE(p.gettingStartedOff);
  EXPECT_EQ(p.adding, AddingPreferences());
  EXPECT_EQ(s.readString("Misc", "GlobalTagId", ""), "VJZW2SD");
  platform::setNow([] { return platform::DateTime{2027, 1, 1, 0, 0, 0}; });
  EXPECT_EQ(loadPreferences(s).tagIdentifier, "VJZW2SD");  // kept once written

  AddingPreferences a;
  a.plugDate = a.skipFirstName = a.carryZip = true;
  a.defaultCountry = std::string(40, 'C');
  writeAddingPreferences(s, a);
  EXPECT_EQ(s.readString("Adding", "SkipfirstName", ""), "1");
  EXPECT_EQ(s.readString("Adding", "PlugCityState", ""), "0");
  AddingPreferences back = readAddingPreferences(s);
  EXPECT_TRUE(back.plugDate && back.skipFirstName && back.carryZip && !back.carryOrg);
  EXPECT_EQ(back.defaultCountry, std::string(30, 'C'));

  writeRecentFiles(s, {"/a/ONE.DBF", "/b/TWO.DBF"});
  EXPECT_EQ(readRecentFiles(s), (std::vector<std::string>{"/a/ONE.DBF", "/b/TWO.DBF"}));
  EXPECT_EQ(s.readString("MRU", "Item3", "x"), "");
}

TEST(Placement, RestoreSaveAndCentre) {
  qvtest::TempDir dir;
  Settings s(dir.file("QUILLV.ini"));
  EXPECT_EQ(placementSection("TAddressMain", 96), "TAddressMain_Placement");
  EXPECT_EQ(placementSection("TAddressMain", 120), "TAddressMain_Placement120");
  Rect centred{100, 100, 500, 400};
  Placement p = restorePlacement(s, "TAddressMain", 96, 1024, 768, false, centred);
  EXPECT_TRUE(p.centred);
  EXPECT_EQ(p.rect, centred);

  savePlacement(s, "TAddressMain", 96, Rect{300, 100, 1200, 700}, true);
  p = restorePlacement(s, "TAddressMain", 96, 1024, 768, false, centred);
  EXPECT_EQ(p.rect, (Rect{124, 100, 1024, 700}));  // 176 pixels to the left
  EXPECT_TRUE(p.maximized);
  savePlacement(s, "TAddressMain", 96, Rect{0, 500, 200, 900}, false);
  EXPECT_EQ(restorePlacement(s, "TAddressMain", 96, 1024, 768, true, centred).rect, (Rect{0, 368, 200, 768}));
  // Another resolution has a placement of its own.
  EXPECT_TRUE(restorePlacement(s, "TAddressMain", 120, 1024, 768, false, centred).centred);

  Rect dialog{0, 0, 301, 201};
  Rect main{10, 20, 410, 320};
  EXPECT_EQ(centreDialog(dialog, main, false, false, 1024, 768), (Rect{59, 69, 360, 270}));
  EXPECT_EQ(centreDialog(dialog, main, true, false, 1024, 768), (Rect{361, 283, 662, 484}));
  Rect big{0, 0, 501, 400};  // larger than the main window: starts left of it (div truncates)
  EXPECT_EQ(centreDialog(big, main, false, false, 1024, 768).left, 10 + (400 - 501) / 2);
  EXPECT_EQ(centreDialog(big, main, false, false, 1024, 768).left, -40);
}

TEST(ShortDate, LocaleFormsAndPatterns) {
  EXPECT_EQ(patternFromStrftime("%m/%d/%Y"), "MM/dd/yyyy");
  EXPECT_EQ(patternFromStrftime("%d.%m.%y"), "dd.MM.yy");
  EXPECT_EQ(patternFromStrftime("%F"), "yyyy-MM-dd");
  EXPECT_EQ(patternFromStrftime("%A %B"), "");
  EXPECT_EQ(formatShortDate(1997, 4, 8, "M/d/yyyy"), "4/8/1997");
  EXPECT_EQ(formatShortDate(1997, 4, 8, "dd.MM.yy"), "08.04.97");
  EXPECT_EQ(formatShortDate(2005, 12, 31, "yyyy-MM-dd"), "2005-12-31");
}
