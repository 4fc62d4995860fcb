// The result list's popup menu: five owner-drawn entries, which the program measures and
// draws itself and whose access keys it answers, since the system knows no texts for them.
#pragma once

#include <windows.h>

namespace quelbrix {

// The menu's entries in order, each carrying its id as item data: open, delete, open the
// folder, a separator, properties. The caller owns the menu.
HMENU CreateResultPopupMenu();

// WM_MEASUREITEM of a popup menu item: its text in the default GUI font, 8 pixels taller and
// 26 wider (the left strip with the bitmap); the separator two thirds as tall.
void MeasureMenuItem(HINSTANCE instance, MEASUREITEMSTRUCT* item);
// WM_DRAWITEM of a popup menu item (whole item or selection change).
void DrawMenuItem(HINSTANCE instance, const DRAWITEMSTRUCT* item);

// Answers WM_MENUCHAR for `popup` in DWLP_MSGRESULT of the dialog `window`: a key that one
// item has chooses it; a key that several share moves the highlight to the next of them.
// False (nothing set) for any other menu.
bool AnswerMenuChar(HINSTANCE instance, HMENU popup, HWND window, WPARAM first, LPARAM second);

}  // namespace quelbrix
