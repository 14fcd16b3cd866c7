// The printers the program offers: those the system lists, and the built-in
// "PDF file" printer that is always there, so that a machine without a
// printer can still print (to a chosen PDF) and preview. Paper codes of the
// layouts (Windows paper codes) map to page sizes here.
#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace print {

inline const QString kPdfPrinter = QStringLiteral("PDF file");

// The system's printers, then "PDF file".
QStringList printerNames();
// The system's default printer, or "PDF file" when there is none.
QString defaultPrinter();
// True when at least one printer is offered (always, through "PDF file").
bool printerInstalled();

// The current printer of the run (starts as the default).
QString currentPrinter();
void setCurrentPrinter(const QString& name);

// The paper names a printer offers ("Letter / ANSI A", "A4", ...), and its
// paper sources (trays) by name; "PDF file" offers every standard size and
// one source. CUPS trays are chosen in the printer's own dialog ("Auto" here).
QStringList paperNames(const QString& printer);
QStringList paperSources(const QString& printer);

// Windows paper codes: 1 Letter, 9 A4, 11 A5, and the envelope codes 19 to 38.
std::optional<QPageSize> pageSizeForCode(int code);
// The code of a page size, or 0 for a custom one.
int codeForPageSize(const QPageSize& size);

// The file the next job on "PDF file" writes; when empty, the job asks.
void setPdfOutputFile(const QString& path);
QString pdfOutputFile();

}  // namespace print
