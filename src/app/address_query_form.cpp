#include "address_query_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "field_edit.h"
#include "platform/prompts.h"

namespace app {

namespace {

struct EntryDef {
  const char* name;
  const char* caption;  // the main window's label
  int row, column, span;
};

// Where each entry stands: as the main window lays out its edits.
const EntryDef kEntries[18] = {
    {"qLName", "Last", 0, 0, 1},          {"qFName", "First", 0, 2, 1},     {"qTitle", "Title", 1, 2, 1},
    {"qOrg", "Org", 2, 0, 3},             {"qStreet", "Address 1", 3, 0, 3}, {"qstreet2", "Address 2", 4, 0, 3},
    {"qZip", "Zip or Postal ", 6, 0, 1},  {"qCity", "City", 5, 0, 1},       {"qState", "State or Prov", 5, 2, 1},
    {"qCountry", "Country", 6, 2, 1},     {"qPhone", "Phone 1", 7, 0, 1},   {"qphone2", "Phone 2", 7, 2, 1},
    {"qFax", "Fax", 8, 0, 1},             {"qEmail", "E-mail", 8, 2, 1},    {"qDate", "Date", 9, 2, 1},
    {"qCodes", "Codes", 9, 0, 1},         {"quser1", "Comment 1", 10, 0, 3}, {"quser2", "Comment 2", 11, 0, 3},
};

}  // namespace

TAddressQueryForm::TAddressQueryForm(TestFunction test, QWidget* parent) : QDialog(parent), test_(std::move(test)) {
  setObjectName(QStringLiteral("TAddressQueryForm"));
  setWindowTitle(QStringLiteral("Address Filter"));
  auto* grid = new QGridLayout;
  for (int i = 0; i < 18; ++i) {
    const EntryDef& d = kEntries[i];
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(d.name));
    edit->installEventFilter(this);
    grid->addWidget(new QLabel(QString::fromLatin1(d.caption), this), d.row, d.column);
    grid->addWidget(edit, d.row, d.column + 1, 1, d.span);
    entries[std::size_t(i)] = edit;
  }
  QLineEdit* date = entries[14];
  date->setToolTip(QStringLiteral("Note: enter dates in the form: YYYYMMDD\r(i.e. 19970428 for April 28, 1997)"));
  DateLabel = new QLabel(QStringLiteral("(YYYYMMDD)"), this);
  DateLabel->setVisible(false);
  grid->addWidget(DateLabel, 10, 4);
  TaggedBox = new QCheckBox(QStringLiteral("Tagged"), this);
  ReverseBox = new QCheckBox(QStringLiteral("Reverse"), this);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(TaggedBox);
  boxes->addSpacing(10);
  boxes->addWidget(ReverseBox);
  boxes->addStretch();
  Hint = new QLabel(QStringLiteral(
                        "Hint: to look for only part of a value, first type in a $ and then the value to look for. As an "
                        "example, to find all records containing the code letter C in the Codes field, type in $C. Right "
                        "click on any field or press HELP for more helpful tips"),
                    this);
  Hint->setWordWrap(true);
  MatchCount = new QLabel(this);
  MatchCount->setObjectName(QStringLiteral("MatchCount"));
  TestButton = new QPushButton(QStringLiteral("Test"), this);
  OkButton = new QPushButton(QStringLiteral("Ok"), this);
  ClearButton = new QPushButton(QStringLiteral("Clear"), this);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  OkButton->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(MatchCount, 1);
  for (QPushButton* b : {TestButton, OkButton, ClearButton, CancelButton}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(boxes);
  layout->addWidget(Hint);
  layout->addLayout(buttons);
  connect(TestButton, &QPushButton::clicked, this, &TAddressQueryForm::TestButtonClick);
  connect(OkButton, &QPushButton::clicked, this, &TAddressQueryForm::OkButtonClick);
  connect(ClearButton, &QPushButton::clicked, this, &TAddressQueryForm::ClearButtonClick);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TAddressQueryForm::setValues(const data::FilterValues& v) {
  for (std::size_t i = 0; i < 18; ++i) entries[i]->setText(QString::fromLocal8Bit(v.entries[i].c_str()));
  TaggedBox->setChecked(v.tagged);
  ReverseBox->setChecked(v.reverse);
}

data::FilterValues TAddressQueryForm::values() const {
  data::FilterValues v;
  for (std::size_t i = 0; i < 18; ++i) v.entries[i] = toFileText(entries[i]->text());
  v.tagged = TaggedBox->isChecked();
  v.reverse = ReverseBox->isChecked();
  return v;
}

void TAddressQueryForm::TestButtonClick() {
  MatchCount->setText(QStringLiteral("Searching..."));
  lastCount_ = test_ ? test_(values()) : std::nullopt;
  MatchCount->setText(lastCount_ ? QString::number(*lastCount_) + QStringLiteral(" matches") : QStringLiteral("No filter set"));
}

void TAddressQueryForm::OkButtonClick() {
  TestButtonClick();
  if (!lastCount_ || *lastCount_ != 0) accept();
  else platform::prompts().beep();
}

void TAddressQueryForm::ClearButtonClick() {
  for (QLineEdit* e : entries) e->clear();
  TaggedBox->setChecked(false);
  ReverseBox->setChecked(false);
  TestButtonClick();
}

bool TAddressQueryForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == entries[14] && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
    DateLabel->setVisible(event->type() == QEvent::FocusIn);
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      focusNextChild();  // Enter moves to the next entry
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace app
