// The counting loop as the engine runs it: Find again and again on the same text, each time
// from the end of the last hit, stepping over one character after an empty hit.
#include "grexmo_test_util.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using grexmo_test::AllHits;
using grexmo_test::CountHits;

TEST(GrexmoCounting, HitsDoNotOverlap) {
    CGrexmo g;
    g.Read("aa", false);
    EXPECT_EQ(CountHits(g, "aaaa"), 2);
    EXPECT_EQ(CountHits(g, "aaaaa"), 2);
    g.Read("ab", false);
    EXPECT_EQ(CountHits(g, "abxabyab"), 3);
}

TEST(GrexmoCounting, EmptyHitsAreReportedAndTheLoopEnds) {
    struct Case {
        const char* pattern;
        const char* text;
        int count;
    } cases[] = {
        {"a*", "baab", 4},  // "" at 0, "aa" at 1, "" at 3, "" at 4
        {"^", "a\nb\nc", 3}, {"$", "a\r\nb\n", 3}, {"\\b", "ab cd", 4},
        {"", "abc", 4},      {"x?", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        CGrexmo g;
        g.Read(c.pattern, true);
        EXPECT_EQ(CountHits(g, c.text), c.count);
    }
    CGrexmo g;
    g.Read("a*", true);
    auto hits = AllHits(g, "baab");
    ASSERT_EQ(hits.size(), 4u);
    EXPECT_EQ(hits[1].offset, 1);
    EXPECT_EQ(hits[1].text, "aa");
    EXPECT_EQ(hits[3].offset, 4);
    EXPECT_EQ(hits[3].text, "");
}

TEST(GrexmoCounting, CountsEveryHitOfALongText) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += i % 3 == 0 ? "検索 " : "\x83\x41x\n";
    struct Case {
        const char* pattern;
        bool isRegex;
        int count;
    } cases[] = {
        {"検索", false, 6667}, {"検索", true, 6667},      {"x", false, 13333},
        {"^x", true, 0},       {"x$", true, 13333},       {"\x83\x41", true, 13333},
        {"A", false, 0},       {"[^\\n]+", true, 13333},  {"\\s", true, 20000},
        {".*索", true, 6667},  {"[^\\n]*x", true, 13333},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        CGrexmo g;
        g.Read(c.pattern, c.isRegex);
        EXPECT_EQ(CountHits(g, text.c_str()), c.count);
    }
}

// The object remembers where it was in the last text; a different text, or an earlier
// offset, must start afresh.
TEST(GrexmoCounting, ADifferentTextOrAnEarlierOffsetStartsAfresh) {
    CGrexmo g;
    g.Read("A", false);
    std::string first =
        "\x83\x41\x83\x41"
        "A";
    EXPECT_EQ(g.Find(first.c_str(), 0, false), 4);
    EXPECT_EQ(g.Find(first.c_str(), 5, false), -1);
    EXPECT_EQ(g.Find(first.c_str(), 0, false), 4);
    std::string second = "xA";
    EXPECT_EQ(g.Find(second.c_str(), 0, false), 1);
    EXPECT_EQ(g.Find(first.c_str(), 3, false), 4);
    // the same buffer with new contents, searched again from its start
    std::string buffer =
        "\x83\x41"
        "AAAA";
    EXPECT_EQ(g.Find(buffer.c_str(), 0, false), 2);
    buffer.replace(0, buffer.size(),
                   "A\x83\x41"
                   "A");
    EXPECT_EQ(g.Find(buffer.c_str(), 0, false), 0);
    EXPECT_EQ(g.Find(buffer.c_str(), 1, false), 3);
}

}  // namespace

namespace {

// The two rarest bytes of this word are its first two, and the text ends with a partial
// word after many near misses: no candidate may be compared past the end of the text (a
// memory checker sees the buffer's exact end, see AllHits).
TEST(GrexmoCounting, AWordCutOffByTheEndIsNoHitAndIsNotReadPast) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "QZx";
    text += "QZaa";
    CGrexmo g;
    g.Read("QZaaaa", false);
    EXPECT_EQ(grexmo_test::CountHits(g, text.c_str()), 0);
    g.Read("QZaa", false);
    EXPECT_EQ(grexmo_test::CountHits(g, text.c_str()), 1);
}

}  // namespace

namespace {

// The preferred branch runs to the end of the run and fails after every hit; the count stays
// right (and, with what the object learns about the text, the loop stays linear: see the
// benchmark's "count a*b|a" figures).
TEST(GrexmoCounting, APreferredBranchThatFailsFarAwayCountsEveryShortHit) {
    const std::string as(100000, 'a');
    std::string katakana;
    for (int i = 0; i < 50000; ++i) katakana += "\x83\x41";
    struct Case {
        const char* pattern;
        const std::string* text;
        int count;
        const char* hit;
    } cases[] = {
        {"a*b|a", &as, 100000, "a"},
        {"[^b]*b|a", &as, 100000, "a"},
        {"\\w*x|\\w", &as, 100000, "a"},
        {".*X|.", &katakana, 50000, "\x83\x41"},
        {"\x83\x41*$x|\x83\x41", &katakana, 50000, "\x83\x41"},
        {"a{1,50}b|a", &as, 100000, "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        CGrexmo g;
        g.Read(c.pattern, true);
        const auto hits = grexmo_test::AllHits(g, c.text->c_str());
        ASSERT_EQ(static_cast<int>(hits.size()), c.count);
        EXPECT_EQ(hits.front().offset, 0);
        EXPECT_EQ(hits.back().text, c.hit);
        EXPECT_EQ(hits.back().offset, static_cast<int>(c.text->size() - hits.back().text.size()));
    }
}

// The same with a preferred branch whose loop takes two characters a round.
TEST(GrexmoCounting, APreferredLoopOfTwoCharactersCountsEveryShortHit) {
    std::string ab;
    for (int i = 0; i < 50000; ++i) ab += "ab";
    struct Case {
        const char* pattern;
        std::size_t count;  // one hit every two bytes
        const char* hit;
    } cases[] = {{"(?:ab)*c|a", 50000, "a"}, {"(?:ab)*c|b\\B", 49999, "b"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        CGrexmo g;
        g.Read(c.pattern, true);
        const auto hits = grexmo_test::AllHits(g, ab.c_str());
        ASSERT_EQ(hits.size(), c.count);
        for (std::size_t i = 0; i < hits.size(); ++i) {
            ASSERT_EQ(hits[i].offset, static_cast<int>(2 * i + (c.hit[0] == 'b')));
            ASSERT_EQ(hits[i].text, c.hit);
        }
    }
}

// What the object learnt about one text must not carry over to another text in the same
// buffer, nor to a search that starts again further back.
TEST(GrexmoCounting, WhatWasLearntAboutATextIsForgottenWithIt) {
    CGrexmo g;
    g.Read("a*b|a", true);
    std::string buffer = "aaaaaaaaaa";
    EXPECT_EQ(g.Find(buffer.c_str(), 0, false), 0);
    EXPECT_STREQ(g.GetHitText(), "a");
    EXPECT_EQ(g.Find(buffer.c_str(), 1, false), 1);
    EXPECT_STREQ(g.GetHitText(), "a");
    buffer.replace(0, buffer.size(), "aaaaaaaaab");
    EXPECT_EQ(g.Find(buffer.c_str(), 0, false), 0);
    EXPECT_STREQ(g.GetHitText(), "aaaaaaaaab");
    buffer.replace(0, buffer.size(), "aaaaaaaaaa");
    EXPECT_EQ(g.Find(buffer.c_str(), 0, false), 0);
    EXPECT_EQ(g.Find(buffer.c_str(), 1, false), 1);
    const std::string other = "aaaaaaaaab";
    EXPECT_EQ(g.Find(other.c_str(), 2, false), 2);
    EXPECT_STREQ(g.GetHitText(), "aaaaaaab");
}

}  // namespace
