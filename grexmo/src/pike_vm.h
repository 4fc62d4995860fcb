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
    // `prog` must outlive the VM; the thread lists are allocated here once. A VM that runs
    // over pieces of a text cut short (see LazyDfa) must not learn dead states from them.
    explicit PikeVm(const Prog& prog, bool learnsDeadStates = true);

    // The leftmost-first hit that starts at a boundary at or after `from` and before the
    // first zero byte or `length`, whichever comes first. Threads are only started where
    // `filter` allows.
    bool Search(const unsigned char* text, std::size_t length, Boundary from,
                const StartFilter& filter, Hit* hit);

    // Search() learns which states can never lead to a hit in the text it is given, and
    // skips them in later calls; this must be called before a search on another text, or on
    // the same buffer with changed contents.
    void ForgetText();

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
    // `mayBeDead`: whether `pos` lies before the end of the dead runs (see IsDead).
    void AddLeaf(ThreadList& list, std::int32_t pc, std::size_t start, bool mayBeDead,
                 std::size_t pos) {
        if (list.Has(pc) || (mayBeDead && IsDead(pc, pos))) return;
        list.index[pc] = static_cast<std::int32_t>(list.size);
        list.threads[list.size++] = {pc, start};
    }
    bool AssertionHolds(AssertKind kind, const unsigned char* text, std::size_t length,
                        Boundary at) const;
    // The instructions that consume or match, reached from `pc` through jumps and splits, in
    // priority order; null when the way there passes an anchor or the cache is full.
    const std::vector<std::int32_t>* Closure(std::int32_t pc);

    // Dead states. After the hit a search returns, the threads that outrank it run on until
    // they die without reaching Match (else the hit would have changed), and so does every
    // thread they lead to: each (instruction, position) they pass through can never lead to
    // a hit, whoever gets there. A later search on the same text drops threads there, so a
    // preferred branch that runs far past a hit and fails (a*b|a over a run of a) is not run
    // again from every following hit. Kept as one run of positions per instruction, which
    // keeps memory bounded: the instruction is dead at every boundary from `from` to `to`.
    struct DeadRun {
        std::size_t from = kNoPosition;  // empty
        std::size_t to = 0;
    };
    bool IsDead(std::int32_t pc, std::size_t pos) const {
        return pos < deadUntil_ && pos >= dead_[pc].from && pos <= dead_[pc].to;
    }
    // Notes the threads of a step after the current hit was found that found no other,
    // `previous` being the position of the step before.
    void NoteStep(const ThreadList& list, std::size_t pos, std::size_t previous);
    // A new hit was found: what was noted so far led to it.
    void DropNotes();
    void KeepNotesAsDead();

    const Prog& prog_;
    const bool learns_;
    ThreadList lists_[2];
    std::vector<std::int32_t> stack_;

    // Closures are worked out once per instruction on first use, within a memory budget.
    enum class ClosureState : unsigned char { kUnknown, kCached, kUncacheable };
    std::vector<ClosureState> closureState_;
    std::vector<std::vector<std::int32_t>> closures_;
    std::vector<std::uint32_t> seenMark_;
    std::uint32_t seenGeneration_ = 0;
    std::size_t closureEntries_ = 0;

    std::vector<DeadRun> dead_;
    std::size_t deadUntil_ = 0;  // past the end of every run
    // The current search's notes: a run of positions per instruction, valid where
    // noteMark_ equals noteGeneration_; notedPcs_ lists those instructions.
    std::vector<std::size_t> noteFrom_, noteTo_;
    std::vector<std::uint32_t> noteMark_;
    std::uint32_t noteGeneration_ = 0;
    std::vector<std::int32_t> notedPcs_;
};

}  // namespace grexmo

#endif
