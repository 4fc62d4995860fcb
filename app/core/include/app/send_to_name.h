// Where the Send To shortcut of the program lives: its name comes from the program's own file
// name, so registering and removing always agree, also for a renamed program; and which
// shortcut removing the registration takes away.
#pragma once

#include <string>

namespace quelbrix {

// The file name of `programPath` (after its last "\" or "/") up to its first dot:
// "C:\tools\QuelbrixU.exe" gives "QuelbrixU", "a.b.exe" gives "a".
std::string SendToShortcutName(const std::string& programPath);

// `folder`, a "\" unless it already ends with one, the name above and ".lnk".
std::string SendToShortcutPath(const std::string& folder, const std::string& programPath);

// QuelbrixU.lnk in `folder`: the shortcut the program registered under its own name, before a
// copy of it was renamed.
std::string ProgramNameShortcutPath(const std::string& folder);

// What removing the registration finds in the Send To folder.
struct SendToShortcuts {
    bool currentNameExists = false;  // SendToShortcutPath of the program as it is named now
    std::string programNameTarget;   // the target of ProgramNameShortcutPath; "" for none
};

enum class SendToRemoval { kNothing, kCurrentName, kProgramName };

// The shortcut of the current name when there is one (registering writes that name, whatever
// it pointed at); otherwise QuelbrixU.lnk, but only when its target is `programPath` itself
// (paths compared without regard to ASCII case): a shortcut to another program stays.
SendToRemoval ChooseSendToRemoval(const std::string& programPath, const SendToShortcuts& found);

}  // namespace quelbrix
