// Elements printed through the PDF printer, checked where a reader of the
// page would look: the words' boxes as pdftotext finds them, and the marks
// of shapes, lines and pictures on the rendered page.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "at_ppi.h"
#include "../print/pdf_words.h"
#include "every_kind.h"
#include "fake_panel.h"
#include "platform/home.h"
#include "platform/print/print_job.h"

using namespace design;
using designtest::AtPpi;

namespace {

using printtest::findWord;
using printtest::PdfWord;

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

  const auto words = printtest::pdfWords(pdf);
  const struct {
    const char* word;
    double left, top;  // inches: the element's corner
  } placed[] = {{"Quillvane", 1, 1}, {"Cole", 1, 2},     {"Ann", 1, 3},       {"Boise", 1, 3},
                {"0001", 5, 5},      {"\u263A", 7, 4},   {"1", 1, 6},         {"Twelve", 1, 7},
                {"Drummers", 1, 7},  {"Partridge", 5, 7}, {"Pear", 5, 7}};
  platform::setNow(nullptr);
  for (const auto& p : placed) {
    const PdfWord* w = findWord(words, QString::fromUtf8(p.word));
    ASSERT_NE(w, nullptr) << p.word;
    EXPECT_NEAR(w->box.left(), p.left, 0.04) << p.word;
    EXPECT_GE(w->box.top(), p.top - 0.015) << p.word;
    EXPECT_LT(w->box.top(), p.top + 0.4) << p.word;
  }
  // The stamp prints the clock's date in the system's short format, from the element's corner.
  QStringList dateWords;
  double stampLeft = 1e9;
  for (const PdfWord& w : words)
    if (w.box.left() >= 4.98 && w.box.top() >= 5.98 && w.box.top() < 6.25) {
      dateWords << w.text;
      stampLeft = std::min(stampLeft, w.box.left());
    }
  EXPECT_TRUE(dateWords.join(' ').contains(QStringLiteral("26"))) << dateWords.join(' ').toStdString();
  EXPECT_NEAR(stampLeft, 5, 0.04);
  // The address block's lines follow each other, 120 % of the point size apart.
  const PdfWord* ann = findWord(words, "Ann");
  const PdfWord* street = findWord(words, "12");
  ASSERT_TRUE(ann && street);
  EXPECT_NEAR((street->box.top() - ann->box.top()) * 72, 12, 0.5);
  // Turned text runs upwards: a tall, narrow box at the element's left edge.
  const PdfWord* sideways = findWord(words, "Sideways");
  ASSERT_NE(sideways, nullptr);
  EXPECT_GT(sideways->box.height(), sideways->box.width());
  EXPECT_NEAR(sideways->box.left(), 7, 0.3);

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
