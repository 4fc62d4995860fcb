#include "app_session.h"
#include "quelbrix_u_resources.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {

namespace {

constexpr int kStartButton = IDOK;

// Messages to the program's windows wait at most this long, so a hung program cannot hang
// the driver; the answer is then 0.
constexpr UINT kSendTimeoutMs = 5000;

LRESULT SendA(HWND window, UINT message, WPARAM first, LPARAM second) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, first, second, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

LRESULT SendW(HWND window, UINT message, WPARAM first, LPARAM second) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, first, second, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}
constexpr int kExitButton = IDCANCEL;

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

struct WindowSearch {
    DWORD process;
    const char* captionPrefix;
    bool exact;
    HWND except;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (window == search->except || ProcessOf(window) != search->process) return TRUE;
    if (ClassOf(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    const std::size_t prefix = std::strlen(search->captionPrefix);
    bool match = search->exact ? std::strcmp(caption, search->captionPrefix) == 0
                               : std::strncmp(caption, search->captionPrefix, prefix) == 0;
    if (!match) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindProcessDialog(DWORD process, const char* caption, bool exact, HWND except) {
    WindowSearch search = {process, caption, exact, except, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK FindStaticText(HWND child, LPARAM param) {
    auto* text = reinterpret_cast<std::string*>(param);
    if (ClassOf(child) != "Static") return TRUE;
    char buffer[2048] = "";
    SendA(child, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    if (buffer[0] == '\0') return TRUE;
    *text = buffer;
    return FALSE;
}

std::string MessageBoxText(HWND box) {
    char buffer[2048] = "";
    HWND text = GetDlgItem(box, 0xFFFF);
    if (text != nullptr) {
        SendA(text, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        if (buffer[0] != '\0') return buffer;
    }
    std::string found;
    EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CopyOrThrow(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + from);
    }
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

struct DialogList {
    DWORD process;
    HWND except;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param) {
    auto* list = reinterpret_cast<DialogList*>(param);
    if (window != list->except && ProcessOf(window) == list->process &&
        ClassOf(window) == "#32770" && IsWindowVisible(window)) {
        list->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

TempFolder::TempFolder(const std::string& name) {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    path_ = std::string(base) + "qx_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++counter) + "_" + name + "\\";
    RemoveTree(path_);
    MakeFolder(path_);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string BuildFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text(path, length);
    return text.substr(0, text.find_last_of("\\/") + 1);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

bool FileExistsAt(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolder(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

void AppSession::InstallProgram(const std::string& programFolder) {
    const std::string build = BuildFolder();
    for (const char* file : {"QuelbrixU.exe", "QuelbrixD.dll", "Grexmo.dll"}) {
        CopyOrThrow(build + file, programFolder + file);
    }
}

AppSession::AppSession(const std::string& programFolder) : folder_(programFolder) {}

AppSession::~AppSession() {
    Kill();
    if (process_.hProcess != nullptr) CloseHandle(process_.hProcess);
    if (process_.hThread != nullptr) CloseHandle(process_.hThread);
}

bool AppSession::Start(const std::string& arguments) {
    return StartNamed("QuelbrixU.exe", arguments);
}

bool AppSession::StartNamed(const std::string& exeName, const std::string& arguments) {
    const std::string exe = folder_ + exeName;
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_)) {
        return false;
    }
    return WaitUntil([&] {
        main_ = FindProcessDialog(process_.dwProcessId, MainTitlePrefix().c_str(), false, nullptr);
        return main_ != nullptr;
    });
}

void AppSession::SetText(int id, const std::string& text) {
    SendA(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string AppSession::WindowText(HWND window) const {
    char buffer[4096] = "";
    SendA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::string AppSession::Text(int id) const { return WindowText(Item(id)); }

void AppSession::Click(int id) { PostMessageA(Item(id), BM_CLICK, 0, 0); }

bool AppSession::Checked(int id) const { return SendA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool AppSession::Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

std::vector<std::string> AppSession::ComboItems(int id) const { return ComboItemsIn(main_, id); }

std::vector<std::string> AppSession::ComboItemsIn(HWND dialog, int id) const {
    // Wine hands list texts across processes as UTF-16 whatever the A/W form, so ask for the
    // wide text and convert it with the program's code page.
    std::vector<std::string> items;
    HWND combo = GetDlgItem(dialog, id);
    LRESULT count = SendW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t wide[2048] = L"";
        if (SendW(combo, CB_GETLBTEXTLEN, i, 0) >= 2047) {
            items.push_back("<too long>");
            continue;
        }
        SendW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
        char text[4096] = "";
        WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        items.push_back(text);
    }
    return items;
}

bool AppSession::WaitForMessageBox(const char* caption, MessageBoxSeen& box, DWORD waitMs) {
    bool found = WaitUntil(
        [&] {
            box.window = FindProcessDialog(process_.dwProcessId, caption, true, main_);
            return box.window != nullptr;
        },
        waitMs);
    if (!found) return false;
    // The text is set while the box is laid out; give it a moment to be there.
    WaitUntil([&] { return !(box.text = MessageBoxText(box.window)).empty(); }, 2000);
    return true;
}

void AppSession::DropItems(const std::vector<std::string>& paths) {
    DROPFILES header = {};
    header.pFiles = sizeof header;
    header.fWide = FALSE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (const std::string& path : paths) block += path + '\0';
    block += '\0';
    void* remote = VirtualAllocEx(process_.hProcess, nullptr, block.size(),
                                  MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr) return;
    SIZE_T written = 0;
    WriteProcessMemory(process_.hProcess, remote, block.data(), block.size(), &written);
    SendA(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

HWND AppSession::WaitForOtherDialog(DWORD waitMs) {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindProcessDialog(process_.dwProcessId, "", false, main_)); },
              waitMs);
    return dialog;
}

bool AppSession::NoMessageBox(const char* caption) {
    return FindProcessDialog(process_.dwProcessId, caption, true, main_) == nullptr;
}

void AppSession::Answer(const MessageBoxSeen& box, int buttonId) {
    HWND button = GetDlgItem(box.window, buttonId);
    if (button != nullptr) {
        PostMessageA(button, BM_CLICK, 0, 0);
    } else {
        PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    }
    WaitUntil([&] { return !IsWindow(box.window); }, 5000);
}

bool AppSession::WaitIdle(DWORD waitMs) {
    return WaitUntil([&] { return Enabled(kStartButton) && !Enabled(IDC_STOP); }, waitMs);
}

bool AppSession::SearchAndCloseSummary(const std::string& folder, const std::string& word) {
    SetText(IDC_FOLDER, folder);
    SetText(IDC_WORD, word);
    Click(kStartButton);
    MessageBoxSeen summary;
    if (!WaitForMessageBox(kEngineCaption, summary)) return false;
    Answer(summary, IDOK);
    return WaitIdle();
}

int AppSession::RowCount() const {
    return static_cast<int>(SendA(Item(IDC_RESULT_LIST), LVM_GETITEMCOUNT, 0, 0));
}

std::string AppSession::Cell(int row, int column) const {
    constexpr std::size_t kTextBytes = 1024;
    void* remote = VirtualAllocEx(process_.hProcess, nullptr, sizeof(LVITEMA) + kTextBytes,
                                  MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr) return "<no memory>";
    char* remoteText = static_cast<char*>(remote) + sizeof(LVITEMA);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = remoteText;
    item.cchTextMax = static_cast<int>(kTextBytes);
    char text[kTextBytes] = "";
    SIZE_T moved = 0;
    if (WriteProcessMemory(process_.hProcess, remote, &item, sizeof item, &moved)) {
        SendA(Item(IDC_RESULT_LIST), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process_.hProcess, remoteText, text, sizeof text - 1, &moved);
    }
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    return text;
}

bool AppSession::Exit() {
    Click(kExitButton);
    return WaitForExit();
}

bool AppSession::WaitForExit(DWORD waitMs) {
    if (process_.hProcess == nullptr) return true;
    return WaitForSingleObject(process_.hProcess, waitMs) == WAIT_OBJECT_0;
}

void AppSession::Kill() {
    if (process_.hProcess == nullptr) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
}

bool AppSession::SaveWindowScreenshot(HWND window, const std::string& path) const {
    return e2e::SaveWindowScreenshot(window, path);
}

bool AppSession::SaveScreenshot(const std::string& path) const {
    return SaveWindowScreenshot(main_, path);
}

// Help ----------------------------------------------------------------------------------------

void InstallHelpFile(const std::string& programFolder) {
    CopyOrThrow(BuildFolder() + "help.chm", programFolder + "help.chm");
}

namespace {

struct ClassSearch {
    DWORD process;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindWindowOfClass(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ClassSearch*>(param);
    if (ProcessOf(window) != search->process || !IsWindowVisible(window)) return TRUE;
    if (ClassOf(window) != search->className) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND WaitForProgramWindow(const AppSession& app, const char* className, DWORD waitMs) {
    ClassSearch search = {ProcessOf(app.Main()), className, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(FindWindowOfClass, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        waitMs);
    return search.found;
}

bool SaveWindowScreenshot(HWND window, const std::string& path) {
    // Copied from the screen: PrintWindow cannot draw another process's window into our DC
    // under Wine (it comes back black).
    RECT frame;
    return GetWindowRect(window, &frame) && SaveScreenArea(frame, path);
}

std::vector<HWND> AppSession::OtherDialogs() const {
    DialogList list = {process_.dwProcessId, main_, {}};
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&list));
    return list.found;
}

// ---- The settings sheet and other dialogs of the program ----

namespace {

// The sheet's caption, Shift_JIS.
constexpr char kSettingsCaption[] = "設定";
constexpr int kSettingsButton = IDC_SETTINGS;

}  // namespace

bool AppSession::Running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND AppSession::FindSettings() {
    return FindProcessDialog(process_.dwProcessId, kSettingsCaption, true, main_);
}

HWND AppSession::OpenSettings() {
    Click(kSettingsButton);
    HWND sheet = nullptr;
    WaitUntil([&] { return (sheet = FindSettings()) != nullptr; });
    return sheet;
}

HWND AppSession::ShowSettingsPage(int index) {
    HWND sheet = FindSettings();
    if (sheet == nullptr) return nullptr;
    SendA(sheet, PSM_SETCURSEL, index, 0);
    return reinterpret_cast<HWND>(SendA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool AppSession::CloseSettings(int buttonId) {
    HWND sheet = FindSettings();
    if (sheet == nullptr) return false;
    PostMessageA(GetDlgItem(sheet, buttonId), BM_CLICK, 0, 0);
    return WaitUntil([&] { return !IsWindow(sheet); });
}

void AppSession::ClickIn(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void AppSession::ClickAndWaitIn(HWND dialog, int id) {
    SendA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void AppSession::SetTextIn(HWND dialog, int id, const std::string& text) {
    SendA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string AppSession::TextIn(HWND dialog, int id) const {
    return WindowText(GetDlgItem(dialog, id));
}

bool AppSession::CheckedIn(HWND dialog, int id) const {
    return SendA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool AppSession::EnabledIn(HWND dialog, int id) const {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void AppSession::TypeIn(HWND dialog, int id, const std::string& text) {
    HWND edit = GetDlgItem(dialog, id);
    for (char c : text) SendA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void AppSession::TypeWideIn(HWND dialog, int id, const std::wstring& text) {
    HWND edit = GetDlgItem(dialog, id);
    for (wchar_t c : text) SendW(edit, WM_CHAR, c, 1);
}

// ---- The result list's popup menu, the mouse and the screen ----

namespace {

// Memory in the program's process for a structure a message there fills in or reads.
class RemoteBlock {
public:
    RemoteBlock(const AppSession& app, std::size_t size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               ProcessOf(app.Main()))) {
        if (process_ != nullptr) {
            address_ =
                VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteBlock() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    void* Address() const { return address_; }
    bool Write(const void* data, std::size_t size) {
        SIZE_T moved = 0;
        return address_ != nullptr && WriteProcessMemory(process_, address_, data, size, &moved);
    }
    bool Read(void* data, std::size_t size) const {
        SIZE_T moved = 0;
        return address_ != nullptr && ReadProcessMemory(process_, address_, data, size, &moved);
    }

private:
    HANDLE process_;
    void* address_ = nullptr;
};

struct PopupSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindPopup(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<PopupSearch*>(param);
    if (ProcessOf(window) != search->process || ClassOf(window) != "#32768") return TRUE;
    if (!IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// One mouse event at `point`: the position travels with the event, so the button acts where
// the pointer was put even when the pointer's own move has not been seen yet.
void SendMouse(POINT point, DWORD flags) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((point.x * 65535LL + width / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((point.y * 65535LL + height / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

LRESULT SendWithData(const AppSession& app, HWND window, UINT message, WPARAM first,
                     const void* data, std::size_t size) {
    RemoteBlock remote(app, size);
    if (!remote.Write(data, size)) return 0;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, first, reinterpret_cast<LPARAM>(remote.Address()),
                             SMTO_ABORTIFHUNG, 5000, &answer)) {
        return 0;
    }
    return static_cast<LRESULT>(answer);
}

bool SelectRow(const AppSession& app, int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    RemoteBlock remote(app, sizeof item);
    if (!remote.Write(&item, sizeof item)) return false;
    return SendA(app.Item(IDC_RESULT_LIST), LVM_SETITEMSTATE, row,
                 reinterpret_cast<LPARAM>(remote.Address())) != 0;
}

HWND FindPopupMenu(const AppSession& app) {
    PopupSearch search = {ProcessOf(app.Main()), nullptr};
    EnumWindows(FindPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForPopupMenu(const AppSession& app, DWORD waitMs) {
    HWND popup = nullptr;
    WaitUntil([&] { return (popup = FindPopupMenu(app)) != nullptr; }, waitMs);
    return popup;
}

void RequestContextMenu(const AppSession& app, POINT cursor) {
    SetCursorPos(cursor.x, cursor.y);
    HWND list = app.Item(IDC_RESULT_LIST);
    PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), static_cast<LPARAM>(-1));
}

void PressKey(HWND window, UINT virtualKey) {
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
}

void ClickAt(POINT point, bool twice) {
    SetCursorPos(point.x, point.y);
    SendMouse(point, 0);
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        SendMouse(point, MOUSEEVENTF_LEFTDOWN);
        SendMouse(point, MOUSEEVENTF_LEFTUP);
    }
}

void RightClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    SendMouse(point, 0);
    SendMouse(point, MOUSEEVENTF_RIGHTDOWN);
    SendMouse(point, MOUSEEVENTF_RIGHTUP);
}

bool RowCentre(const AppSession& app, int row, POINT& centre) {
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    RemoteBlock remote(app, sizeof bounds);
    if (!remote.Write(&bounds, sizeof bounds)) return false;
    if (!SendA(app.Item(IDC_RESULT_LIST), LVM_GETITEMRECT, row,
               reinterpret_cast<LPARAM>(remote.Address()))) {
        return false;
    }
    if (!remote.Read(&bounds, sizeof bounds)) return false;
    centre = POINT{bounds.left + 40, (bounds.top + bounds.bottom) / 2};
    return ClientToScreen(app.Item(IDC_RESULT_LIST), &centre) != FALSE;
}

bool ClickColumnHeader(const AppSession& app, int column, int offset) {
    HWND list = app.Item(IDC_RESULT_LIST);
    HWND header = reinterpret_cast<HWND>(SendA(list, LVM_GETHEADER, 0, 0));
    RECT area;
    if (header == nullptr || !GetWindowRect(header, &area)) return false;
    int left = area.left;
    for (int i = 0; i < column; ++i) {
        left += static_cast<int>(SendA(list, LVM_GETCOLUMNWIDTH, i, 0));
    }
    const int width = static_cast<int>(SendA(list, LVM_GETCOLUMNWIDTH, column, 0));
    ClickAt(POINT{left + width / 2 + offset, (area.top + area.bottom) / 2});
    return width > 0;
}

ScreenImage CaptureScreen(const RECT& area) {
    ScreenImage image;
    image.width = area.right - area.left;
    image.height = area.bottom - area.top;
    if (image.width <= 0 || image.height <= 0) return ScreenImage{};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, image.width, image.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.width, image.height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = -image.height;  // top-down
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::vector<DWORD> bgr(static_cast<std::size_t>(image.width) * image.height);
    GetDIBits(memory, bitmap, 0, image.height, bgr.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    image.pixels.reserve(bgr.size());
    for (DWORD p : bgr) image.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return image;
}

bool SaveScreenArea(const RECT& area, const std::string& path) {
    const ScreenImage image = CaptureScreen(area);
    if (image.width == 0) return false;
    const int stride = ((image.width * 3 + 3) / 4) * 4;
    std::string pixels(static_cast<std::size_t>(stride) * image.height, '\0');
    for (int y = 0; y < image.height; ++y) {
        char* row = &pixels[static_cast<std::size_t>(image.height - 1 - y) * stride];
        for (int x = 0; x < image.width; ++x) {
            COLORREF c = image.At(x, y);
            row[x * 3] = static_cast<char>(GetBValue(c));
            row[x * 3 + 1] = static_cast<char>(GetGValue(c));
            row[x * 3 + 2] = static_cast<char>(GetRValue(c));
        }
    }
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = image.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string file(reinterpret_cast<const char*>(&header), sizeof header);
    file.append(reinterpret_cast<const char*>(&info), sizeof info);
    WriteFileBytes(path, file + pixels);
    return true;
}

}  // namespace e2e
