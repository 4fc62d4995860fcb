// Shift_JIS: hits start and end on character boundaries, and a double-byte character is one
// character to every part of the syntax. Byte escapes spell the texts where the bytes matter:
// ア 83 41, ソ 83 5C, 表 95 5C, 亜 88 9F, ｱ B1 (half-width, one byte).
#include "grexmo_test_util.h"

#include <gtest/gtest.h>

namespace {

struct SjisCase {
    const char* pattern;
    bool isRegex;
    const char* text;
    int start;
    int offset;
    const char* hit;
};

const SjisCase kCases[] = {
    // an ASCII byte inside a double-byte character is no hit
    {"A", false,
     "\x83\x41"
     "A",
     0, 2, "A"},
    {"A", true,
     "\x83\x41"
     "A",
     0, 2, "A"},
    {"A", true, "\x83\x41", 0, -1, ""},
    {"\\", false,
     "\x83\x5C"
     "\\",
     0, 2, "\\"},
    {"\\\\", true,
     "\x83\x5C"
     "\\",
     0, 2, "\\"},
    {"\\\\", true, "\x95\x5C", 0, -1, ""},
    {"[\\\\]", true,
     "\x83\x5C"
     "\\",
     0, 2, "\\"},
    // the trail byte of 表 in a pattern is not an escape
    {"\x95\x5C", true, "x\x95\x5Cy", 0, 1, "\x95\x5C"},
    {"\x95\x5C+", true, "\x95\x5C\x95\x5C", 0, 0, "\x95\x5C\x95\x5C"},
    {"[\x95\x5C]", true, "a\x95\x5C", 0, 1, "\x95\x5C"},
    // lead bytes that are also trail bytes: in 亜亜 (88 9F 88 9F) the middle 9F 88 is no character
    {"\x9F\x88", false, "\x88\x9F\x88\x9F", 0, -1, ""},
    {"\x9F\x88", true, "\x88\x9F\x88\x9F", 0, -1, ""},
    {"\x88\x9F", false, "\x88\x9F\x88\x9F", 1, 2, "\x88\x9F"},
    // a double-byte character is one character
    {"\x83\x41+", true,
     "\x83\x41\x83\x41"
     "A",
     0, 0, "\x83\x41\x83\x41"},
    {"\x83\x41{2}", true,
     "\x83\x41"
     "A\x83\x41\x83\x41",
     0, 3, "\x83\x41\x83\x41"},
    {"(\x83\x41|b)+", true,
     "b\x83\x41"
     "bA",
     0, 0,
     "b\x83\x41"
     "b"},
    {".", true,
     "\x83\x41"
     "b",
     0, 0, "\x83\x41"},
    {"...", true, "\xB1\xB2\xB3", 0, 0, "\xB1\xB2\xB3"},
    // a lone lead byte ends a hit right before a line feed that ends every other thread
    {"x?.", true, "\n\x83\n", 1, 1, "\x83"},
    {"a.c", true,
     "a\x83\x41"
     "c",
     0, 0,
     "a\x83\x41"
     "c"},
    {"[^a]", true, "a\x83\x41", 0, 1, "\x83\x41"},
    {"[^\x83\x41]+", true,
     "\x83\x41\x83\x42"
     "x",
     0, 2,
     "\x83\x42"
     "x"},
    {"[ァ-ヶ]{3}", true, "漢字カタカナ", 0, 4, "カタカ"},
    {"[ァ-ヶ]+", true, "abアイウeo", 0, 2, "アイウ"},
    {"[ぁ-ん]+", true, "漢字かなカナ", 0, 4, "かな"},
    {"[亜-腕]+", true, "かな漢字です", 0, 4, "漢字"},
    {"[ｱ-ﾝ]+", true, "aｱｲｳb", 0, 1, "ｱｲｳ"},
    {"\\w+", true,
     "\x83\x41"
     "ab",
     0, 2, "ab"},
    {"\\W", true, "a\x83\x41", 0, 1, "\x83\x41"},
    {"\\bfoo", true,
     "\x83\x41"
     "foo",
     0, 2, "foo"},
    {"\\Bfoo", true,
     "\x83\x41"
     "foo",
     0, -1, ""},
    {"\\bA", true,
     "\x83\x41"
     "A",
     0, 2, "A"},
    {"\\BA", true,
     "\x83\x41"
     "A",
     0, -1, ""},
    {"テスト$", true, "テスト\r\n", 0, 0, "テスト"},
    {"^検索", true, "abc\n検索", 0, 4, "検索"},
    {"検索.*結果", true, "xx検索の結果と結果\nyy結果", 0, 2, "検索の結果と結果"},
    {"\\x83\\x41", true, "A\x83\x41", 0, 1, "\x83\x41"},
    // a literal every hit contains, not at its start
    {".*結果", true, "abc\nxx結果yy\n結果", 0, 4, "xx結果"},
    {".*結果", true, "abc\nxx結果yy\n結果", 5, 5, "x結果"},
    {".*結果", true, "abc\nxx結果yy\n結果", 9, 13, "結果"},
    {"[^x]*結果", true, "a\nb結果", 0, 0, "a\nb結果"},
    {"\\d+円", true, "1 2円 34円", 0, 2, "2円"},
    {"\\d+円", true, "1 2円 34円", 5, 6, "34円"},
    {"(a|b)cd\\b", true, "acdx bcd", 0, 5, "bcd"},
    // a start inside a character moves on to the next boundary
    {"A", true,
     "\x83\x41"
     "A",
     1, 2, "A"},
    {".", true,
     "\x83\x41"
     "b",
     1, 2, "b"},
    {"", false, "\x83\x41", 1, 2, ""},
    // a lone lead byte (before the end or before a byte that cannot trail) is a character
    {"a.", true, "a\x83", 0, 0, "a\x83"},
    {"\x83", false, "\x83\x41\x83", 0, 2, "\x83"},
    {"\x83", false, "\x83\x41", 0, -1, ""},
    {"\\x83", true, "\x83 ", 0, 0, "\x83"},
    {"\\x83", true, "\x83\x41", 0, -1, ""},
    {".$", true, "\x83\x41\x83", 0, 2, "\x83"},
};

TEST(GrexmoShiftJis, HitsLieOnCharacterBoundaries) {
    for (const SjisCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << "pattern '" << c.pattern << "' regex " << c.isRegex
                                        << " start " << c.start);
        CGrexmo g;
        g.Read(c.pattern, c.isRegex);
        ASSERT_TRUE(g.IsValid()) << g.GetErrorText();
        EXPECT_EQ(g.Find(c.text, c.start, false), c.offset);
        EXPECT_STREQ(g.GetHitText(), c.offset >= 0 ? c.hit : "");
    }
}

TEST(GrexmoShiftJis, CountsOnlyWholeCharacters) {
    struct CountCase {
        const char* pattern;
        bool isRegex;
        const char* text;
        int count;
    } cases[] = {
        {"A", false,
         "\x83\x41"
         "A\x83\x41"
         "A",
         2},
        {"A", true,
         "\x83\x41"
         "A\x83\x41"
         "A",
         2},
        {"\\", false, "\x83\x5C\x95\x5C\\\x83\x5C", 1},
        {"\x83\x41", false, "\x83\x41\x83\x41\x83\x41", 3},
        {"\x88\x9F", false, "\x88\x9F\x88\x9F\x88\x9F", 3},
        {"\x9F\x88", false, "\x88\x9F\x88\x9F\x88\x9F", 0},
        {"x*", true, "\x83\x41\x83\x41", 3},
        {".", true,
         "\x83\x41"
         "a\xB1\x83",
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        CGrexmo g;
        g.Read(c.pattern, c.isRegex);
        EXPECT_EQ(grexmo_test::CountHits(g, c.text), c.count);
    }
}

// Long runs of bytes that are both lead and trail values, the hardest case for finding
// boundaries: 亜 is 88 9F, so a run of 亜 has a byte pair 9F 88 at every odd offset.
TEST(GrexmoShiftJis, LongLeadByteRunsKeepTheirBoundaries) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "\x88\x9F";
    text += "A";
    for (int i = 0; i < 5000; ++i) text += "\x88\x9F";
    CGrexmo g;
    g.Read("\x9F\x88", false);
    EXPECT_EQ(g.Find(text.c_str(), 0, false), -1);
    g.Read(
        "\x9F"
        "A",
        false);
    EXPECT_EQ(g.Find(text.c_str(), 0, false), -1);
    g.Read("A", false);
    EXPECT_EQ(g.Find(text.c_str(), 0, false), 10000);
    g.Read("\x88\x9F", true);
    EXPECT_EQ(grexmo_test::CountHits(g, text.c_str()), 10000);
    // a pattern ending in a lone lead byte does not take the text's next byte as its trail
    g.Read(
        "\x88\x9F"
        "A\x88",
        false);
    EXPECT_EQ(g.Find(text.c_str(), 0, false), -1);
    g.Read(
        "\x88\x9F"
        "A\x88\x9F",
        false);
    EXPECT_EQ(g.Find(text.c_str(), 0, false), 9998);
    EXPECT_EQ(g.Find(text.c_str(), 9999, false), -1);
}

}  // namespace
