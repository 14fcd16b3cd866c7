// Registers element kinds with the class registry: all of them, for the
// readers that need them all (the layout tool), or the ones a panel kind
// names.
#pragma once

#include <QStringList>

namespace design {

void RegisterElementClasses();
void RegisterElementClasses(const QStringList& classNames);

}  // namespace design
