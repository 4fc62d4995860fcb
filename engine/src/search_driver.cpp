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

namespace quelbrix {

namespace {

// The folders a walk is inside, from the top down. A link back to one of them would repeat
// the tree below it until the paths grow too long, and two such links double the paths at
// every level, so a folder already on the chain is not walked again. A folder whose identity
// tells nothing is followed; the path limit still ends a real loop through it.
using FolderChain = std::vector<FolderIdentity>;

// Puts the listed folder on the chain for as long as it is walked.
class ChainLink {
public:
    ChainLink(FolderChain& chain, FolderListing& listing) : chain_(chain) {
        FolderIdentity id;
        if (!listing.Identify(id) || !id.Distinct()) return;
        for (const FolderIdentity& outer : chain)
            if (outer == id) {
                repeated_ = true;
                return;
            }
        chain.push_back(id);
        linked_ = true;
    }
    ~ChainLink() {
        if (linked_) chain_.pop_back();
    }
    ChainLink(const ChainLink&) = delete;
    ChainLink& operator=(const ChainLink&) = delete;

    bool Repeated() const { return repeated_; }

private:
    FolderChain& chain_;
    bool linked_ = false;
    bool repeated_ = false;
};

// What every level of one walk shares.
struct Walk {
    EngineState& state;
    Platform& platform;
    const SearchRequest& request;
    const char* item;
    CGrexmo& pattern;
    MatchBuffers& buffers;
    FolderChain chain;
};

// False when the search is to end: a stop request or a file whose failure stops it.
bool SearchFolder(Walk& walk, const char* folder) {
    std::unique_ptr<FolderListing> listing = walk.platform.files.ListFolder(folder);
    if (!listing) return true;
    ChainLink link(walk.chain, *listing);
    if (link.Repeated()) return true;

    const SearchRequest& request = walk.request;
    const std::size_t folderLength = std::strlen(folder);
    FolderEntry entry;
    char path[kPathBytes];
    while (listing->Next(entry)) {
        EntryKind kind = BuildEntryPath(folder, folderLength, entry, request.searchSubfolders,
                                        walk.platform.files.Separator(), path);
        if (kind == EntryKind::kSkipped) continue;

        if (kind == EntryKind::kFolder) {
            if (!SearchFolder(walk, path)) return false;
        } else if (MatchesExtension(path, walk.item)) {
            ++walk.state.examinedFileCount;
            if (request.progress != nullptr) walk.platform.progress.StepIt(request.progress);
            std::uint32_t fileSize = 0;
            char timeText[kTimeTextSize] = "";
            int hits = SearchFile(walk.platform, request, walk.pattern, walk.buffers, path,
                                  fileSize, timeText);
            walk.buffers.GiveBackLarge();
            if (hits == kStopSearch) return false;
            if (hits > 0) {
                ++walk.state.hitFileCount;
                AddResultRow(walk.state, walk.platform.rows, path, fileSize, hits, timeText,
                             request.relativePaths, request.countHits);
            }
        }

        walk.platform.ui.PumpOneMessage();
        walk.platform.ui.Pause(1);
        if (walk.state.stopRequested) return false;
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

void CountIn(FileSystem& files, const char* folder, const char* item, bool searchSubfolders,
             std::uint32_t& total, FolderChain& chain) {
    std::unique_ptr<FolderListing> listing = files.ListFolder(folder);
    if (!listing) return;
    ChainLink link(chain, *listing);
    if (link.Repeated()) return;

    const std::size_t folderLength = std::strlen(folder);
    FolderEntry entry;
    char path[kPathBytes];
    while (listing->Next(entry)) {
        EntryKind kind =
            BuildEntryPath(folder, folderLength, entry, searchSubfolders, files.Separator(), path);
        if (kind == EntryKind::kFolder) {
            CountIn(files, path, item, searchSubfolders, total, chain);
        } else if (kind == EntryKind::kFile && MatchesExtension(path, item)) {
            ++total;
        }
    }
}

}  // namespace

void CountCandidates(FileSystem& files, const char* folder, const char* item, bool searchSubfolders,
                     std::uint32_t& total) {
    FolderChain chain;
    CountIn(files, folder, item, searchSubfolders, total, chain);
}

bool FindFolder(EngineState& state, Platform& platform, const SearchRequest& request) {
    state.stopRequested = false;
    state.nextRow = 0;
    state.hitFileCount = 0;
    state.examinedFileCount = 0;
    const std::size_t folderLength = std::strlen(request.folder);
    state.baseFolderLength = folderLength > INT_MAX ? INT_MAX : static_cast<int>(folderLength);
    if (state.resultList != nullptr) platform.rows.DeleteAll();

    const std::vector<ExtensionItem> items = SplitExtensionList(request.extensions);

    if (request.progress != nullptr) {
        std::uint32_t total = 0;
        for (const ExtensionItem& item : items)
            CountCandidates(platform.files, request.folder, item.text, request.searchSubfolders,
                            total);
        platform.progress.SetRange(request.progress, total);
        platform.progress.SetStep(request.progress, 1);
    }

    CGrexmo pattern;
    pattern.Read(request.word, request.useRegex);
    MatchBuffers buffers;
    for (const ExtensionItem& item : items) {
        Walk walk{state, platform, request, item.text, pattern, buffers, {}};
        if (!SearchFolder(walk, request.folder)) return false;
    }

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
