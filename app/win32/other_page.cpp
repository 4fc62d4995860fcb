// The settings sheet's Other page (dialog 112): the Send To shortcut, the two histories and
// whether UTF-8 files are converted. Every button acts at once; OK writes the check box.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "app/help_topic.h"
#include "app/history.h"
#include "app/send_to_name.h"
#include "page_controls.h"
#include "send_to.h"
#include "settings_sheet.h"
#include "shell_path.h"

namespace quelbrix {

namespace {

void Register(HWND page) {
    const std::string program = OwnProgramPath();
    const bool made =
        !program.empty() && SUCCEEDED(CreateSendToShortcut(page, program.c_str(), kSendToFolder));
    theApp.ShowMessage(made ? IDS_SENDTO_REGISTERED : IDS_SENDTO_FAILED,
                       made ? MB_ICONINFORMATION | MB_OK : MB_ICONHAND | MB_OK, page);
}

// Removes the shortcut of the name registering gives, so a renamed program finds its own.
void Unregister(HWND page) {
    char folder[kPathBytes];
    const std::string program = OwnProgramPath();
    const bool removed = !program.empty() &&
                         GetSpecialFolderPath(page, kSendToFolder, folder, sizeof folder) &&
                         DeleteFileA(SendToShortcutPath(folder, program).c_str());
    theApp.ShowMessage(removed ? IDS_SENDTO_REMOVED : IDS_SENDTO_MISSING,
                       removed ? MB_ICONINFORMATION | MB_OK : MB_ICONHAND | MB_OK, page);
}

// Asks (owned by the main window), empties the section's slots and the main window's box.
void ClearHistoryAfterAsking(const char* section, UINT question, UINT done, int comboId) {
    if (theApp.ShowMessage(question, MB_ICONQUESTION | MB_YESNO) != IDYES) return;
    ClearHistory(*theApp.profile, section);
    theApp.ShowMessage(done, MB_ICONINFORMATION | MB_OK);
    HWND combo = GetDlgItem(theApp.mainWindow, comboId);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SetWindowTextA(combo, "");
}

void OnCommand(HWND page, int id) {
    switch (id) {
    case IDC_OTHER_REGISTER:
        Register(page);
        break;
    case IDC_OTHER_UNREGISTER:
        Unregister(page);
        break;
    case IDC_OTHER_CLEAR_WORDS:
        ClearHistoryAfterAsking(kWordHistory, IDS_CONFIRM_CLEAR_WORDS, IDS_WORDS_CLEARED, IDC_WORD);
        break;
    case IDC_OTHER_CLEAR_PATHS:
        ClearHistoryAfterAsking(kPathHistory, IDS_CONFIRM_CLEAR_PATHS, IDS_PATHS_CLEARED,
                                IDC_FOLDER);
        break;
    default:
        break;
    }
}

}  // namespace

INT_PTR CALLBACK OtherPageProc(HWND page, UINT message, WPARAM first, LPARAM second) {
    return GuardedPageMessage([&] {
        if (message == WM_INITDIALOG) {
            SetTicked(page, IDC_OTHER_UTF8_FILES, LoadOtherPage(*theApp.profile).convertUtf8);
        } else if (message == WM_COMMAND) {
            OnCommand(page, LOWORD(first));
        } else if (SheetNotice(message, second) == PSN_HELP) {
            theApp.help.ShowTopic(page, kHelpTopicSendTo);
        } else if (SheetNotice(message, second) == PSN_APPLY) {
            SaveOtherPage(*theApp.profile, OtherPage{IsTicked(page, IDC_OTHER_UTF8_FILES)});
        }
    });
}

}  // namespace quelbrix
