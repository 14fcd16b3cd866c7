// Sets the design resolution for the life of a test scope.
#pragma once

#include "design/screen_ppi.h"

namespace designtest {

struct AtPpi {
  explicit AtPpi(int ppi) { design::SetPixelsPerInch(ppi); }
  ~AtPpi() { design::SetPixelsPerInch(0); }
};

}  // namespace designtest
