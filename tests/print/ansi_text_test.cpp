// Text in the Windows-1252 code page of tables and layout files: every byte
// comes back as it went, the 0x80-0x9F block maps to its typographic
// characters, and what the code page cannot hold is written as SUB.
#include <gtest/gtest.h>

#include "platform/ansi_text.h"

TEST(AnsiText, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(char(b));
  const QString text = platform::fromFileText(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(platform::toFileText(text), all);
  EXPECT_EQ(text[0x80], QChar(0x20AC));  // euro sign
  EXPECT_EQ(text[0x81], QChar(0x0081));  // undefined: its C1 control
  EXPECT_EQ(text[0x92], QChar(0x2019));  // right single quotation mark
  EXPECT_EQ(text[0x9F], QChar(0x0178));
  EXPECT_EQ(text[0xE9], QChar(0x00E9));
}

TEST(AnsiText, CharactersOutsideTheCodePage) {
  EXPECT_EQ(platform::toFileText(QString::fromUtf8("a\u263A\u0101z\U0001F600")), std::string("a\x1A\x1Az\x1A"));
}
