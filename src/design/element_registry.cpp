#include "element_registry.h"

#include <QHash>

namespace design {

namespace {
QHash<QString, ElementFactory>& registry() {
  static QHash<QString, ElementFactory> classes;
  return classes;
}
}  // namespace

void RegisterElementClass(const QString& className, ElementFactory factory) {
  registry().insert(className, std::move(factory));
}

TGGraphicControl* CreateRegisteredElement(const QString& className, QObject* owner) {
  auto it = registry().constFind(className);
  return it == registry().constEnd() ? nullptr : (*it)(owner);
}

}  // namespace design
