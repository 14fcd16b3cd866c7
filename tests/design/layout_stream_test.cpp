// The layout stream: the exact bytes of the format's example, the smallest
// integer and string forms, colours, reading back, untrusted input, and the
// next free layout file name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "design/layout_stream.h"
#include "../xbase/test_support.h"

using namespace design;

namespace {

std::string shortStr(const std::string& s) { return std::string(1, char(s.size())) + s; }

}  // namespace

TEST(LayoutStream, TheFormatsExampleByteForByte) {
  LayoutWriter w;
  w.beginList();
  w.beginElement("TGPLabel", "Special1");
  w.integer("Left", 10);
  w.integer("Top", 20);
  w.integer("Width", 142);
  w.integer("Height", 33);
  w.boolean("Locked", false);
  w.boolean("Unselectable", false);
  w.string("Caption", "Hi");
  w.color("Font.Color", 0x000000);
  w.integer("Font.Height", -13);
  w.string("Font.Name", "Arial");
  w.set("Font.Style", {});
  w.boolean("Transparent", true);
  w.color("BackColor", 0xFFFFFF);
  w.endElement();
  w.endList();
  std::string expected = "\x01" "TPF0" + shortStr("TGPLabel") + shortStr("Special1") +
                         shortStr("Left") + "\x02\x0A" + shortStr("Top") + "\x02\x14" +
                         shortStr("Width") + std::string("\x03\x8E\x00", 3) + shortStr("Height") + "\x02\x21" +
                         shortStr("Locked") + "\x08" + shortStr("Unselectable") + "\x08" +
                         shortStr("Caption") + "\x06\x02Hi" + shortStr("Font.Color") + "\x07" + shortStr("clBlack") +
                         shortStr("Font.Height") + "\x02\xF3" + shortStr("Font.Name") + "\x06\x05" "Arial" +
                         shortStr("Font.Style") + std::string("\x0B\x00", 2) + shortStr("Transparent") + "\x09" +
                         shortStr("BackColor") + "\x07" + shortStr("clWhite") + std::string("\x00\x00\x00", 3);
  EXPECT_EQ(w.bytes(), expected);

  std::vector<StoredElement> back = LayoutReader(w.bytes()).readList();
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].className, "TGPLabel");
  EXPECT_EQ(back[0].name, "Special1");
  ASSERT_EQ(back[0].properties.size(), 13u);
  EXPECT_EQ(back[0].properties[2].name, "Width");
  EXPECT_EQ(std::get<int64_t>(back[0].properties[2].value), 142);
  EXPECT_EQ(std::get<int64_t>(back[0].properties[8].value), -13);
  EXPECT_EQ(std::get<Identifier>(back[0].properties[7].value).name, "clBlack");
  EXPECT_EQ(std::get<SetValue>(back[0].properties[10].value).members.size(), 0u);
  EXPECT_TRUE(std::get<bool>(back[0].properties[11].value));
}

TEST(LayoutStream, SmallestFormsAndColours) {
  auto encoded = [](auto write) {
    LayoutWriter w;
    write(w);
    return w.bytes().substr(2);  // after the one-character property name
  };
  EXPECT_EQ(encoded([](LayoutWriter& w) { w.integer("W", 127); }), "\x02\x7F");
  EXPECT_EQ(encoded([](LayoutWriter& w) { w.integer("W", 128); }), std::string("\x03\x80\x00", 3));
  EXPECT_EQ(encoded([](LayoutWriter& w) { w.integer("W", 40000); }), std::string("\x04\x40\x9C\x00\x00", 5));
  EXPECT_EQ(encoded([](LayoutWriter& w) { w.integer("W", -129); }), std::string("\x03\x7F\xFF", 3));
  EXPECT_EQ(encoded([](LayoutWriter& w) { w.string("C", std::string(255, 'x')); }).substr(0, 2), "\x06\xFF");
  EXPECT_EQ(encoded([](LayoutWriter& w) { w.string("C", std::string(256, 'x')); }).substr(0, 5),
            std::string("\x0C\x00\x01\x00\x00", 5));
  EXPECT_EQ(encoded([](LayoutWriter& w) { w.color("C", 0x030201); }), std::string("\x04\x01\x02\x03\x00", 5));
  EXPECT_EQ(encoded([](LayoutWriter& w) { w.color("C", 0xFFFFFF); }), "\x07" + shortStr("clWhite"));
  EXPECT_EQ(encoded([](LayoutWriter& w) { w.color("C", 0x8000000F); }), "\x07" + shortStr("clBtnFace"));
  // A string list is stored under its name with ".Strings" added.
  EXPECT_EQ(encoded([](LayoutWriter& w) { w.strings("I", {"a", "bc"}); }).substr(8),
            std::string("\x01\x06\x01" "a" "\x06\x02" "bc" "\x00", 9));
  LayoutWriter empty;
  empty.beginList();
  empty.endList();
  EXPECT_EQ(empty.bytes(), std::string("\x01\x00", 2));
  for (double v : {0.0, 1.0, -2.5, 1234.5678, 1e-5}) EXPECT_DOUBLE_EQ(fromExtended(toExtended(v)), v);
  EXPECT_EQ(toExtended(1.0), std::string("\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F", 10));
}

TEST(LayoutStream, ValuesOfEveryKindReadBack) {
  LayoutWriter w;
  w.beginList();
  w.beginElement("TGImage", "Special7");
  w.binary("Picture.Data", std::string("\x07TBitmap\x00\x01", 10));
  w.identifier("Shape", "stCircle");
  w.set("Font.Style", {"fsBold", "fsItalic"});
  w.extended("Ratio", 0.75);
  w.string("Long", std::string(300, 'y'));
  w.strings("Items", {"one", "two"});
  w.endElement();
  w.beginElement("TGLineShape", "Special8");
  w.endElement();
  w.endList();
  std::vector<StoredElement> back = LayoutReader(w.bytes()).readList();
  ASSERT_EQ(back.size(), 2u);
  const auto& p = back[0].properties;
  EXPECT_EQ(std::get<Binary>(p[0].value).bytes.size(), 10u);
  EXPECT_EQ(std::get<Identifier>(p[1].value).name, "stCircle");
  EXPECT_EQ(std::get<SetValue>(p[2].value).members, (std::vector<std::string>{"fsBold", "fsItalic"}));
  EXPECT_DOUBLE_EQ(std::get<double>(p[3].value), 0.75);
  EXPECT_EQ(std::get<std::string>(p[4].value).size(), 300u);
  EXPECT_EQ(p[5].name, "Items.Strings");
  EXPECT_EQ(std::get<std::vector<StoredValueBox>>(p[5].value).size(), 2u);
  EXPECT_TRUE(back[1].properties.empty());
}

TEST(LayoutStream, UntrustedStreamsFailWithTheReadersMessages) {
  LayoutWriter w;
  w.beginList();
  w.beginElement("TGPLabel", "Special1");
  w.string("Caption", "Hello");
  w.endElement();
  w.endList();
  const std::string good = w.bytes();
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"wrong signature", std::string("\x01TPF1", 5) + good.substr(5), "Invalid stream format"},
      {"not a list", good.substr(1), "Invalid stream format"},
      {"cut short", good.substr(0, good.size() - 6), "Invalid stream format"},
      {"length byte past the end", good.substr(0, 6) + "\xFF", "Invalid stream format"},
      {"binary of 2 GiB", std::string("\x01TPF0\x01X\x01Y\x01P\x0A\xFF\xFF\xFF\x7F", 16), "Invalid stream format"},
      {"a list that never ends", std::string("\x01TPF0\x01X\x01Y\x01P\x01\x02\x01\x02\x01", 16), "Invalid stream format"},
      {"unknown value type", std::string("\x01TPF0\x01X\x01Y\x01P\x2A", 12), "Invalid property value"},
      {"nesting without end", std::string("\x01TPF0\x01X\x01Y\x01P", 11) + std::string(5000, '\x01'),
       "Invalid stream format"},
      {"empty", std::string(), "Invalid stream format"},
  };
  for (const Case& c : cases) {
    try {
      LayoutReader(c.bytes).readList();
      ADD_FAILURE() << c.what << ": read";
    } catch (const LayoutError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.what;
    }
  }
}

TEST(LayoutStream, NextFreeLayoutName) {
  qvtest::TempDir dir;
  EXPECT_EQ(nextLayoutName(dir.path().string(), ".L"), "BIN00001.L");
  for (const char* n : {"BIN00001.L", "bin00002.l", "BIN00004.L"}) std::ofstream(dir.file(n)) << "x";
  EXPECT_EQ(nextLayoutName(dir.path().string(), ".L"), "BIN00003.L");
  EXPECT_EQ(nextLayoutName(dir.path().string(), ".E"), "BIN00001.E");
}
