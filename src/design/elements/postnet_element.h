// The POSTNET barcode element of the label and envelope panels: it takes
// the ZIP code and street line of the current record, shows a fixed barcode
// picture on screen and prints the record's bars.
#pragma once

#include <QImage>

#include "design/elements/postnet_code.h"
#include "design/graphic_control.h"

namespace design {

class TGPostNetBarCode : public TGGraphicControl {
  Q_OBJECT

 public:
  explicit TGPostNetBarCode(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGPostNetBarCode"); }

  QString ZipCodeField() const { return zipField_; }
  void SetZipCodeField(const QString& name) { zipField_ = name; }
  QString AddressField() const { return addressField_; }
  void SetAddressField(const QString& name) { addressField_ = name; }
  PostNetType BarCodeType() const { return type_; }
  void SetBarCodeType(PostNetType type) { type_ = type; }

  // The code the current record prints ("" when its ZIP code cannot be printed).
  std::string CodeDigits() const;

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void RefreshData() override;
  void Paint(QPainter& painter) override;
  void PrintOn(print::Canvas& target, double originLeft, double originTop) override;

  // The 270 x 16 picture shown on screen.
  static const QImage& BarcodePicture();

 private:
  QString zipField_, addressField_;
  PostNetType type_ = PostNetType::ElevenDigit;
  std::string zip_, street_;
};

}  // namespace design
