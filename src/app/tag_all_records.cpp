#include "tag_all_records.h"

#include <QCoreApplication>
#include <QTimer>
#include <QVBoxLayout>

#include "data/filters.h"
#include "platform/prompts.h"

namespace app {

TTagAllRecords::TTagAllRecords(data::DataSet& dataSet, std::string tagIdentifier, QWidget* parent)
    : QDialog(parent), dataSet_(dataSet), tagId_(std::move(tagIdentifier)) {
  setObjectName(QStringLiteral("TTagAllRecords"));
  setWindowTitle(QStringLiteral("Tagging"));
  TaggingLabel = new QLabel(QStringLiteral("Tagging Records"), this);
  ProgressLabel = new QLabel(this);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  OkButton = new QPushButton(QStringLiteral("Ok"), this);
  OkButton->setVisible(false);
  auto* layout = new QVBoxLayout(this);
  for (QWidget* w : {static_cast<QWidget*>(TaggingLabel), static_cast<QWidget*>(ProgressLabel),
                     static_cast<QWidget*>(CancelButton), static_cast<QWidget*>(OkButton)})
    layout->addWidget(w, 0, Qt::AlignHCenter);
  connect(CancelButton, &QPushButton::clicked, this, &TTagAllRecords::CancelButtonClick);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TTagAllRecords::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!started_) {
    started_ = true;
    QTimer::singleShot(0, this, &TTagAllRecords::run);
  }
}

void TTagAllRecords::run() {
  bool cancelled = false;
  tagged_ = data::tagAllRecords(dataSet_, tagId_, [this](uint32_t n) {
    ProgressLabel->setText(QString::number(n) + QStringLiteral(" tagged"));
    QCoreApplication::processEvents();
    return !cancelRequested_;
  }, cancelled);
  TaggingLabel->setText(cancelled ? QStringLiteral("Cancelled before completion") : QStringLiteral("Complete"));
  ProgressLabel->clear();
  CancelButton->setVisible(false);
  OkButton->setVisible(true);
  finished_ = true;
}

void TTagAllRecords::CancelButtonClick() {
  if (platform::prompts().ask("CANCEL", "Cancel Tagging?", false)) cancelRequested_ = true;
}

}  // namespace app
