// The settings sheet's Other page (dialog 112): the Send To shortcut, the two histories and
// whether UTF-8 files are converted. Every button acts at once; OK writes the check box.
#include <windows.h>

#include <memory>
#include <string>

#include "app/help_topic.h"
#include "app/history.h"
#include "app/settings_pages.h"
#include "app_context.h"
#include "common/text_limits.h"
#include "quelbrix_u_resources.h"
#include "send_to.h"
#include "settings_sheet.h"
#include "shell_path.h"
#include "startup.h"

namespace quelbrix {

namespace {

class OtherSheetPage : public PropertyPage {
public:
    OtherSheetPage(AppContext& app, HistoryBoxes& boxes)
        : PropertyPage(app, IDD_OTHER_PAGE, true), boxes_(boxes) {}

private:
    INT_PTR OnInit() override {
        SetTicked(IDC_OTHER_UTF8_FILES, LoadOtherPage(*App().profile).convertUtf8);
        return FALSE;
    }
    void OnCommand(int id, int code) override;
    void OnHelp() override { App().help.ShowTopic(Window(), kHelpTopicSendTo); }
    void OnApply() override {
        SaveOtherPage(*App().profile, OtherPage{IsTicked(IDC_OTHER_UTF8_FILES)});
    }

    void Register() const;
    void Unregister() const;
    void ClearHistoryAfterAsking(const char* section, UINT question, UINT done) const;

    HistoryBoxes& boxes_;
};

void OtherSheetPage::Register() const {
    const std::string program = OwnProgramPath();
    const bool made = !program.empty() &&
                      SUCCEEDED(CreateSendToShortcut(Window(), program.c_str(), kSendToFolder));
    App().ShowMessage(made ? IDS_SENDTO_REGISTERED : IDS_SENDTO_FAILED,
                      made ? MB_ICONINFORMATION | MB_OK : MB_ICONHAND | MB_OK, Window());
}

// Removes the shortcut of the name registering gives, so a renamed program finds its own, or
// else the QuelbrixU.lnk it made before the rename.
void OtherSheetPage::Unregister() const {
    char folder[kPathBytes];
    const std::string program = OwnProgramPath();
    const bool removed = !program.empty() &&
                         GetSpecialFolderPath(Window(), kSendToFolder, folder, sizeof folder) &&
                         RemoveSendToShortcut(Window(), folder, program);
    App().ShowMessage(removed ? IDS_SENDTO_REMOVED : IDS_SENDTO_MISSING,
                      removed ? MB_ICONINFORMATION | MB_OK : MB_ICONHAND | MB_OK, Window());
}

// Asks (owned by the main window), empties the section's slots and the main window's box.
void OtherSheetPage::ClearHistoryAfterAsking(const char* section, UINT question, UINT done) const {
    if (App().ShowMessage(question, MB_ICONQUESTION | MB_YESNO) != IDYES) return;
    ClearHistory(*App().profile, section);
    App().ShowMessage(done, MB_ICONINFORMATION | MB_OK);
    boxes_.EmptyHistoryBox(section);
}

void OtherSheetPage::OnCommand(int id, int) {
    switch (id) {
    case IDC_OTHER_REGISTER:
        Register();
        break;
    case IDC_OTHER_UNREGISTER:
        Unregister();
        break;
    case IDC_OTHER_CLEAR_WORDS:
        ClearHistoryAfterAsking(kWordHistory, IDS_CONFIRM_CLEAR_WORDS, IDS_WORDS_CLEARED);
        break;
    case IDC_OTHER_CLEAR_PATHS:
        ClearHistoryAfterAsking(kPathHistory, IDS_CONFIRM_CLEAR_PATHS, IDS_PATHS_CLEARED);
        break;
    default:
        break;
    }
}

}  // namespace

std::unique_ptr<PropertyPage> NewOtherPage(AppContext& app, HistoryBoxes& boxes) {
    return std::make_unique<OtherSheetPage>(app, boxes);
}

}  // namespace quelbrix
