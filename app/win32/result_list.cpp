#include "result_list.h"

#include <commctrl.h>

#include <new>
#include <vector>

#include "app_context.h"
#include "quelbrix_u_resources.h"

namespace quelbrix {

namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

void ResultList::Attach(HWND list, HWND owner) {
    if (list == nullptr || list_ != nullptr) return;
    if (!SetWindowSubclass(list, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return;
    }
    list_ = list;
    owner_ = owner;
}

void ResultList::Detach() {
    if (list_ == nullptr) return;
    RemoveWindowSubclass(list_, Procedure, kSubclassId);
    list_ = nullptr;
}

void ResultList::RunMenuCommand(UINT id) const {
    switch (id) {
    case IDM_OPEN_FILE:
        OpenSelectedFile(Rows());
        break;
    case IDM_DELETE_FILE:
        DeleteSelectedFile(Rows());
        break;
    case IDM_OPEN_FOLDER:
        OpenSelectedFolder(Rows());
        break;
    case IDM_PROPERTIES:
        ShowSelectedProperties(Rows());
        break;
    default:
        break;  // dismissed
    }
}

// The popup menu opens at the cursor, also when the request came from the keyboard.
void ResultList::ShowPopupMenu() const {
    if (SelectedRow(list_) < 0 || !app_.popupMenu.Valid()) return;
    POINT cursor;
    if (!GetCursorPos(&cursor)) return;
    const UINT id = static_cast<UINT>(TrackPopupMenu(
        app_.popupMenu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
        cursor.x, cursor.y, 0, owner_, nullptr));
    RunMenuCommand(id);
}

LRESULT CALLBACK ResultList::Procedure(HWND list, UINT message, WPARAM first, LPARAM second,
                                       UINT_PTR, DWORD_PTR self) {
    if (message != WM_CONTEXTMENU && message != WM_LBUTTONDBLCLK) {
        return DefSubclassProc(list, message, first, second);
    }
    const auto* results = reinterpret_cast<const ResultList*>(self);
    // No exception may leave a window procedure; running out of memory is told to the user.
    try {
        if (message == WM_CONTEXTMENU) {
            results->ShowPopupMenu();
        } else {
            OpenSelectedFile(results->Rows());
        }
    } catch (const std::bad_alloc&) {
        results->app_.ShowMessage(IDS_NO_MEMORY, MB_ICONHAND | MB_OK);
    } catch (...) {}
    return 0;
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
