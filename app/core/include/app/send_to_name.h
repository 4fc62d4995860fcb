// Where the Send To shortcut of the program lives: its name comes from the program's own file
// name, so registering and removing always agree, also for a renamed program.
#pragma once

#include <string>

namespace quelbrix {

// The file name of `programPath` (after its last "\" or "/") up to its first dot:
// "C:\tools\QuelbrixU.exe" gives "QuelbrixU", "a.b.exe" gives "a".
std::string SendToShortcutName(const std::string& programPath);

// `folder`, a "\" unless it already ends with one, the name above and ".lnk".
std::string SendToShortcutPath(const std::string& folder, const std::string& programPath);

}  // namespace quelbrix
