#include "file_dialogs.h"

#include <commdlg.h>

namespace quelbrix {

namespace {

// What both dialogs share: the owner, the filter, the title and the buffer that receives the
// chosen path, emptied first. `buffer` holds at least one byte; the caller adds its flags.
OPENFILENAMEA FileDialogFields(HWND owner, const char* filter, const char* title, char* buffer,
                               std::size_t capacity) {
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

}  // namespace

bool ChooseProgramFile(HWND owner, const char* filter, const char* title, char* buffer,
                       std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) return false;
    OPENFILENAMEA dialog = FileDialogFields(owner, filter, title, buffer, capacity);
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return GetOpenFileNameA(&dialog) != FALSE;
}

bool ChooseSaveFile(HWND owner, const char* filter, const char* title, char* name,
                    std::size_t nameBytes) {
    if (name == nullptr || nameBytes == 0) return false;
    OPENFILENAMEA dialog = FileDialogFields(owner, filter, title, name, nameBytes);
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    dialog.lpstrDefExt = "txt";
    return GetSaveFileNameA(&dialog) != FALSE;
}

}  // namespace quelbrix
