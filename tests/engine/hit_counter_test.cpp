#include "hit_counter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "grexmo/grexmo.h"

namespace quelbrix {
namespace {

int CountPlain(const char* word, const char* text, bool countAll) {
    CGrexmo pattern;
    pattern.Read(word, false);
    return CountHits(pattern, text, std::strlen(text), countAll);
}

// Every hit ForEachHit hands on, as offset and length.
std::vector<std::pair<std::size_t, std::size_t>> Walk(const char* regex, const std::string& text) {
    CGrexmo pattern;
    pattern.Read(regex, true);
    std::vector<std::pair<std::size_t, std::size_t>> hits;
    EXPECT_TRUE(ForEachHit(pattern, text.data(), text.size(), [&](std::size_t at, std::size_t n) {
        hits.push_back({at, n});
        return true;
    }));
    return hits;
}

using Spans = std::vector<std::pair<std::size_t, std::size_t>>;

TEST(CountHits, CountsEveryHitNotEveryLine) {
    EXPECT_EQ(CountPlain("ab", "abxabyab", true), 3);
    EXPECT_EQ(CountPlain("ab", "ab\nab ab\n", true), 3);
}

TEST(CountHits, StopsAtTheFirstHitWhenNotCounting) {
    EXPECT_EQ(CountPlain("ab", "abxabyab", false), 1);
    EXPECT_EQ(CountPlain("ab", "xyz", false), 0);
}

TEST(CountHits, HitsDoNotOverlap) {
    EXPECT_EQ(CountPlain("aa", "aaaa", true), 2);
    EXPECT_EQ(CountPlain("aa", "aaa", true), 1);
}

TEST(CountHits, EmptyTextHasNoHit) { EXPECT_EQ(CountPlain("ab", "", true), 0); }

TEST(CountHits, ZeroLengthHitMovesOnByAWholeCharacter) {
    // a, 表 (0x95 0x5C), b: empty hits at 0, 1, 3 and the end (4), never at 2.
    const std::string text = std::string("a\x95\x5C") + "b";
    EXPECT_EQ(Walk("", text), (Spans{{0, 0}, {1, 0}, {3, 0}, {4, 0}}));
    CGrexmo pattern;
    pattern.Read("", true);
    EXPECT_EQ(CountHits(pattern, text.data(), text.size(), true), 4);
}

TEST(CountHits, ZeroLengthHitOnEmptyTextEnds) {
    EXPECT_EQ(Walk("", ""), (Spans{{0, 0}}));
    CGrexmo pattern;
    pattern.Read("x?", true);
    EXPECT_EQ(CountHits(pattern, "", 0, true), 1);
}

TEST(CountHits, LeadByteBeforeTheEndIsOneCharacter) {
    // A lone lead byte at the end must not step over the text's end, nor take the byte
    // past the told length (here a trail byte) as its trail.
    EXPECT_EQ(Walk("", "a\x95"), (Spans{{0, 0}, {1, 0}, {2, 0}}));
    const std::string longer = "a\x95\x5C";
    CGrexmo pattern;
    pattern.Read("", true);
    EXPECT_EQ(CountHits(pattern, longer.data(), 2, true), 3);
}

// Hits past a zero byte within the told length are not the text's.
TEST(CountHits, TheTextEndsAtAZeroByte) {
    const std::string text("ab\0ab", 5);
    CGrexmo pattern;
    pattern.Read("ab", false);
    EXPECT_EQ(CountHits(pattern, text.data(), text.size(), true), 1);
    EXPECT_EQ(Walk("b|$", text), (Spans{{1, 1}, {2, 0}}));
}

// More hits than one batch holds: all of them, in order, and the sink's refusal ends the
// walk at once.
TEST(CountHits, HitsBeyondOneBatchAreWalkedAndTheSinkCanStopThem) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += i % 2 ? "x\x83\x41" : "x\n";
    const Spans hits = Walk("x", text);
    ASSERT_EQ(hits.size(), 200u);
    for (std::size_t i = 1; i < hits.size(); ++i) EXPECT_LT(hits[i - 1].first, hits[i].first);
    for (std::size_t stopAt : {1u, 64u, 65u, 130u}) {
        CGrexmo pattern;
        pattern.Read("x", false);
        std::size_t given = 0;
        EXPECT_FALSE(ForEachHit(pattern, text.data(), text.size(),
                                [&](std::size_t, std::size_t) { return ++given < stopAt; }));
        EXPECT_EQ(given, stopAt);
    }
}

TEST(CountHits, ACountAboveTheLargestIntIsClamped) {
    struct HugeCount {
        long long FindIn(const char*, std::size_t, std::size_t) { return 0; }
        long long Count(const char*, std::size_t) { return 1LL << 40; }
    } pattern;
    EXPECT_EQ(CountHits(pattern, "", 0, true), INT_MAX);
}

// A pattern that fills every batch without moving the start on.
struct StuckPattern {
    int calls = 0;
    std::size_t FindHits(const char*, std::size_t, std::size_t*, GrexmoHit* hits,
                         std::size_t capacity) {
        ++calls;
        for (std::size_t i = 0; i < capacity; ++i) hits[i] = {0, 1};
        return calls < 1000 ? capacity : 0;
    }
};

TEST(CountHits, AnswerThatDoesNotMoveOnEndsTheLoop) {
    StuckPattern pattern;
    int given = 0;
    EXPECT_TRUE(ForEachHit(pattern, "xxxx", 4, [&given](std::size_t, std::size_t) {
        ++given;
        return true;
    }));
    EXPECT_EQ(pattern.calls, 1);
    EXPECT_EQ(given, 64);
}

}  // namespace
}  // namespace quelbrix
