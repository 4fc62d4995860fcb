// The matching engine: a Pike VM stepping over whole characters. Threads are kept in
// priority order, so the first thread to reach Match gives the leftmost-first hit; every
// character of the text is looked at once per live instruction, which keeps a search linear
// in the text's length whatever the pattern.
#ifndef GREXMO_PIKE_VM_H
#define GREXMO_PIKE_VM_H

#include "boundary.h"
#include "prog.h"
#include "start_filter.h"

#include <cstddef>
#include <vector>

namespace grexmo {

struct Hit {
    std::size_t begin = 0;
    Boundary end;
};

class PikeVm {
public:
    // `prog` must outlive the VM; the thread lists are allocated here once.
    explicit PikeVm(const Prog& prog);

    // The leftmost-first hit that starts at a boundary at or after `from` and before the
    // first zero byte or `length`, whichever comes first. Threads are only started where
    // `filter` allows.
    bool Search(const unsigned char* text, std::size_t length, Boundary from, const StartFilter& filter,
                Hit* hit);

private:
    struct Thread {
        std::int32_t pc;
        std::size_t start;
    };
    // A sparse set of threads: constant-time membership, insertion order kept.
    struct ThreadList {
        std::vector<std::int32_t> index;  // by pc: position in `threads` when present
        std::vector<Thread> threads;
        std::size_t size = 0;
        bool Has(std::int32_t pc) const {
            std::int32_t i = index[pc];
            return i >= 0 && static_cast<std::size_t>(i) < size && threads[i].pc == pc;
        }
    };

    void AddThread(ThreadList& list, std::int32_t pc, std::size_t start, const unsigned char* text,
                   std::size_t length, Boundary at);
    void AddLeaf(ThreadList& list, std::int32_t pc, std::size_t start) {
        if (list.Has(pc)) return;
        list.index[pc] = static_cast<std::int32_t>(list.size);
        list.threads[list.size++] = {pc, start};
    }
    bool AssertionHolds(AssertKind kind, const unsigned char* text, std::size_t length, Boundary at) const;
    // The instructions that consume or match, reached from `pc` through jumps and splits, in
    // priority order; null when the way there passes an anchor or the cache is full.
    const std::vector<std::int32_t>* Closure(std::int32_t pc);

    const Prog& prog_;
    ThreadList lists_[2];
    std::vector<std::int32_t> stack_;

    // Closures are worked out once per instruction on first use, within a memory budget.
    enum class ClosureState : unsigned char { Unknown, Cached, Uncacheable };
    std::vector<ClosureState> closureState_;
    std::vector<std::vector<std::int32_t>> closures_;
    std::vector<std::uint32_t> seenMark_;
    std::uint32_t seenGeneration_ = 0;
    std::size_t closureEntries_ = 0;
};

}  // namespace grexmo

#endif
