// The data field, TGPDLabel: single-line text whose caption is one field of
// the current record (or the field's description in brackets while the
// designer hides values).
#pragma once

#include "design/elements/base_label.h"

namespace design {

class TGPDLabel : public TGBaseLabel {
  Q_OBJECT

 public:
  explicit TGPDLabel(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGPDLabel"); }

  QString DataFieldName() const { return fieldName_; }
  void SetDataFieldName(const QString& value);
  QString DataFieldDescript() const { return fieldDescript_; }
  void SetDataFieldDescript(const QString& value);
  int LengthOfText() const { return lengthOfText_; }
  void SetLengthOfText(int value) { lengthOfText_ = value; }

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void BuildMenu() override;
  void RefreshData() override;
  void ClearData() override;

  // The field selection form over the panel's visible character fields.
  void ChooseField();

 private:
  QString fieldName_, fieldDescript_;
  int lengthOfText_ = 0;
};

}  // namespace design
