// "Address Filter" (TAddressQueryForm): one entry under each field of the
// main window, "Tagged" and "Reverse", and Test / Ok / Clear / Cancel. The
// main window gives it a way to try the values (copy them into its filter
// and apply it) and reads the entries back after OK.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <functional>

#include "data/filters.h"

namespace app {

class TAddressQueryForm : public QDialog {
  Q_OBJECT

 public:
  // `test` applies the values and returns the number of matches, or
  // nothing when no user filter is in force afterwards.
  using TestFunction = std::function<std::optional<uint32_t>(const data::FilterValues&)>;

  TAddressQueryForm(TestFunction test, QWidget* parent = nullptr);

  void setValues(const data::FilterValues& values);
  data::FilterValues values() const;

  // In FilterValues order: qLName ... quser2.
  std::array<QLineEdit*, 18> entries;
  QCheckBox *TaggedBox, *ReverseBox;
  QLabel *MatchCount, *DateLabel, *Hint;
  QPushButton *TestButton, *OkButton, *ClearButton, *CancelButton;

 public slots:
  void TestButtonClick();
  void OkButtonClick();
  void ClearButtonClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TestFunction test_;
  std::optional<uint32_t> lastCount_;
};

}  // namespace app
