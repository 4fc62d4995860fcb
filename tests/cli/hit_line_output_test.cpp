// The grep-like forms of hit lines (--lines, --context, --vimgrep), their colours and their
// cuts to --max-columns, from hand-made lines. Literals in u8"" are UTF-8; the others are
// Shift_JIS.
#include "hit_line_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "grep_colors.h"
#include "line_printers.h"
#include "line_records.h"
#include "printed_line.h"

namespace {

using quelbrix::ColorChoice;
using quelbrix::HitLine;
using quelbrix::LineStyle;
using quelbrix::PrintedLine;
using quelbrix_test::ContextLineOf;
using quelbrix_test::HitLineOf;
using quelbrix_test::LineRecord;

std::string Utf8(const char* text) { return text; }

LineStyle Style(bool utf8, bool color = false, std::size_t maxColumns = 0) {
    LineStyle style;
    style.utf8 = utf8;
    style.color = color;
    style.maxColumns = maxColumns;
    return style;
}

std::string GrepLine(const LineRecord& record, const LineStyle& style,
                     const std::string& path = "a.txt") {
    std::string out;
    PrintedLine scratch;
    quelbrix::AppendGrepLine(out, path, record.View(), style, scratch);
    return out;
}

std::string Vimgrep(const LineRecord& record, const LineStyle& style,
                    const std::string& path = "a.txt") {
    std::string out;
    PrintedLine scratch;
    quelbrix::AppendVimgrepLines(out, path, record.View(), style, scratch);
    return out;
}

struct GrepCase {
    LineRecord line;
    bool utf8;
    std::string expected;
};

TEST(GrepLines, HitAndContextLinesKeepTheirOwnEnds) {
    const GrepCase cases[] = {
        {HitLineOf("foo bar", "foo", "\n", 12), false, "a.txt:12:foo bar\n"},
        {HitLineOf("foo bar", "foo", "\r\n", 3), false, "a.txt:3:foo bar\r\n"},
        {HitLineOf("last foo", "foo", "", 9), false, "a.txt:9:last foo\n"},
        {ContextLineOf("around", "\r\n", 4), false, "a.txt-4-around\r\n"},
        {ContextLineOf("", "\n", 5), false, "a.txt-5-\n"},
        {HitLineOf("表示 foo", "foo"), false, "a.txt:1:表示 foo\n"},
        {HitLineOf("表示 foo", "foo"), true, Utf8(u8"a.txt:1:表示 foo\n")},
        {ContextLineOf("ソ\\", "\n", 2), true, Utf8(u8"a.txt-2-ソ\\\n")},
    };
    for (const GrepCase& c : cases)
        EXPECT_EQ(GrepLine(c.line, Style(c.utf8)), c.expected) << c.expected;
}

// Colours as grep's defaults: path 35, line number 32, separators 36, hits 01;31.
TEST(GrepLines, ColoursEachPartAsGrepDoes) {
    const std::string path = "\x1B[35m\x1B[Ka.txt\x1B[m\x1B[K";
    const std::string colon = "\x1B[36m\x1B[K:\x1B[m\x1B[K";
    const std::string dash = "\x1B[36m\x1B[K-\x1B[m\x1B[K";
    const std::string hit = "\x1B[01;31m\x1B[Kfoo\x1B[m\x1B[K";
    EXPECT_EQ(GrepLine(HitLineOf("foo and foo", "foo", "\n", 7), Style(false, true)),
              path + colon +
                  "\x1B[32m\x1B[K"
                  "7\x1B[m\x1B[K" +
                  colon + hit + " and " + hit + "\n");
    EXPECT_EQ(GrepLine(ContextLineOf("plain", "\n", 8), Style(false, true)), path + dash +
                                                                                 "\x1B[32m\x1B[K"
                                                                                 "8\x1B[m\x1B[K" +
                                                                                 dash + "plain\n");

    std::string separator;
    quelbrix::AppendGroupSeparator(separator, Style(false, true));
    EXPECT_EQ(separator, "\x1B[36m\x1B[K--\x1B[m\x1B[K\n");
    separator.clear();
    quelbrix::AppendGroupSeparator(separator, Style(false));
    EXPECT_EQ(separator, "--\n");
}

// The hit is painted around its own converted bytes, not where its Shift_JIS bytes were.
TEST(GrepLines, ColoursAHitAfterKanjiInUtf8) {
    EXPECT_EQ(GrepLine(HitLineOf("表示検索", "検索"), Style(true, true), "p"),
              Utf8(u8"\x1B[35m\x1B[Kp\x1B[m\x1B[K\x1B[36m\x1B[K:\x1B[m\x1B[K"
                   u8"\x1B[32m\x1B[K1\x1B[m\x1B[K\x1B[36m\x1B[K:\x1B[m\x1B[K表示"
                   u8"\x1B[01;31m\x1B[K検索\x1B[m\x1B[K\n"));
}

// A zero-length hit (of "x*") paints nothing.
TEST(GrepLines, EmptyHitsAreNotPainted) {
    LineRecord record = HitLineOf("ab", "zz");
    record.hits = {{0, 0}, {1, 1}};
    EXPECT_EQ(GrepLine(record, Style(false, true), "p"),
              "\x1B[35m\x1B[Kp\x1B[m\x1B[K\x1B[36m\x1B[K:\x1B[m\x1B[K\x1B[32m\x1B[K1\x1B[m\x1B[K"
              "\x1B[36m\x1B[K:\x1B[m\x1B[Kab\n");
}

// Columns count the bytes before each hit as printed: two per kanji in Shift_JIS, three in
// UTF-8.
TEST(Vimgrep, OneLinePerHitWithItsColumn) {
    const LineRecord record = HitLineOf("表示 foo テ foo", "foo", "\r\n", 4);
    EXPECT_EQ(Vimgrep(record, Style(false)),
              "a.txt:4:6:表示 foo テ foo\r\na.txt:4:13:表示 foo テ foo\r\n");
    EXPECT_EQ(Vimgrep(record, Style(true)),
              Utf8(u8"a.txt:4:8:表示 foo テ foo\r\na.txt:4:16:表示 foo テ foo\r\n"));
    EXPECT_EQ(Vimgrep(ContextLineOf("表示", "\n", 5), Style(false)), "");
}

TEST(Vimgrep, ColoursAllButTheColumn) {
    const std::string colon = "\x1B[36m\x1B[K:\x1B[m\x1B[K";
    EXPECT_EQ(Vimgrep(HitLineOf("xfoo", "foo", "\n", 2), Style(false, true), "p"),
              "\x1B[35m\x1B[Kp\x1B[m\x1B[K" + colon +
                  "\x1B[32m\x1B[K"
                  "2\x1B[m\x1B[K" +
                  colon + "2" + colon + "x\x1B[01;31m\x1B[Kfoo\x1B[m\x1B[K\n");
}

struct CutCase {
    const char* name;
    LineRecord line;
    bool utf8;
    std::size_t maxColumns;
    std::string expected;  // the text only
};

// "a" and ten kanji before the hit, eight after: the stretch starts a quarter of the columns
// before the hit, moved forward onto a character's start.
LineRecord LongLine() {
    std::string before = "a", after;
    for (int i = 0; i < 5; ++i) before += "漢字";
    for (int i = 0; i < 4; ++i) after += "漢字";
    return HitLineOf(before + "foo" + after, "foo");
}

TEST(MaxColumns, CutsOnCharacterBoundariesAroundTheFirstHit) {
    const CutCase cases[] = {
        {"off", LongLine(), false, 0, "a漢字漢字漢字漢字漢字foo漢字漢字漢字漢字"},
        {"long enough", HitLineOf("ab foo", "foo"), false, 6, "ab foo"},
        // Bytes 18-29 wanted: 18 is inside 漢 (17-18), so from 19 to the last whole one.
        {"shift_jis", LongLine(), false, 12, "\x81\x63字foo漢字漢\x81\x63"},
        // Bytes 27-42 wanted: 27 is inside 漢 (25-27), so from 28 to 43.
        {"utf-8", LongLine(), true, 16, Utf8(u8"…字foo漢字漢…")},
        // Near the end the stretch ends with the line, still full.
        {"at the end", HitLineOf("漢字漢字漢字abc foo", "foo"), false, 6,
         "\x81\x63"
         "bc foo"},
        // No hit (a context line): from the start.
        {"context", ContextLineOf("漢字漢字漢字"), false, 5, "漢字\x81\x63"},
        // Fewer columns than a character: nothing of it, never half.
        {"narrow", ContextLineOf("漢字"), true, 2, Utf8(u8"…")},
    };
    for (const CutCase& c : cases) {
        const std::string line = GrepLine(c.line, Style(c.utf8, false, c.maxColumns));
        EXPECT_EQ(line.substr(8, line.size() - 9), c.expected) << c.name;
    }
}

TEST(MaxColumns, PaintsWhatIsLeftOfACutHit) {
    PrintedLine printed;
    ASSERT_TRUE(
        quelbrix::MakePrintedLine(HitLineOf("abcdefghij", "cdefgh").View(), false, false, printed));
    quelbrix::CutToColumns(printed, 4, false);  // a quarter before the hit: 1 byte
    EXPECT_EQ(printed.text, "bcde");
    ASSERT_EQ(printed.hits.size(), 1u);
    EXPECT_EQ(printed.hits[0].start, 1u);
    EXPECT_EQ(printed.hits[0].end, 4u);
    EXPECT_TRUE(printed.cutBefore);
    EXPECT_TRUE(printed.cutAfter);
}

// Vim must land on the hit: the column counts in the whole line, whatever is shown.
TEST(MaxColumns, VimgrepColumnCountsInTheWholeLine) {
    EXPECT_EQ(Vimgrep(LongLine(), Style(false, false, 12)),
              "a.txt:1:22:\x81\x63字foo漢字漢\x81\x63\n");
}

// Each quickfix entry shows the stretch around its own hit, not the line's first.
TEST(MaxColumns, VimgrepShowsEachHitInItsOwnStretch) {
    const LineRecord record = HitLineOf("foo" + std::string(40, 'x') + "foo" + "yy", "foo");
    EXPECT_EQ(Vimgrep(record, Style(false, false, 8)),
              "a.txt:1:1:foo" + std::string(5, 'x') + "\x81\x63\n" +
              "a.txt:1:44:\x81\x63xxxfooyy\n");  // full, so it ends with the line
}

TEST(PrintedLines, RangesFollowTheConvertedPieces) {
    PrintedLine printed;
    LineRecord record = HitLineOf("表x表", "表", "\r\n");
    ASSERT_TRUE(quelbrix::MakePrintedLine(record.View(), true, true, printed));
    EXPECT_EQ(printed.text, Utf8(u8"表x表\r\n"));
    ASSERT_EQ(printed.hits.size(), 2u);
    EXPECT_EQ(printed.hits[0].start, 0u);
    EXPECT_EQ(printed.hits[0].end, 3u);
    EXPECT_EQ(printed.hits[1].start, 4u);
    EXPECT_EQ(printed.hits[1].end, 7u);

    // An unassigned code converts to U+FFFD: said, and the ranges still hold.
    record = HitLineOf(
        "\x81\xAD"
        "ab",
        "ab");
    EXPECT_FALSE(quelbrix::MakePrintedLine(record.View(), true, false, printed));
    EXPECT_EQ(printed.hits[0].start, 3u);
    EXPECT_TRUE(quelbrix::MakePrintedLine(record.View(), false, false, printed));
    EXPECT_EQ(printed.hits[0].start, 2u);
}

struct ColorCase {
    ColorChoice choice;
    bool terminal;
    const char* term;
    bool color;
};

TEST(Colors, AutoNeedsATerminalThatIsNotDumb) {
    const ColorCase cases[] = {
        {ColorChoice::kAlways, false, nullptr, true},
        {ColorChoice::kNever, true, "xterm", false},
        {ColorChoice::kAuto, true, "xterm-256color", true},
        {ColorChoice::kAuto, false, "xterm", false},
        {ColorChoice::kAuto, true, "dumb", false},
        {ColorChoice::kAuto, true, "", false},
        {ColorChoice::kAuto, true, nullptr, false},
    };
    for (const ColorCase& c : cases)
        EXPECT_EQ(quelbrix::UseColor(c.choice, c.terminal, c.term), c.color)
            << static_cast<int>(c.choice) << " " << c.terminal << " " << (c.term ? c.term : "-");
}

// What a printer wrote into a temporary file.
class PrinterOutput {
public:
    PrinterOutput() : file_(std::tmpfile(), &std::fclose) {}
    std::FILE* File() { return file_.get(); }
    std::string Text() {
        std::fflush(file_.get());
        std::rewind(file_.get());
        std::string text;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_.get())) > 0;)
            text.append(buffer, n);
        return text;
    }

private:
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
};

void GiveFile(quelbrix::HitLineSink& sink, const char* path, const std::vector<LineRecord>& lines) {
    sink.BeginFile(path, quelbrix::FileEncoding{});
    int hits = 0;
    for (const LineRecord& line : lines) {
        EXPECT_TRUE(sink.Line(line.View()));
        hits += static_cast<int>(line.hits.size());
    }
    sink.EndFile(100, hits);
}

// "--" between groups that do not meet, within a file and from one file to the next, as
// grep -C prints them; a group that goes on where the last ended gets none.
TEST(GrepLinePrinter, SeparatesGroupsThatDoNotMeet) {
    PrinterOutput output;
    quelbrix::GrepLinePrinter printer(output.File(), false, true, Style(false), 5);
    GiveFile(printer, "/top/a.txt",
             {ContextLineOf("one", "\n", 1), HitLineOf("foo", "foo", "\n", 2),
              HitLineOf("foo", "foo", "\n", 3), ContextLineOf("four", "\n", 4),
              HitLineOf("foo", "foo", "\n", 9)});
    GiveFile(printer, "/top/none.txt", {});
    GiveFile(printer, "/top/b.txt", {HitLineOf("foo", "foo", "\n", 1)});
    EXPECT_EQ(output.Text(),
              "a.txt-1-one\na.txt:2:foo\na.txt:3:foo\na.txt-4-four\n--\na.txt:9:foo\n--\n"
              "b.txt:1:foo\n");
}

TEST(GrepLinePrinter, NoSeparatorsWithoutContext) {
    PrinterOutput output;
    quelbrix::GrepLinePrinter printer(output.File(), false, false, Style(false), 0);
    GiveFile(printer, "a", {HitLineOf("foo", "foo", "\n", 2), HitLineOf("foo", "foo", "\n", 7)});
    GiveFile(printer, "b", {HitLineOf("foo", "foo", "\n", 1)});
    EXPECT_EQ(output.Text(), "a:2:foo\na:7:foo\nb:1:foo\n");
}

// The engine's paths are Shift_JIS in the UTF-8 mode, as the rows are.
TEST(GrepLinePrinter, ConvertsPathsInUtf8Mode) {
    PrinterOutput output;
    quelbrix::GrepLinePrinter printer(output.File(), true, false, Style(true), 0);
    GiveFile(printer, "表/示.txt", {HitLineOf("x foo", "foo", "\n", 3)});
    EXPECT_EQ(output.Text(), Utf8(u8"表/示.txt:3:3:x foo\n"));
}

TEST(GrepLinePrinter, ShownPathLeavesOffTheFolder) {
    EXPECT_EQ(quelbrix::ShownPath("/top/sub/a.txt", 5), "sub/a.txt");
    EXPECT_EQ(quelbrix::ShownPath("/top/a.txt", 0), "/top/a.txt");
    EXPECT_EQ(quelbrix::ShownPath("/t", 5), "");  // never past the end
}

}  // namespace
