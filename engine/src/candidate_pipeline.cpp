#include "candidate_pipeline.h"

#include <algorithm>
#include <utility>

#include "common/bounded_copy.h"

namespace quelbrix {

CandidatePipeline::CandidatePipeline(std::size_t places, std::size_t recordingBytes)
    : places_(std::max<std::size_t>(places, 1)), stages_(places_.size(), Stage::kFree) {
    for (Candidate& candidate : places_) candidate.lines.Limit(recordingBytes);
}

bool CandidatePipeline::Push(const char* path) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (pushed_ - taken_ == places_.size()) {
        walkWaits_ = true;
        placesFreed_.wait(lock, [this] { return Cancelled() || pushed_ - taken_ < places_.size(); });
        walkWaits_ = false;
    }
    if (Cancelled()) return false;
    const std::size_t place = PlaceOf(pushed_);
    Candidate& candidate = places_[place];
    CopyBounded(candidate.path, sizeof candidate.path, path);
    candidate.error = nullptr;
    stages_[place] = Stage::kWaiting;
    ++pushed_;
    // Workers are woken for a run, or at once when the calling thread waits for one.
    const bool wake =
        idleWorkers_ > 0 && (pushed_ - nextToMatch_ >= kCandidateRun || callerWaits_);
    lock.unlock();
    if (wake) candidatesWaiting_.notify_one();
    return true;
}

void CandidatePipeline::EndWalk(std::exception_ptr error) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        walkEnded_ = true;
        walkError_ = std::move(error);
    }
    candidatesWaiting_.notify_all();
    candidateMatched_.notify_all();
}

CandidateRun CandidatePipeline::TakeToMatch() {
    std::unique_lock<std::mutex> lock(mutex_);
    ++idleWorkers_;
    candidatesWaiting_.wait(
        lock, [this] { return Cancelled() || nextToMatch_ < pushed_ || walkEnded_; });
    --idleWorkers_;
    CandidateRun run;
    if (Cancelled()) return run;
    // Several idle workers share what is waiting rather than one taking all of it.
    const std::uint64_t waiting = pushed_ - nextToMatch_;
    const std::uint64_t share =
        std::max<std::uint64_t>(waiting / static_cast<std::uint64_t>(idleWorkers_ + 1), 1);
    const auto count =
        static_cast<std::size_t>(std::min({share, waiting, std::uint64_t{kCandidateRun}}));
    for (; run.count < count; ++run.count) {
        const std::size_t place = PlaceOf(nextToMatch_++);
        stages_[place] = Stage::kMatching;
        run.candidates[run.count] = &places_[place];
    }
    return run;
}

void CandidatePipeline::Matched(const CandidateRun& run) {
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (std::size_t i = 0; i < run.count; ++i) {
            const std::size_t place = static_cast<std::size_t>(run.candidates[i] - places_.data());
            stages_[place] = Stage::kMatched;
            wake = wake || (callerWaits_ && place == PlaceOf(taken_));
        }
    }
    if (wake) candidateMatched_.notify_one();
}

Candidate* CandidatePipeline::NextMatched() {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto ready = [this] {
        return taken_ < pushed_ ? stages_[PlaceOf(taken_)] == Stage::kMatched : walkEnded_;
    };
    if (!ready()) {
        // The candidate may wait for a run to fill up: have a worker take it now.
        if (taken_ < pushed_ && stages_[PlaceOf(taken_)] == Stage::kWaiting && idleWorkers_ > 0)
            candidatesWaiting_.notify_one();
        callerWaits_ = true;
        candidateMatched_.wait(lock, ready);
        callerWaits_ = false;
    }
    if (taken_ == pushed_) return nullptr;
    return &places_[PlaceOf(taken_)];
}

void CandidatePipeline::Release() {
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stages_[PlaceOf(taken_)] = Stage::kFree;
        ++taken_;
        // The walk sleeps until half the ring is free, not one place at a time.
        wake = walkWaits_ && pushed_ - taken_ <= places_.size() / 2;
    }
    if (wake) placesFreed_.notify_one();
}

std::exception_ptr CandidatePipeline::WalkError() {
    std::lock_guard<std::mutex> lock(mutex_);
    return walkError_;
}

void CandidatePipeline::Cancel() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        cancelled_.store(true, std::memory_order_relaxed);
    }
    placesFreed_.notify_all();
    candidatesWaiting_.notify_all();
    candidateMatched_.notify_all();
}

}  // namespace quelbrix
