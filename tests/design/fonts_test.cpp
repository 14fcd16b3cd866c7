// The fonts layouts name resolve to installed, scalable faces, so that text
// keeps its size on a 600-dpi printer page as on the screen.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <set>

#include "design/fonts.h"

TEST(LayoutFonts, NamesResolveToInstalledScalableFaces) {
  const struct {
    const char* name;
    const char* family;
  } cases[] = {
      {"Arial", "Liberation Sans"},
      {"Times New Roman", "Liberation Serif"},
      {"SmallFonts", "Liberation Sans Narrow"},
      {"WingDings", "Symbola"},
      {"System", "DejaVu Sans"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(design::resolvedFamily(QString::fromLatin1(c.name)).toStdString(), c.family);
    QFont small(QString::fromLatin1(c.name)), large(QString::fromLatin1(c.name));
    small.setPointSizeF(7);
    large.setPointSizeF(28);
    EXPECT_NEAR(QFontMetricsF(large).height() / QFontMetricsF(small).height(), 4.0, 0.6);
  }
  EXPECT_EQ(design::layoutFontNames(),
            (QStringList{"Arial", "Times New Roman", "WingDings", "SmallFonts", "System"}));
}

// Every WingDings code draws a symbol that an installed face really has,
// each code its own, and never the letter of the code.
TEST(LayoutFonts, EveryWingDingsCodeHasItsSymbol) {
  design::registerLayoutFonts();
  QFont symbola(QStringLiteral("Symbola")), devanagari(QStringLiteral("Lohit Devanagari"));
  symbola.setPixelSize(32);
  devanagari.setPixelSize(32);
  const QRawFont symbols = QRawFont::fromFont(symbola), om = QRawFont::fromFont(devanagari);
  ASSERT_TRUE(symbols.isValid());
  std::set<char32_t> seen;
  for (int code = 0x21; code <= 0xFF; ++code) {
    if (code == 0x7F) continue;
    const char32_t symbol = design::wingDingsSymbol(static_cast<unsigned char>(code));
    EXPECT_GE(symbol, 0x80u) << std::hex << code;  // not a plain letter or digit
    EXPECT_TRUE(symbols.supportsCharacter(symbol) || om.supportsCharacter(symbol))
        << std::hex << code << " U+" << uint32_t(symbol);
    seen.insert(symbol);
  }
  EXPECT_GE(seen.size(), 220u);  // A7 repeats A0's small square
  EXPECT_EQ(design::glyphText("WingDings", "J"), QStringLiteral("\u263A"));       // a smiling face
  EXPECT_EQ(design::glyphText("WingDings", QStringLiteral("\u00FC")), QStringLiteral("\u2714"));  // a tick
  EXPECT_EQ(design::glyphText("Arial", "J"), QStringLiteral("J"));
}
