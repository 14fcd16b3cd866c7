// The run status window: a small modal window in which a print or preview
// job runs, with a bold centred status line ("Printing Page %p") and one
// button: "Cancel" while printing (asking the job's own question before it
// aborts), "Stop" while previewing, "Ok" once the job has ended. The job's
// status updates let window messages run, so the button works mid-job. The
// status windows of labels, envelopes, reports and ZIP counts build on it
// with their own texts.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "print_job.h"

namespace print {

class RunStatusWindow : public QDialog {
  Q_OBJECT

 public:
  enum class Mode { Printing, Previewing };
  enum class Outcome { NotRun, Completed, Cancelled, Stopped, Failed };

  explicit RunStatusWindow(QWidget* parent = nullptr);

  // The job and how to run it (to a printer, a file or a stream); it starts
  // once the window is shown.
  void setJob(PrintJob* job, std::function<bool(PrintJob&)> run, Mode mode);
  // The texts shown at the end.
  void setEndTexts(const QString& completed, const QString& cancelled, const QString& stopped,
                   const QString& failed = QStringLiteral("Printing failed"));
  // The question asked before a printing job is aborted; true aborts. Without
  // one, "Cancel" aborts at once.
  std::function<bool()> confirmCancel;

  Outcome outcome() const { return outcome_; }
  bool running() const { return running_; }

  QLabel* StatusLabel;
  QPushButton* CancelButton;

 public slots:
  void CancelButtonClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void start();

  PrintJob* job_ = nullptr;
  std::function<bool(PrintJob&)> run_;
  Mode mode_ = Mode::Printing;
  QString completed_, cancelled_, stopped_, failed_;
  bool running_ = false;
  bool started_ = false;
  bool cancelRequested_ = false;
  Outcome outcome_ = Outcome::NotRun;
};

}  // namespace print
