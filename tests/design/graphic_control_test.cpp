// The element base: change notification from bounds, zoom, centring, the
// selection marks, the element menu and its switches, cloning's selection
// rule, and the space-only trimming of the data elements.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <algorithm>

#include "design/graphic_control.h"
#include "fake_panel.h"

using design::TGGraphicControl;
using designtest::FakePanel;

namespace {

QStringList captions(QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

}  // namespace

TEST(GraphicControl, BoundsReportChangesOnlyWhenTheyChange) {
  FakePanel panel;
  TGGraphicControl* e = panel.add(10, 20, 40, 30);
  EXPECT_EQ(panel.changes, 0) << "the first report only records the bounds";
  e->SetBounds(10, 20, 40, 30);
  EXPECT_EQ(panel.changes, 0);
  EXPECT_EQ(panel.refits, 0);
  e->SetLeft(11);
  EXPECT_EQ(panel.changes, 1);
  EXPECT_EQ(panel.refits, 1);
  panel.isPrinting = true;
  e->SetTop(5);
  EXPECT_EQ(panel.changes, 1) << "no change events while printing";
  panel.isPrinting = false;
  e->SetReading(true);
  e->SetWidth(99);
  e->SetLocked(true);
  e->SetUnselectable(true);
  EXPECT_EQ(panel.changes, 1) << "reading a layout only stores values";
  EXPECT_FALSE(e->LockedEntry()->isChecked());
}

TEST(GraphicControl, ZoomRoundsHalfToEvenAndIgnoresTheCurrentScale) {
  FakePanel panel;
  TGGraphicControl* e = panel.add(3, 5, 41, 10);
  e->SetScale(0.5f);
  EXPECT_EQ(e->BoundsRect(), QRect(2, 2, 20, 5));  // 1.5 -> 2, 2.5 -> 2, 20.5 -> 20
  e->SetScale(1.0f);
  EXPECT_EQ(e->BoundsRect(), QRect(4, 4, 40, 10));
  e->SetBounds(7, 7, 7, 7);
  e->SetScale(1.0f);
  EXPECT_EQ(e->BoundsRect(), QRect(7, 7, 7, 7));
}

TEST(GraphicControl, CentringOnThePanel) {
  FakePanel panel;
  TGGraphicControl* e = panel.add(0, 0, 40, 21);
  e->CenterHorizontally();
  EXPECT_EQ(e->Left(), 30);  // 101 div 2 - 40 div 2
  e->CenterVertically();
  EXPECT_EQ(e->Top(), 30);   // 81 div 2 - 21 div 2
  EXPECT_GE(panel.changes, 2);
  EXPECT_EQ(panel.invalidations, 2);
  TGGraphicControl loose(nullptr);
  loose.SetBounds(5, 5, 10, 10);
  loose.CenterHorizontally();  // no panel: nothing happens
  EXPECT_EQ(loose.Left(), 5);
}

TEST(GraphicControl, SelectionMarks) {
  const QRect bounds(10, 20, 40, 30);  // R = (8, 18)-(52, 52)
  const std::vector<QRect> corners = {QRect(8, 18, 5, 5), QRect(47, 18, 5, 5), QRect(47, 47, 5, 5),
                                      QRect(8, 47, 5, 5)};
  EXPECT_EQ(TGGraphicControl::MarkSquares(bounds, false), corners);
  std::vector<QRect> all = corners;  // cx = 8 + 22 = 30, cy = 18 + 17 = 35
  for (QRect r : {QRect(28, 18, 5, 5), QRect(28, 47, 5, 5), QRect(8, 33, 5, 5), QRect(47, 33, 5, 5)}) all.push_back(r);
  EXPECT_EQ(TGGraphicControl::MarkSquares(bounds, true), all);

  FakePanel panel;
  TGGraphicControl* a = panel.add(10, 20, 40, 30);
  TGGraphicControl* b = panel.add(70, 20, 10, 10);
  auto paint = [&] {
    QImage img(100, 80, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    a->Paint(p);
    return img;
  };
  EXPECT_EQ(paint().pixelColor(9, 19), QColor(Qt::white)) << "not selected: no marks";
  panel.select(a);
  QImage one = paint();
  EXPECT_EQ(one.pixelColor(9, 19), QColor(Qt::red));
  EXPECT_EQ(one.pixelColor(30, 19), QColor(Qt::red));
  EXPECT_EQ(one.pixelColor(52, 19), QColor(Qt::white)) << "right edge excluded";
  panel.select(b);
  QImage two = paint();
  EXPECT_EQ(two.pixelColor(9, 19), QColor(Qt::blue));
  EXPECT_EQ(two.pixelColor(30, 19), QColor(Qt::white)) << "no mid-edge squares for a group";
}

TEST(GraphicControl, MenuEntriesAndSwitches) {
  FakePanel panel;
  TGGraphicControl* e = panel.add(10, 10, 20, 20);
  EXPECT_EQ(captions(e->Menu()),
            (QStringList{"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Clone", "-", "Locked",
                         "Unselectable", "-", "Center Vertically", "Center Horizontally"}));
  e->LockedEntry()->trigger();
  EXPECT_TRUE(e->Locked());
  EXPECT_TRUE(e->LockedEntry()->isChecked());
  e->LockedEntry()->trigger();
  EXPECT_FALSE(e->Locked());
  EXPECT_FALSE(e->LockedEntry()->isChecked());
  EXPECT_EQ(panel.changes, 2);

  panel.select(e);
  e->Menu()->actions()[8]->trigger();  // "Unselectable" sets, never toggles
  e->Menu()->actions()[8]->trigger();
  EXPECT_TRUE(e->Unselectable());
  EXPECT_FALSE(panel.isSelected(e));

  TGGraphicControl* other = panel.add(0, 0, 5, 5);
  panel.select(other);
  e->Menu()->actions()[1]->trigger();  // "Send To Back"
  EXPECT_EQ(panel.zOrder.front(), e);
  EXPECT_TRUE(panel.selection.empty());
}

TEST(GraphicControl, CloneMovesTheSelectionOnlyFromASelectedElement) {
  FakePanel panel;
  TGGraphicControl* a = panel.add(10, 40, 20, 20);
  TGGraphicControl* b = panel.add(50, 40, 20, 20);
  panel.select(b);
  a->Clone();
  TGGraphicControl* copyOfA = panel.zOrder.back();
  EXPECT_NE(copyOfA, a);
  EXPECT_EQ(copyOfA->BoundsRect(), QRect(10, 65, 20, 20));
  EXPECT_EQ(panel.selection, std::vector<TGGraphicControl*>{b});
  b->Clone();
  EXPECT_EQ(panel.selection, std::vector<TGGraphicControl*>{panel.zOrder.back()});
}

TEST(GraphicControl, TrimmingCountsSpacesOnly) {
  const struct {
    const char* in;
    const char* left;
    const char* right;
    const char* both;
  } cases[] = {
      {"  ab  ", "ab  ", "  ab", "ab"},
      {"\tab\t", "\tab\t", "\tab\t", "\tab\t"},
      {"    ", "", "", ""},
      {"", "", "", ""},
      {" a b ", "a b ", " a b", "a b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(design::TrimLeft(QString::fromLatin1(c.in)), QString::fromLatin1(c.left));
    EXPECT_EQ(design::TrimRight(QString::fromLatin1(c.in)), QString::fromLatin1(c.right));
    EXPECT_EQ(design::Trim(QString::fromLatin1(c.in)), QString::fromLatin1(c.both));
  }
}
