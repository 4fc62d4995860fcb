// The settings sheet's General page (dialog 109): search options, the program that opens
// found files, and what a search does when a file cannot be read.
#include <windows.h>

#include <memory>

#include "app/help_topic.h"
#include "app/settings_pages.h"
#include "app_context.h"
#include "common/text_limits.h"
#include "file_dialogs.h"
#include "quelbrix_u_resources.h"
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
    {IDC_GENERAL_NO_PAUSE, &GeneralPage::noPause},
};

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

class GeneralSheetPage : public PropertyPage {
public:
    explicit GeneralSheetPage(AppContext& app) : PropertyPage(app, IDD_GENERAL_PAGE, true) {}

private:
    INT_PTR OnInit() override {
        Show(LoadGeneralPage(*App().profile));
        return FALSE;
    }
    void OnCommand(int id, int code) override;
    void OnHelp() override { App().help.ShowTopic(Window(), kHelpTopicSettingsDialog); }
    void OnApply() override { SaveGeneralPage(*App().profile, Read()); }

    void Show(const GeneralPage& values) const;
    GeneralPage Read() const;
    // The path box and its browse button serve the user's own program only.
    void EnableProgramPath(bool on) const {
        Enable(IDC_GENERAL_PROGRAM_PATH, on);
        Enable(IDC_GENERAL_BROWSE, on);
    }
    void BrowseForProgram() const;
};

void GeneralSheetPage::Show(const GeneralPage& values) const {
    for (const FlagControl& flag : kFlags) SetTicked(flag.id, values.*flag.field);
    EnableProgramPath(values.userProgram);
    SetTicked(values.userProgram ? IDC_GENERAL_USER_PROGRAM : IDC_GENERAL_ASSOCIATED, true);
    LimitText(IDC_GENERAL_PROGRAM_PATH, kEditTextBytes);
    SetText(IDC_GENERAL_PROGRAM_PATH, values.programPath);
    SetTicked(ErrorButton(values.error), true);
}

GeneralPage GeneralSheetPage::Read() const {
    GeneralPage values;
    for (const FlagControl& flag : kFlags) values.*flag.field = IsTicked(flag.id);
    values.programPath = TextWithin(IDC_GENERAL_PROGRAM_PATH, kEditTextBytes);
    values.userProgram = !IsTicked(IDC_GENERAL_ASSOCIATED);
    values.error = IsTicked(IDC_GENERAL_ERROR_ASK)    ? ErrorPolicy::kAsk
                   : IsTicked(IDC_GENERAL_ERROR_SKIP) ? ErrorPolicy::kSkip
                                                      : ErrorPolicy::kStop;
    return values;
}

// The chooser starts empty; a cancelled choice leaves the box as it was.
void GeneralSheetPage::BrowseForProgram() const {
    char path[kPathBytes];
    if (ChooseProgramFile(Window(), kProgramFilter, kChooseTitle, path, sizeof path)) {
        SetText(IDC_GENERAL_PROGRAM_PATH, path);
    }
}

void GeneralSheetPage::OnCommand(int id, int code) {
    switch (id) {
    case IDC_GENERAL_PROGRAM_PATH:
        if (code == EN_CHANGE) KeepTextWithin(id, kEditTextBytes);
        break;
    case IDC_GENERAL_BROWSE:
        BrowseForProgram();
        break;
    case IDC_GENERAL_ASSOCIATED:
    case IDC_GENERAL_USER_PROGRAM:
        EnableProgramPath(!IsTicked(IDC_GENERAL_ASSOCIATED));
        break;
    default:
        break;
    }
}

}  // namespace

std::unique_ptr<PropertyPage> NewGeneralPage(AppContext& app) {
    return std::make_unique<GeneralSheetPage>(app);
}

}  // namespace quelbrix
