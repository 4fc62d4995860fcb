#include "engine/hit_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "grexmo/grexmo.h"
#include "hit_counter.h"
#include "shown_bytes.h"

namespace quelbrix {
namespace {

using quelbrix_test_text::Shown;

// Each line as "number:offset:text" with its hits in brackets, a context line as
// "number-offset-text", and the line's end as "/CRLF" or "/LF" when it has one.
struct RecordingSink : HitLineSink {
    std::vector<std::string> lines;
    std::size_t stopAfter = static_cast<std::size_t>(-1);
    bool Line(const HitLine& line) override {
        const char mark = line.context ? '-' : ':';
        std::string shown = std::to_string(line.number) + mark + std::to_string(line.offset) + mark;
        std::size_t at = 0;
        for (std::size_t i = 0; i < line.hitCount; ++i) {
            const HitRange& hit = line.hits[i];
            EXPECT_LE(at, hit.start);
            EXPECT_LE(hit.start, hit.end);
            EXPECT_LE(hit.end, line.length);
            shown.append(line.text + at, hit.start - at);
            shown += '[' + std::string(line.text + hit.start, hit.end - hit.start) + ']';
            at = hit.end;
        }
        shown.append(line.text + at, line.length - at);
        if (line.endLength == 2) shown += "/CRLF";
        if (line.endLength == 1) shown += "/LF";
        lines.push_back(Shown(shown));
        return lines.size() < stopAfter;
    }
};

struct LinesCase {
    const char* name;
    std::string text;
    const char* word;
    bool regex;
    int context;
    std::vector<std::string> expected;
};

class HitLinesTable : public ::testing::TestWithParam<LinesCase> {};

TEST_P(HitLinesTable, GivesTheExpectedLines) {
    const LinesCase& c = GetParam();
    CGrexmo pattern;
    pattern.Read(c.word, c.regex);
    ASSERT_TRUE(pattern.IsValid()) << pattern.GetErrorText();
    RecordingSink sink;
    const HitLineCount count = ListHitLines(pattern, c.text.c_str(), c.text.size(), c.context, sink);
    EXPECT_EQ(sink.lines, c.expected);
    EXPECT_FALSE(count.stopped);

    CGrexmo again;
    again.Read(c.word, c.regex);
    EXPECT_EQ(count.hits, CountHits(again, c.text.c_str(), c.text.size(), true));
}

const std::string kEightLines = "L1\nL2\nL3 ab\nL4\nL5 ab\nL6\nL7\nL8\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, HitLinesTable,
    ::testing::Values(
        LinesCase{"LineFeeds", "ab\ncd ab\nxx\n", "ab", false, 0, {"1:0:[ab]/LF", "2:3:cd [ab]/LF"}},
        LinesCase{"CarriageReturnIsPartOfTheEnd", "x\r\nab\r\n", "ab", false, 0, {"2:3:[ab]/CRLF"}},
        LinesCase{"NoFinalLineEnd", "x\nfoo ab", "ab", false, 0, {"2:2:foo [ab]"}},
        LinesCase{"TextWithoutLineEndIsOneLine", "ab ab", "ab", false, 0, {"1:0:[ab] [ab]"}},
        LinesCase{"HitsAtTheVeryStartAndEnd", "abxxab", "ab", false, 0, {"1:0:[ab]xx[ab]"}},
        LinesCase{"EmptyLinesCountInTheNumbers", "\n\n\nab\n", "ab", false, 0, {"4:3:[ab]/LF"}},
        LinesCase{"NoHitNoLine", "abc\ndef\n", "xyz", false, 2, {}},
        LinesCase{"HitAcrossALineEndIsCutThere", "ab\r\ncd\n", "b\r?\nc", true, 0,
                  {"1:0:a[b]/CRLF"}},
        LinesCase{"HitOnTheLineFeedItself", "a\nb", "\\n", true, 0, {"1:0:a[]/LF"}},
        LinesCase{"TwoLinesEachWithAHitAcrossItsEnd", "a\na\nb", "a\\n", true, 0,
                  {"1:0:[a]/LF", "2:2:[a]/LF"}},
        LinesCase{"DoubleByteCharacters", "\x95\x5C\x8E\xA6\n\x8E\xA6", "\x8E\xA6", false, 0,
                  {"1:0:\\x95\\x5C[\\x8E\\xA6]/LF", "2:5:[\\x8E\\xA6]"}},
        LinesCase{"TrailByteIsNoHit", "\x83\x41\n", "A", false, 0, {}},
        LinesCase{"ZeroByteEndsTheLines", std::string("ab\nx\0ab\nab\n", 11), "ab", false, 3,
                  {"1:0:[ab]/LF", "2-3-x"}},
        LinesCase{"ContextOverlappingIsNotRepeated", kEightLines, "ab", false, 2,
                  {"1-0-L1/LF", "2-3-L2/LF", "3:6:L3 [ab]/LF", "4-12-L4/LF", "5:15:L5 [ab]/LF",
                   "6-21-L6/LF", "7-24-L7/LF"}},
        LinesCase{"ContextStopsAtBothEnds", "ab\nx\nab\n", "ab", false, 5,
                  {"1:0:[ab]/LF", "2-3-x/LF", "3:5:[ab]/LF"}},
        LinesCase{"ContextOfOneLeavesAGap", kEightLines, "L[18]", true, 1,
                  {"1:0:[L1]/LF", "2-3-L2/LF", "7-24-L7/LF", "8:27:[L8]/LF"}},
        LinesCase{"ContextWithCrLf", "a\r\nb\r\nab\r\nc\r\n", "ab", false, 1,
                  {"2-3-b/CRLF", "3:6:[ab]/CRLF", "4-10-c/CRLF"}},
        LinesCase{"EndOfTextAfterTheLastLineEnd", "a\n", "$", true, 0, {"1:0:a[]/LF", "2:2:[]"}},
        LinesCase{"EveryLineStart", "a\nb", "^", true, 0, {"1:0:[]a/LF", "2:2:[]b"}},
        LinesCase{"EmptyTextWithAnEmptyHit", "", "^", true, 0, {"1:0:[]"}}),
    [](const ::testing::TestParamInfo<LinesCase>& info) { return std::string(info.param.name); });

TEST(ListHitLines, StopsWhenTheSinkSaysSo) {
    CGrexmo pattern;
    pattern.Read("ab", false);
    RecordingSink sink;
    sink.stopAfter = 2;
    const std::string text = "ab ab\nx\nab\nab\n";
    const HitLineCount count = ListHitLines(pattern, text.c_str(), text.size(), 1, sink);
    EXPECT_TRUE(count.stopped);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{"1:0:[ab] [ab]/LF", "2-6-x/LF"}));
    EXPECT_EQ(count.hits, 2);
}

TEST(ListHitLines, LineNumbersFarIntoALongText) {
    // Thousands of line ends of every length between hits, counted in bulk.
    std::string text;
    std::vector<std::size_t> hitLines;
    std::mt19937 random(5);
    std::size_t line = 1;
    for (int hit = 0; hit < 20; ++hit) {
        const int lines = static_cast<int>(random() % 3000);
        for (int i = 0; i < lines; ++i, ++line) text += std::string(random() % 20, 'x') + "\n";
        text += "ab\n";
        hitLines.push_back(line++);
    }
    CGrexmo pattern;
    pattern.Read("ab", false);
    struct Numbers : HitLineSink {
        std::vector<std::size_t> numbers;
        bool Line(const HitLine& line) override {
            numbers.push_back(line.number);
            return true;
        }
    } sink;
    ListHitLines(pattern, text.c_str(), text.size(), 0, sink);
    EXPECT_EQ(sink.numbers, hitLines);
}

TEST(ListHitLines, ALongLineWithManyHitsIsOneLine) {
    std::string text(1 << 20, 'x');
    for (std::size_t at = 0; at < text.size(); at += 64) text[at] = 'a';
    CGrexmo pattern;
    pattern.Read("a", false);
    struct Counting : HitLineSink {
        int lines = 0;
        std::size_t hits = 0;
        bool Line(const HitLine& line) override {
            ++lines;
            hits += line.hitCount;
            return true;
        }
    } sink;
    const HitLineCount count = ListHitLines(pattern, text.c_str(), text.size(), 3, sink);
    EXPECT_EQ(sink.lines, 1);
    EXPECT_EQ(sink.hits, text.size() / 64);
    EXPECT_EQ(count.hits, static_cast<int>(text.size() / 64));
}

// The lines a naive splitter finds for a pattern that cannot cross a line end: each line
// matched by itself.
std::vector<std::string> NaiveLines(const std::string& text, const char* word) {
    std::vector<std::string> shown;
    std::size_t start = 0;
    for (std::size_t number = 1; start <= text.size(); ++number) {
        std::size_t lf = text.find('\n', start);
        const bool last = lf == std::string::npos;
        if (last) lf = text.size();
        std::string line = text.substr(start, lf - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        CGrexmo pattern;
        pattern.Read(word, true);
        if (pattern.Find(line.c_str(), 0, false) >= 0)
            shown.push_back(std::to_string(number) + ":" + Shown(line));
        if (last) break;
        start = lf + 1;
    }
    return shown;
}

TEST(ListHitLines, RandomTextsAgreeWithTheCountAndANaiveSplitter) {
    const char* const pieces[] = {"a", "b", "\n", "\r\n", "\x95\x5C", "\x83\x41", " "};
    const char* const lineLocal[] = {"a", "ab", "a+", "b|\x95\x5C", "^a", "a$", "[^\\n]b", "A"};
    const char* const crossing[] = {"a\\nb", "b\\r?\\n", "\\s+", "a|$", "^"};
    std::mt19937 random(17);
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) text += pieces[random() % std::size(pieces)];
        for (const char* word : lineLocal) {
            CGrexmo pattern;
            pattern.Read(word, true);
            RecordingSink sink;
            ListHitLines(pattern, text.c_str(), text.size(), 0, sink);
            std::vector<std::string> got;
            for (const std::string& line : sink.lines) {
                std::string plain;  // the brackets and the end taken out again
                const std::size_t mark = line.find(':');
                const std::size_t second = line.find(':', mark + 1);
                for (char ch : line.substr(second + 1))
                    if (ch != '[' && ch != ']') plain += ch;
                for (const char* end : {"/CRLF", "/LF"}) {
                    const std::string tail = end;
                    if (plain.size() >= tail.size() &&
                        plain.compare(plain.size() - tail.size(), tail.size(), tail) == 0) {
                        plain.resize(plain.size() - tail.size());
                        break;
                    }
                }
                got.push_back(line.substr(0, mark) + ":" + plain);
            }
            EXPECT_EQ(got, NaiveLines(text, word)) << Shown(text) << " " << word;
        }
        std::vector<const char*> all(std::begin(lineLocal), std::end(lineLocal));
        all.insert(all.end(), std::begin(crossing), std::end(crossing));
        for (const char* word : all) {
            CGrexmo pattern;
            pattern.Read(word, true);
            RecordingSink sink;
            const HitLineCount count =
                ListHitLines(pattern, text.c_str(), text.size(), static_cast<int>(random() % 3), sink);
            CGrexmo counter;
            counter.Read(word, true);
            EXPECT_EQ(count.hits, CountHits(counter, text.c_str(), text.size(), true))
                << Shown(text) << " " << word;
        }
    }
}

}  // namespace
}  // namespace quelbrix
