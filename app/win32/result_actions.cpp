#include "result_actions.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/result_path.h"
#include "app/sjis.h"
#include "app_context.h"
#include "common/text_limits.h"
#include "open_found_file.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "result_list.h"

namespace quelbrix {

int SelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool SelectedFilePath(const ResultRows& rows, std::string& path) {
    path.clear();
    const int row = SelectedRow(rows.list);
    if (row < 0) return false;
    // Read more than a path can hold, so that a cell too long for one is refused rather than
    // cut into the name of some other file.
    const std::string cell = ResultCellText(rows.list, row, QUELBRIX_COLUMN_FILE, kPathBytes * 2);
    return ComposeResultPath(rows.search.folder, rows.search.relativePaths, cell, path);
}

void OpenSelectedFile(const ResultRows& rows) {
    std::string path;
    if (!SelectedFilePath(rows, path)) return;
    OpenFoundFile(rows.app, rows.owner, path);
}

void DeleteSelectedFile(const ResultRows& rows) {
    const int row = SelectedRow(rows.list);
    if (row < 0) return;
    if (rows.app.ShowMessage(IDS_CONFIRM_DELETE, MB_ICONQUESTION | MB_YESNO) != IDYES) return;
    // The rows cannot change while the question is open: a running search waits below us.
    std::string path;
    if (!SelectedFilePath(rows, path) || !DeleteFileA(path.c_str())) {
        // The row stays, so the list still shows the file that is still there.
        rows.app.ShowMessage(IDS_DELETE_FAILED, MB_ICONHAND | MB_OK);
        return;
    }
    SendMessageA(rows.list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    rows.app.ShowMessage(IDS_DELETED, MB_ICONASTERISK | MB_OK);
}

void OpenSelectedFolder(const ResultRows& rows) {
    std::string path;
    if (!SelectedFilePath(rows, path)) return;
    // Split where a real separator is, never at the second byte of a double-byte character.
    const std::string folder = FolderPartOf(path);
    if (folder.empty()) return;
    ShellExecuteA(rows.owner, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShowSelectedProperties(const ResultRows& rows) {
    std::string path;
    if (!SelectedFilePath(rows, path)) return;
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;  // the verb runs through the item's context menu
    info.hwnd = rows.owner;
    info.lpVerb = "properties";
    info.lpFile = path.c_str();
    info.nShow = SW_HIDE;
    ShellExecuteExA(&info);
}

}  // namespace quelbrix
