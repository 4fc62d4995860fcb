// The open-file dialog for choosing a program.
#pragma once

#include <windows.h>

#include <cstddef>

namespace quelbrix {

// Empties `buffer`, lets the user choose an existing file through `filter` (pairs of
// description and pattern, each ended by a zero, the list by a second zero) under `title`.
// True when a file was chosen; its full path is then in `buffer` (`capacity` bytes).
bool ChooseProgramFile(HWND owner, const char* filter, const char* title, char* buffer,
                       std::size_t capacity);

}  // namespace quelbrix
