#include "result_list_proc.h"

#include "app_context.h"

namespace quelbrix {

LRESULT CALLBACK ResultListProc(HWND list, UINT message, WPARAM first, LPARAM second) {
    if (theApp.listWindowProc == nullptr) return DefWindowProcA(list, message, first, second);
    return CallWindowProcA(theApp.listWindowProc, list, message, first, second);
}

void InstallResultListProc(HWND list) {
    if (list == nullptr || theApp.listWindowProc != nullptr) return;
    theApp.listWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ResultListProc)));
}

void RemoveResultListProc(HWND list) {
    if (list == nullptr || theApp.listWindowProc == nullptr) return;
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(theApp.listWindowProc));
    theApp.listWindowProc = nullptr;
}

}  // namespace quelbrix
