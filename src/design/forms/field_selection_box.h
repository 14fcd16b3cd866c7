// "Select Field": the list of field descriptions from which data fields and
// memo elements take their field.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <functional>

#include "design/forms/form_support.h"
#include "design/graphic_control.h"

namespace design {

class TFieldSelectionBox : public QDialog {
  Q_OBJECT

 public:
  explicit TFieldSelectionBox(QWidget* parent = nullptr);
  QListWidget* FieldList;
  FormButtons Buttons;
};

// The field of `fields` an element names by its description: the last one
// whose label equals `descript` exactly; nothing for an empty description.
std::optional<DataField> FindDataField(const std::vector<DataField>& fields, const QString& descript);

// Lists the labels of the fields `listed` accepts, the one equal to
// `descript` (or else the first) selected. On Ok, `name` and `descript`
// take the last field of all whose label equals the chosen line; true then.
bool ChooseDataField(const std::vector<DataField>& fields, const std::function<bool(const DataField&)>& listed,
                     QString& name, QString& descript);

}  // namespace design
