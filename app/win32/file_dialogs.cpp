#include "file_dialogs.h"

#include "file_dialog.h"

namespace quelbrix {

bool ChooseProgramFile(HWND owner, const char* filter, const char* title, char* buffer,
                       std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) return false;
    OPENFILENAMEA dialog = FileDialogFields(owner, filter, title, buffer, capacity);
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return GetOpenFileNameA(&dialog) != FALSE;
}

}  // namespace quelbrix
