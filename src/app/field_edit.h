// A line edit bound to one field of the data set: it shows the current
// record's value, accepts at most as many characters as the file's field
// holds, and writes what the user types while the record is being edited.
#pragma once

#include <QLineEdit>
#include <QString>

#include "data/data_set.h"
#include "platform/ansi_text.h"

namespace app {

class FieldEdit : public QLineEdit {
  Q_OBJECT

 public:
  FieldEdit(data::DataSet& dataSet, const QString& field, QWidget* parent = nullptr);

  const QString& field() const { return field_; }
  // Shows the current value and the width and state of the data set.
  void refresh();

 signals:
  // A double-click while browsing asks for edit state.
  void editRequested();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void written(const QString& text);

  data::DataSet& dataSet_;
  QString field_;
  bool refreshing_ = false;  // the text is being set from the record, not typed
};

// The data set's text of a field as a QString (the file holds Windows-1252).
QString fieldText(const data::DataSet& dataSet, const QString& field);
using platform::fromFileText;
using platform::toFileText;

}  // namespace app
