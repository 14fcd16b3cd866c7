// The fonts layouts name resolve to installed, scalable faces, so that text
// keeps its size on a 600-dpi printer page as on the screen.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>

#include "design/fonts.h"

TEST(LayoutFonts, NamesResolveToInstalledScalableFaces) {
  const struct {
    const char* name;
    const char* family;
  } cases[] = {
      {"Arial", "Liberation Sans"},
      {"Times New Roman", "Liberation Serif"},
      {"SmallFonts", "Liberation Sans Narrow"},
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
