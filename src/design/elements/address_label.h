// The address block, TGDMultiLineAddressLabel: the mailing address of the
// current record, built line by line from its name, title, organisation,
// street, city, state, ZIP, country and phone fields as its switches say.
#pragma once

#include <functional>
#include <optional>

#include "design/elements/multiline_label.h"

namespace design {

enum class ZipPlace { AfterState, BeforeCity, AfterCountry, BeforeCountry };  // TZipFormatOptions

struct AddressOptions {
  bool useName = true, useTitle = true, useCompany = true, useStreet = true, useStreet2 = true;
  bool useCityState = true, useZip = true, usePhone = false, useCountry = true;
  ZipPlace zip = ZipPlace::AfterState;
  bool upperCase = false;
  bool operator==(const AddressOptions&) const = default;
};

// The address lines of a record. `field` gives a field's value (without
// trailing blanks), or nothing when the record has no such field: the
// building then stops, keeping the lines made so far.
QStringList BuildAddressLines(const AddressOptions& options,
                              const std::function<std::optional<QString>(const char* name)>& field);

class TGDMultiLineAddressLabel : public TGMultiLineBaseLabel {
  Q_OBJECT

 public:
  explicit TGDMultiLineAddressLabel(QObject* owner) : TGMultiLineBaseLabel(owner) {}
  QString ClassName() const override { return QStringLiteral("TGDMultiLineAddressLabel"); }

  const AddressOptions& Options() const { return options_; }
  void SetOptions(const AddressOptions& options) { options_ = options; }

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void BuildMenu() override;
  void RefreshData() override;
  void ClearData() override { SetItemsQuietly({}); }
  // The address layout form; true when it closed with Ok.
  bool EditLayout();

 private:
  AddressOptions options_;
};

}  // namespace design
