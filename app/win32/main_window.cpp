#include "main_window.h"

#include <commctrl.h>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/folder_text.h"
#include "app/history.h"
#include "app/main_options.h"
#include "app/search_settings.h"
#include "app/sjis.h"
#include "common/product.h"
#include "app_context.h"
#include "pattern_check.h"
#include "result_popup_menu.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "result_list.h"
#include "result_report_file.h"
#include "settings_sheet.h"
#include "shell_path.h"

namespace quelbrix {

namespace {

// The window title: the program's name and version, a blank and this notice.
constexpr char kTitleNotice[] = "- Shift_JIS・JIS・EUC・UTF-16 のテキストを検索します";

// What the window knows about the search running inside StartSearch, if any.
struct SearchState {
    bool searching = false;
    bool stopRequested = false;   // QuelbrixFindStop was called for the running search
    bool closeRequested = false;  // the window was closed while the search ran
};
SearchState searchState;

bool IsChecked(HWND window, int id) { return IsDlgButtonChecked(window, id) == BST_CHECKED; }

void Tick(HWND window, int id) { CheckDlgButton(window, id, BST_CHECKED); }

void Enable(HWND window, int id, bool on) {
    EnableWindow(GetDlgItem(window, id), on ? TRUE : FALSE);
}

// Idle: start, save, settings, help and exit on, stop off; searching: the reverse.
void ShowSearching(HWND window, bool searching) {
    Enable(window, IDOK, !searching);
    Enable(window, IDC_STOP, searching);
    Enable(window, IDC_SAVE, !searching);
    Enable(window, IDC_SETTINGS, !searching);
    Enable(window, IDC_HELP_BUTTON, !searching);
    Enable(window, IDCANCEL, !searching);
}

void SetTitle(HWND window) {
    SetWindowTextA(window, (ProgramNameAndVersion() + " " + kTitleNotice).c_str());
}

void ApplyCommandLine(HWND window) {
    std::string text = theApp.commandLine;
    const CommandLineRequest request = ScanCommandLine(text, theApp.commandLineCut);
    if (!request.folder.empty()) {
        char resolved[kPathBytes];
        std::string path = ResolveShellPath(request.folder.c_str(), resolved, sizeof resolved)
                               ? std::string(resolved)
                               : request.folder;
        DWORD attributes = GetFileAttributesA(path.c_str());
        bool namesFolder =
            attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        SetDlgItemTextA(window, IDC_FOLDER,
                        FolderFieldForArgument(request.folder, path, namesFolder).c_str());
    }
    if (request.hasWord) SetDlgItemTextA(window, IDC_WORD, request.word.c_str());
    if (request.searchSubfolders) Tick(window, IDC_SUBFOLDERS);
    if (request.useRegex) Tick(window, IDC_REGEX);
    if (request.startSearch) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

// The history boxes as the settings sheet's Other page empties them.
struct MainHistoryBoxes : HistoryBoxes {
    explicit MainHistoryBoxes(HWND window) : window(window) {}
    void EmptyHistoryBox(const char* section) override {
        HWND combo =
            GetDlgItem(window, std::string(section) == kWordHistory ? IDC_WORD : IDC_FOLDER);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        SetWindowTextA(combo, "");
    }
    HWND window;
};

// Stops the running search once; a second request (stop button, then the close box) would
// only show the engine's stop message again.
void RequestStop(HWND window) {
    if (searchState.stopRequested) return;
    searchState.stopRequested = true;
    StopSearch(window);
}

}  // namespace

std::string ControlText(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    int length = GetWindowTextLengthA(control);
    if (length <= 0) return "";
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

void LoadHistory(HWND window, int comboId, const char* section) {
    HWND combo = GetDlgItem(window, comboId);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SetWindowTextA(combo, "");
    for (const std::string& entry : ReadHistory(*theApp.profile, section)) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void InitMainWindow(HWND window) {
    SetTitle(window);
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    QuelbrixInitListView(GetDlgItem(window, IDC_RESULT_LIST), QUELBRIX_WIDTH_FILE,
                         QUELBRIX_WIDTH_COUNT, QUELBRIX_WIDTH_SIZE, QUELBRIX_WIDTH_TIME);
    LoadHistory(window, IDC_FOLDER, kPathHistory);
    LoadHistory(window, IDC_WORD, kWordHistory);

    const MainOptions options = LoadMainOptions(*theApp.profile);
    if (options.searchSubfolders) Tick(window, IDC_SUBFOLDERS);
    if (options.useRegex) Tick(window, IDC_REGEX);

    InstallResultListProc(GetDlgItem(window, IDC_RESULT_LIST));
    ApplyCommandLine(window);
}

void StartSearch(HWND window) {
    if (searchState.searching) return;  // the engine runs one search at a time
    AppContext& app = theApp;
    ProfileFile& profile = *app.profile;

    std::string folder;
    switch (PrepareSearchFolder(ControlText(window, IDC_FOLDER), folder)) {
    case FolderCheck::kEmpty:
        app.ShowMessage(IDS_NO_FOLDER, MB_ICONHAND | MB_OK);
        return;
    case FolderCheck::kTooLong:
        app.ShowMessage(IDS_FOLDER_TOO_LONG, MB_ICONHAND | MB_OK);
        return;
    case FolderCheck::kOk:
        break;
    }
    const std::string word = CutAtCharBoundary(ControlText(window, IDC_WORD), kFieldTextBytes);
    const bool useRegex = IsChecked(window, IDC_REGEX);
    // A malformed expression starts nothing and leaves both histories as they were.
    if (!word.empty() && useRegex && !AcceptSearchPattern(word)) return;
    AddToHistory(profile, kPathHistory, folder);

    if (word.empty()) {
        app.ShowMessage(IDS_NO_WORD, MB_ICONHAND | MB_OK);
        return;
    }
    CopyBounded(app.searchFolder, sizeof app.searchFolder, folder);
    CopyBounded(app.searchWord, sizeof app.searchWord, word);
    AddToHistory(profile, kWordHistory, word);

    const bool searchSubfolders = IsChecked(window, IDC_SUBFOLDERS);
    const SearchSettings settings = ReadSearchSettings(profile);
    app.relativePaths = settings.relativePaths;
    app.showCounts = settings.countHits;
    HWND progress = settings.showProgress ? GetDlgItem(window, IDC_PROGRESS) : nullptr;

    searchState = SearchState{};
    searchState.searching = true;
    ShowSearching(window, true);
    QuelbrixFindFolderEx(window, folder.c_str(), word.c_str(), settings.extensions.c_str(),
                         useRegex, progress, searchSubfolders, settings.relativePaths,
                         settings.countHits, settings.convertCodes,
                         static_cast<int>(settings.errorPolicy), settings.convertUtf8);
    searchState.searching = false;
    ShowSearching(window, false);

    LoadHistory(window, IDC_FOLDER, kPathHistory);
    LoadHistory(window, IDC_WORD, kWordHistory);
    SetDlgItemTextA(window, IDC_FOLDER, folder.c_str());
    SetDlgItemTextA(window, IDC_WORD, word.c_str());

    if (searchState.closeRequested) ExitMainWindow(window);
}

void StopSearch(HWND window) {
    const bool hidden = ProgressBarHidden(*theApp.profile);
    QuelbrixFindStop(window, hidden ? nullptr : GetDlgItem(window, IDC_PROGRESS));
    if (searchState.searching) searchState.stopRequested = true;
}

void ExitMainWindow(HWND window) {
    RemoveResultListProc(GetDlgItem(window, IDC_RESULT_LIST));
    SaveMainOptions(*theApp.profile,
                    MainOptions{IsChecked(window, IDC_SUBFOLDERS), IsChecked(window, IDC_REGEX)});
    EndDialog(window, 1);
}

namespace {

void DispatchMainMessage(HWND window, UINT message, WPARAM first, LPARAM second);
bool menuCharAnswered = false;  // the last WM_MENUCHAR got its answer

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    theApp.mainWindow = window;
    // No exception may leave a window procedure; running out of memory is the only one our
    // code raises (text buffers), and the user is told so.
    try {
        if (message == WM_CLOSE && searchState.searching) {
            // Closing the frame mid-search stops the search; the window ends once the engine
            // call has returned (StartSearch sees closeRequested).
            searchState.closeRequested = true;
            RequestStop(window);
            return TRUE;
        }
        menuCharAnswered = false;
        DispatchMainMessage(window, message, first, second);
    } catch (const std::bad_alloc&) {
        theApp.ShowMessage(IDS_NO_MEMORY, MB_ICONHAND | MB_OK);
    }
    // The popup menu's access keys are answered in DWLP_MSGRESULT, which counts only with TRUE.
    return message == WM_MENUCHAR && menuCharAnswered ? TRUE : FALSE;
}

namespace {

void DispatchMainMessage(HWND window, UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_INITDIALOG:
        InitMainWindow(window);
        break;
    case WM_COMMAND:
        switch (LOWORD(first)) {
        case IDOK:
            StartSearch(window);
            break;
        case IDCANCEL:
            if (searchState.searching) {
                searchState.closeRequested = true;
                RequestStop(window);
            } else {
                ExitMainWindow(window);
            }
            break;
        case IDC_HELP_BUTTON:
            theApp.help.ShowHelp(window);
            break;
        case IDC_BROWSE:
            BrowseFolder(window);
            break;
        case IDC_STOP:
            StopSearch(window);
            break;
        case IDC_SAVE:
            SaveResults();
            break;
        case IDC_SETTINGS: {
            MainHistoryBoxes boxes(window);
            SettingsSheet(theApp, window, boxes);
        } break;
        default:
            break;
        }
        break;
    case WM_DROPFILES:
        AcceptDroppedItem(window, reinterpret_cast<HDROP>(first));
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(second);
        if (header != nullptr && header->code == LVN_COLUMNCLICK) {
            QuelbrixSort(reinterpret_cast<NMLISTVIEW*>(second));
        }
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(second);
        if (item != nullptr && item->CtlType == ODT_MENU) MeasureMenuItem(theApp.instance, item);
        break;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(second);
        if (item != nullptr && item->CtlType == ODT_MENU) DrawMenuItem(theApp.instance, item);
        break;
    }
    case WM_MENUCHAR:
        menuCharAnswered =
            AnswerMenuChar(theApp.instance, theApp.popupMenu.Get(), window, first, second);
        break;
    default:
        break;
    }
}

}  // namespace

}  // namespace quelbrix
