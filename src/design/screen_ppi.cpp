#include "screen_ppi.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace design {

namespace {
int overridden = 0;
}

int PixelsPerInch() {
  if (overridden > 0) return overridden;
  if (QScreen* screen = QGuiApplication::primaryScreen()) return int(std::lround(screen->logicalDotsPerInch()));
  return 96;
}

void SetPixelsPerInch(int ppi) { overridden = ppi; }

}  // namespace design
