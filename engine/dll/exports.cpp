// The exports of QuelbrixD.dll and its load-time entry point. The engine's state and its
// Win32 adapters live here for as long as the library is loaded; no exception leaves.
#include <windows.h>

#include <cstddef>
#include <new>
#include <optional>
#include <vector>

#include "engine/engine_state.h"
#include "engine/hit_lines.h"
#include "engine/result_list.h"
#include "engine/search_driver.h"
#include "engine/win32_files.h"
#include "engine/win32_list_view.h"
#include "engine/win32_ui.h"
#include "grexmo/grexmo.h"
#include "quelbrix_engine.h"
#include "timer_resolution.h"

namespace {

constexpr int kEngineVersion = 111;
constexpr int kEngineBeta = 0;

quelbrix::EngineState g_state;
quelbrix::Win32FileSystem g_files;
quelbrix::Win32Ui g_ui;
quelbrix::Win32Progress g_progress;
quelbrix::Win32ListView g_rows;
quelbrix::Platform g_platform{g_files, g_ui, g_progress, g_rows};

const char* TextOrEmpty(LPCSTR text) { return text != nullptr ? text : ""; }

// A member of a sized options structure, or zero when it lies past the `size` its caller gave:
// an older caller's structure ends before it, and what follows is not the caller's memory.
template <typename Options, typename Member>
Member GivenOrZero(const Options& options, Member Options::*member) {
    const auto* start = reinterpret_cast<const char*>(&options);
    const auto* at = reinterpret_cast<const char*>(&(options.*member));
    const std::size_t end = static_cast<std::size_t>(at - start) + sizeof(Member);
    return options.size >= end ? options.*member : Member{};
}

// The three folds as Grexmo's Read() takes them.
unsigned FoldsOf(BOOLEAN ignoreCase, BOOLEAN ignoreWidth, BOOLEAN ignoreKana) {
    return (ignoreCase != 0 ? kGrexmoFoldCase : 0u) | (ignoreWidth != 0 ? kGrexmoFoldWidth : 0u) |
           (ignoreKana != 0 ? kGrexmoFoldKana : 0u);
}

// Hands the engine's hit lines to the caller's function, in the interface's records.
class CallbackSink : public quelbrix::HitLineSink {
public:
    CallbackSink(QUELBRIX_HIT_LINE_PROC proc, LPVOID context) : proc_(proc), context_(context) {}

    void BeginFile(const char*, const quelbrix::FileEncoding& encoding) override {
        encoding_ = static_cast<int>(encoding.readAs);
        converted_ = encoding.converted ? TRUE : FALSE;
        QUELBRIX_HIT_LINE line = Record(QUELBRIX_LINE_ENCODING);
        stopped_ = proc_(&line, context_) == FALSE;
    }

    bool Line(const quelbrix::HitLine& hitLine) override {
        if (stopped_) return false;
        ranges_.resize(hitLine.hitCount);
        for (std::size_t i = 0; i < hitLine.hitCount; ++i) {
            ranges_[i].start = static_cast<DWORD>(hitLine.hits[i].start);
            ranges_[i].end = static_cast<DWORD>(hitLine.hits[i].end);
        }
        QUELBRIX_HIT_LINE line =
            Record(hitLine.context ? QUELBRIX_LINE_CONTEXT : QUELBRIX_LINE_HIT);
        line.lineNumber = static_cast<DWORD>(hitLine.number);
        line.offset = static_cast<DWORD>(hitLine.offset);
        line.text = hitLine.text;
        line.length = static_cast<DWORD>(hitLine.length);
        line.hits = ranges_.empty() ? nullptr : ranges_.data();
        line.hitCount = static_cast<DWORD>(ranges_.size());
        stopped_ = proc_(&line, context_) == FALSE;
        hitsGiven_ += static_cast<int>(hitLine.hitCount);
        return !stopped_;
    }

    // The hits of the lines the caller's function was given.
    int HitsGiven() const { return hitsGiven_; }

private:
    QUELBRIX_HIT_LINE Record(int kind) const {
        QUELBRIX_HIT_LINE line{};
        line.size = sizeof line;
        line.kind = kind;
        line.text = "";
        line.encoding = encoding_;
        line.converted = converted_;
        return line;
    }

    QUELBRIX_HIT_LINE_PROC proc_;
    LPVOID context_;
    int encoding_ = 0;
    BOOLEAN converted_ = FALSE;
    bool stopped_ = false;
    int hitsGiven_ = 0;
    std::vector<QUELBRIX_HIT_RANGE> ranges_;
};

int HitLinesError(quelbrix::HitLinesStatus status) {
    switch (status) {
    case quelbrix::HitLinesStatus::kInvalidPattern:
        return QUELBRIX_HITLINES_BAD_PATTERN;
    case quelbrix::HitLinesStatus::kNotOpened:
        return QUELBRIX_HITLINES_NOT_OPENED;
    case quelbrix::HitLinesStatus::kNotRead:
        return QUELBRIX_HITLINES_NOT_READ;
    case quelbrix::HitLinesStatus::kOutOfMemory:
        return QUELBRIX_HITLINES_NO_MEMORY;
    case quelbrix::HitLinesStatus::kNotConverted:
        return QUELBRIX_HITLINES_NOT_CONVERTED;
    default:
        return QUELBRIX_HITLINES_FAILED;
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    g_state.instance = instance;
    g_ui.SetInstance(instance);
    return TRUE;
}

extern "C" int WINAPI QuelbrixGetVer(void) { return kEngineVersion; }

extern "C" int WINAPI QuelbrixGetBeta(void) { return kEngineBeta; }

extern "C" BOOL WINAPI QuelbrixInitListView(HWND list, int nameWidth, int countWidth, int sizeWidth,
                                            int timeWidth) {
    try {
        quelbrix::InitListView(g_state, g_rows, list, nameWidth, countWidth, sizeWidth, timeWidth);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" BOOLEAN WINAPI QuelbrixFindFolder(HWND owner, LPCSTR folder, LPCSTR word,
                                             LPCSTR extensions, BOOLEAN useRegex, HWND progress,
                                             BOOLEAN searchSubfolders, BOOLEAN relativePaths,
                                             BOOLEAN countHits, BOOLEAN convertCodes,
                                             int errorPolicy) {
    return QuelbrixFindFolderEx(owner, folder, word, extensions, useRegex, progress,
                                searchSubfolders, relativePaths, countHits, convertCodes,
                                errorPolicy, FALSE);
}

extern "C" BOOL WINAPI QuelbrixSort(NMLISTVIEW* notification) {
    if (notification == nullptr) return FALSE;
    try {
        return quelbrix::SortResults(g_state, g_rows, notification->iSubItem) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" BOOL WINAPI QuelbrixFindStop(HWND owner, HWND progress) {
    try {
        quelbrix::RequestStop(g_state, g_platform, owner, progress);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" BOOLEAN WINAPI QuelbrixFindFolderEx(HWND owner, LPCSTR folder, LPCSTR word,
                                               LPCSTR extensions, BOOLEAN useRegex, HWND progress,
                                               BOOLEAN searchSubfolders, BOOLEAN relativePaths,
                                               BOOLEAN countHits, BOOLEAN convertCodes,
                                               int errorPolicy, BOOLEAN convertUtf8Files) {
    QUELBRIX_SEARCH_OPTIONS options{};
    options.size = sizeof options;
    options.owner = owner;
    options.folder = folder;
    options.word = word;
    options.extensions = extensions;
    options.useRegex = useRegex;
    options.progress = progress;
    options.searchSubfolders = searchSubfolders;
    options.relativePaths = relativePaths;
    options.countHits = countHits;
    options.convertCodes = convertCodes;
    options.errorPolicy = errorPolicy;
    options.convertUtf8Files = convertUtf8Files;
    return QuelbrixSearch(&options);
}

extern "C" int WINAPI QuelbrixGetHitLines(LPCSTR path, const QUELBRIX_HIT_LINE_OPTIONS* options,
                                          QUELBRIX_HIT_LINE_PROC proc, LPVOID context) {
    if (path == nullptr || options == nullptr || proc == nullptr ||
        options->size < QUELBRIX_HIT_LINE_OPTIONS_V1_SIZE || options->contextLines < 0)
        return QUELBRIX_HITLINES_BAD_ARGUMENT;
    quelbrix::HitLineRequest request;
    request.word = TextOrEmpty(options->word);
    request.useRegex = options->useRegex != 0;
    request.folds = FoldsOf(GivenOrZero(*options, &QUELBRIX_HIT_LINE_OPTIONS::ignoreCase),
                            GivenOrZero(*options, &QUELBRIX_HIT_LINE_OPTIONS::ignoreWidth),
                            GivenOrZero(*options, &QUELBRIX_HIT_LINE_OPTIONS::ignoreKana));
    request.convertCodes = options->convertCodes != 0;
    request.convertUtf8 = options->convertUtf8Files != 0;
    request.contextLines = options->contextLines;
    try {
        // Its own file system, pattern and buffers: a running search's are not touched.
        quelbrix::Win32FileSystem files;
        CallbackSink sink(proc, context);
        const quelbrix::HitLinesStatus status = quelbrix::ReadHitLines(files, path, request, sink);
        if (status != quelbrix::HitLinesStatus::kListed) return HitLinesError(status);
        return sink.HitsGiven();
    } catch (const std::bad_alloc&) {
        return QUELBRIX_HITLINES_NO_MEMORY;
    } catch (...) {
        return QUELBRIX_HITLINES_FAILED;
    }
}

extern "C" BOOLEAN WINAPI QuelbrixSearch(const QUELBRIX_SEARCH_OPTIONS* options) {
    if (options == nullptr || options->size < QUELBRIX_SEARCH_OPTIONS_V1_SIZE) return FALSE;
    // The first version's members all lie within the caller's size; a member added after them
    // is to be read with GivenOrZero.
    quelbrix::SearchRequest request;
    request.owner = options->owner;
    request.folder = TextOrEmpty(options->folder);
    request.word = TextOrEmpty(options->word);
    request.extensions = TextOrEmpty(options->extensions);
    request.useRegex = options->useRegex != 0;
    request.folds = FoldsOf(options->ignoreCase, options->ignoreWidth, options->ignoreKana);
    request.progress = options->progress;
    request.searchSubfolders = options->searchSubfolders != 0;
    request.relativePaths = options->relativePaths != 0;
    request.countHits = options->countHits != 0;
    request.convertCodes = options->convertCodes != 0;
    request.errorPolicy = static_cast<quelbrix::ErrorPolicy>(options->errorPolicy);
    request.convertUtf8 = options->convertUtf8Files != 0;
    request.excludeFolders =
        TextOrEmpty(GivenOrZero(*options, &QUELBRIX_SEARCH_OPTIONS::excludeFolders));
    request.pauseAfterEntries = GivenOrZero(*options, &QUELBRIX_SEARCH_OPTIONS::noPause) == 0;
    try {
        // The walk pauses 1 ms after every entry; the finer timer makes that pause 1 ms long.
        // A search without the pause leaves the system's timer as it is.
        std::optional<quelbrix::TimerResolutionGuard> fineTimer;
        if (request.pauseAfterEntries) fineTimer.emplace(1);
        return quelbrix::FindFolder(g_state, g_platform, request) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}
