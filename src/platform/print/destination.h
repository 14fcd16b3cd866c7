// Running a job on the current printer, and the printer dialogs. On the
// built-in "PDF file" printer a job asks for the file to write (through the
// modal runner, so tests can answer), unless one was set beforehand.
#pragma once

#include <QWidget>

#include "print_job.h"

namespace print {

// Runs the job on the current printer; false when it was aborted, the user
// chose no file, or the printer failed.
bool runOnCurrentPrinter(PrintJob& job, QWidget* parent = nullptr);
// The print dialog and the printer setup dialog for the current printer
// (run through the modal runner); true on OK.
bool showPrintDialog(QWidget* parent = nullptr);
bool showPrinterSetup(QSizeF& paperInches, bool& landscape, QWidget* parent = nullptr);

}  // namespace print
