// The hits of a compiled pattern in a text: walked one by one, and counted.
#ifndef QUELBRIX_HIT_COUNTER_H
#define QUELBRIX_HIT_COUNTER_H

#include <climits>
#include <cstddef>

#include "grexmo/grexmo.h"

namespace quelbrix {

// Calls onHit(at, length) for every non-overlapping hit, leftmost first, until it answers
// false; true when the text was walked to its end. The text is `textLength` bytes (or up to
// a zero byte before them). `Pattern` offers FindIn(text, length, start), Count(text, length)
// and FindHits(text, length, &start, hits, capacity) as CGrexmo does, which walks the hits
// the way Count counts them: each search from the end of the last hit, one whole character
// further after a zero-length one.
template <class Pattern, class OnHit>
bool ForEachHit(Pattern& pattern, const char* text, std::size_t textLength, OnHit onHit) {
    constexpr std::size_t kBatch = 64;
    GrexmoHit hits[kBatch];
    std::size_t start = 0;
    for (;;) {
        const std::size_t from = start;
        const std::size_t filled = pattern.FindHits(text, textLength, &start, hits, kBatch);
        for (std::size_t i = 0; i < filled && i < kBatch; ++i)
            if (!onHit(hits[i].begin, hits[i].length)) return false;
        // A short batch ends the walk; so does one that would not move on.
        if (filled < kBatch || start <= from) return true;
    }
}

// With `countAll` every non-overlapping hit is counted (at most INT_MAX); otherwise the
// answer is 1 for the first hit, or 0.
template <class Pattern>
int CountHits(Pattern& pattern, const char* text, std::size_t textLength, bool countAll) {
    if (!countAll) return pattern.FindIn(text, textLength, 0) >= 0 ? 1 : 0;
    const long long count = pattern.Count(text, textLength);
    if (count <= 0) return 0;
    return count > INT_MAX ? INT_MAX : static_cast<int>(count);
}

}  // namespace quelbrix

#endif
