// Element kinds in layout files: the stored bytes of a free text, every kind
// written, read back and written again byte for byte (and read by the
// layout tool), fonts across resolutions, and untrusted picture data.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <fstream>

#include "at_ppi.h"
#include "design/element_classes.h"
#include "design/element_list_panel.h"
#include "design/label_object_filer.h"
#include "design/layout_picture.h"
#include "every_kind.h"
#include "platform/home.h"
#include "fake_panel.h"

using namespace design;
using designtest::AtPpi;

namespace {

std::string s(const std::string& text) { return std::string(1, char(text.size())) + text; }
std::string prop(const std::string& name, const std::string& value) { return s(name) + value; }

std::vector<TGGraphicControl*> readBack(const std::string& bytes, QObject* owner, ElementPanel& panel) {
  RegisterElementClasses();
  LayoutReader reader(bytes);
  return TGLabelObjectFiler::ReadElements(reader, owner, panel);
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::pair<int, QString> runTool(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(QVLAYOUT), args);
  p.waitForFinished(120000);
  return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError() + p.readAllStandardOutput())};
}

}  // namespace

TEST(ElementLayout, FreeTextIsStoredAsTheExampleBytes) {
  AtPpi at(96);
  QObject owner;
  auto* text = new TGPLabel(&owner);
  text->SetName(QStringLiteral("Special1"));
  text->SetBounds(10, 20, 142, 33);
  text->SetCaption(QStringLiteral("Hi"));
  const std::string expected = std::string("\x01TPF0", 5) + s("TGPLabel") + s("Special1") +
                               prop("Left", "\x02\x0A") + prop("Top", "\x02\x14") +
                               prop("Width", std::string("\x03\x8E\x00", 3)) + prop("Height", "\x02\x21") +
                               prop("Locked", "\x08") + prop("Unselectable", "\x08") + prop("Caption", "\x06\x02Hi") +
                               prop("Font.Color", "\x07" + s("clBlack")) + prop("Font.Height", "\x02\xF3") +
                               prop("Font.Name", "\x06\x05" "Arial") + prop("Font.Style", std::string("\x0B\x00", 2)) +
                               prop("Transparent", "\x09") + prop("BackColor", "\x07" + s("clWhite")) +
                               std::string("\x00\x00\x00", 3);
  EXPECT_EQ(TGLabelObjectFiler::ElementList({text}), expected);
}

TEST(ElementLayout, EveryKindRoundTripsByteForByte) {
  AtPpi at(96);
  platform::setNow([] { return platform::DateTime{2026, 3, 4, 5, 6, 7}; });
  QObject originalOwner;
  designtest::FakePanel original;
  const auto all = designtest::everyKind(&originalOwner, &original);
  const std::string first = TGLabelObjectFiler::ElementList(all);

  QObject owner;
  designtest::FakePanel panel;
  const auto read = readBack(first, &owner, panel);
  ASSERT_EQ(read.size(), all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(read[i]->ClassName(), all[i]->ClassName());
    EXPECT_EQ(read[i]->BoundsRect(), all[i]->BoundsRect()) << all[i]->ClassName().toStdString();
  }
  // A panel clears the record values before it saves.
  for (TGGraphicControl* e : read) e->ClearData();
  EXPECT_EQ(TGLabelObjectFiler::ElementList(read), first);

  // A few values that must come back as they were set, not just as bytes.
  auto* text = static_cast<TGPLabel*>(read[0]);
  EXPECT_EQ(text->Caption(), QStringLiteral("Hello \u00e9t\u00e9"));
  EXPECT_EQ(text->Font().size(), 12);
  EXPECT_TRUE(text->Font().bold && text->Font().italic);
  EXPECT_EQ(text->ColorHighlight(), 0x030201u);
  EXPECT_EQ(static_cast<TGPLabel*>(read[1])->Angle(), 90);
  EXPECT_EQ(static_cast<TGMultiLineLabel*>(read[7])->Items()[1].size(), 256);
  EXPECT_EQ(static_cast<TGImage*>(read[10])->Picture().image.pixel(2, 1), designtest::smallPicture().pixel(2, 1));
  EXPECT_EQ(static_cast<TGLabelShapes*>(read[11])->Pen().mode, 14);

  // The layout tool reads the file as the program does, and prints it.
  QTemporaryDir dir;
  const std::string path = dir.filePath("BIN00001.L").toStdString();
  writeFile(path, first);
  auto [checkCode, checkOut] = runTool({"check", QString::fromStdString(path)});
  EXPECT_EQ(checkCode, 0) << checkOut.toStdString();
  auto [renderCode, renderOut] =
      runTool({"render", QString::fromStdString(path), dir.filePath("out.pdf"), "--record", "LNAME=Cole"});
  EXPECT_EQ(renderCode, 0) << renderOut.toStdString();
  EXPECT_TRUE(QFile::exists(dir.filePath("out.pdf")));
  platform::setNow(nullptr);
}

TEST(ElementLayout, FontHeightFollowsTheReadingResolution) {
  std::string bytes;
  {
    AtPpi at(96);
    QObject owner;
    auto* text = new TGPLabel(&owner);
    EXPECT_EQ(text->Font().height, -13);  // 10 points at 96 PPI
    bytes = TGLabelObjectFiler::ElementList({text});
  }
  AtPpi at(120);
  QObject owner;
  designtest::FakePanel panel;
  const auto read = readBack(bytes, &owner, panel);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(static_cast<TGPLabel*>(read[0])->Font().size(), 8);  // Round(13 * 72 / 120)
  EXPECT_EQ(read[0]->Width(), 142);                                 // pixels stay pixels
}

TEST(ElementLayout, ReadingErrorsOfTheKinds) {
  auto binary = [](const std::string& data) {
    std::string out = "\x0A";
    const uint32_t n = uint32_t(data.size());
    for (int i = 0; i < 4; ++i) out.push_back(char((n >> (8 * i)) & 0xFF));
    return out + data;
  };
  auto bitmap = [](const std::string& bmp) {
    std::string count;
    const uint32_t n = uint32_t(bmp.size());
    for (int i = 0; i < 4; ++i) count.push_back(char((n >> (8 * i)) & 0xFF));
    return std::string("\x07TBitmap") + count + bmp;
  };
  // A BMP header claiming 30000 x 30000 pixels over a few bytes of data.
  std::string lyingBmp = "BM" + std::string(12, '\0');
  lyingBmp[10] = 54;
  std::string info(40, '\0');
  info[0] = 40;
  info[4] = char(0x30), info[5] = char(0x75);  // width 30000
  info[8] = char(0x30), info[9] = char(0x75);  // height 30000
  info[12] = 1, info[14] = 24;
  lyingBmp += info + std::string(16, '\0');
  const struct {
    const char* what;
    std::string element;
    std::string message;
  } cases[] = {
      {"unknown property of a kind", "TPF0" + s("TGPLabel") + s("A") + prop("Colour", "\x02\x01") + std::string(2, '\0'),
       "Error reading Component0.Colour: Property does not exist"},
      {"enumeration of another type", "TPF0" + s("TGPLabel") + s("A") + prop("Alignment", "\x07" + s("stCircle")) +
                                          std::string(2, '\0'),
       "Invalid property value"},
      {"string for a Boolean", "TPF0" + s("TGDMultiLineAddressLabel") + s("A") + prop("UseZip", "\x06\x01T") +
                                   std::string(2, '\0'),
       "Invalid property value"},
      {"bitmap whose header lies", "TPF0" + s("TGImage") + s("A") + prop("Picture.Data", binary(bitmap(lyingBmp))) +
                                       std::string(2, '\0'),
       "Bitmap image is not valid"},
      {"bitmap count past its data", "TPF0" + s("TGImage") + s("A") +
                                         prop("Picture.Data", binary(std::string("\x07TBitmap\xff\xff\xff\x7f", 12))) +
                                         std::string(2, '\0'),
       "Bitmap image is not valid"},
      {"unknown graphic class", "TPF0" + s("TGImage") + s("A") + prop("Picture.Data", binary("\x04TJpg")) +
                                    std::string(2, '\0'),
       "Invalid property value"},
  };
  for (const auto& c : cases) {
    QObject owner;
    designtest::FakePanel panel;
    try {
      readBack("\x01" + c.element + std::string(1, '\0'), &owner, panel);
      ADD_FAILURE() << c.what << ": read without an error";
    } catch (const LayoutError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.what;
    }
  }
  EXPECT_FALSE(checkBmp(lyingBmp));
}
