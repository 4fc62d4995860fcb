// The settings sheet's Extensions page (dialog 110): all files, or the extension groups that
// are ticked, each an editable comma-separated list.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "app/help_topic.h"
#include "common/win32_handles.h"
#include "page_controls.h"
#include "settings_sheet.h"

namespace quelbrix {

namespace {

// The line under the two choices, in page pixels.
constexpr int kLineY = 52;
constexpr int kLineEndX = 500;

// A solid line one pixel wide from (x1, y1) to (x2, y2); the device keeps its previous pen.
void DrawLine(int x1, int y1, int x2, int y2, HDC device, COLORREF colour) {
    PenHandle pen(CreatePen(PS_SOLID, 1, colour));
    if (!pen.Valid()) return;
    SelectedObject selected(device, pen.Get());
    MoveToEx(device, x1, y1, nullptr);
    LineTo(device, x2, y2);
}

int CheckId(std::size_t row) { return IDC_EXTENSIONS_CHECK + 1 + static_cast<int>(row); }
int TextId(std::size_t row) { return IDC_EXTENSIONS_TEXT + 1 + static_cast<int>(row); }
bool IsRowCheck(int id) { return id >= CheckId(0) && id <= CheckId(kExtensionGroups - 1); }
bool IsRowText(int id) { return id >= TextId(0) && id <= TextId(kExtensionGroups - 1); }

void DisableAllRows(HWND page) {
    for (std::size_t row = 0; row < kExtensionGroups; ++row) {
        EnableControl(page, CheckId(row), false);
        EnableControl(page, TextId(row), false);
    }
}

// Custom groups: every tick box usable, each list only while its group is ticked.
void EnableRowsForCustom(HWND page) {
    for (std::size_t row = 0; row < kExtensionGroups; ++row) {
        EnableControl(page, CheckId(row), true);
        EnableControl(page, TextId(row), IsTicked(page, CheckId(row)));
    }
}

void Show(HWND page, const ExtensionsPage& values) {
    for (std::size_t row = 0; row < values.rows.size(); ++row) {
        LimitToPageText(page, TextId(row));
        SetDlgItemTextA(page, TextId(row), values.rows[row].extensions.c_str());
        SetTicked(page, CheckId(row), values.rows[row].enabled);
        if (!values.rows[row].enabled) EnableControl(page, TextId(row), false);
    }
    if (values.allFiles) DisableAllRows(page);
    SetTicked(page, values.allFiles ? IDC_EXTENSIONS_ALL_FILES : IDC_EXTENSIONS_CUSTOM, true);
}

ExtensionsPage Read(HWND page) {
    ExtensionsPage values;
    values.allFiles = IsTicked(page, IDC_EXTENSIONS_ALL_FILES);
    for (std::size_t row = 0; row < values.rows.size(); ++row) {
        values.rows[row].enabled = IsTicked(page, CheckId(row));
        values.rows[row].extensions = PageText(page, TextId(row));
    }
    return values;
}

void OnCommand(HWND page, int id, int code) {
    if (id == IDC_EXTENSIONS_ALL_FILES) {
        if (IsTicked(page, IDC_EXTENSIONS_ALL_FILES)) DisableAllRows(page);
    } else if (id == IDC_EXTENSIONS_CUSTOM) {
        if (IsTicked(page, IDC_EXTENSIONS_CUSTOM)) EnableRowsForCustom(page);
    } else if (IsRowCheck(id) && code == BN_CLICKED) {
        EnableControl(page, id - IDC_EXTENSIONS_CHECK + IDC_EXTENSIONS_TEXT, IsTicked(page, id));
    } else if (IsRowText(id) && code == EN_CHANGE) {
        KeepWithinPageText(page, id);
    }
}

void Paint(HWND page) {
    PaintScope paint(page);
    if (paint.Device() == nullptr) return;
    DrawLine(0, kLineY, kLineEndX, kLineY, paint.Device(), GetSysColor(COLOR_BTNTEXT));
}

}  // namespace

INT_PTR CALLBACK ExtensionsPageProc(HWND page, UINT message, WPARAM first, LPARAM second) {
    return GuardedPageMessage([&] {
        if (message == WM_INITDIALOG) {
            Show(page, LoadExtensionsPage(*theApp.profile));
        } else if (message == WM_COMMAND) {
            OnCommand(page, LOWORD(first), HIWORD(first));
        } else if (message == WM_PAINT) {
            Paint(page);
        } else if (SheetNotice(message, second) == PSN_HELP) {
            theApp.help.ShowTopic(page, kHelpTopicExtensions);
        } else if (SheetNotice(message, second) == PSN_APPLY) {
            SaveExtensionsPage(*theApp.profile, Read(page));
        }
    });
}

}  // namespace quelbrix
