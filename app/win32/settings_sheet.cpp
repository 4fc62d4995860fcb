#include "settings_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <array>

#include "app_context.h"

namespace quelbrix {

namespace {

constexpr std::size_t kPageCount = 5;
using Pages = std::array<std::unique_ptr<PropertyPage>, kPageCount>;

// Created pages until the sheet takes them over; pages never handed over are destroyed.
class CreatedPages {
public:
    ~CreatedPages() {
        for (HPROPSHEETPAGE page : handles_) {
            if (page != nullptr) DestroyPropertySheetPage(page);
        }
    }
    bool Create(const Pages& pages) {
        for (std::size_t i = 0; i < pages.size(); ++i) {
            handles_[i] = pages[i]->Create();
            if (handles_[i] == nullptr) return false;
        }
        return true;
    }
    // The handles for the sheet, which destroys the pages from then on.
    std::array<HPROPSHEETPAGE, kPageCount> HandOver() {
        auto handles = handles_;
        handles_.fill(nullptr);
        return handles;
    }

private:
    std::array<HPROPSHEETPAGE, kPageCount> handles_ = {};
};

}  // namespace

void SettingsSheet(AppContext& app, HWND owner, HistoryBoxes& boxes) {
    // The page objects outlive the sheet's windows, which reach them until the sheet ends.
    const Pages pages = {NewGeneralPage(app), NewExtensionsPage(app), NewOtherPage(app, boxes),
                         NewVersionPage(app), NewPreviewPage(app)};
    CreatedPages created;
    if (!created.Create(pages)) return;

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW | PSH_HASHELP;
    header.hwndParent = owner;
    header.hInstance = app.instance;
    header.pszCaption = "設定";
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = 0;
    auto handles = created.HandOver();
    header.phpage = handles.data();
    PropertySheetA(&header);
}

}  // namespace quelbrix
