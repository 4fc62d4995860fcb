// Every hit of a pattern that is one plain literal, in one pass over the text: the walk
// keeps its place, its scan mode and the last boundary it knows from hit to hit, where the
// Find loop starts the literal search afresh for each. The hits are the Find loop's: on
// character boundaries, not overlapping, a final lone lead byte not followed by a trail,
// and none past the first zero byte.
#ifndef GREXMO_LITERAL_COUNT_H
#define GREXMO_LITERAL_COUNT_H

#include "boundary.h"
#include "byte_scan.h"

#include "grexmo/grexmo.h"

#include <cstddef>
#include <string>

namespace grexmo {

// Where a walk stopped.
struct LiteralWalkEnd {
    std::size_t filled = 0;  // hits found (and written, when there was somewhere to)
    Boundary next;           // where the walk goes on: the end of the last hit
    bool finished = false;   // no hit is left in the text
    std::size_t zero = kNoPosition;  // the first zero byte, when the walk met one
    std::size_t zeroFreeUpTo = 0;    // no zero byte before this
};

class LiteralWalker {
public:
    LiteralWalker() = default;
    // `pair`: two bytes of the literal that few places in a text hold both of (the finder's).
    LiteralWalker(std::string literal, const BytePair& pair, bool endsWithLoneLead);

    // The hits from the boundary `from` on in text[0, length), which ends sooner at its
    // first zero byte, none of which lies before `zeroFreeUpTo`. With `hits` they are written
    // there; the walk stops once `capacity` are found. The literal must not be empty. Reads
    // nothing at or past text[length].
    LiteralWalkEnd Walk(const unsigned char* text, std::size_t length, std::size_t zeroFreeUpTo,
                        Boundary from, GrexmoHit* hits, std::size_t capacity) const;

private:
    std::string literal_;
    BytePair pair_{};
    bool pairIsWholeLiteral_ = false;  // one or two bytes: a pair that matches needs no memcmp
    bool endsWithLoneLead_ = false;
};

}  // namespace grexmo

#endif
