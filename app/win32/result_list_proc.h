// The result list's subclass procedure. It passes every message on to the list's own
// procedure; the popup menu, double click and key actions are attached here.
#pragma once

#include <windows.h>

namespace quelbrix {

LRESULT CALLBACK ResultListProc(HWND list, UINT message, WPARAM first, LPARAM second);
// Puts ResultListProc in front of the list, keeping the list's own in theApp.listWindowProc.
void InstallResultListProc(HWND list);
// Puts the list's own procedure back.
void RemoveResultListProc(HWND list);

}  // namespace quelbrix
