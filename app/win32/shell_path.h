// Paths the shell gives: display names resolved, special folders, the folder chooser and the
// items dropped on the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string>

namespace quelbrix {

// Parses `text` as a shell display name and stores the item's file-system path in `out`
// (`capacity` bytes). False when any step fails or the path does not fit.
bool ResolveShellPath(const char* text, char* out, std::size_t capacity);

// The file-system path of shell special folder `folder` in `out` (`capacity` bytes). False
// when the shell has no such folder on disk or its path does not fit.
bool GetSpecialFolderPath(HWND owner, int folder, char* out, std::size_t capacity);

// The folder chooser owned by `owner`: true with the chosen folder, ending in a backslash, in
// `folder`; false when the user cancelled or the item has no file-system path (a virtual
// folder). Without the shell's allocator it says "SHGetMalloc Error" and gives false.
bool BrowseForFolder(HWND owner, std::string& folder);

// The folder field's text for the first item of a drop: a folder as it is, a file's
// containing folder; false when the item cannot be found. Takes ownership of the drop handle.
bool DroppedItemFolder(HDROP drop, std::string& folder);

}  // namespace quelbrix
