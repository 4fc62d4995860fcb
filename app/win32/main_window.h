// The main window (dialog 103): the folder and the word with their histories, the options
// (subfolders, regular expression, what matching ignores), the command line, the search started and stopped, the result list, and leaving;
// it may be made larger than its template, and remembers its placement and column widths.
#pragma once

#include <windows.h>

#include <string>

#include "app/main_options.h"
#include "app/preview_layout.h"
#include "dialog.h"
#include "dialog_dpi.h"
#include "engine/result_report.h"
#include "preview_pane.h"
#include "result_list.h"
#include "settings_sheet.h"
#include "window_anchors.h"

namespace quelbrix {

class MainWindow : public Dialog, private HistoryBoxes {
public:
    // `commandLine`: the program's arguments, applied when the window is set up.
    MainWindow(AppContext& app, std::string commandLine);

    // Runs the window as a modal dialog until the user leaves.
    void Run();

private:
    // What the window knows about the search running inside StartSearch, if any.
    struct SearchState {
        bool searching = false;
        bool stopRequested = false;   // QuelbrixFindStop was called for the running search
        bool closeRequested = false;  // the window was closed while the search ran
    };

    INT_PTR OnInit() override;
    void OnCommand(int id, int code) override;
    INT_PTR OnNotify(NMHDR& notice) override;
    bool OnMessage(UINT message, WPARAM first, LPARAM second, INT_PTR& answer) override;
    void EmptyHistoryBox(const char* section) override;

    void ApplyCommandLine();
    // Empties a combo box's list and its edit text.
    void EmptyBox(int comboId) const;
    // Refills a combo box's list from a history section and empties its edit text.
    void LoadHistory(int comboId, const char* section) const;
    void ShowSearching(bool searching) const;
    // What the three fold boxes ask matching to ignore, as they are ticked now.
    MatchFolds TickedFolds() const;
    void StartSearch();
    void StopSearch();
    // Stops the running search once; a second request (stop button, then the close box) would
    // only show the engine's stop message again.
    void RequestStop();
    // The exit button or the close box: during a search it stops it, and the window ends
    // once the engine call has returned.
    void Close();
    void Exit();
    // The placement and column widths of the last run, brought onto a monitor that is there.
    void RestorePlace();
    void SavePlace() const;
    // Lays the controls out for the client size now: the anchored ones, and the list's area
    // shared with the preview pane.
    void LayOut();
    PreviewGeometry PreviewGeometryNow() const;
    bool PreviewOpen() const { return split_.previewShown; }
    // The preview follows the selected row; posted, so a click that deselects one row and
    // selects another reads one file.
    void RequestPreview();
    void UpdatePreview();
    // The splitter between the list and the preview, dragged with the mouse.
    bool OnSplitterMouse(UINT message, LPARAM position);
    void AfterSettings();
    void FollowDpi(UINT dpi, const RECT& suggested);
    void BrowseFolder();
    void AcceptDroppedItem(HDROP drop);

    std::string commandLine_;
    ReportSearch lastSearch_;  // the last search started: the one the list's rows came from
    SearchState search_;
    ResultList results_;
    WindowAnchors anchors_;
    PreviewPane preview_;
    PreviewSearch previewSearch_;  // the word and options of the search the rows came from
    bool previewSwitchedOff_ = false;
    int previewContext_ = 0;        // the settings' context lines, read at start and after them
    int previewHeight_ = 0;         // at 96 DPI; 0 when dragged shut
    bool previewRequested_ = false;
    PreviewSplit split_;
    bool dragging_ = false;
    int dragGrab_ = 0;              // where on the splitter it was taken
    DialogDpi dpi_;
};

}  // namespace quelbrix
