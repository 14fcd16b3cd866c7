#include "run_status_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>
#include <QVBoxLayout>

namespace print {

RunStatusWindow::RunStatusWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("RunStatusWindow"));
  StatusLabel = new QLabel(this);
  StatusLabel->setAlignment(Qt::AlignCenter);
  QFont bold = StatusLabel->font();
  bold.setBold(true);
  StatusLabel->setFont(bold);
  StatusLabel->setMinimumWidth(260);
  CancelButton = new QPushButton(tr("Cancel"), this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(StatusLabel);
  layout->addWidget(CancelButton, 0, Qt::AlignHCenter);
  connect(CancelButton, &QPushButton::clicked, this, &RunStatusWindow::CancelButtonClick);
}

void RunStatusWindow::setJob(PrintJob* job, std::function<bool(PrintJob&)> run, Mode mode) {
  job_ = job;
  run_ = std::move(run);
  mode_ = mode;
  CancelButton->setText(mode == Mode::Printing ? QStringLiteral("Cancel") : QStringLiteral("Stop"));
}

void RunStatusWindow::setEndTexts(const QString& completed, const QString& cancelled, const QString& stopped,
                                  const QString& failed) {
  completed_ = completed;
  cancelled_ = cancelled;
  stopped_ = stopped;
  failed_ = failed;
}

void RunStatusWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!started_) {
    started_ = true;
    QTimer::singleShot(0, this, &RunStatusWindow::start);
  }
}

void RunStatusWindow::start() {
  if (!job_ || !run_) return;
  running_ = true;
  auto previous = job_->onStatus;
  job_->onStatus = [this, previous](const QString& text) {
    StatusLabel->setText(text);
    if (previous) previous(text);
    QCoreApplication::processEvents();  // repaint, and let the button be pressed
  };
  bool ok = run_(*job_);
  job_->onStatus = previous;
  running_ = false;
  if (job_->aborted()) {
    outcome_ = mode_ == Mode::Printing ? Outcome::Cancelled : Outcome::Stopped;
    StatusLabel->setText(mode_ == Mode::Printing ? cancelled_ : stopped_);
  } else if (!ok) {
    outcome_ = Outcome::Failed;
    StatusLabel->setText(failed_);
  } else {
    outcome_ = Outcome::Completed;
    StatusLabel->setText(completed_);
  }
  CancelButton->setText(QStringLiteral("Ok"));
}

void RunStatusWindow::CancelButtonClick() {
  if (!running_) {
    accept();
    return;
  }
  if (cancelRequested_) return;
  cancelRequested_ = true;
  bool abort = mode_ == Mode::Previewing || !confirmCancel || confirmCancel();
  cancelRequested_ = false;
  if (abort && job_) job_->abort();
}

void RunStatusWindow::closeEvent(QCloseEvent* event) {
  // The window stays while its job runs; closing then means cancelling.
  if (running_) {
    event->ignore();
    CancelButtonClick();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace print
