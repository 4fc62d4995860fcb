// The dots per inch a window is shown at, and sizes designed at 96 DPI scaled to it.
#pragma once

#include <windows.h>

namespace quelbrix {

constexpr UINT kDesignDpi = 96;

// GetDpiForWindow where the system has it (Windows 10 1607 and later), else the screen's
// LOGPIXELSY; never 0.
UINT WindowDpi(HWND window);

// `pixels` at 96 DPI shown at `dpi`, and back.
inline int ScaledToDpi(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}
inline int UnscaledFromDpi(int pixels, UINT dpi) {
    return dpi == 0 ? pixels : MulDiv(pixels, static_cast<int>(kDesignDpi), static_cast<int>(dpi));
}

}  // namespace quelbrix
