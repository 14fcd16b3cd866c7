// The forms of multi-line elements: the "Multi-line Text Editor" of free
// multi-line text and the "Address Label Layout" of address blocks.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "design/element_style.h"
#include "design/elements/address_label.h"
#include "design/forms/form_support.h"

namespace design {

class TMultiLineTextEditor : public QDialog {
  Q_OBJECT

 public:
  TMultiLineTextEditor(const QStringList& lines, const ElementFont& font, QWidget* parent = nullptr);
  static constexpr int kMaxLength = 254;
  QPlainTextEdit* Memo;
  FormButtons Buttons;
  QStringList Lines() const;
};

class TAddressLayout : public QDialog {
  Q_OBJECT

 public:
  explicit TAddressLayout(const AddressOptions& options, QWidget* parent = nullptr);
  QCheckBox *NameBox, *TitleBox, *CompanyBox, *Street1Box, *Street2Box, *CityStateBox, *ZipBox, *PhoneBox,
      *CountryBox, *UpperCaseBox;
  QRadioButton* ZipPlaces[4];
  FormButtons Buttons;
  AddressOptions Options() const;

 private:
  void applyZipRule();
};

}  // namespace design
