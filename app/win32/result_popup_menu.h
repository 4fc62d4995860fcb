// The result list's popup menu: five owner-drawn entries, which the program measures and
// draws itself and whose access keys it answers, since the system knows no texts for them.
#pragma once

#include <windows.h>

namespace quelbrix {

// The menu's entries in order, each carrying its id as item data: open, delete, open the
// folder, a separator, properties. The caller owns the menu.
HMENU CreateResultPopupMenu();

// WM_MEASUREITEM of a popup menu item shown at `dpi` (its owner's): its text in the default
// GUI font made for that DPI, with room for the left strip and the picture and margins above
// and below (26 and 8 pixels at 96 DPI, scaled); the separator two thirds as tall.
void MeasureMenuItem(HINSTANCE instance, UINT dpi, MEASUREITEMSTRUCT* item);
// WM_DRAWITEM of a popup menu item (whole item or selection change), at `dpi`: every distance
// scaled from 96 DPI, the picture of the nearest size.
void DrawMenuItem(HINSTANCE instance, UINT dpi, const DRAWITEMSTRUCT* item);
// The system keeps the items' sizes once measured; after a change of DPI the menu is to be
// measured again when it is next shown.
void RemeasureMenuItems(HMENU menu);

// Answers WM_MENUCHAR for `popup` in DWLP_MSGRESULT of the dialog `window`: a key that one
// item has chooses it; a key that several share moves the highlight to the next of them.
// False (nothing set) for any other menu.
bool AnswerMenuChar(HINSTANCE instance, HMENU popup, HWND window, WPARAM first, LPARAM second);

}  // namespace quelbrix
