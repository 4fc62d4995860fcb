// The UTF-8 terminal mode's conversions, the choice of the mode, and the file system that
// shows UTF-8 names to the engine in Shift_JIS. Literals in u8"" are UTF-8; the others are
// Shift_JIS.
#include "utf8_terminal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "common/text_limits.h"
#include "engine/posix_files.h"
#include "kanji/unicode_text.h"
#include "utf8_names.h"

namespace {

using quelbrix::kNotUtf8;
using quelbrix::TerminalChoice;
using quelbrix::Utf8Problem;

std::string Utf8(const char* text) { return text; }

struct ConvertCase {
    std::string utf8;
    std::string sjis;
};

// Both directions: each UTF-8 text gives this Shift_JIS and reads back the same.
TEST(Utf8Terminal, ConvertsBothWays) {
    const ConvertCase cases[] = {
        {"plain ASCII\t\r\n", "plain ASCII\t\r\n"},
        {Utf8(u8"表示"), "表示"},
        {Utf8(u8"ソ\\"), "ソ\\"},
        {Utf8(u8"ｱｲｳ"), "ｱｲｳ"},
        {Utf8(u8"ＡＢｃ　～"), "ＡＢｃ　～"},
        {Utf8(u8"¢£¬Σμ"), "\x81\x91\x81\x92\x81\xCA\x83\xB0\x83\xCA"},
        {Utf8(u8"①㈱髪"), "①㈱髪"},
    };
    for (const ConvertCase& c : cases) {
        std::string sjis;
        Utf8Problem problem;
        ASSERT_TRUE(quelbrix::Utf8ToSjis(c.utf8, sjis, problem)) << c.utf8;
        EXPECT_EQ(sjis, c.sjis) << c.utf8;
        EXPECT_EQ(quelbrix::SjisToUtf8(sjis.data(), sjis.size()), c.utf8);
    }
}

struct ProblemCase {
    std::string utf8;
    std::size_t offset;
    std::uint32_t codePoint;
};

TEST(Utf8Terminal, StopsAtTheFirstCharacterItCannotConvert) {
    const ProblemCase cases[] = {
        {Utf8(u8"ab😀"), 2, 0x1F600},        // past the Basic Multilingual Plane
        {Utf8(u8"表한국"), 3, 0xD55C},      // Hangul has no Shift_JIS form
        {Utf8(u8"x〜"), 1, 0x301C},         // nor has the wave dash, which the engine reads as '?'
        {"a\xC0\xAF", 1, kNotUtf8},         // overlong '/'
        {"a\xE0\x80\xAF", 1, kNotUtf8},     // overlong, three bytes
        {"\xED\xA0\x80", 0, kNotUtf8},      // a surrogate
        {"\xF4\x90\x80\x80", 0, kNotUtf8},  // past U+10FFFF
        {"ab\xE8\xA1", 2, kNotUtf8},        // cut short
        {"\x95\x5C", 0, kNotUtf8},          // Shift_JIS is not UTF-8
    };
    for (const ProblemCase& c : cases) {
        std::string sjis;
        Utf8Problem problem;
        EXPECT_FALSE(quelbrix::Utf8ToSjis(c.utf8, sjis, problem));
        EXPECT_EQ(problem.offset, c.offset);
        EXPECT_EQ(problem.codePoint, c.codePoint);
    }
}

TEST(Utf8Terminal, LossyConversionMarksEachLoss) {
    std::string sjis;
    // (Built outside the assertion, whose text is kept in the test's Shift_JIS.)
    const std::string mixed = Utf8(u8"a😀表") + static_cast<char>(0xFF);
    EXPECT_FALSE(quelbrix::Utf8ToSjisLossy(mixed, sjis));
    EXPECT_EQ(sjis, "a?表?");
    EXPECT_TRUE(quelbrix::Utf8ToSjisLossy(Utf8(u8"表"), sjis));
}

TEST(Utf8Terminal, ShiftJisWithoutUnicodeFormIsShownAsReplacement) {
    // A lone lead byte (at the end, before a line feed) and an unassigned double-byte code.
    const std::string sjis = "a\x83\n\x81\xAD\x83";
    EXPECT_EQ(quelbrix::SjisToUtf8(sjis.data(), sjis.size()), Utf8(u8"a\uFFFD\n\uFFFD\uFFFD"));
}

struct ExactCase {
    std::string sjis;
    bool whole;
};

// A replacement anywhere tells the caller the text does not convert back; a zero byte is a
// character of its own, not a loss. What comes before is kept.
TEST(Utf8Terminal, AppendingTellsWhetherAnythingWasReplaced) {
    const ExactCase cases[] = {
        {"", true},          {"表示 ｱ\r\n", true}, {std::string("a\0b", 3), true},
        {"a\x83", false},     // a lone lead byte at the end
        {"\x81\xAD", false},  // unassigned
        {"x\x83\nz", false},  // a lead byte before a line feed
    };
    for (const ExactCase& c : cases) {
        std::string utf8 = "kept";
        EXPECT_EQ(quelbrix::AppendSjisAsUtf8(c.sjis.data(), c.sjis.size(), utf8), c.whole)
            << c.sjis;
        EXPECT_EQ(utf8, "kept" + quelbrix::SjisToUtf8(c.sjis.data(), c.sjis.size()));
    }
}

struct Utf8Case {
    std::string text;
    bool utf8;
};

TEST(Utf8Terminal, TellsUtf8FromOtherBytes) {
    const Utf8Case cases[] = {
        {"", true},
        {"ascii\n", true},
        {Utf8(u8"表示😀"), true},
        {"\x95\x5C", false},          // Shift_JIS
        {"a\xC0\xAF", false},         // overlong
        {"\xED\xA0\x80", false},      // a surrogate
        {"ab\xE8\xA1", false},        // cut short
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
    };
    for (const Utf8Case& c : cases)
        EXPECT_EQ(quelbrix::IsUtf8(c.text.data(), c.text.size()), c.utf8) << c.text;
}

// The reverse table is the engine's table read backwards: every Shift_JIS code it names
// converts back to that code.
TEST(Utf8Terminal, ReverseTableRoundTrips) {
    int mapped = 0;
    for (unsigned code = 1; code <= 0xFFFF; ++code) {
        const std::uint16_t unit = quelbrix::SjisCharToUnicode(static_cast<std::uint16_t>(code));
        if (unit == 0) continue;
        ++mapped;
        std::string utf8 = quelbrix::SjisToUtf8(
            code < 0x100
                ? std::string(1, static_cast<char>(code)).c_str()
                : std::string{static_cast<char>(code >> 8), static_cast<char>(code)}.c_str(),
            code < 0x100 ? 1 : 2);
        std::string back;
        Utf8Problem problem;
        ASSERT_TRUE(quelbrix::Utf8ToSjis(utf8, back, problem)) << std::hex << code;
        const unsigned again = back.size() == 1 ? static_cast<unsigned char>(back[0])
                                                : static_cast<unsigned char>(back[0]) << 8 |
                                                      static_cast<unsigned char>(back[1]);
        ASSERT_EQ(again, code) << std::hex << code;
    }
    EXPECT_GT(mapped, 7000);
}

TEST(Utf8Terminal, ModeFollowsTheChoiceOrTheLocaleAndTheTerminal) {
    const struct {
        TerminalChoice choice;
        bool localeIsUtf8, outputIsTerminal, utf8;
    } cases[] = {
        {TerminalChoice::kAuto, true, true, true},   {TerminalChoice::kAuto, true, false, false},
        {TerminalChoice::kAuto, false, true, false}, {TerminalChoice::kUtf8, false, false, true},
        {TerminalChoice::kBytes, true, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quelbrix::UseUtf8(c.choice, c.localeIsUtf8, c.outputIsTerminal), c.utf8);
    for (const char* name : {"UTF-8", "utf8", "utf-8", "UTF_8"})
        EXPECT_TRUE(quelbrix::IsUtf8Codeset(name)) << name;
    const char* const others[] = {"ANSI_X3.4-1968", "EUC-JP", "SHIFT_JIS", "UTF-16", "", nullptr};
    for (const char* name : others)
        EXPECT_FALSE(quelbrix::IsUtf8Codeset(name)) << (name ? name : "null");
}

class Utf8NamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quelbrix-names-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = std::string(pattern) + "/";
    }
    void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }
    void Write(const std::string& name, const std::string& content) {
        std::ofstream(root + name, std::ios::binary) << content;
    }
    // The engine's view: root's entries (as Shift_JIS) and the content each one opens to.
    std::set<std::string> Listed(quelbrix::Utf8NamedFileSystem& files, const std::string& folder) {
        std::set<std::string> names;
        auto listing = files.ListFolder(folder.c_str());
        if (!listing) return names;
        quelbrix::FolderEntry entry;
        while (listing->Next(entry)) names.insert(entry.name);
        names.erase(".");
        names.erase("..");
        return names;
    }
    std::string Opened(quelbrix::Utf8NamedFileSystem& files, const std::string& path) {
        char error[quelbrix::kPathBytes] = "";
        auto file = files.OpenForReading(path.c_str(), error, sizeof error);
        if (!file) return std::string("error: ") + error;
        char buffer[64];
        std::uint32_t got = 0;
        file->Read(buffer, sizeof buffer, got);
        return std::string(buffer, got);
    }
    std::string root;
};

TEST_F(Utf8NamesTest, TheEngineSeesShiftJisAndOpensTheFileItListed) {
    Write(Utf8(u8"表示.txt"), "one");
    Write(Utf8(u8"¥100.txt"), "yen");  // reads back as a backslash
    Write("\\100.txt", "backslash");
    Write(Utf8(u8"😀.txt"), "smile");  // '?' in Shift_JIS
    mkdir((root + Utf8(u8"音楽¥")).c_str(), 0755);
    Write(Utf8(u8"音楽¥/歌.txt"), "song");
    quelbrix::PosixFileSystem posix;
    quelbrix::Utf8NamedFileSystem files(posix);
    const std::string folder = quelbrix::SjisToUtf8(root.data(), root.size()) == root ? root : "";
    ASSERT_EQ(folder, root);  // /tmp paths are ASCII
    EXPECT_EQ(Listed(files, root),
              (std::set<std::string>{"表示.txt", "\\100.txt", "?.txt", "音楽\\"}));
    EXPECT_EQ(Opened(files, root + "表示.txt"), "one");
    EXPECT_EQ(Opened(files, root + "?.txt"), "smile");
    EXPECT_EQ(Listed(files, root + "音楽\\/"), (std::set<std::string>{"歌.txt"}));
    EXPECT_EQ(Opened(files, root + "音楽\\/歌.txt"), "song");
    // ¥100.txt and \100.txt meet in one Shift_JIS name: neither is taken for the other.
    EXPECT_EQ(Opened(files, root + "\\100.txt").substr(0, 7), "error: ");
}

TEST_F(Utf8NamesTest, TwoNamesLosingCharactersAreNotMixedUp) {
    Write(Utf8(u8"😀.txt"), "smile");
    Write(Utf8(u8"🙂.txt"), "slight");
    quelbrix::PosixFileSystem posix;
    quelbrix::Utf8NamedFileSystem files(posix);
    EXPECT_EQ(Listed(files, root), (std::set<std::string>{"?.txt"}));
    EXPECT_EQ(Opened(files, root + "?.txt").substr(0, 7), "error: ");
}

}  // namespace
