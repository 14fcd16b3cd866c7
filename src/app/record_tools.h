// The main window's small record tools: the search box (TSearchBox), the
// memo search window (TQVWSearching), the date selector (TDateSelector) and
// the clipboard choice (TCopyToClipBoard).
#pragma once

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "data/data_set.h"

namespace app {

class TSearchBox : public QDialog {
  Q_OBJECT
 public:
  TSearchBox(const QStringList& orders, const QString& current, QWidget* parent = nullptr);
  QComboBox* SearchOrder;
  QLabel* Prompt;
  QLineEdit* SearchText;
  QPushButton *OkButton, *HelpButton, *CancelButton;
 public slots:
  void SearchOrderChange();
 protected:
  void showEvent(QShowEvent* event) override;
};

// Walks the view from the first record (or the one after the current) until
// a memo contains the text, letting window messages run as it goes.
class TQVWSearching : public QDialog {
  Q_OBJECT
 public:
  TQVWSearching(data::DataSet& dataSet, const std::string& text, bool fromStart, QWidget* parent = nullptr);
  QLabel* SearchingLabel;
  QPushButton* CancelButton;
  bool found() const { return found_; }
  uint64_t examined() const { return examined_; }
 protected:
  void showEvent(QShowEvent* event) override;
 private:
  void run();
  data::DataSet& dataSet_;
  std::string text_;  // upper-cased (a to z only)
  bool fromStart_, started_ = false, cancelled_ = false, found_ = false;
  uint64_t examined_ = 0;
};

// True when `memo` (its first 32,767 characters) holds `upperText`, letters a to z folded.
bool memoContains(const std::string& memo, const std::string& upperText);

class TDateSelector : public QDialog {
  Q_OBJECT
 public:
  enum Result { NoDate = 2 };  // besides Accepted and Rejected
  TDateSelector(const QDate& initial, QWidget* parent = nullptr);
  QDate date() const { return Calendar->selectedDate(); }
  QCalendarWidget* Calendar;
  QLabel* LongDate;
  QPushButton *YearBack, *MonthBack, *TodayButton, *MonthForward, *YearForward, *OkButton, *CancelButton, *NoDateButton,
      *HelpButton;
 private:
  void showDate(const QDate& d);
};

class TCopyToClipBoard : public QDialog {
  Q_OBJECT
 public:
  explicit TCopyToClipBoard(QWidget* parent = nullptr);
  QCheckBox *NameBox, *AddressBox, *PhoneBox, *CodesBox, *CommentsBox;
};

}  // namespace app
