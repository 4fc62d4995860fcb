#include "dialog_dpi.h"

#include <utility>
#include <vector>

#include "app/dpi_scale.h"
#include "window_dpi.h"

namespace quelbrix {

namespace {

// Windows 10 1703 and later rescale a per-monitor dialog themselves unless told not to.
void TurnOffDialogManagerScaling(HWND dialog) {
    using SetBehaviourProc =
        BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    static const auto setBehaviour = reinterpret_cast<SetBehaviourProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior")));
    if (setBehaviour != nullptr) setBehaviour(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

}  // namespace

void DialogDpi::Capture(HWND dialog) {
    dialog_ = dialog;
    dpi_ = WindowDpi(dialog);
    fontDpi_ = dpi_;
    TurnOffDialogManagerScaling(dialog);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    hasFont_ = font != nullptr && GetObjectA(font, sizeof templateFont_, &templateFont_) != 0;
}

void DialogDpi::SetControlsFont(HFONT font) const {
    for (HWND child : DialogControls(dialog_)) {
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void DialogDpi::Follow(UINT dpi, const RECT& suggested, WindowAnchors& anchors) {
    if (dialog_ == nullptr || dpi == 0) return;
    dpi_ = dpi;
    if (hasFont_) {
        LOGFONTA face = templateFont_;
        const int from = static_cast<int>(fontDpi_);
        face.lfHeight = ScaledBetweenDpi(face.lfHeight, from, static_cast<int>(dpi));
        face.lfWidth = ScaledBetweenDpi(face.lfWidth, from, static_cast<int>(dpi));
        GdiObject next(CreateFontIndirectA(&face));
        if (next.Valid()) {
            SetControlsFont(static_cast<HFONT>(next.Get()));
            font_ = std::move(next);  // the font before is no control's any more
        }
    }
    anchors.Rescale(dpi);
    SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The window may keep its size (a rectangle the system limited): lay out all the same.
    anchors.Apply();
    RedrawWindow(dialog_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace quelbrix
