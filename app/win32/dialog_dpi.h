// A dialog that follows the DPI of the screen it is on. When Windows moves it to a screen of
// another DPI (WM_DPICHANGED), its font, its controls and its frame are scaled here, the same
// on every system; the dialog manager's own scaling (Windows 10 1703 and later) is turned off,
// so nothing is scaled twice, and where there is none (Wine, older systems) nothing is missed.
#pragma once

#include <windows.h>

#include "common/win32_handles.h"
#include "window_anchors.h"

namespace quelbrix {

class DialogDpi {
public:
    // Takes the DPI and the font `dialog` was made with; from WM_INITDIALOG.
    void Capture(HWND dialog);
    // The DPI the dialog is laid out for now.
    UINT Dpi() const { return dpi_; }
    // WM_DPICHANGED: every control gets the dialog's font made for `dpi`, `anchors` takes the
    // template's places at `dpi`, and the window is put on `suggested` (the system's
    // rectangle for it at `dpi`), which lays the anchored controls out again.
    void Follow(UINT dpi, const RECT& suggested, WindowAnchors& anchors);

private:
    void SetControlsFont(HFONT font) const;

    HWND dialog_ = nullptr;
    UINT dpi_ = 96;
    UINT fontDpi_ = 96;        // the DPI the template's font was made for
    LOGFONTA templateFont_{};  // valid when hasFont_
    bool hasFont_ = false;
    // The font made for the DPI now; none while the dialog keeps the one it was made with.
    // The controls hold it until the dialog is gone, which happens before this object goes.
    GdiObject font_;
};

}  // namespace quelbrix
