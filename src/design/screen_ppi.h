// The design unit's resolution: the screen's logical pixels per inch (96 on
// a standard display, 120 with large fonts). Tests and the layout tool set
// it; otherwise it is the primary screen's.
#pragma once

namespace design {

int PixelsPerInch();
// 0 goes back to the screen's value.
void SetPixelsPerInch(int ppi);

}  // namespace design
