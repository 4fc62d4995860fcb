// A one-pixel solid line.
#pragma once

#include <windows.h>

namespace quelbrix {

// Draws from (x1, y1) to (x2, y2) in `colour`; the device keeps its previous pen afterwards.
void DrawLine(int x1, int y1, int x2, int y2, HDC device, COLORREF colour);

}  // namespace quelbrix
