// "Rebuild Indexes" (TQVReindex) in its simple form: packs the open address
// file (removing the records marked deleted) and builds its 26 tags anew,
// with a gauge; it closes itself when done.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>

#include "data/data_set.h"

namespace app {

class TQVReindex : public QDialog {
  Q_OBJECT

 public:
  TQVReindex(data::DataSet& dataSet, QWidget* parent = nullptr);

  QLabel* StatusLabel;
  QProgressBar* Gauge;
  bool succeeded() const { return succeeded_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void run();

  data::DataSet& dataSet_;
  bool started_ = false;
  bool succeeded_ = false;
};

}  // namespace app
