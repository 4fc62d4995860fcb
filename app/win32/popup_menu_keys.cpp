#include "popup_menu_keys.h"

#include <string>
#include <vector>

#include "app/menu_access_key.h"
#include "app_context.h"
#include "quelbrix_u_resources.h"

namespace quelbrix {

namespace {

std::vector<std::string> ItemTexts(HMENU menu) {
    std::vector<std::string> texts;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        // The separator has no text; one that cannot be loaded has no access key either.
        texts.push_back(id == IDM_SEPARATOR
                            ? std::string()
                            : LoadProgramString(theApp.instance, id + IDS_MENU_TEXT_OFFSET));
    }
    return texts;
}

int HighlightedItem(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    }
    return -1;
}

}  // namespace

bool AnswerMenuChar(HWND window, WPARAM first, LPARAM second) {
    HMENU menu = reinterpret_cast<HMENU>(second);
    if (menu == nullptr || menu != theApp.popupMenu.Get()) return false;
    const char pressed = static_cast<char>(LOWORD(first));
    const AccessKeyMatch match =
        MatchMenuAccessKey(ItemTexts(menu), pressed, HighlightedItem(menu));
    LRESULT answer = MAKELRESULT(0, MNC_IGNORE);
    if (match.action == AccessKeyAction::kExecute) {
        answer = MAKELRESULT(match.index, MNC_EXECUTE);
    } else if (match.action == AccessKeyAction::kSelect) {
        // Some systems take MNC_SELECT for no match; highlighting the item first moves the
        // highlight there too, and where the answer is honoured both name the same item.
        HiliteMenuItem(window, menu, static_cast<UINT>(match.index), MF_BYPOSITION | MF_HILITE);
        answer = MAKELRESULT(match.index, MNC_SELECT);
    }
    SetWindowLongPtrA(window, DWLP_MSGRESULT, answer);
    return true;
}

}  // namespace quelbrix
