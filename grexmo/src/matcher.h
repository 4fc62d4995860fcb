// Behind CGrexmo: one compiled pattern, the state kept between successive Find() calls on
// the same text, and the text of the last hit.
#ifndef GREXMO_MATCHER_H
#define GREXMO_MATCHER_H

#include "boundary.h"
#include "lazy_dfa.h"
#include "literal_count.h"
#include "pike_vm.h"
#include "prog.h"
#include "reverse_dfa.h"
#include "start_filter.h"

#include "grexmo/grexmo.h"

#include <cstddef>
#include <memory>
#include <string>

namespace grexmo {

class Matcher {
public:
    // Replaces the compiled pattern; a null pattern is refused like a malformed one.
    // `folds`: GrexmoFold values, for the whole pattern.
    void Compile(const char* pattern, bool isRegex, unsigned folds);
    // What CGrexmo's searches of the same names answer.
    int Find(const char* text, int start);
    long long FindIn(const char* text, std::size_t length, std::size_t start);
    long long Count(const char* text, std::size_t length);
    std::size_t FindHits(const char* text, std::size_t length, std::size_t* start, GrexmoHit* hits,
                         std::size_t capacity);

    // After an allocation failed while compiling: finds nothing, allocates nothing.
    void FailOutOfMemory() noexcept;

    const char* HitText() const { return hit_.c_str(); }
    bool IsValid() const { return valid_; }
    const char* ErrorText() const { return outOfMemory_ ? "out of memory" : error_.c_str(); }

private:
    void Reset() noexcept;
    bool FindLiteral(const unsigned char* text, Boundary from, Hit* hit) const;
    // The DFA finds where the hit ends, the VM its start over just that stretch; false with
    // `*gaveUp` set when the DFA's cache keeps overflowing.
    bool FindWithDfa(const unsigned char* text, Boundary from, Hit* hit, bool* gaveUp);
    // The leftmost-first hit from `from` on in the first length_ bytes, by whichever engine
    // the pattern has; every engine stops at a zero byte as at the end of the text.
    bool Search(const unsigned char* text, Boundary from, Hit* hit);
    // The same, where the text ends at its first zero byte: the start filters skip ahead
    // without looking at zeros, so a hit reaching past what is known to hold none has that
    // stretch checked, and when it holds one the text is cut there and searched again.
    bool NextHit(const unsigned char* text, Boundary from, Hit* hit);
    // Where the walk of all hits goes on after `hit`: at its end, or one whole character
    // further after an empty hit; false when the text ends there.
    bool After(const unsigned char* text, const Hit& hit, Boundary* next);
    // Count and FindHits of a whole literal, in one walk; the zero byte it met cuts the text.
    LiteralWalkEnd WalkLiteral(const unsigned char* text, Boundary from, GrexmoHit* hits,
                               std::size_t capacity);
    // The text ends at `zero`, a zero byte found within it.
    void CutAt(std::size_t zero);
    // Prepares the scan state for `text` and returns the first boundary at or after `start`;
    // false when `start` lies beyond the text. With `measure` the text is zero-terminated and
    // `length` is ignored.
    bool Resume(const char* text, std::size_t length, bool measure, std::size_t start,
                Boundary* from);

    bool valid_ = false;
    bool outOfMemory_ = false;
    std::string error_ = "no pattern";
    Prog prog_;
    std::unique_ptr<PikeVm> vm_;  // null when the pattern is a plain literal
    // Null when the pattern is a plain literal; dropped for good when it gives up, the VM
    // then searches alone.
    std::unique_ptr<LazyDfa> dfa_;
    std::unique_ptr<PikeVm> stretchVm_;  // the VM the DFA's stretches run on
    // Finds the starts the forward DFA leaves open; null when it gave up, the stretch VM
    // then finds them.
    Prog reversedProg_;
    std::unique_ptr<ReverseDfa> reverse_;
    bool assertsLookAhead_ = false;      // $, \b or \B
    StartFilter filter_;
    std::string literal_;
    bool literalEndsWithLoneLead_ = false;
    LiteralWalker literalWalker_;  // for a whole literal that is not empty

    // Successive calls with the same text and growing offsets continue from here instead of
    // measuring the text and finding boundaries from its start again.
    const char* lastText_ = nullptr;
    std::size_t lastStart_ = 0;
    bool measured_ = false;
    std::size_t toldLength_ = 0;
    std::size_t length_ = 0;        // up to the first zero byte once one was found
    std::size_t zeroFreeUpTo_ = 0;  // no zero byte before this
    Boundary known_;

    std::string hit_;
};

}  // namespace grexmo

#endif
