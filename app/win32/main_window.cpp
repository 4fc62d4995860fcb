#include "main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/dpi_scale.h"
#include "app/folder_text.h"
#include "app/history.h"
#include "app/main_options.h"
#include "app/pattern_reason.h"
#include "app/preview_settings.h"
#include "app/search_settings.h"
#include "app/sjis.h"
#include "app/window_layout.h"
#include "app_context.h"
#include "common/product.h"
#include "common/text_limits.h"
#include "dialog_dpi.h"
#include "editor_launch.h"
#include "grexmo/grexmo.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "result_popup_menu.h"
#include "result_report_file.h"
#include "shell_path.h"
#include "window_dpi.h"

namespace quelbrix {

namespace {

// The window title: the program's name and version, a blank and this notice.
constexpr char kTitleNotice[] = "- Shift_JIS・JIS・EUC・UTF-16 のテキストを検索します";

// Posted when the list's selection may have changed.
constexpr UINT kPreviewSelectionMessage = WM_APP + 16;
// Sizes at 96 DPI: the preview's height on a first start, the splitter, the least the list
// keeps (its header and a row or two), and how near the bottom a dragged splitter shuts it.
constexpr int kDefaultPreviewHeight = 150;
constexpr int kSplitterSize = 6;
constexpr int kLeastListHeight = 60;
constexpr int kShutSnap = 16;

bool Inside(const LayoutRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// The folds as Grexmo's Read() takes them.
unsigned GrexmoFolds(const MatchFolds& folds) {
    return (folds.ignoreCase ? kGrexmoFoldCase : 0u) | (folds.ignoreWidth ? kGrexmoFoldWidth : 0u) |
           (folds.ignoreKana ? kGrexmoFoldKana : 0u);
}

// True when Grexmo compiles `word` as the search will, with `folds`; otherwise tells the user
// why in a box owned by `owner` (stop icon) and returns false.
bool AcceptSearchPattern(const AppContext& app, HWND owner, const std::string& word,
                         const MatchFolds& folds) {
    CGrexmo pattern;
    pattern.Read(word.c_str(), true, GrexmoFolds(folds));
    if (pattern.IsValid()) return true;

    app.ShowMessageWith(IDS_BAD_PATTERN, PatternReasonInJapanese(pattern.GetErrorText()),
                        MB_ICONHAND | MB_OK, owner);
    return false;
}

// How each control follows the window as it grows: the boxes stretch, the two check boxes
// beside them and 参照 keep to the right, the list takes the space, the buttons and the
// progress bar stay along the bottom. Labels, the row of fold boxes under the word and every
// control not named stay put.
std::vector<ControlAnchoring> MainAnchorings() {
    const Anchoring stretchAcross{Follow::kStretch, Follow::kStay};
    const Anchoring keepRight{Follow::kMove, Follow::kStay};
    const Anchoring keepBottom{Follow::kStay, Follow::kMove};
    return {
        {IDC_FOLDER, stretchAcross},
        {IDC_WORD, stretchAcross},
        {IDC_BROWSE, keepRight},
        {IDC_SUBFOLDERS, keepRight},
        {IDC_REGEX, keepRight},
        {IDC_RESULT_LIST, {Follow::kStretch, Follow::kStretch}},
        {IDOK, keepBottom},
        {IDC_STOP, keepBottom},
        {IDC_SAVE, keepBottom},
        {IDC_SETTINGS, keepBottom},
        {IDC_HELP_BUTTON, keepBottom},
        {IDCANCEL, keepBottom},
        {IDC_STATUS_BOX, keepBottom},
        {IDC_PROGRESS, {Follow::kStretch, Follow::kMove}},
    };
}

RECT ToRect(const LayoutRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }
LayoutRect ToLayout(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// Where the work-area coordinates of a window placement lie on the screen: they count from the
// primary monitor's work area.
POINT WorkspaceOrigin() {
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (monitor == nullptr || !GetMonitorInfoA(monitor, &primary)) return POINT{0, 0};
    return POINT{primary.rcWork.left - primary.rcMonitor.left,
                 primary.rcWork.top - primary.rcMonitor.top};
}

}  // namespace

MainWindow::MainWindow(AppContext& app, std::string commandLine)
    : Dialog(app), commandLine_(std::move(commandLine)), results_(app, lastSearch_) {}

void MainWindow::Run() {
    RunModal(IDD_MAIN, nullptr);
    App().mainWindow = nullptr;
}

INT_PTR MainWindow::OnInit() {
    App().mainWindow = Window();
    // The list view and progress bar classes were registered before the window was made.
    SetWindowTextA(Window(), (ProgramNameAndVersion() + " " + kTitleNotice).c_str());
    QuelbrixInitListView(Control(IDC_RESULT_LIST), QUELBRIX_WIDTH_FILE, QUELBRIX_WIDTH_COUNT,
                         QUELBRIX_WIDTH_SIZE, QUELBRIX_WIDTH_TIME);
    dpi_.Capture(Window());
    // The engine's widths are designed at 96 DPI.
    ScaleListColumns(Control(IDC_RESULT_LIST), kListColumnCount, kDesignDpi, dpi_.Dpi());
    LoadHistory(IDC_FOLDER, kPathHistory);
    LoadHistory(IDC_WORD, kWordHistory);

    const MainOptions options = LoadMainOptions(*App().profile);
    if (options.searchSubfolders) SetTicked(IDC_SUBFOLDERS, true);
    if (options.useRegex) SetTicked(IDC_REGEX, true);
    if (options.folds.ignoreCase) SetTicked(IDC_IGNORE_CASE, true);
    if (options.folds.ignoreWidth) SetTicked(IDC_IGNORE_WIDTH, true);
    if (options.folds.ignoreKana) SetTicked(IDC_IGNORE_KANA, true);

    results_.Attach(Control(IDC_RESULT_LIST), Window());
    anchors_.Capture(Window(), MainAnchorings());
    const PreviewSettings preview = LoadPreviewSettings(*App().profile);
    previewSwitchedOff_ = preview.hidden;
    previewContext_ = preview.contextLines;
    const PreviewHeight stored = LoadPreviewHeight(*App().profile);
    previewHeight_ = stored.present ? stored.height : kDefaultPreviewHeight;
    preview_.Create(Window(), IDC_PREVIEW_PANE, Control(IDC_RESULT_LIST),
                    [this](const std::string& path, std::uint32_t line) {
                        OpenFileAtLine(App(), Window(), path, line);
                    });
    RestorePlace();
    ApplyCommandLine();
    return FALSE;
}

void MainWindow::RestorePlace() {
    const MainWindowPlace place = LoadMainWindowPlace(*App().profile);
    if (place.hasColumns) {
        HWND list = Control(IDC_RESULT_LIST);
        for (int column = 0; column < kListColumnCount; ++column)
            SendMessageA(list, LVM_SETCOLUMNWIDTH, column,
                         MAKELPARAM(ShownColumnWidth(place.columns[column], dpi_.Dpi()), 0));
    }
    if (!place.hasPlacement) {
        // A first start: the window grows by the preview, so the list keeps the template's
        // height where the screen has room, and stays centred on its monitor.
        RECT frame{};
        GetWindowRect(Window(), &frame);
        const PreviewGeometry geometry = PreviewGeometryNow();
        const int grow = geometry.switchedOff || geometry.previewHeight == 0
                             ? 0
                             : geometry.previewHeight + geometry.splitterSize;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        LayoutRect grown = ToLayout(frame);
        if (GetMonitorInfoA(MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &monitor)) {
            grown = GrownForPreview(grown, grow, ToLayout(monitor.rcWork));
        }
        SetWindowPos(Window(), nullptr, grown.left, grown.top, grown.Width(), grown.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        LayOut();
        return;
    }
    LayoutRect normal = place.normal;
    // Never smaller than the template.
    const SIZE least = anchors_.MinimumWindowSize();
    if (normal.Width() < least.cx) normal.right = normal.left + least.cx;
    if (normal.Height() < least.cy) normal.bottom = normal.top + least.cy;
    // Onto the nearest monitor's work area, in screen coordinates and back.
    const POINT origin = WorkspaceOrigin();
    RECT onScreen = ToRect(normal);
    OffsetRect(&onScreen, origin.x, origin.y);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&onScreen, MONITOR_DEFAULTTONEAREST), &monitor)) {
        onScreen = ToRect(BroughtOnto(ToLayout(onScreen), ToLayout(monitor.rcWork)));
    }
    OffsetRect(&onScreen, -origin.x, -origin.y);

    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = place.maximized ? SW_SHOWMAXIMIZED : SW_HIDE;
    placement.rcNormalPosition = onScreen;
    SetWindowPlacement(Window(), &placement);
    LayOut();
}

PreviewGeometry MainWindow::PreviewGeometryNow() const {
    const UINT dpi = dpi_.Dpi();
    PreviewGeometry geometry;
    geometry.previewHeight = ScaledToDpi(previewHeight_, dpi);
    geometry.splitterSize = ScaledToDpi(kSplitterSize, dpi);
    geometry.leastListHeight = ScaledToDpi(kLeastListHeight, dpi);
    geometry.switchedOff = previewSwitchedOff_ || preview_.Handle() == nullptr;
    return geometry;
}

void MainWindow::LayOut() {
    LayoutRect area;
    if (!anchors_.AnchoredRect(IDC_RESULT_LIST, area)) {
        anchors_.Apply();
        return;
    }
    const bool wasOpen = PreviewOpen();
    split_ = SplitListArea(area, PreviewGeometryNow());
    std::vector<ControlPlace> places{{Control(IDC_RESULT_LIST), split_.list, true}};
    if (preview_.Handle() != nullptr) {
        places.push_back({preview_.Handle(), split_.preview, split_.previewShown});
    }
    anchors_.Apply(places);
    if (split_.splitterShown) {
        RECT bar = ToRect(split_.splitter);
        InvalidateRect(Window(), &bar, TRUE);
    }
    if (PreviewOpen() != wasOpen) RequestPreview();
}

void MainWindow::RequestPreview() {
    if (previewRequested_) return;
    previewRequested_ = PostMessageA(Window(), kPreviewSelectionMessage, 0, 0) != FALSE;
}

void MainWindow::UpdatePreview() {
    previewRequested_ = false;
    std::string path;
    // A shut pane reads nothing; it is filled again when it opens.
    if (!PreviewOpen() || !SelectedFilePath(results_.Rows(), path)) {
        preview_.Clear();
        return;
    }
    preview_.Show(path, previewSearch_, previewContext_);
}

bool MainWindow::OnSplitterMouse(UINT message, LPARAM position) {
    const int x = GET_X_LPARAM(position);
    const int y = GET_Y_LPARAM(position);
    switch (message) {
    case WM_LBUTTONDOWN:
        if (!split_.splitterShown || !Inside(split_.splitter, x, y)) return false;
        dragging_ = true;
        dragGrab_ = y - split_.splitter.top;
        SetCapture(Window());
        return true;
    case WM_MOUSEMOVE: {
        if (!dragging_) return false;
        LayoutRect area;
        if (!anchors_.AnchoredRect(IDC_RESULT_LIST, area)) return false;
        const UINT dpi = dpi_.Dpi();
        const int height = PreviewHeightForSplitterAt(area, y - dragGrab_, PreviewGeometryNow(),
                                                      ScaledToDpi(kShutSnap, dpi));
        previewHeight_ = UnscaledFromDpi(height, dpi);
        LayOut();
        return true;
    }
    case WM_LBUTTONUP:
        if (!dragging_) return false;
        ReleaseCapture();  // WM_CAPTURECHANGED ends the drag
        return true;
    default:
        return false;
    }
}

void MainWindow::AfterSettings() {
    const PreviewSettings preview = LoadPreviewSettings(*App().profile);
    previewSwitchedOff_ = preview.hidden;
    previewContext_ = preview.contextLines;
    LayOut();
    RequestPreview();  // the number of context lines may have changed
}

void MainWindow::SavePlace() const {
    MainWindowPlace place;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(Window(), &placement)) {
        place.hasPlacement = true;
        place.normal = ToLayout(placement.rcNormalPosition);
        place.maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                          (placement.showCmd == SW_SHOWMINIMIZED &&
                           (placement.flags & WPF_RESTORETOMAXIMIZED) != 0);
    }
    HWND list = Control(IDC_RESULT_LIST);
    place.hasColumns = true;
    for (int column = 0; column < kListColumnCount; ++column) {
        const LRESULT width = SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0);
        place.columns[column] = StoredColumnWidth(static_cast<int>(width), dpi_.Dpi());
        if (width <= 0 && column == 0) place.hasColumns = false;  // no list columns to keep
    }
    SaveMainWindowPlace(*App().profile, place);
}

// Moved to a screen of another DPI: the window, its controls and fonts, the list's columns and
// the popup menu follow.
void MainWindow::FollowDpi(UINT dpi, const RECT& suggested) {
    const UINT before = dpi_.Dpi();
    dpi_.Follow(dpi, suggested, anchors_);
    ScaleListColumns(Control(IDC_RESULT_LIST), kListColumnCount, before, dpi);
    RemeasureMenuItems(App().popupMenu.Get());
    // The preview has a font of its own, and shares the list's area at the new DPI.
    preview_.ApplyDpi(dpi);
    LayOut();
}

void MainWindow::ApplyCommandLine() {
    const CommandLineRequest request = ScanCommandLine(commandLine_);
    if (!request.folder.empty()) {
        char resolved[kPathBytes];
        std::string path = ResolveShellPath(request.folder.c_str(), resolved, sizeof resolved)
                               ? std::string(resolved)
                               : request.folder;
        DWORD attributes = GetFileAttributesA(path.c_str());
        bool namesFolder =
            attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        SetText(IDC_FOLDER, FolderFieldForArgument(request.folder, path, namesFolder));
    }
    if (request.hasWord) SetText(IDC_WORD, request.word);
    if (request.searchSubfolders) SetTicked(IDC_SUBFOLDERS, true);
    if (request.useRegex) SetTicked(IDC_REGEX, true);
    if (request.startSearch) {
        ShowWindow(Window(), SW_SHOW);
        UpdateWindow(Window());
        PostMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

void MainWindow::EmptyBox(int comboId) const {
    HWND combo = Control(comboId);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SetWindowTextA(combo, "");
}

void MainWindow::LoadHistory(int comboId, const char* section) const {
    EmptyBox(comboId);
    HWND combo = Control(comboId);
    for (const std::string& entry : ReadHistory(*App().profile, section)) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void MainWindow::EmptyHistoryBox(const char* section) {
    EmptyBox(std::string(section) == kWordHistory ? IDC_WORD : IDC_FOLDER);
}

// Idle: start, save, settings, help and exit on, stop off; searching: the reverse.
void MainWindow::ShowSearching(bool searching) const {
    Enable(IDOK, !searching);
    Enable(IDC_STOP, searching);
    Enable(IDC_SAVE, !searching);
    Enable(IDC_SETTINGS, !searching);
    Enable(IDC_HELP_BUTTON, !searching);
    Enable(IDCANCEL, !searching);
}

void MainWindow::StartSearch() {
    if (search_.searching) return;  // the engine runs one search at a time
    AppContext& app = App();
    ProfileFile& profile = *app.profile;

    std::string folder;
    switch (PrepareSearchFolder(Text(IDC_FOLDER), folder)) {
    case FolderCheck::kEmpty:
        app.ShowMessage(IDS_NO_FOLDER, MB_ICONHAND | MB_OK);
        return;
    case FolderCheck::kTooLong:
        app.ShowMessage(IDS_FOLDER_TOO_LONG, MB_ICONHAND | MB_OK);
        return;
    case FolderCheck::kOk:
        break;
    }
    const std::string word = TextWithin(IDC_WORD, kFieldTextBytes);
    const bool useRegex = IsTicked(IDC_REGEX);
    const MatchFolds folds = TickedFolds();
    // A malformed expression starts nothing and leaves both histories as they were.
    if (!word.empty() && useRegex && !AcceptSearchPattern(app, Window(), word, folds)) return;
    AddToHistory(profile, kPathHistory, folder);

    if (word.empty()) {
        app.ShowMessage(IDS_NO_WORD, MB_ICONHAND | MB_OK);
        return;
    }
    lastSearch_.folder = folder;
    lastSearch_.word = word;
    preview_.Clear();
    AddToHistory(profile, kWordHistory, word);

    const bool searchSubfolders = IsTicked(IDC_SUBFOLDERS);
    const SearchSettings settings = ReadSearchSettings(profile);
    lastSearch_.relativePaths = settings.relativePaths;
    lastSearch_.showCounts = settings.countHits;
    previewSearch_ =
        PreviewSearch{word, useRegex, folds, settings.convertCodes, settings.convertUtf8};

    QUELBRIX_SEARCH_OPTIONS options{};
    options.size = sizeof options;
    options.owner = Window();
    options.folder = folder.c_str();
    options.word = word.c_str();
    options.extensions = settings.extensions.c_str();
    options.useRegex = useRegex;
    options.progress = settings.showProgress ? Control(IDC_PROGRESS) : nullptr;
    options.searchSubfolders = searchSubfolders;
    options.relativePaths = settings.relativePaths;
    options.countHits = settings.countHits;
    options.convertCodes = settings.convertCodes;
    options.errorPolicy = static_cast<int>(settings.errorPolicy);
    options.convertUtf8Files = settings.convertUtf8;
    options.ignoreCase = folds.ignoreCase;
    options.ignoreWidth = folds.ignoreWidth;
    options.ignoreKana = folds.ignoreKana;
    options.noPause = settings.pauseAfterEntries ? FALSE : TRUE;
    options.excludeFolders = settings.excludeFolders.c_str();

    search_ = SearchState{};
    search_.searching = true;
    ShowSearching(true);
    QuelbrixSearch(&options);
    search_.searching = false;
    ShowSearching(false);

    LoadHistory(IDC_FOLDER, kPathHistory);
    LoadHistory(IDC_WORD, kWordHistory);
    SetText(IDC_FOLDER, folder);
    SetText(IDC_WORD, word);

    if (search_.closeRequested) Exit();
}

MatchFolds MainWindow::TickedFolds() const {
    return MatchFolds{IsTicked(IDC_IGNORE_CASE), IsTicked(IDC_IGNORE_WIDTH),
                      IsTicked(IDC_IGNORE_KANA)};
}

void MainWindow::StopSearch() {
    const bool hidden = ProgressBarHidden(*App().profile);
    QuelbrixFindStop(Window(), hidden ? nullptr : Control(IDC_PROGRESS));
    if (search_.searching) search_.stopRequested = true;
}

void MainWindow::RequestStop() {
    if (search_.stopRequested) return;
    search_.stopRequested = true;
    StopSearch();
}

void MainWindow::Close() {
    if (!search_.searching) {
        Exit();
        return;
    }
    search_.closeRequested = true;
    RequestStop();
}

void MainWindow::Exit() {
    results_.Detach();
    SaveMainOptions(*App().profile,
                    MainOptions{IsTicked(IDC_SUBFOLDERS), IsTicked(IDC_REGEX), TickedFolds()});
    SavePlace();
    SavePreviewHeight(*App().profile, previewHeight_);
    preview_.Clear();
    EndDialog(Window(), 1);
}

void MainWindow::BrowseFolder() {
    std::string folder;
    if (BrowseForFolder(Window(), folder)) SetText(IDC_FOLDER, folder);
}

// A dropped item that cannot be found is ignored without a message.
void MainWindow::AcceptDroppedItem(HDROP drop) {
    std::string folder;
    if (DroppedItemFolder(drop, folder)) SetText(IDC_FOLDER, folder);
}

void MainWindow::OnCommand(int id, int) {
    switch (id) {
    case IDOK:
        StartSearch();
        break;
    case IDCANCEL:
        Close();
        break;
    case IDC_HELP_BUTTON:
        App().help.ShowHelp(Window());
        break;
    case IDC_BROWSE:
        BrowseFolder();
        break;
    case IDC_STOP:
        StopSearch();
        break;
    case IDC_SAVE:
        SaveResults(results_.Rows());
        break;
    case IDC_SETTINGS:
        SettingsSheet(App(), Window(), *this);
        AfterSettings();
        break;
    default:
        break;
    }
}

INT_PTR MainWindow::OnNotify(NMHDR& notice) {
    if (notice.idFrom != IDC_RESULT_LIST) return FALSE;
    switch (notice.code) {
    case LVN_COLUMNCLICK:
        QuelbrixSort(reinterpret_cast<NMLISTVIEW*>(&notice));
        break;
    case LVN_ITEMCHANGED:
        if ((reinterpret_cast<const NMLISTVIEW&>(notice).uChanged & LVIF_STATE) != 0) {
            RequestPreview();
        }
        break;
    case LVN_DELETEITEM:
    case LVN_DELETEALLITEMS:
        RequestPreview();
        break;
    default:
        break;
    }
    return FALSE;
}

bool MainWindow::OnMessage(UINT message, WPARAM first, LPARAM second, INT_PTR& answer) {
    switch (message) {
    case WM_CLOSE:
        if (!search_.searching) return false;  // the dialog manager sends IDCANCEL
        // Closing the frame mid-search stops the search; the window ends once the engine call
        // has returned (StartSearch sees closeRequested).
        Close();
        answer = TRUE;
        return true;
    case WM_SIZE:
        if (first != SIZE_MINIMIZED) LayOut();
        answer = TRUE;
        return true;
    case kPreviewSelectionMessage:
        UpdatePreview();
        return true;
    case kPreviewLinesMessage:
        preview_.TakeLines();
        return true;
    case WM_SETCURSOR: {
        POINT cursor{};
        if (reinterpret_cast<HWND>(first) != Window() || LOWORD(second) != HTCLIENT ||
            !split_.splitterShown || !GetCursorPos(&cursor) ||
            !ScreenToClient(Window(), &cursor) || !Inside(split_.splitter, cursor.x, cursor.y)) {
            return false;
        }
        SetCursor(LoadCursor(nullptr, IDC_SIZENS));
        answer = TRUE;
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        return OnSplitterMouse(message, second);
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return false;
    case WM_GETMINMAXINFO: {
        // Sent before the dialog is set up, too; the template's size is the minimum after.
        auto* limits = reinterpret_cast<MINMAXINFO*>(second);
        if (limits != nullptr && anchors_.Captured()) {
            const SIZE least = anchors_.MinimumWindowSize();
            limits->ptMinTrackSize = POINT{least.cx, least.cy};
        }
        answer = TRUE;
        return true;
    }
    case WM_DPICHANGED:
        if (second != 0) FollowDpi(LOWORD(first), *reinterpret_cast<const RECT*>(second));
        answer = TRUE;
        return true;
    case WM_DROPFILES:
        AcceptDroppedItem(reinterpret_cast<HDROP>(first));
        return true;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(second);
        if (item != nullptr && item->CtlType == ODT_MENU) {
            MeasureMenuItem(App().instance, dpi_.Dpi(), item);
        }
        return true;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(second);
        if (item != nullptr && item->CtlType == ODT_MENU) {
            DrawMenuItem(App().instance, dpi_.Dpi(), item);
        }
        return true;
    }
    case WM_MENUCHAR:
        // The popup menu's access keys are answered in DWLP_MSGRESULT, which counts only with
        // TRUE.
        answer = AnswerMenuChar(App().instance, App().popupMenu.Get(), Window(), first, second)
                     ? TRUE
                     : FALSE;
        return true;
    default:
        return false;
    }
}

}  // namespace quelbrix
