#include "result_list.h"

#include <commctrl.h>

#include <vector>

#include "app_context.h"
#include "quelbrix_u_resources.h"
#include "result_actions.h"

namespace quelbrix {

namespace {

void RunMenuCommand(UINT id) {
    switch (id) {
    case IDM_OPEN_FILE:
        OpenSelectedFile();
        break;
    case IDM_DELETE_FILE:
        DeleteSelectedFile();
        break;
    case IDM_OPEN_FOLDER:
        OpenSelectedFolder();
        break;
    case IDM_PROPERTIES:
        ShowSelectedProperties();
        break;
    default:
        break;  // dismissed
    }
}

// The popup menu opens at the cursor, also when the request came from the keyboard.
void ShowPopupMenu() {
    if (SelectedRow() < 0 || !theApp.popupMenu.Valid()) return;
    POINT cursor;
    if (!GetCursorPos(&cursor)) return;
    const UINT id = static_cast<UINT>(TrackPopupMenu(
        theApp.popupMenu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
        cursor.x, cursor.y, 0, theApp.mainWindow, nullptr));
    RunMenuCommand(id);
}

}  // namespace

LRESULT CALLBACK ResultListProc(HWND list, UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_CONTEXTMENU:
        ShowPopupMenu();
        return 0;
    case WM_LBUTTONDBLCLK:
        OpenSelectedFile();
        return 0;
    default:
        break;
    }
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

std::string ResultCellText(HWND list, int row, int column, std::size_t capacity) {
    if (capacity == 0) return "";
    std::vector<char> text(capacity, '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(capacity);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    text.back() = '\0';
    return text.data();
}

}  // namespace quelbrix
