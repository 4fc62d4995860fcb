// Helpers shared by the Grexmo tests.
#ifndef GREXMO_TEST_UTIL_H
#define GREXMO_TEST_UTIL_H

#include "shown_bytes.h"

#include "common/shift_jis.h"
#include "grexmo/grexmo.h"

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace grexmo_test {

struct FoundHit {
    int offset;
    std::string text;
};

using Rng = std::mt19937;

// A number from 0 to n - 1.
inline int Pick(Rng& rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

// Up to `maxPieces` pieces, each drawn from `pieces`.
inline std::string RandomText(Rng& rng, const std::vector<std::string>& pieces, int maxPieces) {
    std::string text;
    for (int i = 0, n = Pick(rng, maxPieces + 1); i < n; ++i)
        text += pieces[Pick(rng, static_cast<int>(pieces.size()))];
    return text;
}

using quelbrix_test_text::Shown;

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
            offset += static_cast<int>(sjis::CharLength(text + at));
        }
    }
    return hits;
}

inline int CountHits(CGrexmo& g, const char* text) {
    return static_cast<int>(AllHits(g, text).size());
}

}  // namespace grexmo_test

#endif
