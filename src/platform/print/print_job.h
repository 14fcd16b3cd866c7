// A print job: the paper, the handlers that draw it (before-run, print, new
// page) and where its pages go: a printer, a PDF file (the built-in "PDF
// file" printer), or a page stream for the preview. Jobs run in the calling
// (user-interface) thread; the print handler checks aborted() between items
// and the status callback lets the run status window repaint.
#pragma once

#include <QPrinter>
#include <QSizeF>
#include <QString>
#include <functional>

#include "canvas.h"
#include "page_stream.h"

namespace print {

class PrintJob {
 public:
  // Paper in inches, as printed (a landscape paper is wider than high).
  void setPaper(QSizeF inches) { paper_ = inches; }
  QSizeF paper() const { return paper_; }
  void setTitle(const QString& title) { title_ = title; }
  // The status line; "%p" stands for the page number ("Printing Page %p").
  void setStatusFormat(const QString& format) { statusFormat_ = format; }
  QString statusText() const;

  std::function<void(PrintJob&)> onBeforeRun;
  std::function<void(Canvas&)> onPrint;
  std::function<void(Canvas&)> onNewPage;
  // Called with the status text whenever a page starts.
  std::function<void(const QString&)> onStatus;

  // Each returns false when the job was aborted or its destination failed.
  bool runToStream(PageStream& stream);
  bool runToPdf(const QString& path);
  bool runToPrinter(QPrinter& printer);

  void abort() { aborted_ = true; }
  bool aborted() const { return aborted_; }
  int pageNumber() const { return canvas_ ? canvas_->pageNumber() : 0; }

 private:
  // Runs the handlers on a canvas whose pages go to `sink`.
  void run(int dpi, const std::function<void(Page&&)>& sink, double offsetLeft, double offsetTop);

  QSizeF paper_{8.5, 11};
  QString title_;
  QString statusFormat_ = QStringLiteral("Printing Page %p");
  bool aborted_ = false;
  Canvas* canvas_ = nullptr;  // while running
};

}  // namespace print
