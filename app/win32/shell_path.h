// Paths the shell gives: display names resolved, special folders, the folder chooser and the
// items dropped on the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>

namespace quelbrix {

// Parses `text` as a shell display name and stores the item's file-system path in `out`
// (`capacity` bytes). False when any step fails or the path does not fit.
bool ResolveShellPath(const char* text, char* out, std::size_t capacity);

// The file-system path of shell special folder `folder` in `out` (`capacity` bytes). False
// when the shell has no such folder on disk or its path does not fit.
bool GetSpecialFolderPath(HWND owner, int folder, char* out, std::size_t capacity);

// Command 1002: lets the user pick a folder and puts it, with a final backslash, in the field.
void BrowseFolder(HWND window);

// WM_DROPFILES: the first dropped item's folder goes to the folder field. Takes ownership of
// the drop handle.
void AcceptDroppedItem(HWND window, HDROP drop);

}  // namespace quelbrix
