#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/sjis.h"
#include "app_context.h"
#include "result_actions.h"

namespace quelbrix {

void OpenSelectedFolder() {
    char path[kPathBytes];
    if (!SelectedFilePath(path)) return;
    // Split where a real separator is, never at the second byte of a double-byte character.
    const std::string folder = FolderPartOf(path);
    if (folder.empty()) return;
    ShellExecuteA(theApp.mainWindow, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quelbrix
