// POSTNET and FIM: delivery points, check digits and bars as the postal
// standard defines them, compared with zint's POSTNET where it is installed,
// and measured on a printed page.
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

#include "design/elements/fim_marks.h"
#include "design/elements/postnet_code.h"
#include "platform/print/print_job.h"
#include "printed_page.h"

using namespace design;

TEST(PostNet, DeliveryPointsFromStreetLines) {
  const std::pair<const char*, const char*> cases[] = {
      {"123 MAIN ST", "23"},     {"123 42ND ST", "23"},  {"10 1/2 ELM", "10"},       {"MAIN ST APT 4", "04"},
      {"RR 2 BOX A", "02"},      {"PSC 1 BOX 2 APO AE", "99"}, {"", "99"},         {"ELM STREET", "99"},
      {"4 elm st", "04"},        {"1234 N 1ST AVE", "34"}, {"fpo ae 09501", "99"},
  };
  for (const auto& [street, dp] : cases) EXPECT_EQ(deliveryPoint(street), dp) << street;
}

TEST(PostNet, CodeDigitsAndBars) {
  EXPECT_EQ(postNetDigits("12345", "", PostNetType::FiveDigit), "123455");
  EXPECT_EQ(postNetBars("123455").size(), 32u);
  EXPECT_EQ(postNetDigits("12345-6789", "123 MAIN ST", PostNetType::ElevenDigit), "123456789230");
  EXPECT_EQ(postNetBars("123456789230").size(), 62u);
  EXPECT_EQ(postNetDigits("12345", "", PostNetType::NineDigit), "123455");  // a 5-digit ZIP gives 5 digits
  EXPECT_EQ(postNetDigits("12345-6789", "", PostNetType::NineDigit).size(), 10u);
  EXPECT_EQ(postNetBars(postNetDigits("12345-6789", "", PostNetType::NineDigit)).size(), 52u);
  EXPECT_EQ(postNetDigits("12345", "9 ELM", PostNetType::ElevenDigit), "1234509" "6");  // 7 digits + check
  EXPECT_EQ(postNetDigits("1234", "", PostNetType::FiveDigit), "");
  EXPECT_EQ(postNetDigits("ABCDE", "", PostNetType::FiveDigit), "");
  std::vector<bool> zero = postNetBars("0");
  EXPECT_EQ(zero, (std::vector<bool>{true, true, true, false, false, false, true}));
}

namespace {

// The tall/short pattern zint draws for POSTNET data (it adds the check digit itself).
std::vector<bool> zintBars(const QString& digits) {
  QProcess p;
  p.start("zint", {"-b", "40", "-d", digits, "--dump"});
  if (!p.waitForFinished(10000) || p.exitCode() != 0) return {};
  QStringList rows = QString::fromLatin1(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  if (rows.size() < 2) return {};
  auto bits = [](QString row) {
    row.remove(' ');
    std::vector<bool> out;
    for (QChar h : row) {
      int v = QString(h).toInt(nullptr, 16);
      for (int b = 3; b >= 0; --b) out.push_back((v >> b) & 1);
    }
    return out;
  };
  std::vector<bool> top = bits(rows[0]), bottom = bits(rows[rows.size() - 1]);
  std::vector<bool> bars;
  for (std::size_t i = 0; i < bottom.size(); ++i)
    if (bottom[i]) bars.push_back(i < top.size() && top[i]);
  return bars;
}

}  // namespace

TEST(PostNet, TheSameBarsAsZint) {
  if (zintBars("12345").empty()) GTEST_SKIP() << "zint is missing";
  for (const char* zip : {"12345", "123456789", "12345678923", "00000", "99999999999"}) {
    std::string check = std::string(zip) + checkDigit(zip);
    EXPECT_EQ(postNetBars(check), zintBars(zip)) << zip;
  }
}

TEST(PostNet, PrintedBarsHaveTheirSizes) {
  // 1000 dots per inch, cropped to the area from (0.9, 0.9) inch: dots are thousandths of an inch.
  const designtest::PrintedPage printed = designtest::printAndRender(
      [](print::Canvas& c) {
        printPostNet(c, 1.0, 1.0, postNetDigits("12345-6789", "123 MAIN ST", PostNetType::ElevenDigit));
        printFim(c, 1.0, 3.0, FimType::B);
      },
      1000, QRect(900, 900, 3400, 2800));
  ASSERT_TRUE(printed.printed);
  if (printed.image.isNull()) GTEST_SKIP() << "pdftoppm is missing";
  const QImage& page = printed.image;
  auto dark = [&](int x, int y) { return qGray(page.pixel(x - 900, y - 900)) < 128; };
  // Along a line through the bottom of every bar: 62 bars 46 dots apart, 15 wide.
  std::vector<int> starts;
  for (int x = 900; x < 4100; ++x)
    if (dark(x, 1120) && !dark(x - 1, 1120)) starts.push_back(x);
  ASSERT_EQ(starts.size(), 62u);
  EXPECT_NEAR(starts.front(), 1000, 1);
  EXPECT_NEAR((starts.back() - starts.front()) / 61.0, 46, 0.5);
  int width = 0;
  while (dark(starts[0] + width, 1120)) ++width;
  EXPECT_NEAR(width, 15, 1);
  auto height = [&](int x) {
    int h = 0;
    for (int y = 1000; y < 1130; ++y) h += dark(x + 7, y);
    return h;
  };
  EXPECT_NEAR(height(starts[0]), 125, 2);  // a frame bar: tall
  EXPECT_NEAR(height(starts[3]), 55, 2);   // digit 1 = 00011: its first bar is short
  // FIM type B: six bars, the last from 0.5 to 0.53125 inch.
  std::vector<int> fim;
  for (int x = 900; x < 1700; ++x)
    if (dark(x, 3200) && !dark(x - 1, 3200)) fim.push_back(x);
  ASSERT_EQ(fim.size(), 6u);
  EXPECT_NEAR(fim.back() - 1000, 500, 1);
  EXPECT_EQ(fimBarColumns(FimType::A), (std::vector<int>{1, 3, 9, 15, 17}));
}
