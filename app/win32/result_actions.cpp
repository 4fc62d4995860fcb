#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/result_path.h"
#include "app_context.h"
#include "engine_api.h"
#include "quelbrix_u_resources.h"
#include "result_actions.h"
#include "result_cells.h"

namespace quelbrix {

HWND ResultList() { return GetDlgItem(theApp.mainWindow, IDC_RESULT_LIST); }

int SelectedRow() {
    return static_cast<int>(
        SendMessageA(ResultList(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool SelectedFilePath(char (&path)[kPathBytes]) {
    path[0] = '\0';
    const int row = SelectedRow();
    if (row < 0) return false;
    // Read more than a path can hold, so that a cell too long for one is refused rather than
    // cut into the name of some other file.
    const std::string cell =
        ResultCellText(ResultList(), row, QUELBRIX_COLUMN_FILE, kPathBytes * 2);
    std::string full;
    if (!ComposeResultPath(theApp.searchFolder, theApp.relativePaths, cell, full)) return false;
    CopyBounded(path, sizeof path, full);
    return true;
}

}  // namespace quelbrix
