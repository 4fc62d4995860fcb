#include "window_dpi.h"

#include <commctrl.h>

namespace quelbrix {

namespace {

// Looked up at run time: older systems have no per-window or system DPI calls.
template <typename Proc>
Proc User32Proc(const char* name) {
    return reinterpret_cast<Proc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : static_cast<UINT>(kDesignDpi);
}

}  // namespace

UINT WindowDpi(HWND window) {
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Proc<GetDpiForWindowProc>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return dpi;
    }
    return ScreenDpi();
}

UINT SystemDpi() {
    using GetDpiForSystemProc = UINT(WINAPI*)();
    static const auto getDpiForSystem = User32Proc<GetDpiForSystemProc>("GetDpiForSystem");
    if (getDpiForSystem != nullptr) {
        const UINT dpi = getDpiForSystem();
        if (dpi != 0) return dpi;
    }
    return ScreenDpi();
}

void ScaleListColumns(HWND list, int columns, UINT fromDpi, UINT toDpi) {
    if (list == nullptr || fromDpi == toDpi) return;
    for (int column = 0; column < columns; ++column) {
        const auto width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
        if (width <= 0) continue;  // no such column
        const int scaled =
            ScaledBetweenDpi(width, static_cast<int>(fromDpi), static_cast<int>(toDpi));
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(scaled, 0));
    }
}

}  // namespace quelbrix
