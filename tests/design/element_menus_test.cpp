// The element menus of every kind, entry by entry, and what a few of their
// commands do (the colour dialog answered through the modal seam).
#include <gtest/gtest.h>

#include <QAction>
#include <QColorDialog>
#include <QMenu>

#include "answer_form.h"
#include "at_ppi.h"
#include "every_kind.h"
#include "fake_panel.h"

using namespace design;
using designtest::FakePanel;

namespace {

QStringList entries(const QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

QAction* entry(const QMenu* menu, const QStringList& path) {
  const QMenu* current = menu;
  for (int i = 0; i < path.size(); ++i)
    for (QAction* a : current->actions())
      if (a->text() == path[i]) {
        if (i == path.size() - 1) return a;
        current = a->menu();
        break;
      }
  return nullptr;
}

const QStringList kBase = {"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Clone", "-", "Locked",
                           "Unselectable", "-", "Center Vertically", "Center Horizontally"};
const QStringList kText = {"-", "Font", "3D Effects", "Alignment", "Background Color", "Transparent"};
const QStringList kLines = {"-", "Font", "Alignment"};

}  // namespace

TEST(ElementMenus, EntriesOfEveryKind) {
  designtest::AtPpi at(96);
  FakePanel panel;
  const auto all = designtest::everyKind(&panel.owner, &panel);
  const QStringList expected[] = {
      kBase + kText + QStringList{"-", "Text", "-", "Rotation"},                              // free text
      kBase + kText + QStringList{"-", "Text", "-", "Rotation"},                              // turned free text
      kBase + kText + QStringList{"-", "Field"},                                              // data field
      kBase + kText + QStringList{"-", "Counter Settings", "-", "Rotation"},                  // counter
      kBase + QStringList{"-", "3D Effects", "Background Color", "Transparent", "-", "Symbol Selector"},
      kBase + kText + QStringList{"-", "Date Format", "Time Format"},                         // date/time
      kBase + kText,                                                                          // page number
      kBase + kLines + QStringList{"-", "Text", "Word Wrap"},                                 // multi-line text
      kBase + kLines + QStringList{"-", "Memo Field", "Word Wrap"},                           // memo
      kBase + kLines + QStringList{"-", "Address Layout"},                                    // address block
      kBase + QStringList{"-", "Load Image From Disk", "-", "Stretch to Fit", "AutoSize"},    // picture
      kBase + QStringList{"-", "Background Color", "Line Color", "Line Thickness", "-", "Transparent", "-",
                          "Degree of Rounding"},                                               // rounded rectangle
      kBase + QStringList{"-", "Background Color", "Line Color", "Line Thickness", "-", "Transparent"},  // ellipse
      kBase + QStringList{"-", "Style", "Color", "Line Thickness", "-", "Stretch To Edges"},  // line
  };
  for (std::size_t i = 0; i < std::size(expected); ++i)
    EXPECT_EQ(entries(all[i]->Menu()), expected[i]) << all[i]->ClassName().toStdString();

  EXPECT_EQ(entries(entry(all[0]->Menu(), {"Rotation"})->menu()),
            (QStringList{"No Rotation", "90 Degrees", "180 Degrees", "270 Degrees"}));
  EXPECT_EQ(entries(entry(all[11]->Menu(), {"Degree of Rounding"})->menu()),
            (QStringList{"20 %", "30 %", "40 %", "50 %", "60 %", "70 %", "80 %"}));
  EXPECT_EQ(entries(entry(all[13]->Menu(), {"Line Thickness"})->menu()).first(), QStringLiteral("1 Point"));
  EXPECT_EQ(entries(entry(all[5]->Menu(), {"Date Format"})->menu()),
            (QStringList{"No Date", "Windows Short Date", "Windows Long Date"}));
}

TEST(ElementMenus, Commands) {
  designtest::AtPpi at(96);
  FakePanel panel;
  auto* text = panel.place<TGPLabel>();
  entry(text->Menu(), {"Rotation", "180 Degrees"})->trigger();
  EXPECT_EQ(text->Angle(), 180);
  entry(text->Menu(), {"Transparent"})->trigger();
  EXPECT_FALSE(text->Transparent());
  text->Menu()->aboutToShow();
  EXPECT_FALSE(entry(text->Menu(), {"Transparent"})->isChecked());
  {
    designtest::Answer<QColorDialog> answer([](QColorDialog& d) { d.setCurrentColor(QColor(1, 2, 3)); });
    text->SetTransparent(true);
    entry(text->Menu(), {"Background Color"})->trigger();
  }
  EXPECT_EQ(text->BackColor(), 0x030201u);
  EXPECT_FALSE(text->Transparent());

  auto* shape = panel.place<TGLabelShapes>();
  entry(shape->Menu(), {"Line Thickness", "7 Point"})->trigger();
  EXPECT_EQ(shape->Pen().width, 7);
  shape->Menu()->aboutToShow();
  EXPECT_TRUE(entry(shape->Menu(), {"Line Thickness", "7 Point"})->isChecked());
  EXPECT_FALSE(entry(shape->Menu(), {"Line Thickness", "1 Point"})->isChecked());

  auto* line = panel.place<TGLineShape>();
  entry(line->Menu(), {"Style", "Angled Sloping Up"})->trigger();
  EXPECT_EQ(line->GetLineStyle(), LineStyle::AngleSlopingUp);

  auto* stamp = panel.place<TGDateTimeLabel>();
  const int changes = panel.changes;
  entry(stamp->Menu(), {"Time Format", "Windows Long Time"})->trigger();
  EXPECT_EQ(stamp->GetTimeFormat(), TimeFormat::Long);
  EXPECT_EQ(panel.changes, changes);  // the stamp's formats report no change
}
