// Help: the compiled help file beside the program, shown by the HTML Help control, which is
// found through the registry and loaded at run time, so that the program runs, without help,
// on a machine that lacks the control. Without the control every request does nothing, without
// a message.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace quelbrix {

// Commands of the control's help function.
constexpr UINT kHhDisplayTopic = 0;
constexpr UINT kHhDisplayToc = 1;
constexpr UINT kHhCloseAll = 18;
constexpr UINT kHhInitialize = 28;
constexpr UINT kHhUninitialize = 29;

// The control's ANSI help function (HtmlHelpA), bound by its export number.
using HtmlHelpFunction = HWND(WINAPI*)(HWND window, LPCSTR file, UINT command, DWORD_PTR data);

// Passes the four arguments to the control's help function and returns its result; 0 when the
// control is not available. The first call loads the control: from its registered path, or
// else from the system folder, never from the current folder. A failed load is not tried again.
HWND CallHtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data);

// The registered location of the control (the default value of its in-process server key,
// read up to kPathBytes, with environment variables expanded), zero-terminated in `out`. False when the key is
// missing or its value is empty or does not fit.
bool FindHtmlHelpControl(char* out, std::size_t capacity);

// The binding's state for the life of the process. The two platform steps are plain function
// pointers so that tests can watch them; a test may also put its own function in `function`
// to see every request the program hands to the control.
struct HtmlHelpBinding {
    bool (*findControl)(char* out, std::size_t capacity) = FindHtmlHelpControl;
    HMODULE (*loadModule)(const char* path) = nullptr;  // none: LoadLibraryEx on the full path
    HMODULE module = nullptr;
    bool failed = false;
    HtmlHelpFunction function = nullptr;
};
HtmlHelpBinding& TheHtmlHelpBinding();

// HelpFile: the help file's path and the control's cookie.
class HelpFile {
public:
    HelpFile() = default;
    // The control keeps the cookie's address from Init to Shutdown: the object stays put.
    HelpFile(const HelpFile&) = delete;
    HelpFile& operator=(const HelpFile&) = delete;

    // Keeps `folder` + `fileName` as the help path and initialises the control (loading it).
    void Init(const std::string& folder, const std::string& fileName);
    // Hands the control's cookie back; nothing when Init never ran.
    void Shutdown();
    // Opens the help at its default topic.
    void ShowHelp(HWND owner);
    // Opens the help at `topic`, a page inside the help file ("_RESOURCE/送る.html"), with the
    // contents shown. A path and topic longer than the request buffer open nothing.
    void ShowTopic(HWND owner, const char* topic);
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    // HH_INITIALIZE writes a DWORD_PTR at the address it is given (8 bytes on 64-bit Windows);
    // HH_UNINITIALIZE takes that value back whole.
    DWORD_PTR cookie_ = 0;
    bool initialised_ = false;
};

}  // namespace quelbrix
