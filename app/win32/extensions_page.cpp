// The settings sheet's Extensions page (dialog 110): all files, or the extension groups that
// are ticked, each an editable comma-separated list; below them the folder names the search
// never enters, usable whichever choice is made.
#include <windows.h>

#include <memory>

#include "app/help_topic.h"
#include "app/settings_pages.h"
#include "app_context.h"
#include "common/text_limits.h"
#include "common/win32_handles.h"
#include "quelbrix_u_resources.h"
#include "settings_sheet.h"

namespace quelbrix {

namespace {

// The line under the two choices, in page pixels.
constexpr int kLineY = 52;
constexpr int kLineEndX = 500;

int CheckId(std::size_t row) { return IDC_EXTENSIONS_CHECK + 1 + static_cast<int>(row); }
int TextId(std::size_t row) { return IDC_EXTENSIONS_TEXT + 1 + static_cast<int>(row); }
bool IsRowCheck(int id) { return id >= CheckId(0) && id <= CheckId(kExtensionGroups - 1); }
bool IsRowText(int id) { return id >= TextId(0) && id <= TextId(kExtensionGroups - 1); }

// A solid line one pixel wide from (x1, y1) to (x2, y2); the device keeps its previous pen.
void DrawLine(int x1, int y1, int x2, int y2, HDC device, COLORREF colour) {
    PenHandle pen(CreatePen(PS_SOLID, 1, colour));
    if (!pen.Valid()) return;
    SelectedObject selected(device, pen.Get());
    MoveToEx(device, x1, y1, nullptr);
    LineTo(device, x2, y2);
}

class ExtensionsSheetPage : public PropertyPage {
public:
    explicit ExtensionsSheetPage(AppContext& app) : PropertyPage(app, IDD_EXTENSIONS_PAGE, true) {}

private:
    INT_PTR OnInit() override {
        Show(LoadExtensionsPage(*App().profile));
        return FALSE;
    }
    void OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& answer) override;
    void OnHelp() override { App().help.ShowTopic(Window(), kHelpTopicExtensions); }
    void OnApply() override { SaveExtensionsPage(*App().profile, Read()); }

    void Show(const ExtensionsPage& values) const;
    ExtensionsPage Read() const;
    void DisableAllRows() const;
    void EnableRowsForCustom() const;
    void Paint() const;
};

void ExtensionsSheetPage::DisableAllRows() const {
    for (std::size_t row = 0; row < kExtensionGroups; ++row) {
        Enable(CheckId(row), false);
        Enable(TextId(row), false);
    }
}

// Custom groups: every tick box usable, each list only while its group is ticked.
void ExtensionsSheetPage::EnableRowsForCustom() const {
    for (std::size_t row = 0; row < kExtensionGroups; ++row) {
        Enable(CheckId(row), true);
        Enable(TextId(row), IsTicked(CheckId(row)));
    }
}

void ExtensionsSheetPage::Show(const ExtensionsPage& values) const {
    for (std::size_t row = 0; row < values.rows.size(); ++row) {
        LimitText(TextId(row), kEditTextBytes);
        SetText(TextId(row), values.rows[row].extensions);
        SetTicked(CheckId(row), values.rows[row].enabled);
        if (!values.rows[row].enabled) Enable(TextId(row), false);
    }
    if (values.allFiles) DisableAllRows();
    SetTicked(values.allFiles ? IDC_EXTENSIONS_ALL_FILES : IDC_EXTENSIONS_CUSTOM, true);
    LimitText(IDC_EXTENSIONS_EXCLUDE, kEditTextBytes);
    SetText(IDC_EXTENSIONS_EXCLUDE, values.excludeFolders);
}

ExtensionsPage ExtensionsSheetPage::Read() const {
    ExtensionsPage values;
    values.allFiles = IsTicked(IDC_EXTENSIONS_ALL_FILES);
    for (std::size_t row = 0; row < values.rows.size(); ++row) {
        values.rows[row].enabled = IsTicked(CheckId(row));
        values.rows[row].extensions = TextWithin(TextId(row), kEditTextBytes);
    }
    values.excludeFolders = TextWithin(IDC_EXTENSIONS_EXCLUDE, kEditTextBytes);
    return values;
}

void ExtensionsSheetPage::OnCommand(int id, int code) {
    if (id == IDC_EXTENSIONS_ALL_FILES) {
        if (IsTicked(IDC_EXTENSIONS_ALL_FILES)) DisableAllRows();
    } else if (id == IDC_EXTENSIONS_CUSTOM) {
        if (IsTicked(IDC_EXTENSIONS_CUSTOM)) EnableRowsForCustom();
    } else if (IsRowCheck(id) && code == BN_CLICKED) {
        Enable(id - IDC_EXTENSIONS_CHECK + IDC_EXTENSIONS_TEXT, IsTicked(id));
    } else if ((IsRowText(id) || id == IDC_EXTENSIONS_EXCLUDE) && code == EN_CHANGE) {
        KeepTextWithin(id, kEditTextBytes);
    }
}

bool ExtensionsSheetPage::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& answer) {
    if (message != WM_PAINT) return false;
    Paint();
    answer = 0;
    return true;
}

void ExtensionsSheetPage::Paint() const {
    PaintScope paint(Window());
    if (paint.Device() == nullptr) return;
    DrawLine(0, kLineY, kLineEndX, kLineY, paint.Device(), GetSysColor(COLOR_BTNTEXT));
}

}  // namespace

std::unique_ptr<PropertyPage> NewExtensionsPage(AppContext& app) {
    return std::make_unique<ExtensionsSheetPage>(app);
}

}  // namespace quelbrix
