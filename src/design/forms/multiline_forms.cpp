#include "multiline_forms.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace design {

TMultiLineTextEditor::TMultiLineTextEditor(const QStringList& lines, const ElementFont& font, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("TMultiLineTextEditor"));
  setWindowTitle(QStringLiteral("Multi-line Text Editor"));
  setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(this);
  Memo = new QPlainTextEdit(this);
  Memo->setFont(font.screenFont());
  Memo->setPlainText(lines.join(QLatin1Char('\n')).left(kMaxLength));
  // The memo holds at most 254 characters: longer text is cut as it is typed or pasted.
  connect(Memo, &QPlainTextEdit::textChanged, this, [this] {
    const QString text = Memo->toPlainText();
    if (text.size() <= kMaxLength) return;
    QTextCursor cursor = Memo->textCursor();
    const int position = std::min<int>(cursor.position(), kMaxLength);
    Memo->setPlainText(text.left(kMaxLength));
    cursor = Memo->textCursor();
    cursor.setPosition(position);
    Memo->setTextCursor(cursor);
  });
  layout->addWidget(Memo, 1);
  Buttons = addFormButtons(*this, *layout, 40001);
  resize(420, 260);
}

QStringList TMultiLineTextEditor::Lines() const {
  const QString text = Memo->toPlainText();
  if (text.isEmpty()) return {};
  return text.split(QLatin1Char('\n'));
}

TAddressLayout::TAddressLayout(const AddressOptions& o, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAddressLayout"));
  setWindowTitle(QStringLiteral("Address Label Layout"));
  auto box = [this](const char* caption, bool checked) {
    auto* b = new QCheckBox(QString::fromLatin1(caption), this);
    b->setChecked(checked);
    return b;
  };
  NameBox = box("&Name", o.useName);
  TitleBox = box("&Title", o.useTitle);
  CompanyBox = box("&Organization", o.useCompany);
  Street1Box = box("Address &1", o.useStreet);
  Street2Box = box("Address &2", o.useStreet2);
  CityStateBox = box("City + &State", o.useCityState);
  ZipBox = box("&Zip/Postal code", o.useZip);
  PhoneBox = box("&Phone #1", o.usePhone);
  CountryBox = box("&Country", o.useCountry);
  UpperCaseBox = box("&Uppercase", o.upperCase);
  auto* group = new QGroupBox(this);
  auto* radios = new QVBoxLayout(group);
  const char* captions[] = {"&After state", "&Before city", "A&fter country", "B&efore country"};
  for (int i = 0; i < 4; ++i) {
    ZipPlaces[i] = new QRadioButton(QString::fromLatin1(captions[i]), group);
    radios->addWidget(ZipPlaces[i]);
  }
  ZipPlaces[int(o.zip)]->setChecked(true);
  auto* grid = new QGridLayout;
  QCheckBox* boxes[] = {NameBox, TitleBox, CompanyBox, Street1Box, Street2Box,
                        CityStateBox, ZipBox, PhoneBox, CountryBox, UpperCaseBox};
  for (int i = 0; i < 10; ++i) grid->addWidget(boxes[i], i % 5, i / 5);
  grid->addWidget(group, 0, 2, 5, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  Buttons = addFormButtons(*this, *layout, 40009);
  connect(ZipBox, &QCheckBox::toggled, this, &TAddressLayout::applyZipRule);
  applyZipRule();
}

void TAddressLayout::applyZipRule() {
  for (QRadioButton* r : ZipPlaces) r->setEnabled(ZipBox->isChecked());
}

AddressOptions TAddressLayout::Options() const {
  AddressOptions o;
  o.useName = NameBox->isChecked();
  o.useTitle = TitleBox->isChecked();
  o.useCompany = CompanyBox->isChecked();
  o.useStreet = Street1Box->isChecked();
  o.useStreet2 = Street2Box->isChecked();
  o.useCityState = CityStateBox->isChecked();
  o.useZip = ZipBox->isChecked();
  o.usePhone = PhoneBox->isChecked();
  o.useCountry = CountryBox->isChecked();
  o.upperCase = UpperCaseBox->isChecked();
  for (int i = 0; i < 4; ++i)
    if (ZipPlaces[i]->isChecked()) o.zip = ZipPlace(i);
  return o;
}

}  // namespace design
