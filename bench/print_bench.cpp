// Benchmark of the printing layer: a job of 1,000 pages of 30 text items each
// to the page stream (target under 5 s) and to a PDF file (under 10 s); the
// preview's first page and page changes (targets: at once).
//
// usage: print_bench [PAGES]
#include <QGuiApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "platform/print/print_job.h"

namespace {

double since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void thirtyItemsAPage(print::Canvas& c, int pages) {
  c.setMargins(0.5, 0.5, 0.5, 0.5);
  for (int p = 1; p <= pages; ++p) {
    c.home();
    for (int i = 0; i < 30; ++i)
      c.println(QStringLiteral("Page %1, line %2: Jane Q. Public, 123 Main Street, Springfield IL 62701").arg(p).arg(i));
    if (p < pages) c.newPage();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int pages = argc > 1 ? std::atoi(argv[1]) : 1000;
  QTemporaryDir dir;

  print::PrintJob job;
  job.onPrint = [&](print::Canvas& c) { thirtyItemsAPage(c, pages); };
  print::PageStream stream;
  auto start = std::chrono::steady_clock::now();
  job.runToStream(stream);
  std::printf("%d pages x 30 texts to the page stream   %6.2f s\n", stream.pageCount(), since(start));

  start = std::chrono::steady_clock::now();
  job.runToPdf(dir.filePath("job.pdf"));
  std::printf("%d pages x 30 texts to a PDF file        %6.2f s\n", pages, since(start));

  start = std::chrono::steady_clock::now();
  stream.writePdf(dir.filePath("stream.pdf"));
  std::printf("the page stream written to a PDF file     %6.2f s\n", since(start));

  // What the preview does: one page image at whole-page (about 80 %) and at 100 %.
  start = std::chrono::steady_clock::now();
  QImage first = stream.image(0, 96 * 0.8);
  std::printf("preview: first page at whole-page zoom    %6.3f s\n", since(start));
  start = std::chrono::steady_clock::now();
  for (int i = 1; i <= 10; ++i) stream.image(i * (stream.pageCount() - 1) / 10, 96);
  std::printf("preview: a page change at 100%% (mean)     %6.3f s\n", since(start) / 10);
  return first.isNull() ? 1 : 0;
}
