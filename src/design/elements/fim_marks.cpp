#include "fim_marks.h"

namespace design {

std::vector<int> fimBarColumns(FimType type) {
  switch (type) {
    case FimType::A: return {1, 3, 9, 15, 17};
    case FimType::B: return {1, 5, 7, 11, 13, 17};
    case FimType::C: return {1, 3, 7, 11, 15, 17};
  }
  return {};
}

void printFim(print::Canvas& canvas, double x, double y, FimType type) {
  canvas.setPen(print::PenSpec());
  for (int k : fimBarColumns(type))
    canvas.fillRect(x + (k - 1) * kFimColumn, y, x + k * kFimColumn, y + kFimHeight, Qt::black);
}

}  // namespace design
