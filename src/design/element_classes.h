// Registers every element kind built so far with the class registry, for
// the readers that need them all (the layout tool, printing runs).
#pragma once

namespace design {

void RegisterElementClasses();

}  // namespace design
