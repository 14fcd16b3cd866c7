// Layout files through the class registry: the empty panel, a round trip
// with renaming, pasting, reading errors and what stays after them, report
// layouts with their settings list, and cloning.
#include <gtest/gtest.h>

#include <filesystem>
#include <QAction>
#include <fstream>

#include "../xbase/test_support.h"
#include "design/element_registry.h"
#include "design/label_object_filer.h"
#include "fake_panel.h"

using design::LayoutError;
using design::TGGraphicControl;
using design::TGLabelObjectFiler;
using designtest::FakePanel;

namespace {

// The smallest element kind: the base's properties and a caption.
class CaptionElement : public TGGraphicControl {
 public:
  using TGGraphicControl::TGGraphicControl;
  QString ClassName() const override { return QStringLiteral("TCaptionElement"); }
  void WriteProperties(design::LayoutWriter& w) const override {
    TGGraphicControl::WriteProperties(w);
    if (!caption.empty()) w.string("Caption", caption);
  }
  bool ReadProperty(const design::StoredProperty& p) override {
    if (p.name != "Caption") return TGGraphicControl::ReadProperty(p);
    caption = design::stringOf(p.value);
    return true;
  }
  std::string caption;
};

class FilerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    design::RegisterElementClass(QStringLiteral("TCaptionElement"),
                                 [](QObject* owner) { return new CaptionElement(owner); });
  }
  CaptionElement* add(FakePanel& panel, const QString& name, QRect r, std::string caption) {
    auto* e = new CaptionElement(&panel.owner);
    e->SetName(name);
    e->SetPanel(&panel);
    e->SetBounds(r.x(), r.y(), r.width(), r.height());
    e->caption = std::move(caption);
    e->BuildMenu();
    panel.zOrder.push_back(e);
    return e;
  }
  std::string path(const char* name) { return dir.file(name); }
  std::string fileBytes(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void writeBytes(const std::string& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }
  qvtest::TempDir dir;
};

}  // namespace

TEST_F(FilerTest, RoundTripRenamesIntoTheOwner) {
  FakePanel empty;
  TGLabelObjectFiler::SaveLayout(empty, path("empty.L"));
  EXPECT_EQ(fileBytes(path("empty.L")), std::string("\x01\x00", 2));

  FakePanel source;
  add(source, "Component1", {10, 20, 142, 33}, "Hi")->SetLocked(true);
  add(source, "Component2", {-5, 40000, 128, 1}, std::string(300, 'x'))->SetUnselectable(true);
  TGLabelObjectFiler::SaveLayout(source, path("BIN00001.L"));

  FakePanel target;
  QObject taken(&target.owner);
  taken.setObjectName("Component0");
  TGLabelObjectFiler::LoadLayout(&target.owner, target, path("BIN00001.L"));
  ASSERT_EQ(target.zOrder.size(), 2u);
  EXPECT_EQ(target.zOrder[0]->Name(), "Component1");
  EXPECT_EQ(target.zOrder[1]->Name(), "Component2");
  EXPECT_TRUE(target.zOrder[0]->Locked());
  EXPECT_NE(target.zOrder[0]->Menu(), nullptr);
  EXPECT_TRUE(target.zOrder[0]->LockedEntry()->isChecked());
  EXPECT_EQ(target.changes, 0) << "reading is no edit";
  TGLabelObjectFiler::SaveLayout(target, path("again.L"));
  EXPECT_EQ(fileBytes(path("again.L")), fileBytes(path("BIN00001.L")));

  FakePanel none;
  TGLabelObjectFiler::LoadLayout(&none.owner, none, path("missing.L"));
  EXPECT_TRUE(none.zOrder.empty());
}

TEST_F(FilerTest, PastingTwiceOffsetsEachCopyFromTheOriginal) {
  FakePanel panel;
  add(panel, "Special1", {10, 20, 30, 40}, "a");
  TGLabelObjectFiler::SaveSelection(panel, path("clip.L"));
  EXPECT_FALSE(std::filesystem::exists(path("clip.L"))) << "nothing selected, nothing written";
  panel.select(panel.zOrder[0]);
  TGLabelObjectFiler::SaveSelection(panel, path("clip.L"));
  TGLabelObjectFiler::PasteLayout(&panel.owner, panel, path("clip.L"));
  TGLabelObjectFiler::PasteLayout(&panel.owner, panel, path("clip.L"));
  ASSERT_EQ(panel.zOrder.size(), 3u);
  EXPECT_EQ(panel.zOrder[1]->BoundsRect(), QRect(25, 35, 30, 40));
  EXPECT_EQ(panel.zOrder[2]->BoundsRect(), QRect(25, 35, 30, 40));
  EXPECT_EQ(panel.zOrder[1]->Name(), "Component0");
  EXPECT_EQ(panel.zOrder[2]->Name(), "Component1");

  TGGraphicControl* copy = TGLabelObjectFiler::CloneElement(*panel.zOrder[0], &panel.owner, panel);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->BoundsRect(), QRect(10, 20, 30, 40));
  EXPECT_EQ(static_cast<CaptionElement*>(copy)->caption, "a");
}

TEST_F(FilerTest, ReadingErrorsKeepWhatCameBefore) {
  FakePanel source;
  add(source, "A", {1, 2, 3, 4}, "first");
  const std::string good = TGLabelObjectFiler::ElementList(source.zOrder);
  const std::string oneElement = good.substr(1, good.size() - 2);
  auto withSecond = [&](const std::string& second) { return "\x01" + oneElement + second + std::string(1, '\0'); };
  auto element = [](const std::string& cls, const std::string& props) {
    return "TPF0" + std::string(1, char(cls.size())) + cls + "\x01" "B" + props + std::string(2, '\0');
  };
  const struct {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"unknown class", withSecond(element("TNope", "")), "Class TNope not found"},
      {"unknown property", withSecond(element("TCaptionElement", "\x06" "Colour" "\x02\x01")),
       "Error reading Component1.Colour: Property does not exist"},
      {"wrong kind", withSecond(element("TCaptionElement", "\x04" "Left" "\x06\x01x")), "Invalid property value"},
      {"wrong signature", withSecond("TPF1"), "Invalid stream format"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    writeBytes(path("bad.L"), c.bytes);
    FakePanel panel;
    try {
      TGLabelObjectFiler::LoadLayout(&panel.owner, panel, path("bad.L"));
      ADD_FAILURE() << "read without an error";
    } catch (const LayoutError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    ASSERT_EQ(panel.zOrder.size(), 1u);
    EXPECT_EQ(static_cast<CaptionElement*>(panel.zOrder[0])->caption, "first");
    EXPECT_NE(panel.zOrder[0]->Menu(), nullptr);
  }
}

TEST_F(FilerTest, ReportLayoutsHoldThreeBandsAndTheSettings) {
  FakePanel header, detail, footer;
  add(header, "H", {0, 0, 10, 10}, "title");
  add(footer, "F", {0, 5, 10, 10}, "end");
  TGLabelObjectFiler::SaveReportLayout(header, detail, footer,
                                       [](design::LayoutWriter& w) {
                                         w.integerValue(300);
                                         w.booleanValue(true);
                                         w.stringValue("Report");
                                       },
                                       path("BIN00001.R"));
  FakePanel h2, d2, f2;
  std::vector<design::Value> settings;
  TGLabelObjectFiler::LoadReportLayout(&h2.owner, h2, d2, f2, [&](const auto& v) { settings = v; },
                                       path("BIN00001.R"));
  ASSERT_EQ(h2.zOrder.size(), 1u);
  EXPECT_TRUE(d2.zOrder.empty());
  ASSERT_EQ(f2.zOrder.size(), 1u);
  EXPECT_EQ(static_cast<CaptionElement*>(f2.zOrder[0])->caption, "end");
  EXPECT_EQ(settings, (std::vector<design::Value>{int64_t(300), true, std::string("Report")}));
}
