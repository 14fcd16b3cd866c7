#include "postnet_element.h"

#include <QPainter>
#include <cmath>

#include "design/layout_stream.h"
#include "design/screen_ppi.h"
#include "platform/ansi_text.h"

namespace design {

namespace {
const char* const kTypeNames[] = {"pnbc5Digit", "pnbc9Digit", "pnbc11Digit"};
}

TGPostNetBarCode::TGPostNetBarCode(QObject* owner) : TGGraphicControl(owner) {
  const int ppi = PixelsPerInch();
  SetInitialSize(int(std::trunc(ppi * 2.6)), int(std::trunc(ppi * 0.125)));
}

const QImage& TGPostNetBarCode::BarcodePicture() {
  // A fixed code drawn once: frame bars around the digits of 12345-6789 23.
  static const QImage picture = [] {
    QImage img(270, 16, QImage::Format_Indexed8);
    img.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    img.fill(0);
    const std::vector<bool> bars = postNetBars("12345678923" "0");
    for (std::size_t i = 0; i < bars.size(); ++i) {
      const int x = 4 + int(i) * 4 + 1;
      for (int y = bars[i] ? 1 : 9; y < 15; ++y) {
        img.setPixel(x, y, 1);
        img.setPixel(x + 1, y, 1);
      }
    }
    return img;
  }();
  return picture;
}

std::string TGPostNetBarCode::CodeDigits() const { return postNetDigits(zip_, street_, type_); }

void TGPostNetBarCode::WriteProperties(LayoutWriter& w) const {
  TGGraphicControl::WriteProperties(w);
  if (!zipField_.isEmpty()) w.string("ZipCodeField", platform::toFileText(zipField_));
  if (!addressField_.isEmpty()) w.string("AddressField", platform::toFileText(addressField_));
  w.identifier("BarCodeType", kTypeNames[int(type_)]);
}

bool TGPostNetBarCode::ReadProperty(const StoredProperty& p) {
  if (p.name == "ZipCodeField") zipField_ = platform::fromFileText(stringOf(p.value));
  else if (p.name == "AddressField") addressField_ = platform::fromFileText(stringOf(p.value));
  else if (p.name == "BarCodeType") type_ = PostNetType(enumOf(p.value, kTypeNames, 3));
  else {
    return TGGraphicControl::ReadProperty(p);
  }
  return true;
}

void TGPostNetBarCode::RefreshData() {
  if (!Panel()) return;
  street_ = Panel()->fieldText(platform::toFileText(addressField_)).value_or(std::string());
  zip_ = Panel()->fieldText(platform::toFileText(zipField_)).value_or(std::string());
  if (!Panel()->printing()) Panel()->invalidate();
}

void TGPostNetBarCode::Paint(QPainter& painter) {
  const QImage& picture = BarcodePicture();
  if (Scale() != 1.0f) {
    SetBounds(Left(), Top(), RoundHalfEven(picture.width() * double(Scale())),
              RoundHalfEven(picture.height() * double(Scale())));
  } else if (BoundsRect().size() != picture.size()) {
    SetBounds(Left(), Top(), picture.width(), picture.height());
  }
  painter.drawImage(BoundsRect(), picture);
  BoundsChanged();
  DrawMarks(painter);
}

void TGPostNetBarCode::PrintOn(print::Canvas& target, double originLeft, double originTop) {
  const double ppi = PixelsPerInch();
  printPostNet(target, originLeft + Left() / ppi, originTop + Top() / ppi, CodeDigits());
}

}  // namespace design
