// Counting the hits of a compiled pattern in a zero-terminated text.
#ifndef QUELBRIX_HIT_COUNTER_H
#define QUELBRIX_HIT_COUNTER_H

#include <climits>
#include <cstring>

#include "common/shift_jis.h"

namespace quelbrix {

// With `countAll` every non-overlapping hit is counted; otherwise the answer is 1 for the
// first hit, or 0. `Pattern` offers Find(text, start, false) and GetHitText() as CGrexmo does.
// A zero-length hit moves the next search on by one whole character, so the loop ends and
// every start stays on a character boundary.
template <class Pattern>
int CountHits(Pattern& pattern, const char* text, bool countAll) {
    if (!countAll) return pattern.Find(text, 0, false) >= 0 ? 1 : 0;
    int count = 0;
    int offset = 0;
    for (;;) {
        int at = pattern.Find(text, offset, false);
        if (at < offset) break;  // no hit (-1), or an answer that would not move on
        ++count;
        std::size_t length = std::strlen(pattern.GetHitText());
        if (length == 0) {
            if (text[at] == '\0') break;
            length = sjis::CharLength(text + at);
        }
        if (length > static_cast<std::size_t>(INT_MAX - at)) break;
        offset = at + static_cast<int>(length);
    }
    return count;
}

}  // namespace quelbrix

#endif
