// The fast building blocks checked against obviously correct slow ones: the boundary check
// against a walk from the start of the text, the byte scans against byte-by-byte loops.
#include "boundary.h"
#include "byte_scan.h"
#include "char_code.h"
#include "compile.h"
#include "lazy_dfa.h"
#include "parse.h"
#include "pattern_chars.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using grexmo::Boundary;

// Every boundary of the text, with the start of the character before it, found by walking
// from the start.
std::vector<Boundary> WalkBoundaries(const std::string& text) {
    std::vector<Boundary> out;
    const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
    Boundary b;
    out.push_back(b);
    while (b.pos < text.size()) {
        b.prev = b.pos;
        b.pos += grexmo::DecodeChar(p + b.pos).length;
        out.push_back(b);
    }
    return out;
}

// Texts over bytes that exercise every class: ASCII below 0x40, ASCII letters (trail values),
// lead bytes of both ranges, trail-only bytes, half-width kana, 0x7F and 0xFD.
TEST(GrexmoBoundary, AgreesWithAWalkFromTheStart) {
    const unsigned char alphabet[] = {0x20, 0x41, 0x5C, 0x7F, 0x81, 0x83, 0x88,
                                      0x9F, 0xA0, 0xB1, 0xE0, 0xFC, 0xFD};
    std::mt19937 rng(5);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(rng() % 12);
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(alphabet[rng() % sizeof alphabet]);
        const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
        const std::vector<Boundary> walk = WalkBoundaries(text);
        for (const Boundary& known : walk) {
            for (std::size_t target = known.pos; target <= text.size(); ++target) {
                const Boundary got = grexmo::NextBoundaryAtOrAfter(p, known, target);
                std::size_t i = 0;
                while (walk[i].pos < target) ++i;
                ASSERT_EQ(got.pos, walk[i].pos)
                    << "round " << round << " known " << known.pos << " target " << target;
                ASSERT_EQ(got.prev, walk[i].prev)
                    << "round " << round << " known " << known.pos << " target " << target;
            }
        }
    }
}

TEST(GrexmoByteScan, AgreesWithAByteByByteLoop) {
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t size = rng() % 150;
        std::string text(size, 'a');
        for (char& c : text) c = static_cast<char>("abcA\x83"[rng() % 5]);
        grexmo::BytePair pair{static_cast<unsigned char>("abA\x83"[rng() % 4]), rng() % 4,
                              static_cast<unsigned char>("abA\x83"[rng() % 4]), rng() % 4};
        const std::size_t from = size ? rng() % (size + 1) : 0;
        const std::size_t end = from + (size - from ? rng() % (size - from + 1) : 0);
        const auto* p = reinterpret_cast<const unsigned char*>(text.data());
        std::size_t expected = SIZE_MAX;
        const std::size_t span = 1 + std::max(pair.firstOffset, pair.secondOffset);
        for (std::size_t i = from; i + span <= end; ++i) {
            if (p[i + pair.firstOffset] == pair.first && p[i + pair.secondOffset] == pair.second) {
                expected = i;
                break;
            }
        }
        ASSERT_EQ(grexmo::FindBytePair(p, from, end, pair), expected) << "round " << round;
    }
}

}  // namespace

namespace {

TEST(GrexmoByteScan, RangesAgreeWithAByteByByteLoop) {
    std::mt19937 rng(13);
    for (int round = 0; round < 3000; ++round) {
        grexmo::ByteRanges ranges{};
        ranges.count = 1 + static_cast<int>(rng() % grexmo::ByteRanges::kMax);
        for (int r = 0; r < ranges.count; ++r) {
            const unsigned lo = rng() % 256, room = 256 - lo;  // ranges never wrap past 0xFF
            ranges.lo[r] = static_cast<unsigned char>(lo);
            ranges.width[r] =
                static_cast<unsigned char>(rng() % (rng() % 4 == 0 ? room : 3) % room);
        }
        std::string text(rng() % 70, 'a');
        for (char& c : text) c = static_cast<char>(rng() % 256);
        const auto* p = reinterpret_cast<const unsigned char*>(text.data());
        const std::size_t from = text.empty() ? 0 : rng() % (text.size() + 1);
        std::size_t expected = SIZE_MAX;
        for (std::size_t i = from; i < text.size() && expected == SIZE_MAX; ++i)
            for (int r = 0; r < ranges.count; ++r)
                if (p[i] >= ranges.lo[r] && p[i] - ranges.lo[r] <= ranges.width[r]) expected = i;
        ASSERT_EQ(grexmo::FindByteInRanges(p, from, text.size(), ranges), expected)
            << "round " << round;
    }
}

// Random byte ranges over a small alphabet, so that prefixes do occur in random texts.
grexmo::ByteRanges RandomRanges(std::mt19937& rng) {
    grexmo::ByteRanges ranges{};
    ranges.count = 1 + static_cast<int>(rng() % grexmo::ByteRanges::kMax);
    for (int r = 0; r < ranges.count; ++r) {
        ranges.lo[r] = static_cast<unsigned char>(0x80 + rng() % 6);
        ranges.width[r] = static_cast<unsigned char>(rng() % 3 == 0 ? rng() % 3 : 0);
    }
    return ranges;
}

bool InRanges(unsigned char b, const grexmo::ByteRanges& ranges) {
    for (int r = 0; r < ranges.count; ++r)
        if (b >= ranges.lo[r] && b - ranges.lo[r] <= ranges.width[r]) return true;
    return false;
}

// The scan that passes over sure trail bytes may pass over nothing else: from a boundary, it
// finds a byte of the set no later than the first one that starts a character, and every
// byte of the set it passed over is inside a character. Texts mix ASCII letters and digits
// with lead values that pair with them or stand alone, long enough for blocks of 16.
TEST(GrexmoByteScan, SkippingTrailsPassesOverNoBoundary) {
    const unsigned char alphabet[] = {0x41, 0x61, 0x7A, 0x30, 0x5F, 0x83, 0x88, 0x9F,
                                      0xE0, 0xFC, 0xB1, 0x20, 0x80, 0x40};
    const grexmo::ByteRanges sets[] = {
        {{0x61}, {25}, 1},                               // [a-z]
        {{0x30, 0x41, 0x5F, 0x61}, {9, 25, 0, 25}, 4},   // \w
        {{0x30}, {9}, 1},                                // digits: no trail values
        {{0x83, 0x40}, {0, 0}, 2},                       // a lead value and a trail one
    };
    std::mt19937 rng(37);
    for (int round = 0; round < 6000; ++round) {
        std::string text(rng() % (round % 4 ? 40 : 120), 'a');
        for (char& c : text) c = static_cast<char>(alphabet[rng() % sizeof alphabet]);
        const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
        const std::vector<Boundary> walk = WalkBoundaries(text);
        std::vector<bool> isBoundary(text.size() + 1, false);
        for (const Boundary& b : walk) isBoundary[b.pos] = true;
        const grexmo::ByteRanges& ranges = sets[round % 4];
        auto inSet = [&](std::size_t i) { return InRanges(p[i], ranges); };
        const std::size_t from = walk[rng() % walk.size()].pos;
        const std::size_t got = grexmo::FindByteInRangesSkippingTrails(p, from, text.size(), ranges);
        std::size_t firstStart = SIZE_MAX;
        for (std::size_t i = from; i < text.size() && firstStart == SIZE_MAX; ++i)
            if (inSet(i) && isBoundary[i]) firstStart = i;
        ASSERT_LE(got, firstStart) << "round " << round << " from " << from;
        if (got == SIZE_MAX) continue;
        ASSERT_TRUE(inSet(got)) << "round " << round;
        for (std::size_t i = from; i < got; ++i)
            ASSERT_FALSE(inSet(i) && isBoundary[i]) << "round " << round << " at " << i;
    }
}

// The vector scan tests blocks of 16 against the union of the prefixes' first bytes, or the
// nibble tables of their rarest distances, and then each passing position against each
// prefix (of its buckets): a prefix that runs past the end, a hit at the edge of a block, a
// union or a bucket shared by two prefixes that passes where no prefix matches must all
// come out as the plain loop has them.
TEST(GrexmoByteScan, PrefixesAgreeWithAByteByByteLoop) {
    std::mt19937 rng(29);
    for (int round = 0; round < 8000; ++round) {
        grexmo::BytePrefixSet set{};
        set.count = 1 + static_cast<int>(rng() % grexmo::BytePrefixSet::kMaxPrefixes);
        int shortest = grexmo::BytePrefixSet::kMaxLength;
        for (int k = 0; k < set.count; ++k) {
            set.length[k] = 1 + static_cast<int>(rng() % grexmo::BytePrefixSet::kMaxLength);
            shortest = std::min(shortest, set.length[k]);
            for (int j = 0; j < set.length[k]; ++j) set.at[k][j] = RandomRanges(rng);
        }
        // The unions, as the filter builds them: every prefix's bytes at each distance.
        set.unionCount = std::min(shortest, grexmo::BytePrefixSet::kMaxUnions);
        for (int u = 0; u < set.unionCount; ++u) {
            grexmo::ByteRanges all{};
            for (int k = 0; k < set.count; ++k)
                for (int r = 0; r < set.at[k][u].count && all.count < grexmo::ByteRanges::kMax; ++r) {
                    all.lo[all.count] = set.at[k][u].lo[r];
                    all.width[all.count] = set.at[k][u].width[r];
                    ++all.count;
                }
            if (all.count == grexmo::ByteRanges::kMax) all = {{0x80}, {0x7F}, 1};  // every byte the texts hold
            set.unions[u] = all;
        }
        if (round % 2) grexmo::ChooseNibbleMasks(&set);
        std::string text(rng() % (round % 3 ? 90 : 260), 'a');
        for (char& c : text) c = static_cast<char>(0x80 + rng() % 7);
        const auto* p = reinterpret_cast<const unsigned char*>(text.data());
        const std::size_t from = text.empty() ? 0 : rng() % (text.size() + 1);
        std::size_t expected = SIZE_MAX;
        for (std::size_t i = from; i < text.size() && expected == SIZE_MAX; ++i) {
            for (int k = 0; k < set.count && expected == SIZE_MAX; ++k) {
                bool matches = true;
                for (int j = 0; matches && j < set.length[k] && i + j < text.size(); ++j)
                    matches = InRanges(p[i + j], set.at[k][j]);
                if (matches) expected = i;
            }
        }
        ASSERT_EQ(grexmo::FindBytePrefix(p, from, text.size(), set), expected) << "round " << round;
    }
}

grexmo::Prog CompileRegex(const char* pattern) {
    grexmo::Ast ast;
    grexmo::PatternError error;
    grexmo::Prog prog;
    EXPECT_TRUE(grexmo::ParseRegex(grexmo::SplitPattern(pattern), 0, &ast, &error));
    EXPECT_TRUE(grexmo::Compile(ast, &prog, &error));
    return prog;
}

// (x|y)*x.{8} needs a state for every combination of the last nine characters: a cache of
// a few states is cleared again and again, and a search then either goes on (slowly) or
// gives up, as told.
TEST(GrexmoLazyDfa, AnOverflowingCacheIsClearedOrGivenUp) {
    const grexmo::Prog prog = CompileRegex("(?:x|y)*x.{8}z");
    std::string text;
    std::mt19937 rng(2);
    for (int i = 0; i < 4000; ++i) text += "xy"[rng() % 2];
    text += "x12345678z";
    const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
    const grexmo::StartFilter none;
    struct Case {
        grexmo::DfaCacheLimits limits;
        grexmo::LazyDfa::Result result;
        bool clears;
    } cases[] = {
        {{std::size_t{1} << 20, 3, 16}, grexmo::LazyDfa::Result::kHit, false},
        {{4096, 3, 0}, grexmo::LazyDfa::Result::kHit, true},
        {{4096, 3, 16}, grexmo::LazyDfa::Result::kGaveUp, true},
    };
    const grexmo::DfaCacheLimits saved = grexmo::CurrentDfaCacheLimits();
    for (const Case& c : cases) {
        grexmo::SetDfaCacheLimitsForTesting(c.limits);
        grexmo::LazyDfa dfa(prog, none);
        std::size_t end = 0, floor = 0;
        EXPECT_EQ(dfa.FindEnd(p, text.size(), grexmo::Boundary{}, none, &end, &floor), c.result);
        if (c.result == grexmo::LazyDfa::Result::kHit) {
            EXPECT_EQ(end, text.size());
            EXPECT_EQ(floor, 0u);
        }
        EXPECT_EQ(dfa.Clears() > 0, c.clears);
    }
    grexmo::SetDfaCacheLimitsForTesting(saved);
}

}  // namespace
