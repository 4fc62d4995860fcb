#include <windows.h>
#include <shellapi.h>

#include "app_context.h"
#include "result_actions.h"

namespace quelbrix {

void ShowSelectedProperties() {
    char path[kPathBytes];
    if (!SelectedFilePath(path)) return;
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;  // the verb runs through the item's context menu
    info.hwnd = theApp.mainWindow;
    info.lpVerb = "properties";
    info.lpFile = path;
    info.nShow = SW_HIDE;
    ShellExecuteExA(&info);
}

}  // namespace quelbrix
