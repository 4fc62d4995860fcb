// Helpers shared by the Grexmo tests.
#ifndef GREXMO_TEST_UTIL_H
#define GREXMO_TEST_UTIL_H

#include "grexmo.h"

#include <cstring>
#include <string>
#include <vector>

namespace grexmo_test {

struct FoundHit {
    int offset;
    std::string text;
};

// Bytes of the character at `p` (1 at the terminating zero).
inline std::size_t CharLength(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    const bool lead = (b[0] >= 0x81 && b[0] <= 0x9F) || (b[0] >= 0xE0 && b[0] <= 0xFC);
    if (!lead) return 1;  // b[1] may lie past the text's zero
    const bool trail = (b[1] >= 0x40 && b[1] <= 0x7E) || (b[1] >= 0x80 && b[1] <= 0xFC);
    return trail ? 2 : 1;
}

// Every hit the way the engine counts them: continue at offset + hit length, and after an
// empty hit step over one whole character first.
// The text is searched in a buffer of exactly its size, so that a read past its zero shows
// up under a memory checker.
inline std::vector<FoundHit> AllHits(CGrexmo& g, const char* original) {
    const std::vector<char> exact(original, original + std::strlen(original) + 1);
    const char* text = exact.data();
    std::vector<FoundHit> hits;
    int offset = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (;;) {
        int at = g.Find(text, offset, false);
        if (at < 0) break;
        std::string hit = g.GetHitText();
        hits.push_back({at, hit});
        offset = at + static_cast<int>(hit.size());
        if (hit.empty()) {
            if (bytes[at] == 0) break;
            offset += static_cast<int>(CharLength(text + at));
        }
    }
    return hits;
}

inline int CountHits(CGrexmo& g, const char* text) { return static_cast<int>(AllHits(g, text).size()); }

}  // namespace grexmo_test

#endif
