// Start-up of the program: the program folder, help, the settings file on a first start, the
// accessor, the popup menu, and the main window run as a modal dialog.
#pragma once

#include <windows.h>

#include <string>

namespace quelbrix {

struct AppContext;

// The program's own full path; "" when it does not fit kPathBytes.
std::string OwnProgramPath();
// The drive and folder of the program file, ending in its last "\" or "/" (Shift_JIS aware).
// Empty when the program's path does not fit kPathBytes.
std::string GetExeFolder();
bool FileExists(const std::string& path);
// Fills in `app`, runs the main window with `commandLine` until the user leaves; true.
bool RunApplication(AppContext& app, HINSTANCE instance, const char* commandLine);

}  // namespace quelbrix
