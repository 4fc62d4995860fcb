// The main window's result list as the program uses it: its subclass procedure (a right click
// or the menu key on a selected row opens the popup menu of result actions, a double click
// opens the file; everything else, keys included, goes on to the list's own procedure) and
// its cells read back (the engine wrote them).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace quelbrix {

LRESULT CALLBACK ResultListProc(HWND list, UINT message, WPARAM first, LPARAM second);
// Puts ResultListProc in front of the list, keeping the list's own in theApp.listWindowProc.
void InstallResultListProc(HWND list);
// Puts the list's own procedure back.
void RemoveResultListProc(HWND list);

// The text of `column` in `row`, at most capacity - 1 bytes; "" when there is no such cell.
std::string ResultCellText(HWND list, int row, int column, std::size_t capacity);

}  // namespace quelbrix
