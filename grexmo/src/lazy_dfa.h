// A lazy DFA over the compiled program: deterministic states built on demand, each an ordered
// list of the program's consuming instructions (highest priority first), so that the first
// Match in a list cuts off what it outranks exactly as in the Pike VM. It steps over bytes,
// grouped into classes the program cannot tell apart; a lead byte leads to a state that
// remembers its class until the next byte shows whether it pairs with it, so starts are only
// ever added at character boundaries. It finds where the leftmost-first hit ends and a
// boundary at or before its start; the Pike VM then runs over just that stretch.
//
// The states live in a cache of bounded size that is cleared when full; a search that keeps
// clearing it while moving only a few bytes per new state gives up, and the caller runs the
// Pike VM instead, so the work stays linear in the text either way.
#ifndef GREXMO_LAZY_DFA_H
#define GREXMO_LAZY_DFA_H

#include "boundary.h"
#include "prog.h"
#include "start_filter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace grexmo {

struct DfaCacheLimits {
    std::size_t bytes = std::size_t{2} << 20;  // states and their transitions, at most
    // After this many clears within one search, a search that moved fewer bytes per state
    // built since the last clear than `minBytesPerState` gives up.
    unsigned clearsBeforeGivingUp = 3;
    std::size_t minBytesPerState = 16;
};

// Test-only: the limits of the DFAs made from now on (the defaults when never set).
void SetDfaCacheLimitsForTesting(const DfaCacheLimits& limits);
DfaCacheLimits CurrentDfaCacheLimits();

class LazyDfa {
public:
    // Whether the DFA decides the hits of `prog` exactly: assertions that look at the next
    // character ($, \b, \B) are left to the Pike VM.
    static bool Handles(const Prog& prog);

    // `prog` must outlive the DFA. `filter` is the one searches will be given.
    LazyDfa(const Prog& prog, const StartFilter& filter);

    enum class Result { kNoHit, kHit, kGaveUp };

    // Looks for the leftmost-first hit that starts at a boundary at or after `from`, before
    // the first zero byte or `length`. On kHit, `*end` is where that hit ends and
    // `*startFloor` a boundary at or after `from` and at or before its start. Hits can only
    // start where `filter` allows.
    Result FindEnd(const unsigned char* text, std::size_t length, Boundary from,
                   const StartFilter& filter, std::size_t* end, std::size_t* startFloor);

    // Whether a hit starts at the boundary `start` and ends at or before `limit`: then it is
    // the hit FindEnd found when `start` is its `*startFloor` and `limit` its `*end`. Reads no
    // further than `limit` and the byte after it.
    bool HitStartsAt(const unsigned char* text, std::size_t length, std::size_t start,
                     std::size_t limit);

    // FindEnd remembers states its scan passed through after a hit; this must be called
    // before a search on another text, or on the same buffer with changed contents.
    void ForgetText() {
        checkpoints_.clear();
        checkpointsFrom_ = 0;
    }

    std::size_t Clears() const { return totalClears_; }

private:
    // A state's instructions and the facts about it that its key holds besides.
    struct StateKey {
        std::vector<std::int32_t> insts;  // leaves (Char, Class, Match) in priority order
        bool startsLeft = false;          // no Match yet: new starts are still added at boundaries
        // A boundary with no thread from an earlier start (for a pending lead: the boundary
        // before it was).
        bool fresh = false;
        int pendingLead = -1;  // the class of a lead byte whose character is unfinished
        int matchBack = -1;    // a hit ends this many bytes before the state's position
    };
    enum : std::uint8_t { kSpecialDead = 1, kSpecialMatch = 2, kSpecialStart = 4 };
    struct StateInfo {
        std::uint8_t special = 0;
        std::int8_t endMatch = -1;  // unknown; else whether a hit ends at the end of the text
    };

    void ComputeByteClasses();
    void AddClosure(std::vector<std::int32_t>* out, std::int32_t pc, bool lineStart, bool* matched);
    // The list after the character `code` from the list `insts` (with new starts when
    // `startsLeft`), at a boundary that is a line start when `lineStart`.
    StateKey Step(const StateKey& from, CharCode code, bool lineStart);
    std::int32_t StartState(bool lineStart);
    // The state of a search that adds no starts after the one at its first position.
    std::int32_t AnchoredState(bool lineStart);
    std::int32_t Transition(std::int32_t state, int byteClass);
    bool HitAtEnd(std::int32_t state);
    std::int32_t Intern(const StateKey& key);
    // The value of a transition from a state to `target`; see trans_.
    std::int32_t Encode(bool fromFresh, std::int32_t target) const;
    void ClearCache();
    static std::string KeyBytes(const StateKey& key);
    static std::uint8_t SpecialOf(const StateKey& key);

    const Prog& prog_;
    DfaCacheLimits limits_;
    std::uint8_t classOf_[256] = {};
    std::vector<unsigned char> representative_;  // one byte of each class
    int stride_ = 0;                             // the number of classes, rounded up
    int shift_ = 0;                              // stride_ == 1 << shift_

    // Transitions by state * stride_ + class: the target's index * stride_ for a plain
    // state, kUnknown, or -2 - index when the search loop must look: at a hit or the end,
    // and where it needs to know the last boundary with nothing alive. With the filter,
    // that is on entering the start state, which the filter jumps on from; without it, on
    // leaving such a boundary for a state that is not one.
    bool useFilter_ = false;
    std::vector<std::int32_t> trans_;
    std::vector<StateKey> keys_;
    std::vector<StateInfo> info_;
    std::unordered_map<std::string, std::int32_t> index_;
    std::size_t cacheBytes_ = 0;
    std::int32_t startStates_[2] = {-1, -1};
    std::int32_t anchoredStates_[2] = {-1, -1};
    std::size_t totalClears_ = 0;
    std::size_t lastClearStates_ = 0;  // states the cache held when it was last cleared

    // The counting loop runs the DFA again over what the last search read after its hit.
    // Where that search's scan was in state `state` at `pos` and entered no hit from there
    // on, a later scan in the same state at the same place will enter none either, and
    // stops. Recorded every kCheckpointStride bytes, at positions that are multiples of it.
    struct Checkpoint {
        std::size_t pos;
        std::int32_t state;
    };
    bool Coincides(std::size_t pos, std::int32_t state) const;
    void KeepCheckpoints(std::size_t lastHitEntered, std::size_t upTo);
    std::vector<Checkpoint> checkpoints_;  // every stride, valid from checkpointsFrom_ on
    std::size_t checkpointsFrom_ = 0;
    std::vector<Checkpoint> scanMarks_;  // the current scan's, after its first hit

    std::vector<std::uint32_t> seen_;
    std::uint32_t generation_ = 0;
    std::vector<std::int32_t> stack_;
};

}  // namespace grexmo

#endif
