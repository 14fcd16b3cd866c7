// The POSTNET element: the record's code from the panel's fields, the
// picture's sizes on screen, the layout properties, and its bars placed
// from the origin on the page.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "design/elements/postnet_element.h"
#include "design/label_object_filer.h"
#include "design/screen_ppi.h"
#include "at_ppi.h"
#include "fake_panel.h"
#include "printed_page.h"

using namespace design;

namespace {

using designtest::AtPpi;

TGPostNetBarCode* placed(designtest::FakePanel& panel) {
  auto* e = new TGPostNetBarCode(&panel.owner);
  e->SetPanel(&panel);
  e->SetZipCodeField("ZIP");
  e->SetAddressField("STREET");
  panel.zOrder.push_back(e);
  return e;
}

}  // namespace

TEST(PostNetElement, CodeOfTheCurrentRecord) {
  designtest::FakePanel panel;
  TGPostNetBarCode* e = placed(panel);
  const struct {
    const char* zip;
    const char* street;
    PostNetType type;
    const char* code;
  } cases[] = {
      {"12345", "", PostNetType::FiveDigit, "123455"},
      {"12345-6789", "123 MAIN ST", PostNetType::ElevenDigit, "123456789230"},
      {"12345-6789", "123 MAIN ST", PostNetType::NineDigit, "1234567895"},
      {"12345", "PSC 1 BOX 2 APO AE", PostNetType::ElevenDigit, "12345997"},
      {"1234", "123 MAIN ST", PostNetType::ElevenDigit, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zip + std::string(" / ") + c.street);
    panel.record = {{"ZIP", c.zip}, {"STREET", c.street}};
    e->SetBarCodeType(c.type);
    const int before = panel.invalidations;
    e->RefreshData();
    EXPECT_EQ(e->CodeDigits(), c.code);
    EXPECT_EQ(panel.invalidations, before + 1);
  }
  panel.record = {{"POSTCODE", "12345"}};  // fields missing: empty texts, no bars
  e->RefreshData();
  EXPECT_EQ(e->CodeDigits(), "");
  panel.isPrinting = true;
  const int before = panel.invalidations;
  e->RefreshData();
  EXPECT_EQ(panel.invalidations, before) << "no repaint while printing";
}

TEST(PostNetElement, PictureSizesAndLayoutProperties) {
  AtPpi ppi(96);
  designtest::FakePanel panel;
  TGPostNetBarCode* e = placed(panel);
  EXPECT_EQ(e->BoundsRect().size(), QSize(249, 12));
  QImage img(500, 40, QImage::Format_RGB32);
  QPainter p(&img);
  e->Paint(p);
  EXPECT_EQ(e->BoundsRect().size(), QSize(270, 16));
  e->SetScale(1.5f);
  e->Paint(p);
  EXPECT_EQ(e->BoundsRect().size(), QSize(405, 24));
  p.end();

  e->SetScale(1.0f);
  e->SetBarCodeType(PostNetType::FiveDigit);
  const std::string bytes = TGLabelObjectFiler::ElementList(panel.zOrder);
  EXPECT_NE(bytes.find("\x0C" "ZipCodeField" "\x06\x03" "ZIP" "\x0C" "AddressField" "\x06\x06" "STREET"
                       "\x0B" "BarCodeType" "\x07\x0A" "pnbc5Digit"),
            std::string::npos);
  TGPostNetBarCode copy(nullptr);
  LayoutReader reader(bytes);
  const std::vector<StoredElement> stored = reader.readList();
  ASSERT_EQ(stored.size(), 1u);
  for (const StoredProperty& prop : stored[0].properties) ASSERT_TRUE(copy.ReadProperty(prop)) << prop.name;
  EXPECT_EQ(copy.ZipCodeField(), "ZIP");
  EXPECT_EQ(copy.AddressField(), "STREET");
  EXPECT_EQ(copy.BarCodeType(), PostNetType::FiveDigit);
}

TEST(PostNetElement, PrintsFromTheOriginPlusItsPosition) {
  AtPpi ppi(96);
  designtest::FakePanel panel;
  TGPostNetBarCode* e = placed(panel);
  e->SetBounds(48, 96, 270, 16);  // half an inch right, one inch down
  panel.record = {{"ZIP", "12345"}, {"STREET", ""}};
  e->SetBarCodeType(PostNetType::FiveDigit);
  e->RefreshData();
  const designtest::PrintedPage printed =
      designtest::printAndRender([&](print::Canvas& c) { e->PrintOn(c, 1.0, 1.0); }, 1000, QRect(1400, 1900, 1800, 300));
  ASSERT_TRUE(printed.printed);
  if (printed.image.isNull()) GTEST_SKIP() << "pdftoppm is missing";
  const QImage& page = printed.image;
  // Thousandths of an inch: the bars stand from x 1500, with their bottoms at y 2125.
  auto dark = [&](int x, int y) { return qGray(page.pixel(x - 1400, y - 1900)) < 128; };
  std::vector<int> starts;
  for (int x = 1400; x < 3200; ++x)
    if (dark(x, 2120) && !dark(x - 1, 2120)) starts.push_back(x);
  ASSERT_EQ(starts.size(), 32u);
  EXPECT_NEAR(starts.front(), 1500, 1);
  EXPECT_TRUE(dark(1507, 2005));   // the frame bar is tall: from 2000
  EXPECT_FALSE(dark(1507, 2130));  // and ends at 2125
}
