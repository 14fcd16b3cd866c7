#include "field_edit.h"

#include "platform/prompts.h"
#include "xbase/error.h"

namespace app {

QString fieldText(const data::DataSet& dataSet, const QString& field) {
  return fromFileText(dataSet.text(field.toStdString()));
}

FieldEdit::FieldEdit(data::DataSet& dataSet, const QString& field, QWidget* parent)
    : QLineEdit(parent), dataSet_(dataSet), field_(field) {
  setObjectName(field);
  connect(this, &QLineEdit::textEdited, this, &FieldEdit::written);
}

void FieldEdit::refresh() {
  refreshing_ = true;
  bool active = dataSet_.active();
  int index = active ? dataSet_.fieldIndex(field_.toStdString()) : -1;
  if (index >= 0) {
    const data::DataField& f = dataSet_.fields()[std::size_t(index)];
    // Setting the length re-sets the text (and the caret): only when it changes.
    if (!f.calculated && f.size > 0 && maxLength() != f.size) setMaxLength(f.size);
  }
  QString value = index >= 0 ? fieldText(dataSet_, field_) : QString();
  if (value != text()) setText(value);
  bool editing = dataSet_.state() == data::DataSet::State::Edit || dataSet_.state() == data::DataSet::State::Insert;
  setReadOnly(!editing || (index >= 0 && dataSet_.fields()[std::size_t(index)].calculated));
  refreshing_ = false;
}

void FieldEdit::written(const QString& text) {
  if (refreshing_) return;
  try {
    dataSet_.setText(field_.toStdString(), toFileText(text));
  } catch (const xbase::Error& e) {
    platform::prompts().beep();
  } catch (const std::logic_error&) {
    // not editing: the edit is read-only then, so nothing was typed
  }
}

void FieldEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  if (dataSet_.state() == data::DataSet::State::Browse) emit editRequested();
  QLineEdit::mouseDoubleClickEvent(event);
}

}  // namespace app
