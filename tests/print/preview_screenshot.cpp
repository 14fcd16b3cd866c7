// Shows the print preview on a multi-page stream and saves a picture of the
// window, for looking at it as a user would (scripts/screenshot-preview).
// usage: preview_screenshot OUTPUT.png
#include <QApplication>
#include <QTimer>

#include "platform/print/preview_form.h"
#include "platform/print/print_job.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  print::PageStream stream;
  print::PrintJob job;
  job.onPrint = [](print::Canvas& c) {
    c.setMargins(0.75, 0.75, 0.75, 0.75);
    for (int p = 1; p <= 12; ++p) {
      print::FontSpec title;
      title.size = 18;
      title.bold = true;
      c.setFont(title);
      c.home();
      c.println(QStringLiteral("Address list, page %1").arg(p));
      c.setFont(print::FontSpec());
      c.clearTabs();
      c.setTab(0.75, 2.5, print::Justify::Left, 0.05, true, true, true, true, 15);
      c.setTab(print::Canvas::kAfterPrevious, 3.0, print::Justify::Left, 0.05, true, true, true, true, 15);
      c.setTab(print::Canvas::kAfterPrevious, 1.5, print::Justify::Right, 0.05, true, true, true, true, 15);
      c.tab("Name");
      c.tab("Address");
      c.tab("ZIP");
      c.newLine();
      c.clearTabs();
      c.setTab(0.75, 2.5, print::Justify::Left, 0.05, true, false, false, true, 0);
      c.setTab(print::Canvas::kAfterPrevious, 3.0, print::Justify::Left, 0.05, false, false, false, true, 0);
      c.setTab(print::Canvas::kAfterPrevious, 1.5, print::Justify::Right, 0.05, false, true, false, true, 0);
      for (int i = 0; i < 40 && c.linesLeft() > 1; ++i) {
        c.tab(QStringLiteral("Person %1-%2").arg(p).arg(i));
        c.tab(QStringLiteral("%1 Main Street, Springfield").arg(100 + i));
        c.tab(QStringLiteral("%1").arg(62701 + i));
        c.newLine();
      }
      print::PenSpec pen;
      pen.width = -2;
      c.setPen(pen);
      c.roundRect(0.5, 0.5, 8.0, 10.5, 0.2, 0.2);
      c.setPen(print::PenSpec());
      c.printCenter(QStringLiteral("- %1 -").arg(p), 4.25);
      if (p < 12) c.newPage();
    }
  };
  job.runToStream(stream);
  print::TPreviewForm form;
  form.setStream(&stream);
  form.setZoomMode(print::TPreviewForm::kPageWidth);
  form.resize(900, 760);
  form.show();
  QTimer::singleShot(300, [&] {
    form.goToPage(2);
    QApplication::processEvents();
    form.grab().save(QString::fromLocal8Bit(argv[1]));
    app.quit();
  });
  return app.exec();
}
