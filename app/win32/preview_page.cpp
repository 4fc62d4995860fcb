// The settings sheet's Preview page (dialog 140): the editor that opens a line of the preview
// with its argument template, the lines shown around each hit, and whether the preview is
// shown at all.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/editor_command.h"
#include "app/help_topic.h"
#include "app/preview_settings.h"
#include "app_context.h"
#include "common/text_limits.h"
#include "file_dialogs.h"
#include "quelbrix_u_resources.h"
#include "settings_sheet.h"
#include "window_dpi.h"

namespace quelbrix {

namespace {

constexpr char kProgramFilter[] = "プログラム(*.exe)\0*.exe\0";
constexpr char kChooseTitle[] = "エディタのプログラム";

// The argument box's drop-down: item i's text is preset i's template, so that choosing it puts
// the template into the box as any combo box does, by mouse or by key; the list draws each
// item as the editor's name with its template beside it.
constexpr int kItemMargin = 2;  // pixels at 96 DPI before the name
constexpr int kColumnGap = 12;  // pixels at 96 DPI between the widest name and the templates

int WidestPresetName(HDC device) {
    int widest = 0;
    for (std::size_t i = 0; i < kEditorPresetCount; ++i) {
        SIZE size = {};
        const char* name = kEditorPresets[i].name;
        if (GetTextExtentPoint32A(device, name, lstrlenA(name), &size) && size.cx > widest) {
            widest = size.cx;
        }
    }
    return widest;
}

void DrawPresetItem(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HDC device = item.hDC;
    const COLORREF oldBack =
        SetBkColor(device, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF oldText =
        SetTextColor(device, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT area = item.rcItem;
    ExtTextOutA(device, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);  // the background
    if (item.itemID < kEditorPresetCount) {
        const EditorPreset& preset = kEditorPresets[item.itemID];
        const UINT dpi = WindowDpi(item.hwndItem);
        RECT name = area;
        name.left += ScaledToDpi(kItemMargin, dpi);
        const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        DrawTextA(device, preset.name, -1, &name, format);
        RECT arguments = area;
        arguments.left = name.left + WidestPresetName(device) + ScaledToDpi(kColumnGap, dpi);
        DrawTextA(device, preset.arguments, -1, &arguments, format | DT_END_ELLIPSIS);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(device, &area);
    SetTextColor(device, oldText);
    SetBkColor(device, oldBack);
}

class PreviewSheetPage : public PropertyPage {
public:
    explicit PreviewSheetPage(AppContext& app) : PropertyPage(app, IDD_PREVIEW_PAGE, true) {}

private:
    INT_PTR OnInit() override {
        shown_ = LoadPreviewSettings(*App().profile);
        Show(shown_);
        return FALSE;
    }
    void OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM, LPARAM second, INT_PTR& answer) override;
    void OnHelp() override { App().help.ShowTopic(Window(), kHelpTopicPreview); }
    void OnApply() override { SavePreviewSettings(*App().profile, Read()); }

    void Show(const PreviewSettings& values) const;
    PreviewSettings Read() const;
    int TypedContextLines() const {
        return ContextLinesFromText(Text(IDC_PREVIEW_CONTEXT), shown_.contextLines);
    }
    void BrowseForEditor() const;

    PreviewSettings shown_;  // as the page opened: what a stray context text falls back to
};

void PreviewSheetPage::Show(const PreviewSettings& values) const {
    LimitText(IDC_PREVIEW_EDITOR, kEditTextBytes);
    SetText(IDC_PREVIEW_EDITOR, values.editorPath);

    HWND presets = Control(IDC_PREVIEW_ARGUMENTS);
    for (std::size_t i = 0; i < kEditorPresetCount; ++i) {  // unsorted: item i is preset i
        SendMessageA(presets, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(kEditorPresets[i].arguments));
    }
    SendMessageA(presets, CB_LIMITTEXT, kEditTextBytes, 0);
    SetText(IDC_PREVIEW_ARGUMENTS, values.editorArguments);

    LimitText(IDC_PREVIEW_CONTEXT, 1);  // one digit: 0 to 9
    HWND spin = Control(IDC_PREVIEW_CONTEXT_SPIN);
    SendMessageA(spin, UDM_SETRANGE32, 0, kMostContextLines);
    SendMessageA(spin, UDM_SETPOS32, 0, values.contextLines);
    SetText(IDC_PREVIEW_CONTEXT, std::to_string(values.contextLines));

    SetTicked(IDC_PREVIEW_HIDE, values.hidden);
}

PreviewSettings PreviewSheetPage::Read() const {
    PreviewSettings values;
    values.editorPath = TextWithin(IDC_PREVIEW_EDITOR, kEditTextBytes);
    values.editorArguments = TextWithin(IDC_PREVIEW_ARGUMENTS, kEditTextBytes);
    values.contextLines = TypedContextLines();
    values.hidden = IsTicked(IDC_PREVIEW_HIDE);
    return values;
}

// The chooser starts empty; a cancelled choice leaves the box as it was.
void PreviewSheetPage::BrowseForEditor() const {
    char path[kPathBytes];
    if (ChooseProgramFile(Window(), kProgramFilter, kChooseTitle, path, sizeof path)) {
        SetText(IDC_PREVIEW_EDITOR, path);
    }
}

void PreviewSheetPage::OnCommand(int id, int code) {
    switch (id) {
    case IDC_PREVIEW_EDITOR:
        if (code == EN_CHANGE) KeepTextWithin(id, kEditTextBytes);
        break;
    case IDC_PREVIEW_BROWSE:
        BrowseForEditor();
        break;
    case IDC_PREVIEW_ARGUMENTS:
        if (code == CBN_EDITCHANGE) KeepTextWithin(id, kEditTextBytes);
        break;
    case IDC_PREVIEW_CONTEXT:
        // Leaving the box shows the count that OK would store.
        if (code == EN_KILLFOCUS) {
            const std::string lines = std::to_string(TypedContextLines());
            if (Text(id) != lines) SetText(id, lines);
        }
        break;
    default:
        break;
    }
}

bool PreviewSheetPage::OnMessage(UINT message, WPARAM, LPARAM second, INT_PTR& answer) {
    if (message != WM_DRAWITEM || second == 0) return false;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(second);
    if (item.CtlType != ODT_COMBOBOX || item.CtlID != IDC_PREVIEW_ARGUMENTS) return false;
    DrawPresetItem(item);
    answer = TRUE;
    return true;
}

}  // namespace

std::unique_ptr<PropertyPage> NewPreviewPage(AppContext& app) {
    return std::make_unique<PreviewSheetPage>(app);
}

}  // namespace quelbrix
