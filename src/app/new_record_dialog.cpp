#include "new_record_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace app {

TGetFirstLastZip::TGetFirstLastZip(bool askNames, bool askZip, int lastWidth, int firstWidth, int zipWidth,
                                   QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("TGetFirstLastZip"));
  setWindowTitle(QStringLiteral("New Record"));
  LastNameEdit = new QLineEdit(this);
  FirstNameEdit = new QLineEdit(this);
  ZipEdit = new QLineEdit(this);
  LastNameEdit->setMaxLength(lastWidth);
  FirstNameEdit->setMaxLength(firstWidth);
  ZipEdit->setMaxLength(zipWidth);
  auto* form = new QFormLayout;
  if (askNames) {
    form->addRow(QStringLiteral("Last Name"), LastNameEdit);
    form->addRow(QStringLiteral("First Name"), FirstNameEdit);
  } else {
    LastNameEdit->hide();
    FirstNameEdit->hide();
  }
  if (askZip) form->addRow(QStringLiteral("Zip Code or Postal Code"), ZipEdit);  // in the last name's place without names
  else ZipEdit->hide();
  OkButton = new QPushButton(QStringLiteral("Ok [PgDn]"), this);
  HelpButton = new QPushButton(QStringLiteral("Help"), this);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  OkButton->setDefault(true);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {OkButton, HelpButton, CancelButton}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  for (QLineEdit* e : {LastNameEdit, FirstNameEdit, ZipEdit}) e->installEventFilter(this);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool TGetFirstLastZip::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    bool confirmKey = key->key() == Qt::Key_PageDown ||
                      (watched == ZipEdit && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter));
    if (confirmKey) {
      accept();
      return true;
    }
  }
  // Leaving the first-name edit confirms when no ZIP code is asked for.
  if (event->type() == QEvent::FocusOut && watched == FirstNameEdit && ZipEdit->isHidden() && isVisible()) {
    auto* focus = static_cast<QFocusEvent*>(event);
    if (focus->reason() == Qt::TabFocusReason) accept();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace app
