// The save button: the result list's rows written as a text report to a file the user names.
#pragma once

#include <windows.h>

#include <cstddef>

namespace quelbrix {

// Handler of the save button.
void SaveResults();

// The platform's save-file dialog: asks before overwriting, hides the read-only box, adds the
// extension "txt" to a name typed without one. `name` is cleared first; returns whether the
// user chose a name. `filter` is a double-zero-terminated filter list; `title` may be null.
bool ChooseSaveFile(HWND owner, const char* filter, const char* title, char* name,
                    std::size_t nameBytes);

}  // namespace quelbrix
