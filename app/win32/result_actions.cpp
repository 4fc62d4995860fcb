// The four actions of the result list's popup menu on the selected row, and the full path of
// the file that row names.
#include "result_actions.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/result_path.h"
#include "app/sjis.h"
#include "app_context.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "result_list.h"

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

void OpenSelectedFile() {
    char path[kPathBytes];
    if (!SelectedFilePath(path)) return;
    ProfileFile& profile = *theApp.profile;
    profile.SetSection("whole");
    // Whether the program starts is not checked: the shell tells the user itself.
    if (profile.GetInt("appli") == 1) {
        char program[kPathBytes];
        profile.GetString("path", program, sizeof program);
        const std::string parameter = ProgramParameterFor(path);
        ShellExecuteA(theApp.mainWindow, nullptr, program, parameter.c_str(), nullptr,
                      SW_SHOWNORMAL);
    } else {
        ShellExecuteA(theApp.mainWindow, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
    }
}

void DeleteSelectedFile() {
    const int row = SelectedRow();
    if (row < 0) return;
    if (theApp.ShowMessage(IDS_CONFIRM_DELETE, MB_ICONQUESTION | MB_YESNO) != IDYES) return;
    // The rows cannot change while the question is open: a running search waits below us.
    char path[kPathBytes];
    if (!SelectedFilePath(path) || !DeleteFileA(path)) {
        // The row stays, so the list still shows the file that is still there.
        theApp.ShowMessage(IDS_DELETE_FAILED, MB_ICONHAND | MB_OK);
        return;
    }
    SendMessageA(ResultList(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    theApp.ShowMessage(IDS_DELETED, MB_ICONASTERISK | MB_OK);
}

void OpenSelectedFolder() {
    char path[kPathBytes];
    if (!SelectedFilePath(path)) return;
    // Split where a real separator is, never at the second byte of a double-byte character.
    const std::string folder = FolderPartOf(path);
    if (folder.empty()) return;
    ShellExecuteA(theApp.mainWindow, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

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
