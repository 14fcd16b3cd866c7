// Facing Identification Marks: the three bar patterns A, B and C that the
// US Postal Service reads near an envelope's top edge, and printing them.
#pragma once

#include <vector>

#include "platform/print/canvas.h"

namespace design {

enum class FimType { A, B, C };

constexpr double kFimColumn = 1.0 / 32;  // inches; bars stand in the odd columns
constexpr double kFimHeight = 0.5625;

// The 1/32-inch columns (from 1) that hold a bar, in increasing order.
std::vector<int> fimBarColumns(FimType type);
// Prints the mark with its top-left corner at (x, y), inches.
void printFim(print::Canvas& canvas, double x, double y, FimType type);

}  // namespace design
