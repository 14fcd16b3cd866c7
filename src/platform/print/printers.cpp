#include "printers.h"

#include <QPrinterInfo>

namespace print {

namespace {

QString& current() {
  static QString name;
  return name;
}

QString& pdfFile() {
  static QString path;
  return path;
}

struct CodeSize {
  int code;
  QPageSize::PageSizeId id;
};

const CodeSize kCodes[] = {
    {1, QPageSize::Letter},           {9, QPageSize::A4},
    {11, QPageSize::A5},              {19, QPageSize::Envelope9},
    {20, QPageSize::Envelope10},      {21, QPageSize::Envelope11},
    {22, QPageSize::Envelope12},      {23, QPageSize::Envelope14},
    {27, QPageSize::EnvelopeDL},      {28, QPageSize::EnvelopeC5},
    {29, QPageSize::EnvelopeC3},      {30, QPageSize::EnvelopeC4},
    {31, QPageSize::EnvelopeC6},      {32, QPageSize::EnvelopeC65},
    {33, QPageSize::EnvelopeB4},      {34, QPageSize::EnvelopeB5},
    {35, QPageSize::EnvelopeB6},      {36, QPageSize::EnvelopeItalian},
    {37, QPageSize::EnvelopeMonarch}, {38, QPageSize::EnvelopePersonal},
};

}  // namespace

QStringList printerNames() {
  QStringList names = QPrinterInfo::availablePrinterNames();
  names.removeAll(kPdfPrinter);
  names.append(kPdfPrinter);
  return names;
}

QString defaultPrinter() {
  QString name = QPrinterInfo::defaultPrinterName();
  return name.isEmpty() ? kPdfPrinter : name;
}

bool printerInstalled() { return !printerNames().isEmpty(); }

QString currentPrinter() {
  if (current().isEmpty() || !printerNames().contains(current())) current() = defaultPrinter();
  return current();
}

void setCurrentPrinter(const QString& name) { current() = name; }

QStringList paperNames(const QString& printer) {
  QStringList names;
  if (printer == kPdfPrinter) {
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
      QPageSize size(static_cast<QPageSize::PageSizeId>(id));
      if (size.isValid() && size.id() != QPageSize::Custom) names.append(size.name());
    }
    return names;
  }
  for (const QPageSize& size : QPrinterInfo::printerInfo(printer).supportedPageSizes()) names.append(size.name());
  return names;
}

QStringList paperSources(const QString& printer) {
  // Qt offers trays only on Windows; on CUPS printers the tray is an option of
  // the printer's own dialog, so the program's choice is the automatic one.
  if (printer == kPdfPrinter) return {QStringLiteral("Only One")};
  return {QStringLiteral("Auto")};
}

std::optional<QPageSize> pageSizeForCode(int code) {
  for (const CodeSize& c : kCodes)
    if (c.code == code) return QPageSize(c.id);
  return std::nullopt;
}

int codeForPageSize(const QPageSize& size) {
  for (const CodeSize& c : kCodes)
    if (size.id() == c.id) return c.code;
  return 0;
}

void setPdfOutputFile(const QString& path) { pdfFile() = path; }
QString pdfOutputFile() { return pdfFile(); }

}  // namespace print
