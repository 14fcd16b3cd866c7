// The element classes layouts can name: the panel kinds register theirs when
// a panel of their kind is made; registration lasts for the run, so any
// registered class can be read into any panel.
#pragma once

#include <QString>
#include <functional>

class QObject;

namespace design {

class TGGraphicControl;

using ElementFactory = std::function<TGGraphicControl*(QObject* owner)>;

void RegisterElementClass(const QString& className, ElementFactory factory);
// A new element of the class, owned by `owner`; nullptr for an unknown class.
TGGraphicControl* CreateRegisteredElement(const QString& className, QObject* owner);

}  // namespace design
