// The FIM mark element: its sizes on screen at two zooms, its menu, the
// layout round trip, and where PrintOn puts the bars on the page.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>

#include "design/elements/fim_element.h"
#include "design/element_registry.h"
#include "design/label_object_filer.h"
#include "design/screen_ppi.h"
#include "at_ppi.h"
#include "fake_panel.h"
#include "printed_page.h"

using namespace design;

namespace {

using designtest::AtPpi;

QImage painted(TGFIMBarCode& e) {
  QImage img(80, 80, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  e.Paint(p);
  return img;
}

}  // namespace

TEST(FimElement, SizesOnScreen) {
  AtPpi ppi(96);
  TGFIMBarCode e(nullptr);
  EXPECT_EQ(e.BoundsRect(), QRect(0, 0, 60, 54));
  QImage img = painted(e);
  EXPECT_EQ(e.BoundsRect(), QRect(0, 0, 60, 60));
  // Type A at 96 PPI: bars 3 pixels wide (Trunc 3.0), 54 high, in columns 1, 3, 9, 15, 17.
  std::vector<int> darkColumns;
  for (int x = 0; x < 60; ++x)
    if (qGray(img.pixel(x, 10)) < 128) darkColumns.push_back(x / 3 + 1);
  EXPECT_EQ(darkColumns, (std::vector<int>{1, 1, 1, 3, 3, 3, 9, 9, 9, 15, 15, 15, 17, 17, 17}));
  EXPECT_LT(qGray(img.pixel(0, 53)), 128);
  EXPECT_GT(qGray(img.pixel(0, 54)), 128);

  e.SetScale(0.5f);
  img = painted(e);
  EXPECT_EQ(e.Width(), 30);
  EXPECT_EQ(e.Height(), 30);
  EXPECT_LT(qGray(img.pixel(0, 26)), 128);   // 1 pixel wide, 27 high
  EXPECT_GT(qGray(img.pixel(0, 27)), 128);
  EXPECT_GT(qGray(img.pixel(1, 10)), 128);
  EXPECT_LT(qGray(img.pixel(2, 10)), 128);   // column 3
}

TEST(FimElement, MenuAndLayoutRoundTrip) {
  AtPpi ppi(96);
  RegisterElementClass(QStringLiteral("TGFIMBarCode"), [](QObject* owner) { return new TGFIMBarCode(owner); });
  designtest::FakePanel panel;
  auto* e = new TGFIMBarCode(&panel.owner);
  e->SetName("FIM1");
  e->SetPanel(&panel);
  e->BuildMenu();
  panel.zOrder.push_back(e);
  QList<QAction*> entries = e->Menu()->actions();
  ASSERT_EQ(entries.size(), 16);
  EXPECT_TRUE(entries[12]->isSeparator());
  EXPECT_EQ(entries[14]->text(), "Set FIM to Type B");
  entries[14]->trigger();
  EXPECT_EQ(e->FIMType(), FimType::B);
  EXPECT_EQ(panel.changes, 1);
  e->MenuOpening();
  EXPECT_FALSE(entries[13]->isChecked());
  EXPECT_TRUE(entries[14]->isChecked());

  const std::string bytes = TGLabelObjectFiler::ElementList(panel.zOrder);
  EXPECT_NE(bytes.find("\x07" "FIMType" "\x07\x08" "fimTypeB"), std::string::npos);
  designtest::FakePanel target;
  LayoutReader reader(bytes);
  auto read = TGLabelObjectFiler::ReadElements(reader, &target.owner, target);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(static_cast<TGFIMBarCode*>(read[0])->FIMType(), FimType::B);
  auto properties = [](const std::string& list) { return list.substr(list.find("\x04Left")); };
  EXPECT_EQ(properties(TGLabelObjectFiler::ElementList(target.zOrder)), properties(bytes));
}

TEST(FimElement, PrintsFromTheOriginPlusItsPosition) {
  AtPpi ppi(96);
  TGFIMBarCode e(nullptr);
  e.SetBounds(96, 48, 60, 60);  // one inch right, half an inch down
  e.SetFIMType(FimType::C);
  const designtest::PrintedPage printed = designtest::printAndRender([&](print::Canvas& c) { e.PrintOn(c, 1.0, 2.0); }, 320);
  ASSERT_TRUE(printed.printed);
  if (printed.image.isNull()) GTEST_SKIP() << "pdftoppm is missing";
  const QImage& page = printed.image;
  // At 320 dots per inch a 1/32-inch column is 10 dots; the mark starts at (2.0, 2.5) inches.
  auto dark = [&](double xInch, double yInch) { return qGray(page.pixel(int(xInch * 320), int(yInch * 320))) < 128; };
  std::vector<int> bars;
  for (int column = 1; column <= 17; ++column)
    if (dark(2.0 + (column - 0.5) / 32, 2.8)) bars.push_back(column);
  EXPECT_EQ(bars, (std::vector<int>{1, 3, 7, 11, 15, 17}));
  EXPECT_FALSE(dark(2.0 + 0.5 / 32, 2.48));
  EXPECT_TRUE(dark(2.0 + 0.5 / 32, 2.52));
  EXPECT_TRUE(dark(2.0 + 0.5 / 32, 3.05));
  EXPECT_FALSE(dark(2.0 + 0.5 / 32, 3.08));
}
