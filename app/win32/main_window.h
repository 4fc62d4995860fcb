// The main window (dialog 103): set-up, command line, search start and stop, histories, exit.
#pragma once

#include <windows.h>

#include <string>

namespace quelbrix {

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM first, LPARAM second);

void InitMainWindow(HWND window);
void StartSearch(HWND window);
void StopSearch(HWND window);
void ExitMainWindow(HWND window);
// Refills a combo box's list from a history section and empties its edit text.
void LoadHistory(HWND window, int comboId, const char* section);

// The text of a dialog control, read whole (no fixed-size buffer to cut it short).
std::string ControlText(HWND window, int id);

}  // namespace quelbrix
