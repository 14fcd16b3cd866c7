// The panel kinds: what a palette state creates where the user drags or
// clicks, the report bands' rules, the data panel's record values, and the
// envelope's automation zones.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>

#include "answer_form.h"
#include "at_ppi.h"
#include "design/elements/base_label.h"
#include "design/elements/data_label.h"
#include "design/elements/shape_elements.h"
#include "design/forms/field_selection_box.h"
#include "design/forms/text_forms.h"
#include "design/panel_kinds.h"
#include "panel_events.h"
#include "platform/home.h"
#include "platform/prompts.h"

using namespace design;
using designtest::Answer;

namespace {

struct OneRecord : RecordSource {
  bool isOpen() const override { return true; }
  std::vector<DataField> fields() const override { return {{"LNAME", 'C', "Last Name"}, {"CITY", 'C', "City"}}; }
  std::optional<std::string> fieldText(const std::string& name) const override {
    if (name == "LNAME") return "Cole";
    if (name == "CITY") return "Boise";
    return std::nullopt;
  }
};

void click(QWidget* panel, QPoint at) {
  designtest::press(panel, at);
  designtest::release(panel, at);
}

void dragOut(QWidget* panel, QPoint from, QPoint to) {
  designtest::press(panel, from);
  designtest::moveTo(panel, to);
  designtest::release(panel, to);
}

}  // namespace

TEST(PanelKinds, LabelPanelCreatesWhereTheUserDrags) {
  designtest::AtPpi at(96);
  QTemporaryDir home;
  platform::setHomeFolder(home.path().toStdString() + "/");
  TGLabelPanel panel;
  panel.resize(400, 200);
  QRect dropped;
  panel.DroppedObjectEvent = [&](QRect& r) { dropped = r; };

  panel.SetPanelState(TGLabelPanel::psRectangle);
  EXPECT_FALSE(panel.Pointing());
  EXPECT_EQ(panel.ScreenCursor(), TGBasePanel::Drag);
  click(&panel, {40, 30});
  ASSERT_EQ(panel.elements().size(), 1u);
  auto* rectangle = panel.elements()[0];
  EXPECT_EQ(rectangle->ClassName(), QStringLiteral("TGLabelShapes"));
  EXPECT_EQ(rectangle->BoundsRect(), QRect(40, 30, 50, 15));
  EXPECT_EQ(dropped, QRect(40, 30, 0, 0));
  EXPECT_EQ(rectangle->Name(), QStringLiteral("Special1"));

  panel.SetPanelState(TGLabelPanel::psRoundRectangle);
  click(&panel, {200, 100});
  auto* rounded = panel.elements().back();
  bool rounding = false;
  for (QAction* a : rounded->Menu()->actions()) rounding = rounding || a->text() == QLatin1String("Degree of Rounding");
  EXPECT_TRUE(rounding);

  panel.SetPanelState(TGLabelPanel::psLine);
  click(&panel, {300, 20});
  EXPECT_EQ(static_cast<TGLineShape*>(panel.elements().back())->GetLineStyle(), LineStyle::Vertical);

  // Free text: a drag of 30 x 10 gives a rectangle 30 x 15, then the text form and auto-sizing.
  panel.SetPanelState(TGLabelPanel::psLabel);
  {
    Answer<TGetLabelText> answer([](TGetLabelText& f) {
      EXPECT_EQ(f.Text->text(), QStringLiteral("<text>"));
      f.Text->setText(QStringLiteral("Hello"));
    });
    dragOut(&panel, {100, 150}, {130, 160});
  }
  auto* text = static_cast<TGPLabel*>(panel.elements().back());
  EXPECT_EQ(text->Caption(), QStringLiteral("Hello"));
  EXPECT_EQ(text->BoundsRect().topLeft(), QPoint(100, 150));
  EXPECT_GE(text->Width(), 30);

  panel.SetPanelState(TGLabelPanel::psPointing);
  EXPECT_TRUE(panel.Pointing());
  EXPECT_EQ(panel.ScreenCursor(), TGBasePanel::Default);
  platform::setHomeFolder("");
}

TEST(PanelKinds, DataFieldsShowTheRecord) {
  designtest::AtPpi at(96);
  OneRecord record;
  TGLabelPanel panel;
  panel.resize(400, 200);
  panel.SetDataSet(&record);
  panel.SetPanelState(TGLabelPanel::psDataLabel);
  {
    Answer<TFieldSelectionBox> answer([](TFieldSelectionBox& f) { f.FieldList->setCurrentRow(1); });
    click(&panel, {10, 10});
  }
  auto* field = static_cast<TGPDLabel*>(panel.elements().back());
  EXPECT_EQ(field->DataFieldName(), QStringLiteral("CITY"));
  EXPECT_EQ(field->Caption(), QStringLiteral("Boise"));
  panel.SetDisplayDataValues(false);
  EXPECT_EQ(field->Caption(), QStringLiteral("[City]"));
}

TEST(PanelKinds, ReportBands) {
  designtest::AtPpi at(96);
  platform::ScriptedPrompts prompts;
  platform::ScopedPrompts scope(prompts);
  TReportPanel band;
  band.resize(700, 100);
  band.PAnelKind = TReportPanel::rpkHeader;
  const struct {
    TReportPanel::TRPanelKind kind;
    TReportPanel::TRPanelState state;
    const char* message;  // nullptr: created
  } cases[] = {
      {TReportPanel::rpkHeader, TReportPanel::psDataLabel, "This object may only be used in the detail band"},
      {TReportPanel::rpkDetail, TReportPanel::psMultiLineDataLabel, "This object may only be used in the memo band"},
      {TReportPanel::rpkDetail, TReportPanel::psDateTime, "This object may only be used in the header or footer bands"},
      {TReportPanel::rpkFooter, TReportPanel::psImage, "This object may only be used in the header band"},
      {TReportPanel::rpkFooter, TReportPanel::psPageNumber, nullptr},
      {TReportPanel::rpkDetail, TReportPanel::psRectangle, nullptr},
      {TReportPanel::rpkDetail, TReportPanel::psLine, nullptr},
  };
  for (const auto& c : cases) {
    prompts.clear();
    band.PAnelKind = c.kind;
    band.SetPanelState(c.state);
    const std::size_t before = band.elements().size();
    click(&band, {20, 20});
    if (c.message) {
      EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"<beep>", c.message}));
      EXPECT_EQ(band.elements().size(), before);
    } else {
      EXPECT_TRUE(prompts.texts().empty());
      EXPECT_EQ(band.elements().size(), before + 1);
    }
  }
  EXPECT_EQ(band.elements()[1]->ClassName(), QStringLiteral("Trpshapes"));
  EXPECT_EQ(static_cast<TGLineShape*>(band.elements()[2])->GetLineStyle(), LineStyle::Horizontal);

  // A press on the band while it refuses presses only beeps.
  band.SetPanelState(TReportPanel::psPointing);
  band.AcceptsPress = false;
  prompts.clear();
  designtest::press(&band, {600, 80});
  EXPECT_EQ(prompts.texts(), std::vector<std::string>{"<beep>"});
  EXPECT_EQ(band.RubberBand(), QRect());
  designtest::release(&band, {600, 80});

  // Its own limits for stray elements: Height + 10 stays, Height + 11 goes.
  int notified = 0;
  band.ControlMouseDownEvent = [&](TReportPanel*) { ++notified; };
  band.elements()[0]->SetBounds(10, 110, 30, 20);
  band.elements()[1]->SetBounds(10, 111, 30, 20);
  band.DropStrayElements();
  QCoreApplication::processEvents();
  EXPECT_EQ(band.elements().size(), 2u);
  EXPECT_EQ(band.elements()[0]->Top(), 110);
  designtest::press(&band, {20, 115});
  EXPECT_EQ(notified, 1);
}

TEST(PanelKinds, EnvelopeZones) {
  designtest::AtPpi at(96);
  TEnvelopePanel envelope;
  envelope.resize(912, 396);  // 9.5 x 4.125 inches
  EXPECT_EQ(envelope.AddressAreaLeft(), 48);
  envelope.resize(1056, 432);  // 11 inches
  EXPECT_EQ(envelope.AddressAreaLeft(), 1056 - 936);

  envelope.resize(912, 396);
  envelope.ShowTemplate = true;
  envelope.ShowUnprintable = true;
  envelope.MarginLeft = envelope.MarginTop = envelope.MarginRight = envelope.MarginBottom = 24;
  envelope.PageWidth = 912;
  envelope.PageHeight = 396;
  const QImage image = envelope.grab().toImage();
  EXPECT_EQ(image.pixel(100, 60), qRgb(239, 239, 239));    // inside the return-address area
  EXPECT_EQ(image.pixel(455, 1), qRgb(128, 128, 128));     // its right edge, inside (1, 1)-(456, 132)
  EXPECT_EQ(image.pixel(200, 396 - 100), qRgb(239, 239, 239));  // the address area
  EXPECT_EQ(image.pixel(40, 396 - 100), qRgb(255, 255, 255));   // left of it
  EXPECT_EQ(qRed(image.pixel(24, 200)), 255);                   // the unprintable margin's dotted line
}
