#include "hit_counter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "grexmo/grexmo.h"

namespace quelbrix {
namespace {

int CountPlain(const char* word, const char* text, bool countAll) {
    CGrexmo pattern;
    pattern.Read(word, false);
    return CountHits(pattern, text, countAll);
}

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

// Answers a zero-length hit at every start it is given, and records the starts.
struct EmptyHitPattern {
    std::vector<int> starts;
    int Find(const char* text, int start, bool) {
        starts.push_back(start);
        return start <= static_cast<int>(std::strlen(text)) ? start : -1;
    }
    const char* GetHitText() const { return ""; }
};

TEST(CountHits, ZeroLengthHitMovesOnByAWholeCharacter) {
    EmptyHitPattern pattern;
    // a, 表 (0x95 0x5C), b: the starts must be 0, 1, 3 and the end (4), never 2.
    int count = CountHits(pattern,
                          "a\x95\x5C"
                          "b",
                          true);
    EXPECT_EQ(pattern.starts, (std::vector<int>{0, 1, 3, 4}));
    EXPECT_EQ(count, 4);
}

TEST(CountHits, ZeroLengthHitOnEmptyTextEnds) {
    EmptyHitPattern pattern;
    EXPECT_EQ(CountHits(pattern, "", true), 1);
}

TEST(CountHits, LeadByteBeforeTheEndIsOneCharacter) {
    EmptyHitPattern pattern;
    // A lone lead byte at the end must not step over the terminator.
    EXPECT_EQ(CountHits(pattern, "a\x95", true), 3);
    EXPECT_EQ(pattern.starts, (std::vector<int>{0, 1, 2}));
}

// A pattern that answers an offset before the start it was given.
struct BackwardsPattern {
    int calls = 0;
    int Find(const char*, int, bool) { return ++calls < 1000 ? 0 : -1; }
    const char* GetHitText() const { return "x"; }
};

TEST(CountHits, AnswerThatDoesNotMoveOnEndsTheLoop) {
    BackwardsPattern pattern;
    EXPECT_EQ(CountHits(pattern, "xxxx", true), 1);
    EXPECT_EQ(pattern.calls, 2);
}

}  // namespace
}  // namespace quelbrix
