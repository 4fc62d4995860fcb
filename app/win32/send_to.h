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

// The target of the shortcut file `shortcut`, read through the shell link object; a target
// renamed since the link was saved is followed by the shell's link tracking, without a window
// and without searching. "" when there is no such file or it is no shortcut.
std::string ShortcutTarget(HWND owner, const std::string& shortcut);

// Removes the Send To shortcut of the program `programPath` from `folder`: the one named
// after it, else a QuelbrixU.lnk whose target is the program (ChooseSendToRemoval). True when
// a shortcut was deleted.
bool RemoveSendToShortcut(HWND owner, const std::string& folder, const std::string& programPath);

}  // namespace quelbrix
