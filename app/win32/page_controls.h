// Small helpers shared by the settings sheet's pages: control states, texts and the guard
// that keeps exceptions inside a page's procedure.
#pragma once

#include <windows.h>

#include <new>
#include <string>

#include "app/settings_pages.h"
#include "app/sjis.h"
#include "common/text_limits.h"
#include "app_context.h"
#include "main_window.h"
#include "quelbrix_u_resources.h"

namespace quelbrix {

inline bool IsTicked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

inline void SetTicked(HWND page, int id, bool on) {
    CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED);
}

inline void EnableControl(HWND page, int id, bool on) {
    EnableWindow(GetDlgItem(page, id), on ? TRUE : FALSE);
}

// Typing stops at the length the settings file keeps, so nothing typed is cut unseen.
inline void LimitToPageText(HWND page, int id) {
    SendDlgItemMessageA(page, id, EM_LIMITTEXT, kEditTextBytes, 0);
}

// An edit box that counts its limit in characters rather than bytes lets a double-byte text
// pass it; on its change notice such a text is cut back to the stored length at once, with a
// beep, while the user still sees it.
inline void KeepWithinPageText(HWND page, int id) {
    const std::string text = ControlText(page, id);
    if (text.size() <= kEditTextBytes) return;
    SetDlgItemTextA(page, id, CutAtCharBoundary(text, kEditTextBytes).c_str());
    constexpr WPARAM kEnd = 0x7FFFFFFF;  // clamped to the text's end
    SendDlgItemMessageA(page, id, EM_SETSEL, kEnd, kEnd);
    MessageBeep(MB_OK);
}

// An edit box's text as stored: at most kEditTextBytes, never half a character.
inline std::string PageText(HWND page, int id) {
    return CutAtCharBoundary(ControlText(page, id), kEditTextBytes);
}

// Runs one message's work; running out of memory is told to the user instead of leaving the
// procedure. Every page message is answered with 0.
template <typename Work>
INT_PTR GuardedPageMessage(Work work) {
    try {
        work();
    } catch (const std::bad_alloc&) {
        theApp.ShowMessage(IDS_NO_MEMORY, MB_ICONHAND | MB_OK);
    }
    return 0;
}

// The sheet's notice carried by a WM_NOTIFY, or 0 for any other message.
inline UINT SheetNotice(UINT message, LPARAM second) {
    if (message != WM_NOTIFY || second == 0) return 0;
    return reinterpret_cast<const NMHDR*>(second)->code;
}

}  // namespace quelbrix
