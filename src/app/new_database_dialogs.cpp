#include "new_database_dialogs.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/address_file.h"
#include "platform/modal.h"

namespace app {

namespace {

const std::array<std::pair<const char*, const char*>, 18> kWidthLabels = {{
    {"First Name", "FNAME"},   {"Last Name", "LNAME"},     {"Prefix", "PREFIX"},    {"Title", "TITLE"},
    {"Organization", "ORG"},   {"Address #1", "STREET"},   {"Address #2", "STREET2"}, {"City", "CITY"},
    {"State", "STATE"},        {"Zip/Postal", "ZIP"},      {"Country", "COUNTRY"},  {"Phone #1", "PHONE"},
    {"Phone #2", "PHONE2"},    {"Fax", "FAX"},             {"E-Mail", "EMAIL"},     {"Codes", "CODES"},
    {"Comments #1", "USER1"},  {"Comments #2", "USER2"},
}};

}  // namespace

TSpecifyFieldLengths::TSpecifyFieldLengths(const data::FieldWidths& widths, data::Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), widths_(widths) {
  setObjectName(QStringLiteral("TSpecifyFieldLengths"));
  setWindowTitle(QStringLiteral("Specify Field Lengths"));
  auto* grid = new QGridLayout;
  for (std::size_t i = 0; i < 18; ++i) {
    fields[i] = kWidthLabels[i].second;
    edits[i] = new QLineEdit(QString::number(widths_[fields[i]]), this);
    edits[i]->setObjectName(QString::fromLatin1(fields[i]));
    edits[i]->installEventFilter(this);
    remembered_[i] = widths_[fields[i]];
    grid->addWidget(new QLabel(QString::fromLatin1(kWidthLabels[i].first), this), int(i % 9), int(i / 9) * 2);
    grid->addWidget(edits[i], int(i % 9), int(i / 9) * 2 + 1);
  }
  auto* note = new QLabel(QStringLiteral("NOTE: Minimum size = 10 characters                  Maximum size = 80 characters"), this);
  UseForAll = new QCheckBox(QStringLiteral("Use these settings for all new databases"), this);
  DefaultsButton = new QPushButton(QStringLiteral("Defaults"), this);
  OkButton = new QPushButton(QStringLiteral("Ok"), this);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(DefaultsButton);
  buttons->addStretch();
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(note);
  layout->addWidget(UseForAll);
  layout->addLayout(buttons);
  connect(DefaultsButton, &QPushButton::clicked, this, &TSpecifyFieldLengths::DefaultsButtonClick);
  connect(OkButton, &QPushButton::clicked, this, &TSpecifyFieldLengths::OkButtonClick);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TSpecifyFieldLengths::checkEdit(int i) {
  bool ok = false;
  int v = edits[std::size_t(i)]->text().trimmed().toInt(&ok);
  if (!ok || v < 10 || v > 80) edits[std::size_t(i)]->setText(QString::number(remembered_[std::size_t(i)]));
}

bool TSpecifyFieldLengths::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut)
    for (std::size_t i = 0; i < 18; ++i)
      if (watched == edits[i]) checkEdit(int(i));
  return QDialog::eventFilter(watched, event);
}

void TSpecifyFieldLengths::DefaultsButtonClick() {
  data::FieldWidths d = data::dialogDefaultFieldWidths();
  for (std::size_t i = 0; i < 18; ++i) {
    remembered_[i] = d[fields[i]];
    edits[i]->setText(QString::number(remembered_[i]));
  }
}

void TSpecifyFieldLengths::OkButtonClick() {
  for (std::size_t i = 0; i < 18; ++i) {
    checkEdit(int(i));
    bool ok = false;
    int v = edits[i]->text().trimmed().toInt(&ok);
    if (ok) widths_[fields[i]] = v;
  }
  if (UseForAll->isChecked()) data::writeFieldWidths(settings_, widths_);
  accept();
}

TNewDataBaseName::TNewDataBaseName(const QString& defaultName, data::Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), widths_(data::readFieldWidths(settings)) {
  setObjectName(QStringLiteral("TNewDataBaseName"));
  setWindowTitle(QStringLiteral("Create new database"));
  NameEdit = new QLineEdit(defaultName, this);
  NameEdit->setMaxLength(8);
  InvalidLabel = new QLabel(
      QStringLiteral("Invalid name. Must start with A..Z, followed by A..Z,0..9 or \"_\" (underscore)"), this);
  OkButton = new QPushButton(QStringLiteral("Ok [PgDn]"), this);
  HelpButton = new QPushButton(QStringLiteral("Help"), this);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  FieldLengthsButton = new QPushButton(QStringLiteral("Specify Field Lengths"), this);
  OkButton->setDefault(true);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {OkButton, HelpButton, CancelButton, FieldLengthsButton}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Enter the database name (no extension)"), this));
  layout->addWidget(NameEdit);
  layout->addWidget(InvalidLabel);
  layout->addLayout(buttons);
  connect(NameEdit, &QLineEdit::textChanged, this, &TNewDataBaseName::NameEditChange);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(FieldLengthsButton, &QPushButton::clicked, this, &TNewDataBaseName::FieldLengthsButtonClick);
  NameEditChange();
}

void TNewDataBaseName::NameEditChange() {
  bool valid = data::isValidNewName(NameEdit->text().toStdString());
  OkButton->setEnabled(valid);
  InvalidLabel->setVisible(!valid);
}

void TNewDataBaseName::FieldLengthsButtonClick() {
  TSpecifyFieldLengths dialog(widths_, settings_, this);
  if (platform::runModal(dialog) == QDialog::Accepted) widths_ = dialog.widths();
}

}  // namespace app
