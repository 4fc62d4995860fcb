// A lazy DFA over the reversed program (every concatenation turned around), run backwards
// from where a hit ends to find where it starts: the leftmost-first hit starts at the
// leftmost boundary from which some match ends at its end, so the reverse run keeps going
// past every match it meets and remembers the last. States are plain sets of instructions
// (order does not matter once the end is fixed).
//
// Shift_JIS cannot be split into characters reading backwards, so the stretch is walked
// forwards first: each byte gets a symbol that says what it is in its character (a whole
// single-byte character, the lead or the trail of a pair), and the DFA steps over those
// symbols backwards, a pair's trail before its lead. The assertions at a boundary see the
// character to its right (already read, kept in the state) and the one to its left (the
// character being stepped over), so every assertion is handled.
//
// The states live in a cache as large as the forward DFA's; when it is cleared too often for
// the bytes it covers, the DFA gives up for good and the Pike VM finds the starts again.
#ifndef GREXMO_REVERSE_DFA_H
#define GREXMO_REVERSE_DFA_H

#include "boundary.h"
#include "lazy_dfa.h"
#include "prog.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace grexmo {

// Test-only: with `on`, the matcher asks the reverse DFA for every start, even where the
// hit starts where nothing was alive before it.
void ForceReverseStartsForTesting(bool on);
bool ReverseStartsForced();

class ReverseDfa {
public:
    // `reversed` (see CompileReversed) must outlive the DFA.
    explicit ReverseDfa(const Prog& reversed);

    enum class Result { kStart, kNoStart, kGaveUp };

    // The leftmost boundary from `floor.pos` to `end` at which a match of the program starts
    // that ends at `end`, looking at the text as a whole (assertions see the characters on
    // both sides, the start of the text and the end at `length` or the first zero byte).
    // `floor` needs its `prev`; `end` must be a boundary at or after it. Reads the text from
    // floor.prev to two bytes after `end`.
    Result LeftmostStart(const unsigned char* text, std::size_t length, Boundary floor,
                         std::size_t end, std::size_t* start);

    bool GaveUp() const { return gaveUp_; }
    std::size_t Clears() const { return totalClears_; }

private:
    struct StateKey {
        std::vector<std::int32_t> insts;  // where the threads go on, sorted; not yet resolved
        std::uint8_t right = 0;           // what the character right of the boundary is
        int pendingTrail = -1;            // a pair's trail was read, its lead comes next
        std::uint8_t matchLen = 0;        // a match starts this many bytes to the right
    };

    void ComputeByteClasses();
    void Closure(std::vector<std::int32_t>* out, std::int32_t pc, std::uint8_t left,
                 std::uint8_t right, bool* matched);
    // Steps over the character `code` from a boundary state.
    StateKey Step(const StateKey& at, CharCode code, unsigned length);
    std::int32_t Transition(std::int32_t state, int symbol);
    std::int32_t Intern(const StateKey& key);
    std::int32_t Encode(std::int32_t target) const;
    std::int32_t StartState(std::uint8_t right);
    void ClearCache();
    // Fills symbols_ for the bytes of [from, to), which starts at a boundary.
    void FillSymbols(const unsigned char* text, std::size_t from, std::size_t to);

    const Prog& prog_;
    DfaCacheLimits limits_;
    std::uint8_t rightMask_ = 0;  // the facts the program's assertions read
    std::uint8_t classOf_[256] = {};
    std::vector<unsigned char> representative_;
    int classes_ = 0;  // symbols: classes, trails (classes_ + class), the start of the text
    int textStartSymbol_ = 0;
    int shift_ = 0;

    // Transitions by state << shift_ | symbol: the target << shift_, kUnknown, or -2 - the
    // target for a state the loop must look at (a match, or dead).
    std::vector<std::int32_t> trans_;
    std::vector<StateKey> keys_;
    std::vector<std::uint8_t> special_;
    std::unordered_map<std::string, std::int32_t> index_;
    std::size_t cacheBytes_ = 0;
    static constexpr int kRightValues = 32;
    std::int32_t startStates_[kRightValues];

    std::size_t totalClears_ = 0;
    // The bytes read since the cache was last cleared: in earlier searches, and in this one
    // from runFrom_ down to position_ (where the search is now).
    std::size_t bytesSinceClear_ = 0;
    std::size_t runFrom_ = 0;
    std::size_t position_ = 0;
    bool gaveUp_ = false;

    std::vector<std::uint8_t> symbols_;  // reused from search to search
    std::vector<std::size_t> chunkStarts_;
    std::vector<std::uint32_t> seen_;
    std::uint32_t generation_ = 0;
    std::vector<std::int32_t> stack_;
    std::vector<std::int32_t> scratch_;
};

}  // namespace grexmo

#endif
