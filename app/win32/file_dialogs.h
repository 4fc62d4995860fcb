// The platform's open and save dialogs, as the General page and the save button use them.
#pragma once

#include <windows.h>

#include <cstddef>

namespace quelbrix {

// Empties `buffer`, lets the user choose an existing file through `filter` (pairs of
// description and pattern, each ended by a zero, the list by a second zero) under `title`.
// True when a file was chosen; its full path is then in `buffer` (`capacity` bytes).
bool ChooseProgramFile(HWND owner, const char* filter, const char* title, char* buffer,
                       std::size_t capacity);

// The save dialog: asks before overwriting, hides the read-only box, adds the extension "txt"
// to a name typed without one. `name` is cleared first; returns whether the user chose a
// name. `filter` is as above; `title` may be null.
bool ChooseSaveFile(HWND owner, const char* filter, const char* title, char* name,
                    std::size_t nameBytes);

}  // namespace quelbrix
