// Prints through the PDF printer and renders the first page as a grey
// image with pdftoppm, for tests that measure printed marks.
#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

#include "platform/print/print_job.h"

namespace designtest {

struct PrintedPage {
  bool printed = false;  // the PDF was written
  QImage image;          // null when pdftoppm is missing
};

// `crop` is in dots at `dpi` from the page's top-left corner; empty for the whole page.
inline PrintedPage printAndRender(const std::function<void(print::Canvas&)>& draw, int dpi, QRect crop = {}) {
  PrintedPage page;
  QTemporaryDir dir;
  print::PrintJob job;
  job.onPrint = draw;
  page.printed = job.runToPdf(dir.filePath("page.pdf"));
  if (!page.printed) return page;
  QStringList args{"-r", QString::number(dpi), "-gray", "-png", "-singlefile"};
  if (!crop.isEmpty())
    args << "-x" << QString::number(crop.x()) << "-y" << QString::number(crop.y()) << "-W"
         << QString::number(crop.width()) << "-H" << QString::number(crop.height());
  args << dir.filePath("page.pdf") << dir.filePath("page");
  QProcess p;
  p.start("pdftoppm", args);
  if (p.waitForFinished(60000) && p.exitCode() == 0) page.image = QImage(dir.filePath("page.png"));
  return page;
}

}  // namespace designtest
