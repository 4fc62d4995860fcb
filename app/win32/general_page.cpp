// The settings sheet's General page (dialog 109): search options, the program that opens
// found files, and what a search does when a file cannot be read.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "app/help_topic.h"
#include "file_dialogs.h"
#include "page_controls.h"
#include "settings_sheet.h"

namespace quelbrix {

namespace {

constexpr char kProgramFilter[] = "プログラム(*.exe)\0*.exe\0";
constexpr char kChooseTitle[] = "展開するプログラム";

struct FlagControl {
    int id;
    bool GeneralPage::*field;
};
constexpr FlagControl kFlags[] = {
    {IDC_GENERAL_HIDE_PROGRESS, &GeneralPage::hideProgress},
    {IDC_GENERAL_HIDE_COUNT, &GeneralPage::hideCount},
    {IDC_GENERAL_RELATIVE, &GeneralPage::relativePaths},
    {IDC_GENERAL_NO_CONVERSION, &GeneralPage::noCodeConversion},
};

// The path box and its browse button serve the user's own program only.
void EnableProgramPath(HWND page, bool on) {
    EnableControl(page, IDC_GENERAL_PROGRAM_PATH, on);
    EnableControl(page, IDC_GENERAL_BROWSE, on);
}

int ErrorButton(ErrorPolicy choice) {
    switch (choice) {
    case ErrorPolicy::kAsk:
        return IDC_GENERAL_ERROR_ASK;
    case ErrorPolicy::kSkip:
        return IDC_GENERAL_ERROR_SKIP;
    case ErrorPolicy::kStop:
        break;
    }
    return IDC_GENERAL_ERROR_STOP;
}

void Show(HWND page, const GeneralPage& values) {
    for (const FlagControl& flag : kFlags) SetTicked(page, flag.id, values.*flag.field);
    EnableProgramPath(page, values.userProgram);
    SetTicked(page, values.userProgram ? IDC_GENERAL_USER_PROGRAM : IDC_GENERAL_ASSOCIATED, true);
    LimitToPageText(page, IDC_GENERAL_PROGRAM_PATH);
    SetDlgItemTextA(page, IDC_GENERAL_PROGRAM_PATH, values.programPath.c_str());
    SetTicked(page, ErrorButton(values.error), true);
}

GeneralPage Read(HWND page) {
    GeneralPage values;
    for (const FlagControl& flag : kFlags) values.*flag.field = IsTicked(page, flag.id);
    values.programPath = PageText(page, IDC_GENERAL_PROGRAM_PATH);
    values.userProgram = !IsTicked(page, IDC_GENERAL_ASSOCIATED);
    values.error = IsTicked(page, IDC_GENERAL_ERROR_ASK)    ? ErrorPolicy::kAsk
                   : IsTicked(page, IDC_GENERAL_ERROR_SKIP) ? ErrorPolicy::kSkip
                                                            : ErrorPolicy::kStop;
    return values;
}

// The chooser starts empty; a cancelled choice leaves the box as it was.
void BrowseForProgram(HWND page) {
    char path[kPathBytes];
    if (ChooseProgramFile(page, kProgramFilter, kChooseTitle, path, sizeof path)) {
        SetDlgItemTextA(page, IDC_GENERAL_PROGRAM_PATH, path);
    }
}

void OnCommand(HWND page, int id, int code) {
    switch (id) {
    case IDC_GENERAL_PROGRAM_PATH:
        if (code == EN_CHANGE) KeepWithinPageText(page, id);
        break;
    case IDC_GENERAL_BROWSE:
        BrowseForProgram(page);
        break;
    case IDC_GENERAL_ASSOCIATED:
    case IDC_GENERAL_USER_PROGRAM:
        EnableProgramPath(page, !IsTicked(page, IDC_GENERAL_ASSOCIATED));
        break;
    default:
        break;
    }
}

}  // namespace

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM first, LPARAM second) {
    return GuardedPageMessage([&] {
        if (message == WM_INITDIALOG) {
            Show(page, LoadGeneralPage(*theApp.profile));
        } else if (message == WM_COMMAND) {
            OnCommand(page, LOWORD(first), HIWORD(first));
        } else if (SheetNotice(message, second) == PSN_HELP) {
            theApp.help.ShowTopic(page, kHelpTopicSettingsDialog);
        } else if (SheetNotice(message, second) == PSN_APPLY) {
            SaveGeneralPage(*theApp.profile, Read(page));
        }
    });
}

}  // namespace quelbrix
