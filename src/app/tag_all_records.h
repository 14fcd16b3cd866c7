// "Tagging" (TTagAllRecords): writes the tag identifier into every record of
// the data set's view once shown, counting on a progress label; "Cancel"
// asks before it stops the loop, "Ok" closes at the end.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "data/data_set.h"

namespace app {

class TTagAllRecords : public QDialog {
  Q_OBJECT

 public:
  TTagAllRecords(data::DataSet& dataSet, std::string tagIdentifier, QWidget* parent = nullptr);

  QLabel *TaggingLabel, *ProgressLabel;
  QPushButton *CancelButton, *OkButton;
  uint32_t tagged() const { return tagged_; }
  bool finished() const { return finished_; }

 public slots:
  void CancelButtonClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void run();

  data::DataSet& dataSet_;
  std::string tagId_;
  bool started_ = false, cancelRequested_ = false, finished_ = false;
  uint32_t tagged_ = 0;
};

}  // namespace app
