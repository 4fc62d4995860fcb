// AppContext: the program's one application object. It exists before WinMain runs and is
// destroyed when the process ends normally; the dialogs and the list's window procedure reach
// it through `theApp`.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/profile_file.h"
#include "common/bounded_copy.h"
#include "common/win32_handles.h"
#include "help_file.h"
#include "win32_file_access.h"

namespace quelbrix {

constexpr std::size_t kCommandLineBytes = 1025;
constexpr std::size_t kSearchFolderFieldBytes = 261;
constexpr std::size_t kSearchWordBytes = 1024;
constexpr std::size_t kExeFolderBytes = 264;

struct AppContext {
    AppContext();
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Loads string `id` of the program (at most 1,022 bytes) and shows it with the caption
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
