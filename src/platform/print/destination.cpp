#include "destination.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/modal.h"
#include "printers.h"

namespace print {

namespace {

// A QPrinter for the current printer; the "PDF file" printer is a PDF printer.
std::unique_ptr<QPrinter> makePrinter() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (currentPrinter() == kPdfPrinter) printer->setOutputFormat(QPrinter::PdfFormat);
  else printer->setPrinterName(currentPrinter());
  return printer;
}

}  // namespace

bool runOnCurrentPrinter(PrintJob& job, QWidget* parent) {
  if (currentPrinter() != kPdfPrinter) {
    auto printer = makePrinter();
    return job.runToPrinter(*printer);
  }
  QString path = pdfOutputFile();
  if (path.isEmpty()) {
    QFileDialog dialog(parent, QStringLiteral("Print to PDF file"), QString(), QStringLiteral("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (platform::runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = dialog.selectedFiles().first();
  }
  return job.runToPdf(path);
}

bool showPrintDialog(QWidget* parent) {
  auto printer = makePrinter();
  QPrintDialog dialog(printer.get(), parent);
  return platform::runModal(dialog) == QDialog::Accepted;
}

bool showPrinterSetup(QSizeF& paperInches, bool& landscape, QWidget* parent) {
  auto printer = makePrinter();
  printer->setPageSize(QPageSize(paperInches, QPageSize::Inch));
  printer->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  QPageSetupDialog dialog(printer.get(), parent);
  if (platform::runModal(dialog) != QDialog::Accepted) return false;
  paperInches = printer->pageLayout().pageSize().size(QPageSize::Inch);
  landscape = printer->pageLayout().orientation() == QPageLayout::Landscape;
  return true;
}

}  // namespace print
