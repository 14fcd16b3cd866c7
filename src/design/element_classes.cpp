#include "element_classes.h"

#include "element_registry.h"
#include "elements/fim_element.h"
#include "elements/postnet_element.h"

namespace design {

void RegisterElementClasses() {
  RegisterElementClass(QStringLiteral("TGFIMBarCode"), [](QObject* owner) { return new TGFIMBarCode(owner); });
  RegisterElementClass(QStringLiteral("TGPostNetBarCode"), [](QObject* owner) { return new TGPostNetBarCode(owner); });
}

}  // namespace design
