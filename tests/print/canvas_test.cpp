// The inch canvas, checked on the pages it produces: a PDF read back with
// pdftotext and pdftoppm, and the preview's rendering of the same stream.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "pdf_words.h"
#include "platform/print/print_job.h"
#include "../xbase/test_support.h"

using namespace print;

namespace {

using printtest::findWord;
using printtest::pdfWords;

QImage rasterize(const QString& pdf, int dpi, const QString& prefix) {
  QProcess p;
  p.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, prefix});
  p.waitForFinished(30000);
  return QImage(prefix + ".png");
}

bool toolsPresent() {
  QProcess p;
  p.start("pdftotext", {"-v"});
  return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit;
}

// A test page: text at a point, a thick rectangle, right-aligned text, a shaded tab cell.
void testPage(Canvas& c) {
  FontSpec f;
  f.name = "Arial";
  f.size = 12;
  c.setFont(f);
  c.textAt(1.0, 2.0, "Marker");
  PenSpec thick;
  thick.width = -10;  // hundredths of an inch
  c.setPen(thick);
  c.rectangle(1.0, 4.0, 3.0, 5.0);
  c.setPen(PenSpec());
  c.gotoXY(1.0, 6.0);
  c.printRight("Righty", 6.0);
  c.gotoXY(1.0, 7.0);
  c.clearTabs();
  c.setTab(2.0, 2.0, Justify::Left, 0.05, true, true, true, true, 50);
  c.tab("x");
}

}  // namespace

TEST(Canvas, PrintedPagesPutThingsWhereTheyWereAsked) {
  if (!toolsPresent()) GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) is missing";
  QTemporaryDir dir;
  const QString pdf = dir.filePath("test.pdf");
  PrintJob job;
  job.setPaper({8.5, 11});
  job.onPrint = testPage;
  ASSERT_TRUE(job.runToPdf(pdf));

  std::vector<printtest::PdfWord> words = pdfWords(pdf);
  const printtest::PdfWord* marker = findWord(words, "Marker");
  ASSERT_NE(marker, nullptr);
  EXPECT_NEAR(marker->box.left(), 1.0, 0.01);
  EXPECT_NEAR(marker->box.top(), 2.0, 0.01);
  const printtest::PdfWord* righty = findWord(words, "Righty");
  ASSERT_NE(righty, nullptr);
  EXPECT_NEAR(righty->box.right(), 6.0, 0.01);

  // 100 dots per inch: the rectangle's left edge is 10 dots thick; the cell is half grey.
  QImage page = rasterize(pdf, 100, dir.filePath("page"));
  ASSERT_FALSE(page.isNull());
  int dark = 0;
  for (int x = 80; x < 120; ++x) dark += qGray(page.pixel(x, 450)) < 128;
  EXPECT_NEAR(dark, 10, 1);
  EXPECT_NEAR(qGray(page.pixel(350, 705)), 128, 8);   // inside the shaded cell, right of the text
  EXPECT_LT(qGray(page.pixel(200, 705)), 64);          // its left box line
  EXPECT_EQ(qGray(page.pixel(450, 705)), 255);         // outside it
}

TEST(Canvas, ThePreviewShowsWhatTheFileGets) {
  if (!toolsPresent()) GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) is missing";
  QTemporaryDir dir;
  PrintJob job;
  job.onPrint = testPage;
  PageStream stream;
  ASSERT_TRUE(job.runToStream(stream));
  ASSERT_EQ(stream.pageCount(), 1);
  ASSERT_TRUE(stream.writePdf(dir.filePath("stream.pdf")));
  QImage fromPdf = rasterize(dir.filePath("stream.pdf"), 100, dir.filePath("s"));
  QImage preview = stream.image(0, 100).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(fromPdf.size(), preview.size());
  int differing = 0;
  for (int y = 0; y < preview.height(); ++y)
    for (int x = 0; x < preview.width(); ++x)
      differing += std::abs(qGray(preview.pixel(x, y)) - qGray(fromPdf.pixel(x, y))) > 96;
  EXPECT_LT(differing, preview.width() * preview.height() / 1000) << differing << " pixels differ";
}

// Turned text keeps its top-left reference point: the baseline lies one
// ascent away in the text's own downward direction.
TEST(Canvas, TurnedTextKeepsItsReferencePoint) {
  PageStream stream;
  PrintJob job;
  double ascent = 0;
  job.onPrint = [&](Canvas& c) {
    FontSpec f;
    f.size = 20;
    for (double angle : {0.0, 90.0, 180.0, 270.0}) {
      f.rotation = angle;
      c.setFont(f);
      ascent = c.ascent();
      c.textAt(2.0, 3.0, "Turn");
    }
  };
  ASSERT_TRUE(job.runToStream(stream));
  std::vector<QPointF> baselines;
  for (const Op& op : stream.page(0).ops)
    if (const auto* t = std::get_if<op::Text>(&op)) baselines.push_back(t->baseline);
  ASSERT_EQ(baselines.size(), 4u);
  const QPointF expected[] = {{2.0, 3.0 + ascent}, {2.0 + ascent, 3.0}, {2.0, 3.0 - ascent}, {2.0 - ascent, 3.0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(baselines[i].x(), expected[i].x(), 1e-9) << i;
    EXPECT_NEAR(baselines[i].y(), expected[i].y(), 1e-9) << i;
  }
}

TEST(Canvas, SectionsLinesAndTabs) {
  PageStream stream;
  PrintJob job;
  job.setPaper({8.5, 11});
  std::vector<int> newPages;
  job.onNewPage = [&](Canvas& c) { newPages.push_back(c.pageNumber()); };
  std::vector<QString> statuses;
  job.onStatus = [&](const QString& s) { statuses.push_back(s); };
  job.onPrint = [&](Canvas& c) {
    c.setMargins(1, 1, 1, 1);
    EXPECT_DOUBLE_EQ(c.sectionRight(), 7.5);
    EXPECT_DOUBLE_EQ(c.sectionBottom(), 10);
    c.home();
    EXPECT_DOUBLE_EQ(c.x(), 1);
    EXPECT_DOUBLE_EQ(c.y(), 1);
    double h = c.lineHeight();
    EXPECT_GT(h, 0.1);  // 10 points and a little
    EXPECT_LT(h, 0.25);
    EXPECT_GT(c.descent(), 0);
    EXPECT_EQ(c.linesLeft(), int(9.0 / h + 1e-9));
    c.println("one");
    EXPECT_NEAR(c.y(), 1 + h, 1e-9);
    c.setTab(Canvas::kAfterPrevious, 1.5, Justify::Left, 0, false, false, false, false, 0);
    c.setTab(Canvas::kAfterPrevious, 2.0, Justify::Right, 0.1, false, false, false, false, 0);
    c.setTab(5.0, 1.0, Justify::Center, 0, false, false, false, false, 0);
    EXPECT_DOUBLE_EQ(c.tabStart(), 1);
    c.tab("a");
    EXPECT_DOUBLE_EQ(c.tabStart(), 1);
    EXPECT_DOUBLE_EQ(c.x(), 2.5);
    c.tab("b");
    EXPECT_DOUBLE_EQ(c.tabStart(), 2.5);
    c.pushTabs();
    c.clearTabs();
    c.setTab(1, 6, Justify::Left, 0, false, false, false, false, 0);
    c.popTabs();
    c.tab("c");
    EXPECT_DOUBLE_EQ(c.tabStart(), 5);
    c.newLine();
    EXPECT_DOUBLE_EQ(c.tabStart(), 1);
    c.setSection(2, 3, 4, 5);
    c.home();
    EXPECT_DOUBLE_EQ(c.y(), 3);
    c.resetSection();
    EXPECT_DOUBLE_EQ(c.sectionLeft(), 1);
    c.newPage();
    EXPECT_EQ(c.pageNumber(), 2);
    EXPECT_DOUBLE_EQ(c.y(), 1);  // home on the new page
    c.newPage();
  };
  job.setStatusFormat("Printing Page %p");
  ASSERT_TRUE(job.runToStream(stream));
  EXPECT_EQ(stream.pageCount(), 3);
  EXPECT_EQ(newPages, (std::vector<int>{2, 3}));
  EXPECT_EQ(statuses, (std::vector<QString>{"Printing Page 1", "Printing Page 2", "Printing Page 3"}));
}

TEST(Canvas, AnAbortedJobStopsAndSaysSo) {
  PageStream stream;
  PrintJob job;
  job.onPrint = [&](Canvas& c) {
    for (int i = 0; i < 100 && !job.aborted(); ++i) {
      c.println(QString::number(i));
      if (i == 1) job.abort();
      c.newPage();
    }
  };
  EXPECT_FALSE(job.runToStream(stream));
  EXPECT_TRUE(job.aborted());
  EXPECT_EQ(stream.pageCount(), 2);  // no page is started once the job is aborted
}
