// One element of every kind, each with values other than its defaults, for
// the layout round trip, the layout tool and the printing checks.
#pragma once

#include <QImage>
#include <vector>

#include "design/elements/address_label.h"
#include "design/elements/base_label.h"
#include "design/elements/counter_label.h"
#include "design/elements/data_label.h"
#include "design/elements/fim_element.h"
#include "design/elements/image_element.h"
#include "design/elements/multiline_label.h"
#include "design/elements/postnet_element.h"
#include "design/elements/shape_elements.h"
#include "design/elements/stamp_labels.h"
#include "design/elements/symbol_label.h"

namespace designtest {

// A 3 x 2 picture with a different colour in every pixel.
inline QImage smallPicture() {
  QImage image(3, 2, QImage::Format_RGB32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) image.setPixel(x, y, qRgb(40 * x, 100 * y, 200));
  return image;
}

// The elements, named Component0, Component1, ... in `owner`, placed on `panel`.
inline std::vector<design::TGGraphicControl*> everyKind(QObject* owner, design::ElementPanel* panel) {
  using namespace design;
  std::vector<TGGraphicControl*> all;
  auto place = [&](TGGraphicControl* e, int left, int top) {
    e->SetName(QStringLiteral("Component%1").arg(all.size()));
    e->SetPanel(panel);
    e->SetBounds(left, top, e->Width(), e->Height());
    all.push_back(e);
  };

  auto* text = new TGPLabel(owner);
  place(text, 10, 20);
  text->SetAlignment(TextAlignment::Center);
  text->SetDepthHighlight(2);
  text->SetDepthShadow(3);
  text->SetDirectionHighlight(5);
  text->SetDirectionShadow(4);
  text->SetColorHighlight(0x030201);
  text->SetColorShadow(0x800000);
  text->SetCaption(QStringLiteral("Hello \u00e9t\u00e9"));
  ElementFont serif = ElementFont::of(QStringLiteral("Times New Roman"), 12);
  serif.bold = serif.italic = true;
  serif.color = 0x0000FF;
  text->SetFont(serif);
  text->SetTransparent(false);
  text->SetBackColor(0x00FFFF);
  text->SetLocked(true);

  auto* turned = new TGPLabel(owner);
  place(turned, 400, 20);
  turned->SetCaption(QStringLiteral("Up"));
  turned->SetAngle(90);
  turned->SetUnselectable(true);

  auto* field = new TGPDLabel(owner);
  place(field, 10, 60);
  field->SetDataFieldName(QStringLiteral("LNAME"));
  field->SetDataFieldDescript(QStringLiteral("Last Name"));
  field->SetLengthOfText(20);
  field->ClearData();

  auto* counter = new TGCounterLabel(owner);
  place(counter, 10, 100);
  counter->SetTextBefore(QStringLiteral("No. "));
  counter->SetTextAfter(QStringLiteral("!"));
  counter->SetStartingnumber(1000);
  counter->SetRepeatEach(3);
  counter->SetLeadingZeros(6);

  auto* symbol = new TGSymbolLabel(owner);
  place(symbol, 200, 100);
  ElementFont symbols = symbol->Font();
  symbols.pitch = FontPitch::Variable;
  symbol->SetFont(symbols);
  symbol->SetCaption(QStringLiteral("J"));

  auto* stamp = new TGDateTimeLabel(owner);
  place(stamp, 10, 140);
  stamp->SetDateFormat(DateFormat::Long);
  stamp->SetTimeFormat(TimeFormat::Short);

  auto* page = new TGPageNumberLabel(owner);
  place(page, 300, 140);
  page->SetAlignment(TextAlignment::RightJustify);

  auto* lines = new TGMultiLineLabel(owner);
  place(lines, 10, 180);
  lines->SetItems({QStringLiteral("first line"), QString(256, u'x'), QString()});
  lines->SetAutoSizeFlag(true);
  lines->SetAlignment(TextAlignment::RightJustify);
  lines->SetWordWrap(true);

  auto* memo = new TGDMultiLineLabel(owner);
  place(memo, 10, 240);
  memo->SetDataFieldName(QStringLiteral("MEMO"));
  memo->SetDataFieldDescript(QStringLiteral("MEMO"));
  memo->SetWordWrap(true);
  memo->ClearData();

  auto* address = new TGDMultiLineAddressLabel(owner);
  place(address, 10, 300);
  AddressOptions options;
  options.useTitle = false;
  options.usePhone = true;
  options.zip = ZipPlace::BeforeCountry;
  options.upperCase = true;
  address->SetOptions(options);

  auto* image = new TGImage(owner);
  place(image, 300, 300);
  image->SetPicture(LayoutPicture::fromImage(smallPicture()));
  image->SetAutoSize(true);

  auto* shape = new TGLabelShapes(owner);
  place(shape, 300, 200);
  ElementBrush brush;
  brush.color = 0xC0C0C0;
  shape->SetBrush(brush);
  shape->SetTransparent(true);
  ElementPen pen;
  pen.color = 0x030201;
  pen.width = 3;
  pen.style = 1;
  pen.mode = 14;
  shape->SetPen(pen);
  shape->SetRoundPerc(40);
  shape->SetShape(ShapeType::RoundRect);

  auto* reportShape = new Trpshapes(owner);
  place(reportShape, 350, 200);
  reportShape->SetShape(ShapeType::Ellipse);

  auto* line = new TGLineShape(owner);
  place(line, 400, 200);
  line->SetLineStyle(LineStyle::AngleSlopingDown);
  ElementPen thick;
  thick.width = 5;
  line->SetPen(thick);

  auto* postnet = new TGPostNetBarCode(owner);
  place(postnet, 10, 400);
  postnet->SetZipCodeField(QStringLiteral("ZIP"));
  postnet->SetAddressField(QStringLiteral("STREET"));
  postnet->SetBarCodeType(PostNetType::NineDigit);

  auto* fim = new TGFIMBarCode(owner);
  place(fim, 400, 400);
  fim->SetFIMType(FimType::B);

  for (TGGraphicControl* e : all) e->BuildMenu();
  return all;
}

}  // namespace designtest
