// Sizes designed at 96 dots per inch shown at another DPI, and back, as plain arithmetic:
// rounded as the platform's MulDiv rounds (half away from zero), with no overflow.
#pragma once

#include "app/window_layout.h"

namespace quelbrix {

// The DPI the program's pixel sizes are designed at (100 %).
constexpr int kDesignDpi = 96;

// `pixels` at `fromDpi` shown at `toDpi`; unchanged when either DPI is not positive.
int ScaledBetweenDpi(int pixels, int fromDpi, int toDpi);

// Each edge scaled, so controls that touch at one DPI touch at the other.
LayoutRect ScaledRect(const LayoutRect& rect, int fromDpi, int toDpi);

// The width of a drawn line in whole pixels: 1 up to 191 DPI, 2 up to 287, and so on.
int LineWidthAtDpi(int dpi);

// [main] columns keeps the list's column widths at 96 DPI, so that the window shown on a screen
// of another DPI keeps their proportions. A width shown at `dpi` as stored (within what
// ParseColumnWidths reads back), and a stored one as shown.
int StoredColumnWidth(int shownWidth, int dpi);
int ShownColumnWidth(int storedWidth, int dpi);

}  // namespace quelbrix
