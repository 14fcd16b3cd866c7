#include "qv_reindex.h"

#include <QCoreApplication>
#include <QTimer>
#include <QVBoxLayout>

#include "data/address_file.h"
#include "xbase/error.h"

namespace app {

TQVReindex::TQVReindex(data::DataSet& dataSet, QWidget* parent) : QDialog(parent), dataSet_(dataSet) {
  setObjectName(QStringLiteral("TQVReindex"));
  setWindowTitle(QStringLiteral("Rebuild Indexes"));
  StatusLabel = new QLabel(QStringLiteral("Rebuilding indexes..."), this);
  Gauge = new QProgressBar(this);
  Gauge->setRange(0, 100);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(StatusLabel);
  layout->addWidget(Gauge);
  setMinimumWidth(320);
}

void TQVReindex::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!started_) {
    started_ = true;
    QTimer::singleShot(0, this, &TQVReindex::run);
  }
}

void TQVReindex::run() {
  auto gauge = [this](int from, int span) {
    return [this, from, span](uint32_t done, uint32_t total) {
      Gauge->setValue(from + int(total ? uint64_t(done) * uint64_t(span) / total : uint64_t(span)));
      QCoreApplication::processEvents();
      return true;
    };
  };
  try {
    StatusLabel->setText(QStringLiteral("Removing deleted records..."));
    dataSet_.table().pack(gauge(0, 30));
    StatusLabel->setText(QStringLiteral("Building indexes..."));
    succeeded_ = data::buildAddressIndexes(dataSet_.table(), gauge(30, 70));
  } catch (const xbase::Error&) {
    succeeded_ = false;
  }
  Gauge->setValue(100);
  accept();
}

}  // namespace app
