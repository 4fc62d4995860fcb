// The hits of a compiled pattern in a zero-terminated text: walked one by one, and counted.
#ifndef QUELBRIX_HIT_COUNTER_H
#define QUELBRIX_HIT_COUNTER_H

#include <climits>
#include <cstddef>
#include <cstring>

#include "common/shift_jis.h"

namespace quelbrix {

// Calls onHit(at, length) for every non-overlapping hit, leftmost first, until it answers
// false; true when the text was walked to its end. `Pattern` offers Find(text, start, false)
// and GetHitText() as CGrexmo does. A zero-length hit moves the next search on by one whole
// character, so the loop ends and every start stays on a character boundary.
template <class Pattern, class OnHit>
bool ForEachHit(Pattern& pattern, const char* text, OnHit onHit) {
    int offset = 0;
    for (;;) {
        const int at = pattern.Find(text, offset, false);
        if (at < offset) return true;  // no hit (-1), or an answer that would not move on
        const std::size_t length = std::strlen(pattern.GetHitText());
        if (!onHit(static_cast<std::size_t>(at), length)) return false;
        std::size_t step = length;
        if (step == 0) {
            if (text[at] == '\0') return true;
            step = sjis::CharLength(text + at);
        }
        if (step > static_cast<std::size_t>(INT_MAX - at)) return true;
        offset = at + static_cast<int>(step);
    }
}

// With `countAll` every non-overlapping hit is counted; otherwise the answer is 1 for the
// first hit, or 0.
template <class Pattern>
int CountHits(Pattern& pattern, const char* text, bool countAll) {
    if (!countAll) return pattern.Find(text, 0, false) >= 0 ? 1 : 0;
    int count = 0;
    ForEachHit(pattern, text, [&count](std::size_t, std::size_t) {
        ++count;
        return true;
    });
    return count;
}

}  // namespace quelbrix

#endif
