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
TGGraphicControl* make(QObject* owner) {
  return new Element(owner);
}

struct ElementClass {
  const char* name;
  TGGraphicControl* (*factory)(QObject*);
};

const ElementClass kClasses[] = {
    {"TGPLabel", make<TGPLabel>},
    {"TGPDLabel", make<TGPDLabel>},
    {"TGCounterLabel", make<TGCounterLabel>},
    {"TGSymbolLabel", make<TGSymbolLabel>},
    {"TGDateTimeLabel", make<TGDateTimeLabel>},
    {"TGPageNumberLabel", make<TGPageNumberLabel>},
    {"TGMultiLineLabel", make<TGMultiLineLabel>},
    {"TGDMultiLineLabel", make<TGDMultiLineLabel>},
    {"TGDMultiLineAddressLabel", make<TGDMultiLineAddressLabel>},
    {"TGImage", make<TGImage>},
    {"TGLabelShapes", make<TGLabelShapes>},
    {"Trpshapes", make<Trpshapes>},
    {"TGLineShape", make<TGLineShape>},
    {"TGPostNetBarCode", make<TGPostNetBarCode>},
    {"TGFIMBarCode", make<TGFIMBarCode>},
};

}  // namespace

void RegisterElementClasses() {
  for (const ElementClass& c : kClasses) RegisterElementClass(QLatin1String(c.name), c.factory);
}

void RegisterElementClasses(const QStringList& names) {
  for (const ElementClass& c : kClasses)
    if (names.contains(QLatin1String(c.name))) RegisterElementClass(QLatin1String(c.name), c.factory);
}

}  // namespace design
