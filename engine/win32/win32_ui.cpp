#include "engine/win32_ui.h"

#include <commctrl.h>

#include <climits>

#include "engine/bounded_text.h"

namespace quelbrix {

namespace {

HWND AsWindow(WindowHandle handle) { return static_cast<HWND>(handle); }

}  // namespace

BoxAnswer Win32Ui::ShowBox(WindowHandle owner, const char* text, const char* caption,
                           BoxKind kind) {
    UINT style = MB_ICONINFORMATION | MB_OK;
    if (kind == BoxKind::kErrorQuestion) style = MB_ICONERROR | MB_YESNO;
    if (kind == BoxKind::kErrorNotice) style = MB_ICONERROR | MB_OK;
    switch (MessageBoxA(AsWindow(owner), text, caption, style)) {
    case IDYES:
        return BoxAnswer::kYes;
    case IDNO:
        return BoxAnswer::kNo;
    case IDOK:
        return BoxAnswer::kOk;
    default:
        // The box could not be shown: a question then counts as No, the safe answer.
        return kind == BoxKind::kErrorQuestion ? BoxAnswer::kNo : BoxAnswer::kOk;
    }
}

bool Win32Ui::LoadText(int id, char* buffer, std::size_t size) {
    if (size == 0) return false;
    int length = LoadStringA(static_cast<HINSTANCE>(instance_), static_cast<UINT>(id), buffer,
                             size > INT_MAX ? INT_MAX : static_cast<int>(size));
    if (length <= 0) {
        buffer[0] = '\0';
        return false;
    }
    DropSplitCharacter(buffer);
    return true;
}

void Win32Ui::PumpOneMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) return;
    // A quit message is taken off the queue and goes no further.
    if (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Win32Ui::Pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

void Win32Ui::DebugOutput(const char* text) { OutputDebugStringA(text); }

void Win32Progress::SetRange(WindowHandle bar, std::uint32_t upper) {
    // The 32-bit range, so that more than 65,535 candidates still fill the bar exactly once.
    LPARAM high = upper > INT_MAX ? INT_MAX : static_cast<LPARAM>(upper);
    SendMessageA(AsWindow(bar), PBM_SETRANGE32, 0, high);
}

void Win32Progress::SetStep(WindowHandle bar, int step) {
    SendMessageA(AsWindow(bar), PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void Win32Progress::StepIt(WindowHandle bar) { SendMessageA(AsWindow(bar), PBM_STEPIT, 0, 0); }

void Win32Progress::SetPosition(WindowHandle bar, int position) {
    SendMessageA(AsWindow(bar), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

}  // namespace quelbrix
