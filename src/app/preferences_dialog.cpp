#include "preferences_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

struct Box {
  const char* name;
  const char* caption;
  bool data::AddingPreferences::*member;
};

const Box kTop[] = {
    {"PlugDate", "Enter today's date in the date field", &data::AddingPreferences::plugDate},
    {"PlugCityState", "Automatically insert city and state/province", &data::AddingPreferences::plugCityState},
    {"AutoDupCheck", "Automatically check for duplicate names", &data::AddingPreferences::autoDupCheck},
};
const Box kCarry[] = {
    {"CarryOrg", "Organization", &data::AddingPreferences::carryOrg},
    {"CarrySA1", "Address 1", &data::AddingPreferences::carrySA1},
    {"CarrySA2", "Address 2", &data::AddingPreferences::carrySA2},
    {"CarryCity", "City", &data::AddingPreferences::carryCity},
    {"CarryState", "State/Province", &data::AddingPreferences::carryState},
    {"CarryZip", "Zip/Postal Code", &data::AddingPreferences::carryZip},
    {"CarryCountry", "Country", &data::AddingPreferences::carryCountry},
};
const Box kSkip[] = {
    {"SkipLastName", "Last Name", &data::AddingPreferences::skipLastName},
    {"SkipfirstName", "First Name", &data::AddingPreferences::skipFirstName},
    {"SkipMiddleInitial", "Middle Initial", &data::AddingPreferences::skipMiddleInitial},
    {"SkipPrefix", "Prefix", &data::AddingPreferences::skipPrefix},
    {"Skiptitle", "Title", &data::AddingPreferences::skipTitle},
    {"SkipOrganization", "Organization", &data::AddingPreferences::skipOrganization},
    {"SkipAddress2", "Address 2", &data::AddingPreferences::skipAddress2},
    {"skipState", "State/Province", &data::AddingPreferences::skipState},
    {"SkipZip", "Zip/Postal Code", &data::AddingPreferences::skipZip},
    {"SkipCountry", "Country", &data::AddingPreferences::skipCountry},
    {"SkipPhone1", "Phone #1", &data::AddingPreferences::skipPhone1},
    {"SkipPhone2", "Phone #2", &data::AddingPreferences::skipPhone2},
    {"SkipFax", "Fax", &data::AddingPreferences::skipFax},
    {"SkipEmail", "E-Mail", &data::AddingPreferences::skipEmail},
    {"SkipCodes", "Codes", &data::AddingPreferences::skipCodes},
    {"SkipComments1", "Comments #1", &data::AddingPreferences::skipComments1},
    {"Skipcomments2", "Comments #2", &data::AddingPreferences::skipComments2},
    {"SkipDate", "Date", &data::AddingPreferences::skipDate},
};

template <std::size_t N>
void place(TPreferences& dialog, QGridLayout* grid, const Box (&list)[N], const data::AddingPreferences& p, int columns) {
  for (std::size_t i = 0; i < N; ++i) {
    auto* box = new QCheckBox(QString::fromLatin1(list[i].caption), &dialog);
    box->setObjectName(QString::fromLatin1(list[i].name));
    box->setChecked(p.*list[i].member);
    dialog.boxes[box->objectName()] = box;
    grid->addWidget(box, int(i) / columns, int(i) % columns);
  }
}

template <std::size_t N>
void read(TPreferences& dialog, const Box (&list)[N], data::AddingPreferences& p) {
  for (const Box& b : list) p.*b.member = dialog.boxes.at(QString::fromLatin1(b.name))->isChecked();
}

}  // namespace

TPreferences::TPreferences(data::Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("TPreferences"));
  setWindowTitle(QStringLiteral("Preferences"));
  const data::AddingPreferences p = data::readAddingPreferences(settings_);
  auto* group = new QGroupBox(QStringLiteral(" When adding new records"), this);
  auto* g = new QVBoxLayout(group);
  auto* top = new QGridLayout;
  place(*this, top, kTop, p, 1);
  g->addLayout(top);
  auto* country = new QHBoxLayout;
  country->addWidget(new QLabel(QStringLiteral("Default Country Name"), group));
  DefCountry = new QLineEdit(QString::fromLocal8Bit(p.defaultCountry.c_str()), group);
  DefCountry->setObjectName(QStringLiteral("DefCountry"));
  DefCountry->setMaxLength(30);
  country->addWidget(DefCountry);
  g->addLayout(country);
  g->addWidget(new QLabel(QStringLiteral("Carry forward the following fields:"), group));
  auto* carry = new QGridLayout;
  place(*this, carry, kCarry, p, 4);
  g->addLayout(carry);
  g->addWidget(new QLabel(QStringLiteral("Skip through the following fields:"), group));
  auto* skip = new QGridLayout;
  place(*this, skip, kSkip, p, 4);
  g->addLayout(skip);
  auto* ok = new QPushButton(QStringLiteral("Ok"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &TPreferences::OkButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TPreferences::OkButtonClick() {
  data::AddingPreferences p;
  read(*this, kTop, p);
  read(*this, kCarry, p);
  read(*this, kSkip, p);
  p.defaultCountry = DefCountry->text().toLocal8Bit().toStdString();
  data::writeAddingPreferences(settings_, p);
  accept();
}

}  // namespace app
