// The candidates of a search in flight between the walk, the threads that match them and the
// calling thread that shows them: a fixed ring of places, numbered in walk order, so memory
// stays the same whatever the tree, and the calling thread takes the files in the walk's order
// whichever thread finished first. Workers take candidates in runs and the other two sides
// sleep until a run is done or half the ring is free, so that a thread is woken once for many
// small files rather than once for each.
#ifndef QUELBRIX_CANDIDATE_PIPELINE_H
#define QUELBRIX_CANDIDATE_PIPELINE_H

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <vector>

#include "common/text_limits.h"
#include "file_matcher.h"
#include "hit_line_recording.h"

namespace quelbrix {

// One candidate file. Whoever holds its place (the walk, then one worker, then the calling
// thread) is the only one to touch it; the pipeline's lock hands it on.
struct Candidate {
    char path[kPathBytes] = "";
    FileMatch match;
    HitLineRecording lines;     // its hit lines, when the search has a sink for them
    std::exception_ptr error;  // what matching it threw, thrown again in its turn
};

// Candidates a worker takes at once, at most.
constexpr std::size_t kCandidateRun = 32;

// A run of candidates taken by one worker: consecutive numbers, in walk order.
struct CandidateRun {
    Candidate* candidates[kCandidateRun];
    std::size_t count = 0;
};

class CandidatePipeline {
public:
    // `places` candidates in flight at most; each recording keeps at most `recordingBytes`.
    CandidatePipeline(std::size_t places, std::size_t recordingBytes);
    CandidatePipeline(const CandidatePipeline&) = delete;
    CandidatePipeline& operator=(const CandidatePipeline&) = delete;

    // The walk: the next candidate, once a place is free; false when the search was cancelled.
    bool Push(const char* path);
    // The walk is over; `error` is what it threw, or null.
    void EndWalk(std::exception_ptr error);

    // A worker: the oldest candidates no one matches yet, once there are some; none when the
    // walk ended and every candidate is taken, or the search was cancelled.
    CandidateRun TakeToMatch();
    void Matched(const CandidateRun& run);

    // The calling thread: the next candidate in walk order once it is matched; null when the
    // walk ended and every candidate was taken. Then Release() it before the next one.
    Candidate* NextMatched();
    void Release();
    // What the walk threw, once NextMatched answered null.
    std::exception_ptr WalkError();

    // Ends the walk and the workers early: no candidate is pushed or handed out after this.
    void Cancel();
    // Read by the walk between entries without the lock; written under it.
    bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

private:
    enum class Stage { kFree, kWaiting, kMatching, kMatched };
    std::size_t PlaceOf(std::uint64_t number) const {
        return static_cast<std::size_t>(number % places_.size());
    }

    std::mutex mutex_;  // guards everything below but the candidates themselves
    std::condition_variable placesFreed_;
    std::condition_variable candidatesWaiting_;
    std::condition_variable candidateMatched_;
    std::vector<Candidate> places_;  // candidate n is at n % size
    std::vector<Stage> stages_;
    std::uint64_t pushed_ = 0;       // candidates the walk gave
    std::uint64_t nextToMatch_ = 0;  // the first not yet taken by a worker
    std::uint64_t taken_ = 0;        // the first not yet released by the calling thread
    bool walkEnded_ = false;
    bool walkWaits_ = false;    // for free places
    bool callerWaits_ = false;  // for candidate taken_
    int idleWorkers_ = 0;
    std::exception_ptr walkError_;
    std::atomic<bool> cancelled_{false};
};

}  // namespace quelbrix

#endif
