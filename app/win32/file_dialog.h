// What the open and save dialogs share: the owner, the filter, the title and the buffer that
// receives the chosen path, emptied first.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstddef>

namespace quelbrix {

// `buffer` must hold at least one byte; the caller adds the flags of its own dialog.
inline OPENFILENAMEA FileDialogFields(HWND owner, const char* filter, const char* title,
                                      char* buffer, std::size_t capacity) {
    buffer[0] = '\0';
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = static_cast<DWORD>(capacity);
    dialog.lpstrTitle = title;
    return dialog;
}

}  // namespace quelbrix
