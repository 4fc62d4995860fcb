// AppContext: what the whole program shares, from before WinMain runs until the process ends:
// its instance, the settings accessor, the result list's popup menu and help. Start-up fills
// it in and hands it to the main window, which hands it to every window it opens.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "app/profile_file.h"
#include "common/text_limits.h"
#include "common/win32_handles.h"
#include "help_file.h"
#include "win32_file_access.h"

namespace quelbrix {

// The shell and file calls of the program that write a path into a buffer write at most
// MAX_PATH bytes, the terminator included: the path limit of common/text_limits.h.
static_assert(kPathBytes == MAX_PATH, "the program's path buffers are the platform's");

// A text of the program's string table (a message, a menu item) is loaded up to this many
// bytes, its terminator included.
constexpr std::size_t kStringTextBytes = 1023;

// The text of string `id` of the program; "" when there is none.
std::string LoadProgramString(HINSTANCE instance, UINT id);

struct AppContext {
    AppContext() = default;
    // Frees the accessor, destroys the popup menu and shuts help down, in that order.
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Loads string `id` of the program and shows it with the caption "QuelbrixU", owned by
    // `owner` or else by the main window; returns the button pressed. Needs no memory of its
    // own, so it can tell that memory ran out.
    int ShowMessage(UINT id, UINT style, HWND owner = nullptr) const;
    // The same for a string that carries a detail: `detail` in place of its "%s"
    // (app/message_text.h).
    int ShowMessageWith(UINT id, const std::string& detail, UINT style, HWND owner = nullptr) const;

    HINSTANCE instance = nullptr;
    Win32FileAccess files;  // the file system under `profile`; outlives it
    std::unique_ptr<ProfileFile> profile;
    MenuHandle popupMenu;
    HelpFile help;
    HWND mainWindow = nullptr;  // while the main window exists: the owner of the program's boxes
};

}  // namespace quelbrix
