// The result list's subclass procedure: a right click (or the menu key) on a selected row opens
// the popup menu of result actions, a double click opens the file; everything else, keys
// included, goes on to the list's own procedure.
#pragma once

#include <windows.h>

namespace quelbrix {

LRESULT CALLBACK ResultListProc(HWND list, UINT message, WPARAM first, LPARAM second);
// Puts ResultListProc in front of the list, keeping the list's own in theApp.listWindowProc.
void InstallResultListProc(HWND list);
// Puts the list's own procedure back.
void RemoveResultListProc(HWND list);

}  // namespace quelbrix
