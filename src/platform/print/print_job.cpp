#include "print_job.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace print {

QString PrintJob::statusText() const {
  QString s = statusFormat_;
  return s.replace(QStringLiteral("%p"), QString::number(pageNumber()));
}

void PrintJob::run(int dpi, const std::function<void(Page&&)>& sink, double offsetLeft, double offsetTop) {
  aborted_ = false;
  if (onBeforeRun) onBeforeRun(*this);
  Canvas canvas(paper_, dpi, sink);
  canvas.setPrintableOffsets(offsetLeft, offsetTop);
  canvas.setAbortCheck([this] { return aborted_; });
  canvas_ = &canvas;
  canvas.setNewPageHandler([this](Canvas& c) {
    if (onStatus) onStatus(statusText());
    if (onNewPage) onNewPage(c);
  });
  if (onStatus) onStatus(statusText());
  if (onPrint && !aborted_) onPrint(canvas);
  canvas.finish();
  canvas_ = nullptr;
}

bool PrintJob::runToStream(PageStream& stream) {
  run(600, [&](Page&& page) { stream.add(std::move(page)); }, 0, 0);
  return !aborted_;
}

bool PrintJob::runToPdf(const QString& path) {
  // Pages are written as they are finished, so a long job never sits in memory.
  constexpr int kResolution = 1200;
  QPdfWriter writer(path);
  writer.setResolution(kResolution);
  writer.setTitle(title_);
  writer.setCreator(QStringLiteral("Quillvane"));
  writer.setPageLayout(QPageLayout(QPageSize(paper_, QPageSize::Inch), QPageLayout::Portrait, QMarginsF()));
  QPainter painter;
  bool started = false, ok = true;
  run(kResolution, [&](Page&& page) {
    if (!started) {
      ok = painter.begin(&writer);
      started = true;
    } else if (ok) {
      writer.newPage();
    }
    if (ok) PageStream::render(page, painter, kResolution);
  }, 0, 0);
  if (started && ok) ok = painter.end();
  return ok && started && !aborted_;
}

bool PrintJob::runToPrinter(QPrinter& printer) {
  printer.setFullPage(true);  // coordinates from the paper's corner, as the canvas measures
  printer.setDocName(title_);
  printer.setPageLayout(QPageLayout(QPageSize(paper_, QPageSize::Inch),
                                    paper_.width() > paper_.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                    QMarginsF()));
  const int dpi = printer.resolution();
  QRectF printable = printer.pageLayout().paintRect(QPageLayout::Inch);
  QPainter painter;
  bool started = false, ok = true;
  run(dpi, [&](Page&& page) {
    if (!started) {
      ok = painter.begin(&printer);
      started = true;
    } else if (ok) {
      printer.newPage();
    }
    if (ok) PageStream::render(page, painter, dpi);
  }, printable.left(), printable.top());
  if (aborted_ && started && ok) printer.abort();
  if (started && ok) ok = painter.end();
  return ok && started && !aborted_;
}

}  // namespace print
