// The run status window and the print preview window, driven headless; and
// the printer list with the built-in "PDF file" printer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>

#include "platform/modal.h"
#include "platform/single_instance.h"
#include "platform/print/destination.h"
#include "platform/print/preview_form.h"
#include "platform/print/printers.h"
#include "platform/print/run_status_window.h"

using namespace print;

namespace {

PageStream pages(int count) {
  PageStream stream;
  PrintJob job;
  job.onPrint = [&](Canvas& c) {
    for (int i = 1; i <= count; ++i) {
      c.textAt(1, 1, QString("Page %1").arg(i));
      if (i < count) c.newPage();
    }
  };
  job.runToStream(stream);
  return stream;
}

// Shows a window and lets events run until `done` says so (or a time limit).
template <typename Done>
void runUntil(QWidget& w, Done done) {
  w.show();
  for (int i = 0; i < 2000 && !done(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

TEST(PreviewForm, CaptionPagesAndZoom) {
  PageStream stream = pages(7);
  TPreviewForm form;
  form.setStream(&stream);
  form.setZoomMode(75);
  form.show();
  QApplication::processEvents();
  EXPECT_DOUBLE_EQ(form.zoom(), 75);
  form.goToPage(2);
  EXPECT_EQ(form.windowTitle(), "Preview Page 3 of 7 ( 75% )");
  EXPECT_TRUE(form.NextPageButton->isVisible());
  form.NextPageButton->click();
  EXPECT_EQ(form.currentPage(), 3);
  form.LastPageButton->click();
  form.NextPageButton->click();  // stays on the last
  EXPECT_EQ(form.currentPage(), 6);
  form.FirstPageButton->click();
  form.PriorPageButton->click();
  EXPECT_EQ(form.currentPage(), 0);
  form.Zoom100Button->click();
  EXPECT_EQ(form.windowTitle(), "Preview Page 1 of 7 ( 100% )");
  EXPECT_EQ(form.PageImage->pixmap().width(), qRound(8.5 * 96));

  // A click on the page zooms in with the left button, out with any other.
  QMouseEvent left(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.PageImage, &left);
  EXPECT_GT(form.zoom(), 100);
  QMouseEvent right(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(form.PageImage, &right);
  EXPECT_DOUBLE_EQ(form.zoom(), 100);

  // Arrow keys move the vertical scroll bar within its range.
  QScrollBar* bar = form.ScrollBox->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(&form, &down);
  EXPECT_EQ(bar->value(), bar->singleStep());
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QApplication::sendEvent(&form, &up);
  QApplication::sendEvent(&form, &up);
  EXPECT_EQ(bar->value(), 0);

  form.WholePageButton->click();
  EXPECT_NEAR(form.zoom(), form.wholePageZoom(), 0.01);
  EXPECT_LT(form.wholePageZoom(), form.pageWidthZoom());
}

TEST(PreviewForm, OnePageHidesThePageButtonsAndModesSetTheZoom) {
  PageStream stream = pages(1);
  TPreviewForm whole;
  whole.setStream(&stream);
  whole.show();
  QApplication::processEvents();
  EXPECT_FALSE(whole.NextPageButton->isVisible());
  EXPECT_FALSE(whole.FirstPageButton->isVisible());
  EXPECT_NEAR(whole.zoom(), whole.wholePageZoom(), 0.01);
  TPreviewForm width;
  width.setStream(&stream);
  width.setZoomMode(TPreviewForm::kPageWidth);
  int restored = 0, saved = 0;
  width.restorePlacement = [&](QWidget&) { ++restored; };
  width.savePlacement = [&](QWidget&) { ++saved; };
  width.show();
  QApplication::processEvents();
  EXPECT_NEAR(width.zoom(), width.pageWidthZoom(), 0.01);
  width.close();
  EXPECT_EQ(restored, 1);
  EXPECT_EQ(saved, 1);
}

TEST(RunStatusWindow, CompletesCancelsAndStops) {
  auto job = [](int pages, std::function<void(int)> atPage) {
    auto j = std::make_shared<PrintJob>();
    j->onPrint = [j, pages, atPage](Canvas& c) {
      for (int i = 1; i <= pages && !j->aborted(); ++i) {
        c.textAt(1, 1, QString::number(i));
        if (atPage) atPage(i);
        if (i < pages) c.newPage();
      }
    };
    return j;
  };
  PageStream stream;
  auto toStream = [&](PrintJob& j) { return j.runToStream(stream); };

  {
    auto j = job(3, {});
    RunStatusWindow w;
    w.setJob(j.get(), toStream, RunStatusWindow::Mode::Printing);
    w.setEndTexts("Done!", "Cancelled", "Stopped");
    EXPECT_EQ(w.CancelButton->text(), "Cancel");
    runUntil(w, [&] { return w.outcome() != RunStatusWindow::Outcome::NotRun; });
    EXPECT_EQ(w.outcome(), RunStatusWindow::Outcome::Completed);
    EXPECT_EQ(w.StatusLabel->text(), "Done!");
    EXPECT_EQ(w.CancelButton->text(), "Ok");
    w.CancelButton->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
  }
  {
    RunStatusWindow w;
    int asked = 0;
    w.confirmCancel = [&] { return ++asked == 2; };  // No the first time, Yes the second
    auto j = job(50, [&](int page) {
      if (page == 2 || page == 3) w.CancelButton->click();
    });
    w.setJob(j.get(), toStream, RunStatusWindow::Mode::Printing);
    w.setEndTexts("Done!", "Cancelled", "Stopped");
    runUntil(w, [&] { return w.outcome() != RunStatusWindow::Outcome::NotRun; });
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(w.outcome(), RunStatusWindow::Outcome::Cancelled);
    EXPECT_EQ(w.StatusLabel->text(), "Cancelled");
  }
  {
    stream.clear();
    RunStatusWindow w;
    auto j = job(50, [&](int page) {
      if (page == 2) w.CancelButton->click();
    });
    w.setJob(j.get(), toStream, RunStatusWindow::Mode::Previewing);
    w.setEndTexts("Done!", "Cancelled", "Stopped");
    EXPECT_EQ(w.CancelButton->text(), "Stop");
    runUntil(w, [&] { return w.outcome() != RunStatusWindow::Outcome::NotRun; });
    EXPECT_EQ(w.outcome(), RunStatusWindow::Outcome::Stopped);
    EXPECT_EQ(stream.pageCount(), 2);  // a preview stopped after two pages shows two pages
  }
}

TEST(Printers, ThePdfPrinterIsAlwaysThereAndPaperCodesMap) {
  EXPECT_TRUE(printerNames().contains(kPdfPrinter));
  EXPECT_EQ(printerNames().last(), kPdfPrinter);
  EXPECT_TRUE(printerInstalled());
  EXPECT_FALSE(defaultPrinter().isEmpty());
  setCurrentPrinter("No such printer");
  EXPECT_EQ(currentPrinter(), defaultPrinter());
  setCurrentPrinter(kPdfPrinter);
  EXPECT_EQ(currentPrinter(), kPdfPrinter);
  EXPECT_EQ(pageSizeForCode(1)->id(), QPageSize::Letter);
  EXPECT_EQ(pageSizeForCode(9)->id(), QPageSize::A4);
  EXPECT_EQ(pageSizeForCode(11)->id(), QPageSize::A5);
  EXPECT_EQ(pageSizeForCode(20)->id(), QPageSize::Envelope10);
  EXPECT_EQ(pageSizeForCode(27)->id(), QPageSize::EnvelopeDL);
  EXPECT_FALSE(pageSizeForCode(99).has_value());
  for (int code = 19; code <= 38; ++code) {
    if (auto size = pageSizeForCode(code)) {
      EXPECT_EQ(codeForPageSize(*size), code);
    }
  }
  EXPECT_EQ(codeForPageSize(QPageSize(QSizeF(3, 4), QPageSize::Inch)), 0);
  EXPECT_TRUE(paperNames(kPdfPrinter).contains("Letter / ANSI A"));
  EXPECT_TRUE(paperNames(kPdfPrinter).contains("A4"));
  EXPECT_EQ(paperSources(kPdfPrinter), QStringList{"Only One"});
}

TEST(Printers, ThePdfPrinterAsksForAFileUnlessGivenOne) {
  QTemporaryDir dir;
  PrintJob job;
  job.onPrint = [](Canvas& c) { c.textAt(1, 1, "PDF printer"); };
  setCurrentPrinter(kPdfPrinter);
  setPdfOutputFile(QString());
  const QString chosen = dir.filePath("chosen.pdf");
  int asked = 0;
  platform::setModalHandler("QFileDialog", [&](QDialog& d) {
    ++asked;
    static_cast<QFileDialog&>(d).selectFile(chosen);
    return int(QDialog::Accepted);
  });
  EXPECT_TRUE(runOnCurrentPrinter(job));
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(QFile::exists(chosen));
  platform::setModalHandler("QFileDialog", [&](QDialog&) { return int(QDialog::Rejected); });
  EXPECT_FALSE(runOnCurrentPrinter(job));  // the user chose no file
  platform::clearModalHandlers();
  const QString given = dir.filePath("given.pdf");
  setPdfOutputFile(given);
  EXPECT_TRUE(runOnCurrentPrinter(job));
  EXPECT_TRUE(QFile::exists(given));
  setPdfOutputFile(QString());
}

TEST(SingleInstance, ASecondStartAsksTheFirstToComeForward) {
  const QString name = QStringLiteral("quillvane-test-%1").arg(QCoreApplication::applicationPid());
  platform::SingleInstance first(name);
  int raised = 0;
  first.onRaise = [&] { ++raised; };
  EXPECT_FALSE(first.anotherIsRunning());
  platform::SingleInstance second(name);
  EXPECT_TRUE(second.anotherIsRunning());
  for (int i = 0; i < 100 && raised == 0; ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_EQ(raised, 1);
}
