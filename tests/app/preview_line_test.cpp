#include "app/preview_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using quelbrix::FormatPreviewLine;
using quelbrix::PreviewLine;
using quelbrix::TextRange;

namespace {

PreviewLine Format(const std::string& text, std::vector<TextRange> hits = {},
                   std::size_t maxBytes = 1000, bool context = false) {
    return FormatPreviewLine(12, context, text.data(), text.size(), hits.data(), hits.size(),
                             maxBytes);
}

std::string Hit(const PreviewLine& line, std::size_t i) {
    return line.text.substr(line.hits[i].start, line.hits[i].end - line.hits[i].start);
}

TEST(PreviewLine, MarginMarksHitAndContextLinesAsTheCommandLineDoes) {
    EXPECT_EQ(Format("abc").text, "    12: abc");
    EXPECT_EQ(Format("abc", {}, 1000, true).text, "    12- abc");
    EXPECT_EQ(FormatPreviewLine(1234567, false, "x", 1, nullptr, 0, 10).text, "1234567: x");
    const PreviewLine empty = FormatPreviewLine(3, false, nullptr, 5, nullptr, 0, 10);
    EXPECT_EQ(empty.text, "     3: ");
}

TEST(PreviewLine, HitsMoveWithTheMarginAndKeepTheirCharacters) {
    // "表示" ends with 0x5C as a second byte; the hit after it must still be 検索.
    const std::string text = "\x95\x5c\x8e\xa6\x82\xcc\x8c\x9f\x8d\xf5";  // 表示の検索
    const PreviewLine line = Format(text, {{0, 4}, {6, 10}});
    ASSERT_EQ(line.hits.size(), 2u);
    EXPECT_EQ(Hit(line, 0), "\x95\x5c\x8e\xa6");
    EXPECT_EQ(Hit(line, 1), "\x8c\x9f\x8d\xf5");
    EXPECT_EQ(line.text.substr(line.marginBytes), text);
}

TEST(PreviewLine, ControlBytesBecomeBlanksWithoutSplittingACharacter) {
    struct Case {
        std::string text;
        std::string shown;
    };
    const Case cases[] = {
        {std::string("a\0b", 3), "a b"},
        {"a\rb\x1b" "c\x7f", "a b c "},
        {"a\tb", "a\tb"},
        {"\x83\x41\x82", "\x83\x41 "},  // a lone lead byte at the end
        {"\x83\x7f", "  "},               // 0x7F is no second byte: both shown as blanks
        {"\x83\x0a\x83\x41", "  \x83\x41"}, // a broken pair takes no next character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Format(c.text).text.substr(8), c.shown);
    }
}

TEST(PreviewLine, LongLinesAreCutAtACharacterAndHitsBeyondAreDropped) {
    const std::string text = "ab\x83\x41\x83\x42xyz";  // ab ア イ xyz
    const PreviewLine line = Format(text, {{2, 4}, {4, 6}, {7, 9}}, 5);
    EXPECT_TRUE(line.cut);
    EXPECT_EQ(line.text.substr(8), "ab\x83\x41\x81\x63");  // ab ア …
    ASSERT_EQ(line.hits.size(), 1u);
    EXPECT_EQ(Hit(line, 0), "\x83\x41");

    const PreviewLine exact = Format(text, {}, text.size());
    EXPECT_FALSE(exact.cut);
    EXPECT_EQ(exact.text.substr(8), text);

    // An empty hit (a bare anchor) has nothing to highlight.
    EXPECT_TRUE(Format("abc", {{1, 1}}).hits.empty());
}

}  // namespace
