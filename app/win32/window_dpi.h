// The dots per inch a window is shown at, and sizes designed at 96 DPI scaled to it.
#pragma once

#include <windows.h>

#include "app/dpi_scale.h"

namespace quelbrix {

// GetDpiForWindow where the system has it (Windows 10 1607 and later), else the screen's
// LOGPIXELSY; never 0.
UINT WindowDpi(HWND window);

// The DPI the system's own fonts and metrics are made for (the stock fonts among them):
// GetDpiForSystem where the system has it, else the screen's LOGPIXELSY; never 0.
UINT SystemDpi();

// `pixels` at 96 DPI shown at `dpi`, and back.
inline int ScaledToDpi(int pixels, UINT dpi) {
    return ScaledBetweenDpi(pixels, kDesignDpi, static_cast<int>(dpi));
}
inline int UnscaledFromDpi(int pixels, UINT dpi) {
    return ScaledBetweenDpi(pixels, static_cast<int>(dpi), kDesignDpi);
}

// The first `columns` column widths of the report list view `list`, made for `fromDpi`,
// scaled to `toDpi`.
void ScaleListColumns(HWND list, int columns, UINT fromDpi, UINT toDpi);

}  // namespace quelbrix
