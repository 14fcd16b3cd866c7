// The design panel driven by mouse and key events: selecting, dragging with
// and without the grid, short clicks, the keyboard frame, the rubber band,
// the clipboard file, zoom, saving while zoomed, stray elements, the menu's
// enable rules and the painted sheet.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <fstream>

#include "answer_form.h"
#include "at_ppi.h"
#include "design/base_panel.h"
#include "design/element_classes.h"
#include "design/elements/shape_elements.h"
#include "panel_events.h"
#include "platform/home.h"

using namespace design;
using designtest::ManualTicks;

namespace {

struct PanelTest : ::testing::Test {
  QTemporaryDir home;
  designtest::AtPpi at{96};
  TGBasePanel panel;
  ManualTicks ticks;
  int changes = 0;

  void SetUp() override {
    platform::setHomeFolder(home.path().toStdString() + "/");
    RegisterElementClasses();
    panel.resize(300, 200);
    panel.LabelChangedEvent = [this](TGBasePanel*) { ++changes; };
  }
  void TearDown() override { platform::setHomeFolder(""); }

  TGGraphicControl* add(int left, int top, int width, int height) {
    auto* e = new TGLabelShapes(panel.Owner());
    e->BuildMenu();
    panel.PlaceNewElement(e, QRect(left, top, width, height));
    return e;
  }
  void settle() { QCoreApplication::processEvents(); }
  // A click that selects, then a drag of the selection from `from` by `by`, released after `ms`.
  void drag(QPoint from, QPoint by, int ms = 200) {
    designtest::press(&panel, from);
    ticks.advance(ms);
    designtest::moveTo(&panel, from + by);
    designtest::release(&panel, from + by);
    settle();
  }
};

}  // namespace

TEST_F(PanelTest, SelectingAndDragging) {
  TGGraphicControl* e = add(20, 20, 100, 30);
  designtest::press(&panel, {70, 35});
  designtest::release(&panel, {70, 35});
  EXPECT_EQ(panel.Handle()->Bounds(), QRect(18, 18, 105, 35));
  EXPECT_TRUE(panel.isSelected(e));

  drag({70, 35}, {10, 5});
  EXPECT_EQ(e->BoundsRect().topLeft(), QPoint(28, 23));
  EXPECT_EQ(panel.Handle()->Bounds(), QRect(26, 21, 105, 35));  // refitted around the element

  // With an 8-pixel grid the element's edges land on the grid.
  e->SetBounds(20, 20, 100, 30);
  settle();
  panel.SetGridSize(GridSize::Grid8x8);
  panel.SetSnapToGrid(true);
  drag({70, 35}, {10, 5});
  EXPECT_EQ(e->BoundsRect().topLeft(), QPoint(24, 16));
  panel.SetSnapToGrid(false);

  // A click released within 150 milliseconds moves nothing, however far the mouse went.
  const QRect before = e->BoundsRect();
  drag({70, 30}, {40, 40}, 100);
  EXPECT_EQ(e->BoundsRect(), before);

  // A release outside the panel acts at the nearest point on it.
  e->SetBounds(20, 20, 100, 30);
  settle();
  drag({70, 35}, {-120, -85});
  EXPECT_EQ(e->BoundsRect().topLeft(), QPoint(20 - 70 - 2, 20 - 35 - 2));
  e->SetBounds(20, 20, 100, 30);
  settle();

  // The bottom-right corner resizes: by (dx - 3, dy - 3) at pitch 1.
  const QRect h = panel.Handle()->Bounds();
  const QPoint corner = QPoint(h.width() - 1, h.height() - 1) + h.topLeft();
  designtest::moveTo(&panel, corner, Qt::NoButton);  // hovering picks the zone
  EXPECT_EQ(panel.Handle()->DragZone(), TGHandle::BottomRight);
  EXPECT_EQ(panel.ScreenCursor(), TGBasePanel::SizeNWSE);
  drag(corner, {20, 10});
  EXPECT_EQ(e->BoundsRect().size(), before.size() + QSize(20 - 3, 10 - 3));
}

TEST_F(PanelTest, PressingAnUnselectedElementDragsIt) {
  TGGraphicControl* e = add(20, 20, 100, 30);
  designtest::press(&panel, {70, 35});  // selects it and hands the mouse to the handle
  ticks.advance(5);
  designtest::moveTo(&panel, {71, 35});
  EXPECT_FALSE(panel.Handle()->Dragging());  // not within 10 milliseconds
  ticks.advance(20);
  designtest::moveTo(&panel, {72, 35});
  EXPECT_TRUE(panel.Handle()->Dragging());  // the drag starts here
  designtest::moveTo(&panel, {82, 40});
  EXPECT_FALSE(panel.Handle()->DragFrame().isNull());
  EXPECT_EQ(e->BoundsRect().topLeft(), QPoint(20, 20));  // nothing moves before the release
  ticks.advance(200);
  designtest::release(&panel, {82, 40});
  settle();
  EXPECT_EQ(e->BoundsRect().topLeft(), QPoint(28, 23));

  // A double-click ends the drag its first click started.
  designtest::press(&panel, {75, 40});
  designtest::sendMouse(&panel, QEvent::MouseButtonDblClick, {75, 40});
  EXPECT_EQ(panel.LastPopup(), e->Menu());
  e->Menu()->hide();
  designtest::moveTo(&panel, {95, 60});
  ticks.advance(300);
  designtest::release(&panel, {95, 60});
  settle();
  EXPECT_EQ(e->BoundsRect().topLeft(), QPoint(28, 23));
}

TEST_F(PanelTest, LockedAndMultipleSelections) {
  TGGraphicControl* a = add(20, 20, 40, 20);
  TGGraphicControl* b = add(100, 20, 40, 20);
  b->SetLocked(true);
  panel.SelectAll();
  EXPECT_EQ(panel.selectionCount(), 2);
  EXPECT_EQ(panel.Handle()->ZoneAt({0, 0}), TGHandle::Move);  // no resize zones for two
  drag({30, 30}, {12, 12});
  EXPECT_EQ(a->BoundsRect().topLeft(), QPoint(30, 30));
  EXPECT_EQ(b->BoundsRect().topLeft(), QPoint(100, 20));  // locked elements stay

  // Shift-click on a selected element takes it out of the selection.
  designtest::press(&panel, {35, 35}, Qt::LeftButton, Qt::ShiftModifier);
  designtest::release(&panel, {35, 35}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_FALSE(panel.isSelected(a));
  EXPECT_TRUE(panel.isSelected(b));

  // Unselectable elements are left out of Select All.
  a->SetUnselectable(true);
  panel.SelectAll();
  EXPECT_EQ(panel.selectedElements(), std::vector<TGGraphicControl*>{b});
}

TEST_F(PanelTest, KeyboardMovesAndResizes) {
  TGGraphicControl* e = add(20, 20, 10, 30);
  panel.select(e);
  designtest::key(&panel, Qt::Key_Left, Qt::ShiftModifier);
  settle();
  EXPECT_EQ(e->Width(), 9);
  designtest::key(&panel, Qt::Key_Left, Qt::ShiftModifier);
  settle();
  EXPECT_EQ(e->Width(), 9);  // a keyboard frame never gets narrower than 10

  designtest::key(&panel, Qt::Key_Down);
  settle();
  EXPECT_EQ(e->Top(), 21);
  // Auto-repeat moves the frame; the element follows once, at the release.
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
  for (int i = 0; i < 3; ++i) QApplication::sendEvent(&panel, &down);
  EXPECT_EQ(e->Left(), 20);
  EXPECT_EQ(panel.Handle()->KeyboardFrame().left(), 23);
  QKeyEvent up(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
  QApplication::sendEvent(&panel, &up);
  settle();
  EXPECT_EQ(e->Left(), 23);

  // At the panel's right edge neither Right nor Shift+Right does anything.
  e->SetBounds(290, 20, 10, 30);
  settle();
  designtest::key(&panel, Qt::Key_Right, Qt::ShiftModifier);
  designtest::key(&panel, Qt::Key_Right);
  settle();
  EXPECT_EQ(e->BoundsRect(), QRect(290, 20, 10, 30));
}

TEST_F(PanelTest, RubberBand) {
  TGGraphicControl* a = add(20, 20, 40, 20);
  TGGraphicControl* b = add(100, 100, 40, 20);
  TGGraphicControl* c = add(200, 20, 40, 20);
  int releases = 0;
  panel.OnMouseUp = [&](Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { ++releases; };
  auto band = [&](QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    designtest::moveTo(&panel, from, Qt::NoButton);  // the handle lets the mouse go
    designtest::press(&panel, from, Qt::LeftButton, mods);
    designtest::moveTo(&panel, to, Qt::LeftButton, mods);
    EXPECT_EQ(panel.RubberBand(), QRect(from, to).normalized());
    designtest::release(&panel, to, Qt::LeftButton, mods);
    return panel.selectedElements();
  };
  const auto down = band({10, 10}, {150, 110});
  EXPECT_EQ(std::set<TGGraphicControl*>(down.begin(), down.end()), (std::set<TGGraphicControl*>{a, b}));
  panel.clearSelection();
  EXPECT_EQ(releases, 1);  // raised after the panel's own handling
  const auto up = band({150, 110}, {10, 10});
  EXPECT_EQ(std::set<TGGraphicControl*>(up.begin(), up.end()), (std::set<TGGraphicControl*>{a, b}));
  EXPECT_EQ(panel.RubberBand(), QRect());
  // Touching an edge is enough; Shift toggles against the selection.
  const auto touching = band({240, 5}, {250, 15}, Qt::ShiftModifier);
  EXPECT_EQ(std::set<TGGraphicControl*>(touching.begin(), touching.end()), (std::set<TGGraphicControl*>{a, b}));
  const auto toggled = band({240, 30}, {250, 60}, Qt::ShiftModifier);
  EXPECT_EQ(std::set<TGGraphicControl*>(toggled.begin(), toggled.end()), (std::set<TGGraphicControl*>{a, b, c}));
  // (A press inside the selection's box goes to the handle, not to a new band.)
  const auto untoggled = band({5, 5}, {25, 25}, Qt::ShiftModifier);
  EXPECT_EQ(std::set<TGGraphicControl*>(untoggled.begin(), untoggled.end()), (std::set<TGGraphicControl*>{b, c}));
}

TEST_F(PanelTest, ClipboardFile) {
  TGGraphicControl* a = add(20, 20, 40, 20);
  panel.select(a);
  designtest::key(&panel, Qt::Key_C, Qt::ControlModifier);
  ASSERT_TRUE(QFile::exists(QString::fromStdString(TGBasePanel::ClipboardPath())));
  // Ctrl+V held: once a second at most.
  for (int i = 0; i < 6; ++i) {
    designtest::key(&panel, Qt::Key_V, Qt::ControlModifier, i > 0);
    ticks.advance(500);
  }
  const auto all = panel.elements();
  ASSERT_EQ(all.size(), 4u);
  for (std::size_t i = 1; i < all.size(); ++i) EXPECT_EQ(all[i]->BoundsRect().topLeft(), QPoint(35, 35));
  EXPECT_EQ(panel.selectedElements(), std::vector<TGGraphicControl*>{a});  // pasted elements are not selected

  // The clipboard outlives other panels; it goes with the last one.
  { TGBasePanel printingPanel; }
  EXPECT_TRUE(QFile::exists(QString::fromStdString(TGBasePanel::ClipboardPath())));

  const int before = changes;
  designtest::key(&panel, Qt::Key_Delete);
  EXPECT_EQ(panel.elements().size(), 3u);
  EXPECT_EQ(changes, before + 1);
  EXPECT_FALSE(panel.Handle()->Visible());
}

TEST_F(PanelTest, ZoomAndSaving) {
  TGGraphicControl* e = add(20, 40, 100, 30);
  panel.SetScale(1.5f);
  EXPECT_EQ(panel.size(), QSize(450, 300));
  EXPECT_EQ(e->BoundsRect(), QRect(30, 60, 150, 45));
  const std::string path = home.filePath("BIN00001.L").toStdString();
  panel.SaveToFile(path);
  EXPECT_EQ(panel.GetScale(), 1.5f);
  EXPECT_EQ(e->BoundsRect(), QRect(30, 60, 150, 45));
  TGBasePanel other;
  other.LoadFromFile(path);
  ASSERT_EQ(other.elements().size(), 1u);
  EXPECT_EQ(other.elements()[0]->BoundsRect(), QRect(20, 40, 100, 30));  // unzoomed bounds were written
  panel.SetScale(1.0f);
  EXPECT_EQ(panel.size(), QSize(300, 200));
  EXPECT_EQ(e->BoundsRect(), QRect(20, 40, 100, 30));
}

TEST_F(PanelTest, StrayElementsAndClamping) {
  panel.resize(300, 100);
  TGGraphicControl* kept = add(10, 90, 20, 20);
  add(10, 91, 20, 20);
  panel.DropStrayElements();
  settle();
  EXPECT_EQ(panel.elements(), std::vector<TGGraphicControl*>{kept});
  kept->SetBounds(295, 95, 20, 20);
  panel.ClampElements();
  EXPECT_EQ(kept->BoundsRect().topLeft(), QPoint(280, 90));
}

TEST_F(PanelTest, MenuAndCommands) {
  QMenu* menu = panel.PanelMenu();
  auto entry = [&](const char* caption) {
    for (QAction* a : menu->actions())
      if (a->text() == QLatin1String(caption)) return a;
    return static_cast<QAction*>(nullptr);
  };
  emit menu->aboutToShow();
  EXPECT_FALSE(entry("Lock All")->isEnabled());
  EXPECT_FALSE(entry("Unlock All")->isEnabled());
  EXPECT_TRUE(entry("Select All")->isEnabled());
  EXPECT_FALSE(entry("Paste")->isEnabled());
  EXPECT_FALSE(entry("Align Left")->isEnabled());

  TGGraphicControl* a = add(20, 20, 40, 20);
  EXPECT_EQ(a->Name(), QStringLiteral("Special1"));
  TGGraphicControl* b = add(100, 50, 60, 20);
  EXPECT_EQ(b->Name(), QStringLiteral("Special2"));
  panel.select(b);
  emit menu->aboutToShow();
  entry("Align Right")->trigger();
  EXPECT_EQ(b->Left(), 100);  // one element: nothing moves
  panel.select(a);
  entry("Align Right")->trigger();
  EXPECT_EQ(a->Left() + a->Width(), 160);
  entry("Align Tops")->trigger();
  EXPECT_EQ(a->Top(), 20);
  EXPECT_EQ(b->Top(), 20);
  emit menu->aboutToShow();
  EXPECT_TRUE(entry("Lock All")->isEnabled());
  entry("Lock All")->trigger();
  EXPECT_TRUE(a->Locked() && b->Locked());

  // Right button: on empty sheet the panel menu, on a lone element its own menu.
  panel.clearSelection();
  designtest::press(&panel, {250, 150}, Qt::RightButton);
  EXPECT_EQ(panel.LastPopup(), menu);
  designtest::press(&panel, b->BoundsRect().center(), Qt::RightButton);  // b lies over a now
  EXPECT_EQ(panel.LastPopup(), b->Menu());
  panel.LastPopup()->hide();
  menu->hide();
}

TEST_F(PanelTest, PaintedSheet) {
  panel.SetShape(LabelShape::Rectangle);
  panel.SetShowGrid(true);
  QImage sheet = panel.grab().toImage();
  const QRgb green = qRgb(0, 128, 0), white = qRgb(255, 255, 255);
  for (auto [x, y] : {std::pair{3, 3}, {7, 3}, {3, 11}, {151, 99}}) EXPECT_EQ(sheet.pixel(x, y), green) << x << "," << y;
  for (auto [x, y] : {std::pair{4, 4}, {2, 3}, {5, 3}, {150, 99}}) EXPECT_EQ(sheet.pixel(x, y), white) << x << "," << y;
  panel.SetGridSize(GridSize::Grid8x8);
  sheet = panel.grab().toImage();
  EXPECT_EQ(sheet.pixel(7, 7), green);
  EXPECT_EQ(sheet.pixel(3, 3), white);
  // A rounded sheet has no dots outside its corners.
  panel.SetShape(LabelShape::RoundRect);
  panel.SetGridSize(GridSize::Grid4x4);
  sheet = panel.grab().toImage();
  EXPECT_EQ(sheet.pixel(3, 3), white);
  EXPECT_EQ(sheet.pixel(15, 15), green);
}
