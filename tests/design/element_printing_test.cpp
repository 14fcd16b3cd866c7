// Elements printed through the PDF printer, checked where a reader of the
// page would look: the words' boxes as pdftotext finds them, and the marks
// of shapes, lines and pictures on the rendered page.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "at_ppi.h"
#include "every_kind.h"
#include "fake_panel.h"
#include "platform/home.h"
#include "platform/print/print_job.h"

using namespace design;
using designtest::AtPpi;

namespace {

struct Word {
  QString text;
  QRectF box;  // points
};

// The words of a PDF's first page with their boxes, as pdftotext -bbox gives them.
std::vector<Word> pdfWords(const QString& pdf) {
  QProcess p;
  p.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
  p.waitForFinished(60000);
  std::vector<Word> words;
  static const QRegularExpression word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  for (auto m = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); m.hasNext();) {
    auto w = m.next();
    words.push_back({w.captured(5), QRectF(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                                           QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()))});
  }
  return words;
}

const Word* find(const std::vector<Word>& words, const QString& text) {
  for (const Word& w : words)
    if (w.text == text) return &w;
  return nullptr;
}

bool dark(const QImage& page, int x, int y) { return qGray(page.pixel(x, y)) < 128; }

}  // namespace

TEST(ElementPrinting, TextAndGraphicsLandWhereTheLayoutPutsThem) {
  AtPpi at(96);
  designtest::FakePanel panel;
  panel.isPrinting = true;
  panel.fields = {{"LNAME", 'C', "Last Name"}, {"MEMO", 'M', "MEMO"}};
  platform::setNow([] { return platform::DateTime{2026, 12, 11, 9, 30, 0}; });
  panel.record = {{"LNAME", "Cole   "}, {"FNAME", "Ann"}, {"MIDDLE", ""}, {"PREFIX", ""}, {"TITLE", ""},
                  {"ORG", ""}, {"STREET", "12 Elm St"}, {"STREET2", ""}, {"CITY", "Boise"}, {"STATE", "ID"},
                  {"ZIP", "83702"}, {"COUNTRY", ""}, {"PHONE", ""},
                  {"MEMO", "Partridge\r\nPear"}};

  auto* text = panel.place<TGPLabel>();
  text->SetCaption(QStringLiteral("Quillvane"));
  text->SetBounds(96, 96, 200, 33);  // one inch from the top and the left
  auto* field = panel.place<TGPDLabel>();
  field->SetDataFieldDescript(QStringLiteral("Last Name"));
  field->SetBounds(96, 192, 142, 33);
  auto* block = panel.place<TGDMultiLineAddressLabel>();
  block->SetBounds(96, 288, 300, 100);
  auto* counter = panel.place<TGCounterLabel>();
  counter->SetLeadingZeros(4);
  counter->SetBounds(480, 480, 142, 33);
  auto* turned = panel.place<TGPLabel>();
  turned->SetCaption(QStringLiteral("Sideways"));
  turned->SetBounds(672, 96, 142, 33);
  turned->SetAngle(90);
  auto* box = panel.place<TGLabelShapes>();
  box->SetBounds(384, 96, 96, 48);
  auto* line = panel.place<TGLineShape>();
  line->SetBounds(384, 240, 192, 10);
  auto* symbol = panel.place<TGSymbolLabel>();
  symbol->SetCaption(QStringLiteral("J"));
  symbol->SetBounds(672, 384, 60, 60);
  auto* stamp = panel.place<TGDateTimeLabel>();
  stamp->SetBounds(480, 576, 300, 33);
  auto* pageNumber = panel.place<TGPageNumberLabel>();
  pageNumber->SetBounds(96, 576, 60, 33);
  auto* lines = panel.place<TGMultiLineLabel>();
  lines->SetItems({QStringLiteral("Twelve"), QStringLiteral("Drummers")});
  lines->SetBounds(96, 672, 200, 60);
  auto* memo = panel.place<TGDMultiLineLabel>();
  memo->SetDataFieldDescript(QStringLiteral("MEMO"));
  memo->SetBounds(480, 672, 200, 60);
  auto* picture = panel.place<TGImage>();
  QImage red(4, 4, QImage::Format_RGB32);
  red.fill(qRgb(0, 0, 0));
  picture->SetPicture(LayoutPicture::fromImage(red));
  picture->SetBounds(384, 384, 48, 48);

  QTemporaryDir dir;
  const QString pdf = dir.filePath("page.pdf");
  print::PrintJob job;
  job.onPrint = [&](print::Canvas& c) {
    for (TGGraphicControl* e : panel.zOrder) {
      e->RefreshData();
      e->PrintOn(c, 0, 0);
    }
  };
  ASSERT_TRUE(job.runToPdf(pdf));

  const auto words = pdfWords(pdf);
  const struct {
    const char* word;
    double left, top;  // points: the element's corner
  } placed[] = {{"Quillvane", 72, 72}, {"Cole", 72, 144},      {"Ann", 72, 216},       {"Boise", 72, 216},
                {"0001", 360, 360},     {"\u263A", 504, 288},   {"1", 72, 432},         {"Twelve", 72, 504},
                {"Drummers", 72, 504},  {"Partridge", 360, 504}, {"Pear", 360, 504}};
  platform::setNow(nullptr);
  for (const auto& p : placed) {
    const Word* w = find(words, QString::fromUtf8(p.word));
    ASSERT_NE(w, nullptr) << p.word;
    EXPECT_NEAR(w->box.left(), p.left, 3) << p.word;
    EXPECT_GE(w->box.top(), p.top - 1) << p.word;
    EXPECT_LT(w->box.top(), p.top + 30) << p.word;
  }
  // The stamp prints the clock's date in the system's short format, from the element's corner.
  QStringList dateWords;
  double stampLeft = 1e9;
  for (const Word& w : words)
    if (w.box.left() >= 359 && w.box.top() >= 431 && w.box.top() < 450) {
      dateWords << w.text;
      stampLeft = std::min(stampLeft, w.box.left());
    }
  EXPECT_TRUE(dateWords.join(' ').contains(QStringLiteral("26"))) << dateWords.join(' ').toStdString();
  EXPECT_NEAR(stampLeft, 360, 3);
  // The address block's lines follow each other, 120 % of the point size apart.
  const Word* ann = find(words, "Ann");
  const Word* street = find(words, "12");
  ASSERT_TRUE(ann && street);
  EXPECT_NEAR(street->box.top() - ann->box.top(), 12, 0.5);
  // Turned text runs upwards: a tall, narrow box at the element's left edge.
  const Word* sideways = find(words, "Sideways");
  ASSERT_NE(sideways, nullptr);
  EXPECT_GT(sideways->box.height(), sideways->box.width());
  EXPECT_NEAR(sideways->box.left(), 672 * 0.75, 20);

  // At 96 dpi one design pixel is one dot.
  QProcess render;
  render.start("pdftoppm", {"-r", "96", "-gray", "-png", "-singlefile", pdf, dir.filePath("page")});
  ASSERT_TRUE(render.waitForFinished(60000));
  const QImage page(dir.filePath("page.png"));
  ASSERT_FALSE(page.isNull());
  EXPECT_TRUE(dark(page, 384, 120));   // the rectangle's left edge
  EXPECT_TRUE(dark(page, 430, 96));    // its top edge
  EXPECT_FALSE(dark(page, 430, 120));  // white inside
  EXPECT_TRUE(dark(page, 480, 240));   // the line at the element's top
  EXPECT_FALSE(dark(page, 480, 246));
  EXPECT_TRUE(dark(page, 408, 408));   // the picture fills its element
  EXPECT_FALSE(dark(page, 436, 408));
}
