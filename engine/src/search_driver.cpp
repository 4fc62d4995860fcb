#include "engine/search_driver.h"

#include <climits>
#include <cstring>
#include <vector>

#include "engine/bounded_text.h"
#include "engine/result_list.h"
#include "extension_list.h"
#include "file_matcher.h"
#include "folder_walk.h"
#include "messages.h"
#include "search_steps.h"

namespace quelbrix {

namespace {

// The counting pass: the candidates of one extension item. It dispatches no message, makes no
// pause and does not look at the stop flag.
class CandidateCounter : public FolderVisitor {
public:
    CandidateCounter(const char* item, std::uint32_t& total) : item_(item), total_(total) {}
    bool VisitFile(const char* path) override {
        if (MatchesExtension(path, item_)) ++total_;
        return true;
    }
    bool AfterEntry() override { return true; }

private:
    const char* item_;
    std::uint32_t& total_;
};

// The search pass over one extension item: every candidate goes to the matcher, every file
// with hits becomes a row, and after each entry one message is dispatched, the walk pauses
// (unless the request asks it not to) and a stop request ends it.
class FileSearch : public FolderVisitor {
public:
    FileSearch(EngineState& state, Platform& platform, const SearchRequest& request,
               const char* item, CGrexmo& pattern, MatchBuffers& buffers)
        : state_(state),
          platform_(platform),
          request_(request),
          item_(item),
          pattern_(pattern),
          buffers_(buffers) {}

    // False when the file's failure stops the search.
    bool VisitFile(const char* path) override {
        if (!MatchesExtension(path, item_)) return true;
        BeginCandidate(state_, platform_, request_);
        std::uint32_t fileSize = 0;
        char timeText[kTimeTextSize] = "";
        const int hits =
            SearchFile(platform_, request_, pattern_, buffers_, path, fileSize, timeText);
        buffers_.GiveBackLarge();
        return EndCandidate(state_, platform_, request_, path, hits, fileSize, timeText);
    }

    bool AfterEntry() override {
        platform_.ui.PumpOneMessage();
        if (request_.pauseAfterEntries) platform_.ui.Pause(1);
        return !state_.stopRequested;
    }

private:
    EngineState& state_;
    Platform& platform_;
    const SearchRequest& request_;
    const char* item_;
    CGrexmo& pattern_;
    MatchBuffers& buffers_;
};

}  // namespace

void BeginCandidate(EngineState& state, Platform& platform, const SearchRequest& request) {
    ++state.examinedFileCount;
    if (request.progress != nullptr) platform.progress.StepIt(request.progress);
}

bool EndCandidate(EngineState& state, Platform& platform, const SearchRequest& request,
                  const char* path, int hits, std::uint32_t fileSize, const char* timeText) {
    if (hits == kStopSearch) return false;
    if (hits > 0) {
        ++state.hitFileCount;
        AddResultRow(state, platform.rows, path, fileSize, hits, timeText, request.relativePaths,
                     request.countHits);
    }
    return true;
}

void ShowSummary(EngineState& state, Platform& platform, const SearchRequest& request) {
    char format[kTextBufferSize];
    platform.ui.LoadText(kMsgSummary, format, sizeof format);
    char text[kTextBufferSize];
    FormatLoaded(text, sizeof text, format, request.word, request.folder,
                 static_cast<int>(state.examinedFileCount), static_cast<int>(state.hitFileCount));
    platform.ui.ShowBox(request.owner, text, kEngineCaption, BoxKind::kInformation);
    if (request.progress != nullptr) platform.progress.SetPosition(request.progress, 0);
}

void CountCandidates(FileSystem& files, const char* folder, const char* item, bool searchSubfolders,
                     const char* excludeFolders, std::uint32_t& total) {
    CandidateCounter counter(item, total);
    WalkFolderTree(files, folder, searchSubfolders, excludeFolders, counter);
}

std::vector<ExtensionItem> StartSearch(EngineState& state, Platform& platform,
                                       const SearchRequest& request) {
    state.stopRequested = false;
    state.nextRow = 0;
    state.hitFileCount = 0;
    state.examinedFileCount = 0;
    const std::size_t folderLength = std::strlen(request.folder);
    state.baseFolderLength = folderLength > INT_MAX ? INT_MAX : static_cast<int>(folderLength);
    if (state.resultList != nullptr) platform.rows.DeleteAll();

    std::vector<ExtensionItem> items = SplitExtensionList(request.extensions);

    if (request.progress != nullptr) {
        std::uint32_t total = 0;
        for (const ExtensionItem& item : items)
            CountCandidates(platform.files, request.folder, item.text, request.searchSubfolders,
                            request.excludeFolders, total);
        platform.progress.SetRange(request.progress, total);
        platform.progress.SetStep(request.progress, 1);
    }
    return items;
}

bool WalkRequestFolder(FileSystem& files, const SearchRequest& request, FolderVisitor& visitor) {
    return WalkFolderTree(files, request.folder, request.searchSubfolders, request.excludeFolders,
                          visitor);
}

bool SearchItems(EngineState& state, Platform& platform, const SearchRequest& request,
                 const std::vector<ExtensionItem>& items) {
    CGrexmo pattern;
    pattern.Read(request.word, request.useRegex, request.folds);
    MatchBuffers buffers;
    for (const ExtensionItem& item : items) {
        FileSearch search(state, platform, request, item.text, pattern, buffers);
        if (!WalkRequestFolder(platform.files, request, search)) return false;
    }
    return true;
}

bool FindFolder(EngineState& state, Platform& platform, const SearchRequest& request) {
    const std::vector<ExtensionItem> items = StartSearch(state, platform, request);
    if (!SearchItems(state, platform, request, items)) return false;
    ShowSummary(state, platform, request);
    return true;
}

void RequestStop(EngineState& state, Platform& platform, WindowHandle owner,
                 WindowHandle progress) {
    state.stopRequested = true;
    char text[kTextBufferSize];
    platform.ui.LoadText(kMsgSearchStopped, text, sizeof text);
    platform.ui.ShowBox(owner, text, kEngineCaption, BoxKind::kInformation);
    if (progress != nullptr) platform.progress.SetPosition(progress, 0);
}

}  // namespace quelbrix
