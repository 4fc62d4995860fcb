// The settings sheet's version page (dialog 108): the versions of the program, the engine and
// the regular-expression library, and the project's web and mail addresses.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "app/version_text.h"
#include "app_context.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "settings_sheet.h"

namespace quelbrix {

namespace {

class VersionSheetPage : public PropertyPage {
public:
    explicit VersionSheetPage(AppContext& app) : PropertyPage(app, IDD_VERSION_PAGE, false) {}

private:
    INT_PTR OnInit() override {
        SetText(IDC_VERSION_TEXT, FormatVersionText(QuelbrixGetVer(), QuelbrixGetBeta()));
        SetText(IDC_VERSION_WEB, kProjectWebAddress);
        SetText(IDC_VERSION_MAIL, kProjectMailAddress);
        return FALSE;
    }
    void OnCommand(int id, int) override {
        if (id == IDC_VERSION_WEB) OpenAddress(kProjectWebAddress);
        if (id == IDC_VERSION_MAIL) OpenAddress(ProjectMailLink());
    }
    // What the shell makes of the address is its own affair; nothing is reported.
    void OpenAddress(const std::string& address) const {
        ShellExecuteA(Window(), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
};

}  // namespace

std::unique_ptr<PropertyPage> NewVersionPage(AppContext& app) {
    return std::make_unique<VersionSheetPage>(app);
}

}  // namespace quelbrix
