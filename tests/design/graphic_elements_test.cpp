// Pictures, shapes, lines and the ruler: sizes on screen, what prints and
// how large, their menus, and loading pictures through the image browser.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>

#include "answer_form.h"
#include "at_ppi.h"
#include "design/elements/image_element.h"
#include "design/elements/ruler.h"
#include "design/elements/shape_elements.h"
#include "design/forms/image_browser.h"
#include "design/label_object_filer.h"
#include "design/element_classes.h"
#include "every_kind.h"
#include "fake_panel.h"
#include "platform/prompts.h"
#include "printed_ops.h"

using namespace design;
using designtest::Answer;
using designtest::AtPpi;
using designtest::FakePanel;

namespace {

QImage painted(TGGraphicControl& e, QSize size) {
  QImage screen(size, QImage::Format_RGB32);
  screen.fill(qRgb(128, 128, 128));
  QPainter painter(&screen);
  e.Paint(painter);
  return screen;
}

bool hasSubmenu(const TGGraphicControl& e, const QString& title) {
  for (QAction* a : e.Menu()->actions())
    if (a->menu() && a->text() == title) return true;
  return false;
}

}  // namespace

TEST(Picture, EmptyAndLoaded) {
  AtPpi at(96);
  FakePanel panel;
  auto* image = panel.place<TGImage>();
  image->SetBounds(0, 0, 105, 105);
  const QImage empty = painted(*image, {120, 120});
  EXPECT_EQ(empty.pixel(0, 0), qRgb(0, 0, 0));      // frame
  EXPECT_EQ(empty.pixel(50, 50), qRgb(255, 255, 255));  // white box
  EXPECT_EQ(empty.pixel(110, 110), qRgb(128, 128, 128));  // nothing outside it
  EXPECT_TRUE(designtest::opsOf<print::op::Image>(designtest::printedOps([&](print::Canvas& c) {
                image->PrintOn(c, 0, 0);
              })).empty());

  QTemporaryDir dir;
  QImage big(200, 100, QImage::Format_RGB32);
  big.fill(qRgb(0, 0, 255));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) big.setPixel(x, y, qRgb(255, 0, 0));
  const QString bmp = dir.filePath("big.bmp");
  ASSERT_TRUE(big.save(bmp, "BMP"));
  const QString junk = dir.filePath("junk.bmp");
  {
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("BM this is not a picture");
  }

  platform::ScriptedPrompts prompts;
  platform::ScopedPrompts scope(prompts);
  {
    Answer<TGImageBrowser> answer([&](TGImageBrowser& f) {
      f.SelectFile(bmp);
      f.AutoSizeBox->setChecked(true);
      EXPECT_FALSE(f.StretchBox->isChecked());
    });
    image->LoadImageFromDisk();
  }
  EXPECT_EQ(image->BoundsRect().size(), QSize(200, 100));
  EXPECT_TRUE(image->AutoSize());
  image->SetStretch(true);
  EXPECT_FALSE(image->AutoSize());
  EXPECT_EQ(image->BoundsRect().size(), QSize(200, 100));

  // Not stretched and smaller than the picture: the screen shows its top-left part.
  image->SetStretch(false);
  image->SetBounds(0, 0, 20, 20);
  const QImage part = painted(*image, {40, 40});
  EXPECT_EQ(part.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(part.pixel(15, 15), qRgb(0, 0, 255));
  // ... and the printout squeezes the whole picture into the element.
  const auto printed = designtest::opsOf<print::op::Image>(designtest::printedOps([&](print::Canvas& c) {
    image->PrintOn(c, 1, 1);
  }));
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_EQ(printed[0].r, QRectF(1, 1, 20 / 96.0, 20 / 96.0));
  EXPECT_EQ(printed[0].image->size(), QSize(200, 100));
  // Zoomed: stretched whatever Stretch says.
  image->SetAutoSize(true);
  image->SetScale(0.5f);
  const QSize zoomed = image->BoundsRect().size();
  painted(*image, {200, 200});
  EXPECT_EQ(image->BoundsRect().size(), zoomed);

  EXPECT_FALSE(image->LoadFile(junk));
  EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Error loading file!"});
  EXPECT_TRUE(image->Picture().empty());
}

TEST(Shape, ScreenAndPrintedSizes) {
  FakePanel panel;
  auto* shape = panel.place<TGLabelShapes>();
  EXPECT_EQ(shape->BoundsRect().size(), QSize(25, 25));
  EXPECT_FALSE(hasSubmenu(*shape, "Degree of Rounding"));
  shape->SetShape(ShapeType::RoundRect);
  shape->SetBounds(0, 0, 100, 40);
  ElementPen pen;
  pen.width = 10;
  shape->SetPen(pen);
  for (auto [ppi, hundredths] : {std::pair{96, 10}, {120, 8}}) {
    AtPpi at(ppi);
    const print::Page page = designtest::printedOps([&](print::Canvas& c) { shape->PrintOn(c, 0, 0); });
    const auto pens = designtest::opsOf<print::op::Pen>(page);
    ASSERT_FALSE(pens.empty());
    EXPECT_EQ(pens.back().pen.width, -hundredths) << ppi;
    if (ppi == 96) {
      const auto rounded = designtest::opsOf<print::op::RoundRect>(page);
      ASSERT_EQ(rounded.size(), 1u);
      EXPECT_NEAR(rounded[0].rx * 2, 0.2604, 1e-4);  // 25 % of 100 / 96 inch
    }
  }
  shape->SetTransparent(true);
  const auto brushes = designtest::opsOf<print::op::Brush>(designtest::printedOps([&](print::Canvas& c) {
    shape->PrintOn(c, 0, 0);
  }));
  ASSERT_FALSE(brushes.empty());
  EXPECT_TRUE(brushes.back().brush.clear);

  // A rounded rectangle read from a layout has the rounding entries too.
  RegisterElementClasses();
  QObject owner;
  FakePanel other;
  LayoutReader reader(TGLabelObjectFiler::ElementList({shape}));
  const auto read = TGLabelObjectFiler::ReadElements(reader, &owner, other);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_TRUE(hasSubmenu(*read[0], "Degree of Rounding"));

  // Circles and ellipses fill the element's rectangle whatever its proportions.
  auto* circle = panel.place<TGLabelShapes>();
  circle->SetShape(ShapeType::Circle);
  circle->SetBounds(0, 0, 80, 40);
  const auto ellipses = designtest::opsOf<print::op::Ellipse>(designtest::printedOps([&](print::Canvas& c) {
    AtPpi at(96);
    circle->PrintOn(c, 0, 0);
  }));
  ASSERT_EQ(ellipses.size(), 1u);
  EXPECT_EQ(ellipses[0].r.size(), QSizeF(80 / 96.0, 40 / 96.0));
}

TEST(Line, PrintedWidthAndStretching) {
  FakePanel panel;
  panel.size = QSize(500, 300);
  auto* line = panel.place<TGLineShape>();
  line->SetLineStyle(LineStyle::Vertical);
  line->SetBounds(40, 50, 10, 60);
  ElementPen pen;
  pen.width = 10;
  line->SetPen(pen);
  for (int ppi : {96, 120}) {
    AtPpi at(ppi);
    const print::Page page = designtest::printedOps([&](print::Canvas& c) { line->PrintOn(c, 0, 0); });
    EXPECT_EQ(designtest::opsOf<print::op::Pen>(page).back().pen.width, -10) << ppi;
    const auto lines = designtest::opsOf<print::op::Line>(page);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_DOUBLE_EQ(lines[0].from.y(), (50 + 5) / double(ppi));
  }
  line->StretchToEdges();
  EXPECT_EQ(line->BoundsRect(), QRect(40, 0, 10, 300));
  line->SetLineStyle(LineStyle::AngleSlopingUp);
  line->SetBounds(5, 6, 7, 8);
  line->StretchToEdges();
  EXPECT_EQ(line->BoundsRect(), QRect(5, 6, 7, 8));
}

TEST(Ruler, Ticks) {
  const auto ticks = RulerTicks(96, 1.0, 400, 32);
  EXPECT_EQ(ticks[1].x, 6);
  std::vector<std::pair<int, int>> numbered;
  for (const RulerTick& t : ticks)
    if (t.inch) numbered.push_back({t.x, t.inch});
  EXPECT_EQ(numbered, (std::vector<std::pair<int, int>>{{0, 1}, {96, 2}, {192, 3}, {288, 4}, {384, 5}}));
  EXPECT_EQ(ticks[0].bottom, 32);  // a whole inch runs the full height
  EXPECT_EQ(ticks[8].bottom, 16);  // a half inch
  EXPECT_EQ(ticks[1].bottom, 8);   // a sixteenth
  const auto fromZero = RulerTicks(96, 0, 400, 32);
  EXPECT_EQ(fromZero[0].inch, 0);
  EXPECT_EQ(fromZero[0].bottom, 32);
  EXPECT_EQ(fromZero[16].inch, 1);

  THRuler ruler;
  EXPECT_EQ(ruler.size(), QSize(768, 33));
  EXPECT_EQ(ruler.Color(), clYellow);
}
