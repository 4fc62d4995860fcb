// The search with its files matched on several threads: one walks the tree and numbers the
// candidates, the workers read, convert and match them, and the calling thread takes them in
// number order and does everything anyone sees, with the very steps FindFolder takes.
#include <algorithm>
#include <exception>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "candidate_pipeline.h"
#include "engine/search_driver.h"
#include "file_matcher.h"
#include "search_steps.h"

namespace quelbrix {

namespace {

// Candidates in flight per worker: room for a few runs each, so that no worker waits while
// the calling thread shows files. A place is a small record; the files' text stays in the
// workers' buffers, and only hit lines are kept, up to kRecordedBytes for all places together.
constexpr std::size_t kPlacesPerWorker = 4 * kCandidateRun;
constexpr std::size_t kRecordedBytes = std::size_t{64} << 20;
constexpr std::size_t kLeastRecordedBytes = std::size_t{64} << 10;  // per place

// One extension item's walk, feeding its candidates to the pipeline in walk order.
class CandidateFeed : public FolderVisitor {
public:
    CandidateFeed(CandidatePipeline& pipeline, const char* item)
        : pipeline_(pipeline), item_(item) {}

    bool VisitFile(const char* path) override {
        return !MatchesExtension(path, item_) || pipeline_.Push(path);
    }

    // FindFolder dispatches one message and pauses after each entry to keep the caller's
    // window alive; that must happen on the caller's thread, and the callers of this driver
    // have no window (the console answers both with nothing). So here only the end of a
    // cancelled search is looked for.
    bool AfterEntry() override { return !pipeline_.Cancelled(); }

private:
    CandidatePipeline& pipeline_;
    const char* item_;
};

// The walk thread; `items` and the request are only read while the search runs. Whatever
// the walk throws is kept and thrown again on the calling thread
// once every candidate before it is shown, where FindFolder would have thrown it.
void FeedCandidates(FileSystem& files, const SearchRequest& request,
                    const std::vector<ExtensionItem>& items, CandidatePipeline& pipeline) noexcept {
    std::exception_ptr error;
    try {
        for (const ExtensionItem& item : items) {
            CandidateFeed feed(pipeline, item.text);
            if (!WalkRequestFolder(files, request, feed)) break;
        }
    } catch (...) {
        error = std::current_exception();
    }
    // The pipeline's lock fails only when the system's threads do; that ends the program.
    pipeline.EndWalk(error);
}

// A worker thread: matches candidates until none is left. Each worker compiles the word for
// itself, since a compiled pattern's DFA cache changes as it matches, and keeps its own
// buffers. Shared with the other threads: the request, which nobody changes while the search
// runs, and the file system, whose adapters answer several threads at once (each says how).
void MatchCandidates(FileSystem& files, const SearchRequest& request,
                     CandidatePipeline& pipeline) noexcept {
    std::unique_ptr<CGrexmo> pattern;
    MatchBuffers buffers;
    for (CandidateRun run = pipeline.TakeToMatch(); run.count > 0; run = pipeline.TakeToMatch()) {
        for (std::size_t i = 0; i < run.count; ++i) {
            Candidate& candidate = *run.candidates[i];
            try {
                if (!pattern) {
                    pattern = std::make_unique<CGrexmo>();
                    pattern->Read(request.word, request.useRegex, request.folds);
                }
                HitLineSink* sink = request.hitLines != nullptr ? &candidate.lines : nullptr;
                MatchFile(files, request, *pattern, buffers, candidate.path, true, sink,
                          candidate.match);
            } catch (...) {
                pattern.reset();  // it may be half compiled
                candidate.error = std::current_exception();
            }
            buffers.GiveBackLarge();
        }
        pipeline.Matched(run);
    }
}

// The threads of one search, cancelled and joined on every way out.
class SearchThreads {
public:
    explicit SearchThreads(CandidatePipeline& pipeline) : pipeline_(pipeline) {}
    ~SearchThreads() {
        pipeline_.Cancel();
        for (std::thread& thread : threads_) thread.join();
    }
    SearchThreads(const SearchThreads&) = delete;
    SearchThreads& operator=(const SearchThreads&) = delete;

    // False when the system gave no thread.
    template <class Body>
    bool Start(Body body) {
        try {
            threads_.emplace_back(std::move(body));
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }

private:
    CandidatePipeline& pipeline_;
    std::vector<std::thread> threads_;
};

// The calling thread's part: each candidate in walk order, shown as FindFolder shows it.
// False when a file's failure or a stop request ends the search.
bool ShowInWalkOrder(EngineState& state, Platform& platform, const SearchRequest& request,
                     CandidatePipeline& pipeline) {
    while (Candidate* candidate = pipeline.NextMatched()) {
        if (candidate->error) std::rethrow_exception(candidate->error);
        BeginCandidate(state, platform, request);
        FileMatch& match = candidate->match;
        int hits;
        if (candidate->lines.Incomplete()) {
            // Its lines were too many to keep (or memory ran short): it is searched again here,
            // straight into the search's sink, as FindFolder searches it.
            hits = SearchFile(platform, request, candidate->path, match.fileSize, match.timeText);
        } else {
            if (request.hitLines != nullptr && match.outcome == TextOutcome::kRead)
                match.hits = candidate->lines.Replay(candidate->path, *request.hitLines);
            hits = ResolveFileMatch(platform, request, candidate->path, match);
        }
        const bool goOn = EndCandidate(state, platform, request, candidate->path, hits,
                                       match.fileSize, match.timeText);
        candidate->lines.Clear();
        pipeline.Release();
        // No message is dispatched here, but a box's own message loop may have delivered one.
        if (!goOn || state.stopRequested) return false;
    }
    if (std::exception_ptr error = pipeline.WalkError()) std::rethrow_exception(error);
    return true;
}

// Starts the workers and the walk; false when not even one worker or the walk could start.
bool StartThreads(SearchThreads& threads, unsigned workers, FileSystem& files,
                  const SearchRequest& request, const std::vector<ExtensionItem>& items,
                  CandidatePipeline& pipeline) {
    unsigned started = 0;
    while (started < workers &&
           threads.Start([&files, &request, &pipeline] {
               MatchCandidates(files, request, pipeline);
           }))
        ++started;
    return started > 0 && threads.Start([&files, &request, &items, &pipeline] {
        FeedCandidates(files, request, items, pipeline);
    });
}

}  // namespace

bool FindFolderOnThreads(EngineState& state, Platform& platform, const SearchRequest& request,
                         unsigned threads) {
    if (threads <= 1) return FindFolder(state, platform, request);
    const unsigned workers = std::min(threads, kMaxSearchThreads);
    const std::vector<ExtensionItem> items = StartSearch(state, platform, request);
    const std::size_t places = workers * kPlacesPerWorker;
    CandidatePipeline pipeline(places, std::max(kRecordedBytes / places, kLeastRecordedBytes));
    bool ranToEnd = false;
    bool started = false;
    {
        SearchThreads running(pipeline);
        started = StartThreads(running, workers, platform.files, request, items, pipeline);
        if (started) ranToEnd = ShowInWalkOrder(state, platform, request, pipeline);
    }
    // Without threads the search runs as FindFolder runs it, on this thread.
    if (!started) ranToEnd = SearchItems(state, platform, request, items);
    if (!ranToEnd) return false;
    ShowSummary(state, platform, request);
    return true;
}

}  // namespace quelbrix
