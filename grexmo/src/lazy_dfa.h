// A lazy DFA over the compiled program: deterministic states built on demand, each an ordered
// list of the program's consuming instructions (highest priority first), so that the first
// Match in a list cuts off what it outranks exactly as in the Pike VM. It steps over bytes,
// grouped into classes the program cannot tell apart; a lead byte leads to a state that
// remembers its class until the next byte shows whether it pairs with it, so starts are only
// ever added at character boundaries; the assertions at a boundary wait for the byte after
// it. It finds where the leftmost-first hit ends and a boundary at or before its start; the
// hit mostly starts right there, else the Pike VM runs over just that stretch.
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
    // `prog` must outlive the DFA. `filter` is the one searches will be given.
    LazyDfa(const Prog& prog, const StartFilter& filter);

    enum class Result { kNoHit, kHit, kGaveUp };

    // Looks for the leftmost-first hit that starts at a boundary at or after `from` (whose
    // `prev` must be right, for \b), before the first zero byte or `length`. On kHit, `*end` is where that hit ends and
    // `*startFloor` a boundary at or after `from` and at or before its start. Hits can only
    // start where `filter` allows.
    Result FindEnd(const unsigned char* text, std::size_t length, Boundary from,
                   const StartFilter& filter, std::size_t* end, std::size_t* startFloor);

    // Whether a hit starts at the boundary `start` and ends at or before `limit`: then it is
    // the hit FindEnd found when `start` is its `*startFloor` and `limit` its `*end`. Reads no
    // further than two bytes after `limit`.
    bool HitStartsAt(const unsigned char* text, std::size_t length, Boundary start,
                     std::size_t limit);

    // FindEnd remembers states its scan passed through after a hit; this must be called
    // before a search on another text, or on the same buffer with changed contents.
    void ForgetText() {
        checkpoints_.clear();
        checkpointsFrom_ = 0;
    }

    std::size_t Clears() const { return totalClears_; }

private:
    // At a boundary, the assertions there wait for the next byte (a line may end before it,
    // a word may start), so a boundary state holds the instructions the threads go on at,
    // not yet followed through jumps and assertions, and what the character before was. A
    // lead byte tells the assertions enough: the state after it holds the consuming
    // instructions (and Match) themselves. A CR waits for one more byte, which tells whether
    // a line ends before it.
    struct StateKey {
        std::vector<std::int32_t> insts;  // in priority order
        bool startsLeft = false;          // no Match yet: new starts are still added at boundaries
        // A boundary with no thread from an earlier start (for a pending lead or CR: the
        // boundary before it was).
        bool fresh = false;
        int pendingLead = -1;     // the class of a lead byte whose character is unfinished
        bool pendingCr = false;   // a CR after the boundary, waiting for the next byte
        std::uint8_t behind = 0;  // the character before the boundary (kAfter...)
        int matchBack = -1;       // a hit ends this many bytes before the state's position
    };
    enum : std::uint8_t { kSpecialDead = 1, kSpecialMatch = 2, kSpecialStart = 4 };
    static constexpr std::int8_t kEndUnknown = -2;
    struct StateInfo {
        std::uint8_t special = 0;
        std::int8_t endMatch = kEndUnknown;  // else what HitAtEnd gives
    };
    // What the byte after a boundary tells the assertions there.
    struct Ahead {
        bool word;      // a word character follows
        bool lineEnd;   // a line ends here
        CharCode mark;  // the half-width sound mark that follows, or 0
    };

    void ComputeByteClasses();
    static bool Holds(AssertKind kind, std::uint8_t behind, Ahead ahead);
    void AddClosure(std::vector<std::int32_t>* out, std::int32_t pc, std::uint8_t behind,
                    Ahead ahead, bool* matched);
    // A boundary state's consuming instructions (and Match, which ends the list; matchBack
    // is then 0), with the starts added while they are left.
    StateKey Resolve(const StateKey& at, Ahead ahead);
    // The boundary state after the character `code`, from resolved instructions.
    StateKey After(const StateKey& resolved, CharCode code, std::uint8_t behind);
    StateKey FromBoundary(const StateKey& at, unsigned char b, int byteClass);
    std::int32_t StartState(std::uint8_t behind);
    // The state of a search that adds no starts after the one at its first position.
    std::int32_t AnchoredState(std::uint8_t behind);
    std::int32_t Transition(std::int32_t state, int byteClass);
    // How many bytes before the end of the text a hit ends that shows only there; -1: none.
    int HitAtEnd(std::int32_t state);
    std::int32_t Intern(const StateKey& key);
    // The value of a transition from a state to `target`; see trans_.
    std::int32_t Encode(bool fromFresh, std::int32_t target) const;
    void ClearCache();
    static std::string KeyBytes(const StateKey& key);
    static std::uint8_t SpecialOf(const StateKey& key);

    const Prog& prog_;
    DfaCacheLimits limits_;
    std::uint8_t behindMask_;  // the `behind` bits the program's assertions read
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
    static constexpr int kBehindValues = 32;
    std::int32_t startStates_[kBehindValues];  // by `behind`; -1 until built
    std::int32_t anchoredStates_[kBehindValues];
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
