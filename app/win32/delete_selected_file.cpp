#include <windows.h>
#include <commctrl.h>

#include "app_context.h"
#include "quelbrix_u_resources.h"
#include "result_actions.h"

namespace quelbrix {

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

}  // namespace quelbrix
