#include "dialog.h"

#include <new>
#include <vector>

#include "app/sjis.h"
#include "app_context.h"
#include "quelbrix_u_resources.h"

namespace quelbrix {

INT_PTR Dialog::RunModal(int templateId, HWND owner) {
    const INT_PTR result = DialogBoxParamA(app_.instance, MAKEINTRESOURCEA(templateId), owner,
                                           Procedure, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return result;
}

bool Dialog::IsTicked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }

void Dialog::SetTicked(int id, bool on) const {
    CheckDlgButton(window_, id, on ? BST_CHECKED : BST_UNCHECKED);
}

void Dialog::Enable(int id, bool on) const { EnableWindow(Control(id), on ? TRUE : FALSE); }

std::string Dialog::Text(int id) const {
    HWND control = Control(id);
    const int length = GetWindowTextLengthA(control);
    if (length <= 0) return "";
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

void Dialog::SetText(int id, const std::string& text) const {
    SetDlgItemTextA(window_, id, text.c_str());
}

std::string Dialog::TextWithin(int id, std::size_t bytes) const {
    return CutAtCharBoundary(Text(id), bytes);
}

void Dialog::LimitText(int id, std::size_t bytes) const {
    SendDlgItemMessageA(window_, id, EM_LIMITTEXT, bytes, 0);
}

void Dialog::KeepTextWithin(int id, std::size_t bytes) const {
    const std::string text = Text(id);
    if (text.size() <= bytes) return;
    SetText(id, CutAtCharBoundary(text, bytes));
    // The caret to the end, each number clamped to the text's end: an edit box takes it
    // whole, a combo box's field as two 16-bit halves.
    char kind[16] = "";
    GetClassNameA(Control(id), kind, sizeof kind);
    if (lstrcmpiA(kind, "ComboBox") == 0) {
        SendDlgItemMessageA(window_, id, CB_SETEDITSEL, 0, MAKELPARAM(0x7FFF, 0x7FFF));
    } else {
        constexpr WPARAM kEnd = 0x7FFFFFFF;
        SendDlgItemMessageA(window_, id, EM_SETSEL, kEnd, kEnd);
    }
    MessageBeep(MB_OK);
}

void Dialog::OnOutOfMemory() { app_.ShowMessage(IDS_NO_MEMORY, MB_ICONHAND | MB_OK); }

INT_PTR Dialog::Handle(UINT message, WPARAM first, LPARAM second) {
    INT_PTR answer = 0;
    // No exception may leave a window procedure. Running out of memory is the one our code
    // raises (texts, rows, the report), and the user is told so.
    try {
        switch (message) {
        case WM_INITDIALOG:
            answer = OnInit();
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(first), HIWORD(first));
            break;
        case WM_NOTIFY:
            if (second != 0) answer = OnNotify(*reinterpret_cast<NMHDR*>(second));
            break;
        default:
            if (!OnMessage(message, first, second, answer)) answer = 0;
            break;
        }
    } catch (const std::bad_alloc&) {
        answer = 0;
        try {
            OnOutOfMemory();
        } catch (...) {}
    } catch (...) {
        answer = 0;
    }
    if (message == WM_NCDESTROY) {  // the last message: later ones find no object
        SetWindowLongPtrA(window_, DWLP_USER, 0);
        window_ = nullptr;
    }
    return answer;
}

void Dialog::Attach(HWND window, Dialog* dialog) {
    if (dialog == nullptr) return;
    dialog->window_ = window;
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
}

Dialog* Dialog::Attached(HWND window) {
    return reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (message == WM_INITDIALOG) Attach(window, reinterpret_cast<Dialog*>(second));
    Dialog* dialog = Attached(window);
    // Messages before WM_INITDIALOG (the font, the frame) find no object and get the default.
    return dialog != nullptr ? dialog->Handle(message, first, second) : FALSE;
}

HPROPSHEETPAGE PropertyPage::Create() {
    PROPSHEETPAGEA spec = {};
    spec.dwSize = sizeof spec;
    spec.dwFlags = hasHelp_ ? PSP_HASHELP : PSP_DEFAULT;
    spec.hInstance = App().instance;
    spec.pszTemplate = MAKEINTRESOURCEA(templateId_);
    spec.pfnDlgProc = PageProcedure;
    spec.lParam = reinterpret_cast<LPARAM>(this);
    return CreatePropertySheetPageA(&spec);
}

INT_PTR PropertyPage::OnNotify(NMHDR& notice) {
    if (notice.code == static_cast<UINT>(PSN_HELP)) {
        OnHelp();
    } else if (notice.code == static_cast<UINT>(PSN_APPLY)) {
        OnApply();
    }
    return 0;  // no page refuses to close
}

INT_PTR CALLBACK PropertyPage::PageProcedure(HWND window, UINT message, WPARAM first,
                                             LPARAM second) {
    // A page's WM_INITDIALOG carries its PROPSHEETPAGE, whose lParam is the object.
    if (message == WM_INITDIALOG && second != 0) {
        const auto* spec = reinterpret_cast<const PROPSHEETPAGEA*>(second);
        Attach(window, reinterpret_cast<PropertyPage*>(spec->lParam));
    }
    auto* page = static_cast<PropertyPage*>(Attached(window));
    return page != nullptr ? page->Handle(message, first, second) : FALSE;
}

}  // namespace quelbrix
