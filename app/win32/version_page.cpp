// The settings sheet's version page (dialog 108): the versions of the program, the engine and
// the regular-expression library, and the project's web and mail addresses.
#include <windows.h>
#include <shellapi.h>

#include "app/version_text.h"
#include "page_controls.h"
#include "quelbrix_engine.h"
#include "settings_sheet.h"

namespace quelbrix {

namespace {

void Show(HWND page) {
    const std::string text = FormatVersionText(QuelbrixGetVer(), QuelbrixGetBeta());
    SetDlgItemTextA(page, IDC_VERSION_TEXT, text.c_str());
    SetDlgItemTextA(page, IDC_VERSION_WEB, kProjectWebAddress);
    SetDlgItemTextA(page, IDC_VERSION_MAIL, kProjectMailAddress);
}

// What the shell makes of the address is its own affair; nothing is reported.
void OpenAddress(HWND page, const std::string& address) {
    ShellExecuteA(page, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

INT_PTR CALLBACK VersionPageProc(HWND page, UINT message, WPARAM first, LPARAM) {
    return GuardedPageMessage([&] {
        if (message == WM_INITDIALOG) {
            Show(page);
        } else if (message == WM_COMMAND && LOWORD(first) == IDC_VERSION_WEB) {
            OpenAddress(page, kProjectWebAddress);
        } else if (message == WM_COMMAND && LOWORD(first) == IDC_VERSION_MAIL) {
            OpenAddress(page, ProjectMailLink());
        }
    });
}

}  // namespace quelbrix
