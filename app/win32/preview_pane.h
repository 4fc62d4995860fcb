// The preview pane below the result list: a read-only rich edit control that shows the hit
// lines of the selected file, read by QuelbrixGetHitLines on a thread of its own so that the
// window never waits for a large file; the lines arrive in batches as they are read.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_options.h"
#include "common/win32_handles.h"

namespace quelbrix {

// Sent by a reader to the pane's owner when lines are ready; the owner calls TakeLines.
constexpr UINT kPreviewLinesMessage = WM_APP + 17;

// What the pane reads a file with: the word and options of the search that made the list,
// not what is typed now.
struct PreviewSearch {
    std::string word;
    bool useRegex = false;
    MatchFolds folds;
    bool convertCodes = true;
    bool convertUtf8 = false;
};

// A preview line a user chose: the file and its line (1-based).
using OpenLineHandler = std::function<void(const std::string& path, std::uint32_t line)>;

struct PreviewJob;

class PreviewPane {
public:
    PreviewPane();
    // Stops every reader and waits for it: none may outlive the window it reports to.
    ~PreviewPane();
    PreviewPane(const PreviewPane&) = delete;
    PreviewPane& operator=(const PreviewPane&) = delete;

    // Creates the control as child `id` of `owner`, after `previous` in the tab order;
    // false when no rich edit control could be made (the window then has no preview).
    bool Create(HWND owner, int id, HWND previous, OpenLineHandler openLine);
    HWND Handle() const { return control_; }

    // The font for the window's DPI.
    void ApplyDpi(UINT dpi);

    // Shows `path`'s hit lines; a path already shown with the same search stays as it is.
    void Show(const std::string& path, const PreviewSearch& search, int contextLines);
    // Empties the pane and stops its reader.
    void Clear();
    // Appends what the reader has ready (on kPreviewLinesMessage).
    void TakeLines();
    // The path shown now ("" when none).
    const std::string& Path() const { return path_; }

private:
    static LRESULT CALLBACK Procedure(HWND control, UINT message, WPARAM first, LPARAM second,
                                      UINT_PTR id, DWORD_PTR self);
    // Stops the current reader; it ends on its own and is waited for later.
    void Retire();
    void ReapFinished();
    void OpenLineAtCaret() const;
    // Appends `text` (UTF-16) with its runs of character formats, keeping the user's caret
    // and scroll position.
    struct Run;
    void Append(const std::wstring& text, const std::vector<Run>& runs);

    struct Reader {
        UniqueHandle<HANDLE, FileHandleTraits> thread;
        std::shared_ptr<PreviewJob> job;
    };

    HWND owner_ = nullptr;
    HWND control_ = nullptr;
    OpenLineHandler openLine_;
    GdiObject font_;
    std::shared_ptr<PreviewJob> current_;
    std::vector<Reader> readers_;
    std::string path_;
    PreviewSearch search_;
    int contextLines_ = 0;
    // The control's text as it stands: its length in characters, each paragraph's file line
    // (0 for the header and notes), where the header ends, and the last file line shown.
    long length_ = 0;
    std::vector<std::uint32_t> paragraphLines_;
    long headerEnd_ = 0;
    std::uint32_t lastLine_ = 0;
};

}  // namespace quelbrix
