// Access keys of the result list's popup menu. Its items are owner-drawn, so the system does
// not know their texts and asks the menu's owner with WM_MENUCHAR.
#pragma once

#include <windows.h>

namespace quelbrix {

// Answers WM_MENUCHAR for the popup menu in DWLP_MSGRESULT of the dialog `window`: a key that
// one item has chooses it; a key that several share moves the highlight to the next of them.
// False (nothing set) for any other menu.
bool AnswerMenuChar(HWND window, WPARAM first, LPARAM second);

}  // namespace quelbrix
