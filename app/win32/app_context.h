// AppContext: the program's one application object. It exists before WinMain runs and is
// destroyed when the process ends normally; the dialogs and the list's window procedure reach
// it through `theApp`.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/profile_file.h"
#include "common/bounded_copy.h"
#include "common/text_limits.h"
#include "common/win32_handles.h"
#include "help_file.h"
#include "win32_file_access.h"

namespace quelbrix {

constexpr std::size_t kCommandLineBytes = 1025;
constexpr std::size_t kSearchFolderFieldBytes = 261;
constexpr std::size_t kSearchWordBytes = 1024;
constexpr std::size_t kExeFolderBytes = 264;

// The shell and file calls of the program that write a path into a buffer write at most
// MAX_PATH bytes, the terminator included: the path limit of common/text_limits.h.
static_assert(kPathBytes == MAX_PATH, "the program's path buffers are the platform's");

// A text of the program's string table (a message, a menu item) is loaded up to this many
// bytes, its terminator included.
constexpr std::size_t kStringTextBytes = 1023;

// The text of string `id` of the program; "" when there is none.
std::string LoadProgramString(HINSTANCE instance, UINT id);

struct AppContext {
    AppContext();
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Loads string `id` of the program (LoadProgramString) and shows it with the caption
    // "QuelbrixU", owned by `owner` or else by the main window; returns the button pressed.
    int ShowMessage(UINT id, UINT style, HWND owner = nullptr) const;

    char commandLine[kCommandLineBytes];
    bool commandLineCut;  // the command line was longer than commandLine holds
    char searchFolder[kSearchFolderFieldBytes];
    char searchWord[kSearchWordBytes];
    bool relativePaths;
    bool showCounts;
    char exeFolder[kExeFolderBytes];
    WNDPROC listWindowProc;
    Win32FileAccess files;  // the file system under `profile`; outlives it
    std::unique_ptr<ProfileFile> profile;
    MenuHandle popupMenu;
    HWND mainWindow;
    HINSTANCE instance;
    HelpFile help;
};

extern AppContext theApp;

}  // namespace quelbrix
