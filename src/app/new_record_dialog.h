// "New Record" (TGetFirstLastZip): asks for the names (to check for a
// duplicate) and the ZIP code (to fill in city and state) before a record
// is added, as the adding preferences say.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace app {

class TGetFirstLastZip : public QDialog {
  Q_OBJECT

 public:
  // Widths are those of LNAME, FNAME and ZIP in the open file.
  TGetFirstLastZip(bool askNames, bool askZip, int lastWidth, int firstWidth, int zipWidth, QWidget* parent = nullptr);

  QLineEdit *LastNameEdit, *FirstNameEdit, *ZipEdit;
  QPushButton *OkButton, *HelpButton, *CancelButton;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace app
