// The program's shortcut in the shell's Send To folder.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace quelbrix {

constexpr int kSendToFolder = 9;  // CSIDL_SENDTO

// Writes a shortcut to `target` (no arguments, no description, no working folder, the
// target's own icon) into special folder `folder`, named after the target's file name up to
// its first dot. The result of the last step, the save included: a failure code whenever no
// shortcut was written.
HRESULT CreateSendToShortcut(HWND owner, const char* target, int folder);

// The program's own full path; "" when it does not fit the platform's path limit.
std::string OwnProgramPath();

}  // namespace quelbrix
