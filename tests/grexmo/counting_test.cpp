// The counting loop as the engine runs it: Find again and again on the same text, each time
// from the end of the last hit, stepping over one character after an empty hit.
#include "grexmo_test_util.h"
#include "told_length_checks.h"

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
        EXPECT_EQ(g.Count(text.data(), text.size()), c.count);
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
        EXPECT_EQ(g.Count(c.text->data(), c.text->size()), c.count);
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
        EXPECT_EQ(g.Count(ab.data(), ab.size()), static_cast<long long>(c.count));
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

namespace {

std::string Bytes(const char* text, std::size_t size) { return std::string(text, size); }

// Told the length, the text still ends at its first zero byte: hits past it, or reaching into
// it, are not the text's, though the start filters find them; $ and \b see the end there; a
// lone lead byte before it stays one character.
TEST(GrexmoCounting, AZeroByteEndsAToldText) {
    struct Case {
        const char* pattern;
        bool isRegex;
        std::string text;
        long long count;
        long long first;  // FindIn from 0
    } cases[] = {
        {"ab", false, Bytes("\0ab", 3), 0, -1},
        {"ab", false, Bytes("ab\0ab", 5), 1, 0},
        {"a\\b", true, Bytes("a\0a", 3), 1, 0},
        {"a$", true, Bytes("xa\0a", 4), 1, 1},
        {"\\x83", true, Bytes("x\x83\0\x41", 4), 1, 1},
        {"\x83", false, Bytes("x\x83\0\x41", 4), 1, 1},
        {"\x83\x41", false, Bytes("\x83\0\x41\x83\x41", 5), 0, -1},
        {"[0-9]+", true, Bytes("abc\0 123", 8), 0, -1},
        {".*Quel", true, Bytes("x\0Quel", 6), 0, -1},
        {"[^a]+", true, Bytes("b\0bb", 4), 1, 0},
        {"x*", true, Bytes("xx\0xx", 5), 2, 0},
        {"$", true, Bytes("a\0\n", 3), 1, 1},
        {"\\w+\\b", true, Bytes("ab\0cd", 5), 1, 0},
        // The DFA notes its state every 64 bytes after a hit; here one such place is the zero.
        {"A*x|A", true, std::string(128, 'A') + Bytes("\0x", 2), 128, 0},
        {"A*$|A", true, std::string(128, 'A') + Bytes("\0x", 2), 2, 0},
        // Zeros are looked for some way past each hit: here beyond that first stretch.
        {"aa", false, std::string(70001, 'a') + Bytes("\0aa", 3), 35000, 0},
        {"b", false, "b" + std::string(70000, 'x') + Bytes("\0b", 2), 1, 0},
        {"b|\\bx", true, "b" + std::string(70000, 'x') + Bytes("\0b", 2), 1, 0},
    };
    grexmo_test::Rng rng(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(grexmo_test::Shown(c.pattern) + " in " + grexmo_test::Shown(c.text));
        CGrexmo g;
        g.Read(c.pattern, c.isRegex);
        ASSERT_TRUE(g.IsValid()) << g.GetErrorText();
        const grexmo_test::Unterminated exact(c.text);
        EXPECT_EQ(g.Count(exact.data(), exact.size()), c.count);
        EXPECT_EQ(g.FindIn(exact.data(), exact.size(), 0), c.first);
        CGrexmo byFind;
        byFind.Read(c.pattern, c.isRegex);
        // From every start, a long text without hits would take a scan to its end each time.
        if (c.text.size() < 1000)
            grexmo_test::ExpectToldLengthAgrees(byFind, g, c.text, rng);
        else
            grexmo_test::ExpectWalksAgree(byFind, g, c.text);
    }
}

// Continuing, starting afresh, and what the entry points answer at their edges.
TEST(GrexmoCounting, ToldLengthEntryPointsAtTheirEdges) {
    CGrexmo g;
    g.Read("ab", false);
    const std::string text = "abxab";
    EXPECT_EQ(g.FindIn(text.data(), text.size(), 0), 0);
    EXPECT_STREQ(g.GetHitText(), "ab");
    EXPECT_EQ(g.FindIn(text.data(), text.size(), 1), 3);
    EXPECT_EQ(g.FindIn(text.data(), text.size(), 6), -1);  // past the end
    EXPECT_EQ(g.FindIn(text.data(), 4, 1), -1);            // another length: cut before "ab"
    EXPECT_EQ(g.FindIn(text.data(), 5, 1), 3);
    EXPECT_EQ(g.Count(text.data(), text.size()), 2);
    EXPECT_STREQ(g.GetHitText(), "");
    EXPECT_EQ(g.Count(nullptr, 0), 0);
    EXPECT_EQ(g.FindIn(nullptr, 0, 0), -1);

    GrexmoHit hits[2];
    std::size_t start = 0;
    EXPECT_EQ(g.FindHits(text.data(), text.size(), &start, hits, 0), 0u);
    EXPECT_EQ(start, 0u);
    ASSERT_EQ(g.FindHits(text.data(), text.size(), &start, hits, 1), 1u);
    EXPECT_EQ(hits[0].begin, 0u);
    EXPECT_EQ(hits[0].length, 2u);
    ASSERT_EQ(g.FindHits(text.data(), text.size(), &start, hits, 1), 1u);
    EXPECT_EQ(hits[0].begin, 3u);
    EXPECT_EQ(g.FindHits(text.data(), text.size(), &start, hits, 2), 0u);
    EXPECT_GT(start, text.size());
    EXPECT_EQ(g.FindHits(text.data(), text.size(), &start, hits, 2), 0u);

    CGrexmo invalid;
    invalid.Read("(", true);
    start = 0;
    EXPECT_EQ(invalid.Count(text.data(), text.size()), 0);
    EXPECT_EQ(invalid.FindIn(text.data(), text.size(), 0), -1);
    EXPECT_EQ(invalid.FindHits(text.data(), text.size(), &start, hits, 2), 0u);
}

// The same buffer with new contents is a new text for the walks, which start from 0.
TEST(GrexmoCounting, AWalkOverReusedBufferStartsAfresh) {
    CGrexmo g;
    g.Read("a*b|a", true);
    std::string buffer = "aaaaaaaaaa";
    EXPECT_EQ(g.Count(buffer.data(), buffer.size()), 10);
    buffer.replace(0, buffer.size(), "aaaaaaaaab");
    EXPECT_EQ(g.Count(buffer.data(), buffer.size()), 1);
    GrexmoHit hits[4];
    std::size_t start = 0;
    buffer.replace(0, buffer.size(), "aaaaabaaaa");
    ASSERT_EQ(g.FindHits(buffer.data(), buffer.size(), &start, hits, 4), 4u);
    EXPECT_EQ(hits[0].length, 6u);
    EXPECT_EQ(hits[3].begin, 8u);
}

}  // namespace

// A plain word's walk over the whole text: dense and overlapping occurrences, candidates on a
// trail byte, hits at every place of a 32-byte round, a final lone lead byte, and a word
// whose bytes stand in other characters (ソ is 0x83 0x5C; ― is 0x81 0x5C, and 0x83 is a
// common trail byte). Each is walked beside the Find loop, counted and batched.
TEST(GrexmoCounting, APlainWordsWalkFindsTheFindLoopsHits) {
    struct Case {
        const char* word;
        std::string text;
        long long count;
    };
    std::string rounds;  // ア at every place of two 32-byte rounds, after single bytes
    for (int at = 0; at < 64; ++at)
        rounds += std::string(static_cast<std::size_t>(at % 7), 'x') + "ア";
    const Case cases[] = {
        {"ソ", std::string(80, '\x81').replace(1, 1, "\x5C") + "――――ソ―ソ", 2},
        {"ソ", "――――――――――――――――――――――――――――――――――――――――", 0},
        {"ア", "\x83\x83\x41\x83\x83\x41ア", 1},  // ャ then A, twice; then ア
        {"ああ", "あああああ", 2},
        {"aa", "aaaaa", 2},
        {"ア", rounds, 64},
        {"の", std::string(2000, ' ') + "のの", 2},
        // A final lone lead byte: not before a trail byte (A, or x as in 0x83 x), nor at a trail.
        {"x\x83",
         "x\x83\x41"
         "x\x83!"
         "x\x83x"
         "x\x83",
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(grexmo_test::Shown(c.word) + " in " + grexmo_test::Shown(c.text));
        CGrexmo g;
        g.Read(c.word, false);
        ASSERT_TRUE(g.IsValid());
        const grexmo_test::Unterminated exact(c.text);
        EXPECT_EQ(g.Count(exact.data(), exact.size()), c.count);
        CGrexmo byFind;
        byFind.Read(c.word, false);
        grexmo_test::ExpectWalksAgree(byFind, g, c.text);
    }
}
