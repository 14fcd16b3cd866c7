#include "element_classes.h"

#include "element_registry.h"
#include "elements/address_label.h"
#include "elements/base_label.h"
#include "elements/counter_label.h"
#include "elements/data_label.h"
#include "elements/fim_element.h"
#include "elements/image_element.h"
#include "elements/multiline_label.h"
#include "elements/postnet_element.h"
#include "elements/shape_elements.h"
#include "elements/stamp_labels.h"
#include "elements/symbol_label.h"

namespace design {

namespace {
template <class Element>
void add(const char* className) {
  RegisterElementClass(QLatin1String(className), [](QObject* owner) { return new Element(owner); });
}
}  // namespace

void RegisterElementClasses() {
  add<TGPLabel>("TGPLabel");
  add<TGPDLabel>("TGPDLabel");
  add<TGCounterLabel>("TGCounterLabel");
  add<TGSymbolLabel>("TGSymbolLabel");
  add<TGDateTimeLabel>("TGDateTimeLabel");
  add<TGPageNumberLabel>("TGPageNumberLabel");
  add<TGMultiLineLabel>("TGMultiLineLabel");
  add<TGDMultiLineLabel>("TGDMultiLineLabel");
  add<TGDMultiLineAddressLabel>("TGDMultiLineAddressLabel");
  add<TGImage>("TGImage");
  add<TGLabelShapes>("TGLabelShapes");
  add<Trpshapes>("Trpshapes");
  add<TGLineShape>("TGLineShape");
  add<TGPostNetBarCode>("TGPostNetBarCode");
  add<TGFIMBarCode>("TGFIMBarCode");
}

}  // namespace design
