#include "candidate_pipeline.h"

#include <utility>

#include "common/bounded_copy.h"

namespace quelbrix {

CandidatePipeline::CandidatePipeline(std::size_t places)
    : places_(places > 0 ? places : 1), stages_(places_.size(), Stage::kFree) {}

bool CandidatePipeline::Push(const char* path) {
    std::unique_lock<std::mutex> lock(mutex_);
    placeFreed_.wait(lock, [this] { return Cancelled() || pushed_ - taken_ < places_.size(); });
    if (Cancelled()) return false;
    const std::size_t place = PlaceOf(pushed_);
    Candidate& candidate = places_[place];
    CopyBounded(candidate.path, sizeof candidate.path, path);
    candidate.error = nullptr;
    stages_[place] = Stage::kWaiting;
    ++pushed_;
    lock.unlock();
    candidateWaiting_.notify_one();
    return true;
}

void CandidatePipeline::EndWalk(std::exception_ptr error) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        walkEnded_ = true;
        walkError_ = std::move(error);
    }
    candidateWaiting_.notify_all();
    candidateMatched_.notify_all();
}

Candidate* CandidatePipeline::TakeToMatch() {
    std::unique_lock<std::mutex> lock(mutex_);
    candidateWaiting_.wait(
        lock, [this] { return Cancelled() || nextToMatch_ < pushed_ || walkEnded_; });
    if (Cancelled() || nextToMatch_ == pushed_) return nullptr;
    const std::size_t place = PlaceOf(nextToMatch_++);
    stages_[place] = Stage::kMatching;
    return &places_[place];
}

void CandidatePipeline::Matched(Candidate& candidate) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stages_[static_cast<std::size_t>(&candidate - places_.data())] = Stage::kMatched;
    }
    // Only the calling thread waits for matched candidates.
    candidateMatched_.notify_one();
}

Candidate* CandidatePipeline::NextMatched() {
    std::unique_lock<std::mutex> lock(mutex_);
    candidateMatched_.wait(lock, [this] {
        return taken_ < pushed_ ? stages_[PlaceOf(taken_)] == Stage::kMatched : walkEnded_;
    });
    if (taken_ == pushed_) return nullptr;
    return &places_[PlaceOf(taken_)];
}

void CandidatePipeline::Release() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stages_[PlaceOf(taken_)] = Stage::kFree;
        ++taken_;
    }
    placeFreed_.notify_one();
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
    placeFreed_.notify_all();
    candidateWaiting_.notify_all();
    candidateMatched_.notify_all();
}

}  // namespace quelbrix
