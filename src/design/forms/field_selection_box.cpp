#include "field_selection_box.h"

#include <QVBoxLayout>

#include "platform/modal.h"

namespace design {

TFieldSelectionBox::TFieldSelectionBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFieldSelectionBox"));
  setWindowTitle(QStringLiteral("Select Field"));
  auto* layout = new QVBoxLayout(this);
  FieldList = new QListWidget(this);
  layout->addWidget(FieldList);
  Buttons = addFormButtons(*this, *layout, 40007);
  connect(FieldList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

std::optional<DataField> FindDataField(const std::vector<DataField>& fields, const QString& descript) {
  if (descript.isEmpty()) return std::nullopt;
  std::optional<DataField> found;
  for (const DataField& f : fields)
    if (f.label == descript) found = f;
  return found;
}

bool ChooseDataField(const std::vector<DataField>& fields, const std::function<bool(const DataField&)>& listed,
                     QString& name, QString& descript) {
  TFieldSelectionBox form;
  for (const DataField& f : fields) {
    if (!listed(f)) continue;
    form.FieldList->addItem(f.label);
    if (f.label == descript) form.FieldList->setCurrentRow(form.FieldList->count() - 1);
  }
  if (form.FieldList->currentRow() < 0 && form.FieldList->count() > 0) form.FieldList->setCurrentRow(0);
  if (platform::runModal(form) != QDialog::Accepted || !form.FieldList->currentItem()) return false;
  const QString chosen = form.FieldList->currentItem()->text();
  for (const DataField& f : fields)
    if (f.label == chosen) {
      name = QString::fromStdString(f.name);
      descript = f.label;
    }
  return true;
}

}  // namespace design
