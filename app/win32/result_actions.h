// What the result list's popup menu and double click do with the file of the selected row.
#pragma once

#include <windows.h>

#include "common/text_limits.h"

namespace quelbrix {

// The main window's result list.
HWND ResultList();
// The selected row of the result list (it allows one), or -1 when none is.
int SelectedRow();
// The full path of the file in the selected row; false, with `path` empty, when no row is
// selected or its path would not fit the buffer.
bool SelectedFilePath(char (&path)[kPathBytes]);

// Opens the file with its associated program, or with the program chosen in the settings.
void OpenSelectedFile();
// Asks, deletes the file outright (no recycle bin), removes its row and says so.
void DeleteSelectedFile();
// Opens the folder that holds the file.
void OpenSelectedFolder();
// Shows the shell's property sheet of the file.
void ShowSelectedProperties();

}  // namespace quelbrix
