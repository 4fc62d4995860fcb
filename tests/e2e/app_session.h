// Drives a real QuelbrixU.exe from the outside, as a person would: a private copy of the
// program in a temporary folder, its main window and message boxes found by class and
// process, fields typed with WM_SETTEXT, buttons pressed with BM_CLICK, list rows read through
// memory in the program's process. Every wait is bounded; a session that ends with the
// program still running kills it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "common/product.h"

namespace e2e {

constexpr DWORD kWaitMs = 20000;

// The main window's title begins with the program's name and version.
inline std::string MainTitlePrefix() { return quelbrix::ProgramNameAndVersion() + " "; }
// Captions of the two kinds of message box.
using quelbrix::kEngineCaption;
constexpr const char* kProgramCaption = quelbrix::kProgramName;

struct MessageBoxSeen {
    HWND window = nullptr;
    std::string text;
};

// A temporary folder removed with everything in it when the object goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }  // ends with a backslash

private:
    std::string path_;
};

// Folder of the running test program (where the build put QuelbrixU.exe and its DLLs).
std::string BuildFolder();
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExistsAt(const std::string& path);
void MakeFolder(const std::string& path);

class AppSession {
public:
    // Copies QuelbrixU.exe, QuelbrixD.dll and Grexmo.dll into `programFolder`.
    static void InstallProgram(const std::string& programFolder);

    explicit AppSession(const std::string& programFolder);
    ~AppSession();  // kills the program when it is still running
    AppSession(const AppSession&) = delete;
    AppSession& operator=(const AppSession&) = delete;

    // Starts the program with `arguments` and waits for its main window.
    bool Start(const std::string& arguments = "");
    HWND Main() const { return main_; }
    HWND Item(int id) const { return GetDlgItem(main_, id); }

    void SetText(int id, const std::string& text);
    std::string Text(int id) const;
    std::string WindowText(HWND window) const;
    void Click(int id);  // posted, so a modal loop started by the click does not block us
    bool Checked(int id) const;
    bool Enabled(int id) const;
    std::vector<std::string> ComboItems(int id) const;

    // The message box with `caption` shown by the program, within `waitMs`.
    bool WaitForMessageBox(const char* caption, MessageBoxSeen& box, DWORD waitMs = kWaitMs);
    // Sends WM_DROPFILES for `paths` as the shell would. The drop block lives in the program's
    // memory; Wine takes a plain fixed block for the drop handle, as it does for fixed memory.
    void DropItems(const std::vector<std::string>& paths);
    // Any other dialog of the program (the folder chooser, for one), within `waitMs`.
    HWND WaitForOtherDialog(DWORD waitMs = kWaitMs);
    // True when no box with `caption` is present.
    bool NoMessageBox(const char* caption);
    void Answer(const MessageBoxSeen& box, int buttonId);
    // Waits until the start button is enabled again (no search running).
    bool WaitIdle(DWORD waitMs = kWaitMs);
    // Types the folder and the word, starts the search, closes the engine's summary and waits
    // until the search has ended; false when no summary came.
    bool SearchAndCloseSummary(const std::string& folder, const std::string& word);

    int RowCount() const;
    std::string Cell(int row, int column) const;

    // Presses the exit button and waits for the process to end.
    bool Exit();
    bool WaitForExit(DWORD waitMs = kWaitMs);
    void Kill();

    // Saves the screen area of the main window as a 24-bit .bmp.
    bool SaveScreenshot(const std::string& path) const;

    const std::string& ProgramFolder() const { return folder_; }

    // The program's visible dialogs other than the main window (a file dialog, the box it
    // shows over itself).
    std::vector<HWND> OtherDialogs() const;
    std::string SettingsPath() const { return folder_ + "QuelbrixU.ini"; }

    // ---- The settings sheet and other dialogs of the program ----
    // Starts the copy of the program named `exeName` in the program folder.
    bool StartNamed(const std::string& exeName, const std::string& arguments = "");
    bool Running() const;
    // Presses the settings button and waits for the sheet; nullptr when it does not open.
    HWND OpenSettings();
    HWND FindSettings();
    // Shows page `index` of the sheet (0 General, 1 Extensions, 2 Other, 3 version, 4 Preview) and
    // returns the page's window.
    HWND ShowSettingsPage(int index);
    // Presses OK or Cancel of the sheet and waits until it is gone.
    bool CloseSettings(int buttonId);
    // The same as the main window's helpers, for a control of any dialog of the program.
    void ClickIn(HWND dialog, int id);  // posted, like Click
    // Clicks and returns once the program has handled it (check boxes and radio buttons; not
    // for a button that opens a modal box).
    void ClickAndWaitIn(HWND dialog, int id);
    void SetTextIn(HWND dialog, int id, const std::string& text);
    std::string TextIn(HWND dialog, int id) const;
    bool CheckedIn(HWND dialog, int id) const;
    bool EnabledIn(HWND dialog, int id) const;
    // The texts of the list of a combo box of any dialog of the program.
    std::vector<std::string> ComboItemsIn(HWND dialog, int id) const;
    // Types `text` into an edit box a character at a time, as the keyboard would.
    void TypeIn(HWND dialog, int id, const std::string& text);
    void TypeWideIn(HWND dialog, int id, const std::wstring& text);  // UTF-16 characters
    // Saves the screen area of `window` as a 24-bit .bmp.
    bool SaveWindowScreenshot(HWND window, const std::string& path) const;

private:
    std::string folder_;
    PROCESS_INFORMATION process_ = {};
    HWND main_ = nullptr;
};

// Polls `done` every 50 ms until it is true or `waitMs` have passed.
template <typename Condition>
bool WaitUntil(Condition done, DWORD waitMs = kWaitMs) {
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    while (!done()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(50);
    }
    return true;
}

// Help: the compiled help file beside the program, and the windows the help control opens.
// Copies help.chm from the build folder into `programFolder`, as it ships beside the program.
void InstallHelpFile(const std::string& programFolder);
// A visible top-level window of class `className` in the program's process, within `waitMs`.
HWND WaitForProgramWindow(const AppSession& app, const char* className, DWORD waitMs = kWaitMs);
// Saves the screen area of `window` as a 24-bit .bmp.
bool SaveWindowScreenshot(HWND window, const std::string& path);

// ---- The result list's popup menu, the mouse and the screen ----

// Selects `row` of the result list as a click on it would.
bool SelectRow(const AppSession& app, int row);
// The program's open popup menu (a visible window of class "#32768"), or none.
HWND FindPopupMenu(const AppSession& app);
HWND WaitForPopupMenu(const AppSession& app, DWORD waitMs = kWaitMs);
// Puts the cursor at `cursor` and asks the result list for its context menu the way the
// keyboard's menu key does (no position given). Posted: the menu runs its own loop.
void RequestContextMenu(const AppSession& app, POINT cursor);
// Posts a key press (down and up) to `window`; the menu loop translates it into its character.
void PressKey(HWND window, UINT virtualKey);
// Moves the mouse to `point` on the screen and clicks the left button, twice for a double click.
void ClickAt(POINT point, bool twice = false);
// Right-clicks `point` on the screen.
void RightClickAt(POINT point);
// The centre of row `row` of the result list on the screen.
bool RowCentre(const AppSession& app, int row, POINT& centre);
// Clicks the header of the result list's column `column`, `offset` pixels right of its middle
// (clicks in one place in quick succession would make a double click).
bool ClickColumnHeader(const AppSession& app, int column, int offset = 0);

// Sends `message` to `window` of the program with the address of a copy of `size` bytes of
// `data` in the program's memory as its second parameter; 0 when it could not be sent within
// 5 seconds.
LRESULT SendWithData(const AppSession& app, HWND window, UINT message, WPARAM first,
                     const void* data, std::size_t size);

// Pixels of a screen area, copied from the screen.
struct ScreenImage {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // rows from the top
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
ScreenImage CaptureScreen(const RECT& area);
// Saves a screen area as a 24-bit .bmp.
bool SaveScreenArea(const RECT& area, const std::string& path);

}  // namespace e2e
