// The settings dialog: a modal property sheet of four pages, owned by the main window.
#pragma once

#include <windows.h>

namespace quelbrix {

// Runs the sheet until the user closes it. The pages write the settings file on OK.
void SettingsSheet();

// The pages' procedures, one source file each.
INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM first, LPARAM second);
INT_PTR CALLBACK ExtensionsPageProc(HWND page, UINT message, WPARAM first, LPARAM second);
INT_PTR CALLBACK OtherPageProc(HWND page, UINT message, WPARAM first, LPARAM second);
INT_PTR CALLBACK VersionPageProc(HWND page, UINT message, WPARAM first, LPARAM second);

}  // namespace quelbrix
