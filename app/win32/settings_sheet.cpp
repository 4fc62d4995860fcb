#include "settings_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <array>

#include "app_context.h"
#include "quelbrix_u_resources.h"

namespace quelbrix {

namespace {

struct PageSpec {
    int templateId;
    DLGPROC procedure;
    bool hasHelp;
};

constexpr std::array<PageSpec, 4> kPages = {{
    {IDD_GENERAL_PAGE, GeneralPageProc, true},
    {IDD_EXTENSIONS_PAGE, ExtensionsPageProc, true},
    {IDD_OTHER_PAGE, OtherPageProc, true},
    {IDD_VERSION_PAGE, VersionPageProc, false},
}};

// Created pages until the sheet takes them over; pages never handed over are destroyed.
class CreatedPages {
public:
    ~CreatedPages() {
        for (HPROPSHEETPAGE page : pages_) {
            if (page != nullptr) DestroyPropertySheetPage(page);
        }
    }
    bool Create() {
        for (std::size_t i = 0; i < kPages.size(); ++i) {
            PROPSHEETPAGEA spec = {};
            spec.dwSize = sizeof spec;
            spec.dwFlags = kPages[i].hasHelp ? PSP_HASHELP : PSP_DEFAULT;
            spec.hInstance = theApp.instance;
            spec.pszTemplate = MAKEINTRESOURCEA(kPages[i].templateId);
            spec.pfnDlgProc = kPages[i].procedure;
            pages_[i] = CreatePropertySheetPageA(&spec);
            if (pages_[i] == nullptr) return false;
        }
        return true;
    }
    // The handles for the sheet, which destroys the pages from then on.
    std::array<HPROPSHEETPAGE, kPages.size()> HandOver() {
        auto handles = pages_;
        pages_.fill(nullptr);
        return handles;
    }

private:
    std::array<HPROPSHEETPAGE, kPages.size()> pages_ = {};
};

}  // namespace

void SettingsSheet() {
    CreatedPages pages;
    if (!pages.Create()) return;

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW | PSH_HASHELP;
    header.hwndParent = theApp.mainWindow;
    header.hInstance = theApp.instance;
    header.pszCaption = "設定";
    header.nPages = static_cast<UINT>(kPages.size());
    header.nStartPage = 0;
    auto handles = pages.HandOver();
    header.phpage = handles.data();
    PropertySheetA(&header);
}

}  // namespace quelbrix
