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

// Every hit the way the engine counts them: continue at offset + hit length, and after an
// empty hit step over one whole character first.
inline std::vector<FoundHit> AllHits(CGrexmo& g, const char* text) {
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
            bool dbcs = ((bytes[at] >= 0x81 && bytes[at] <= 0x9F) || (bytes[at] >= 0xE0 && bytes[at] <= 0xFC)) &&
                        ((bytes[at + 1] >= 0x40 && bytes[at + 1] <= 0x7E) || (bytes[at + 1] >= 0x80 && bytes[at + 1] <= 0xFC));
            offset += dbcs ? 2 : 1;
        }
    }
    return hits;
}

inline int CountHits(CGrexmo& g, const char* text) { return static_cast<int>(AllHits(g, text).size()); }

}  // namespace grexmo_test

#endif
