#include <gtest/gtest.h>

#include <string>

#include "kanji_test_support.h"

namespace quelbrix {
namespace {

using testing::JisText;
using testing::TextbookSjis;

const std::string kToJisX0208 = "\x1B$B";
const std::string kToAscii = "\x1B(B";

struct JisCase {
    const char* name;
    std::string jis;
    std::string sjis;
};

void PrintTo(const JisCase& c, std::ostream* os) { *os << c.name; }

class JisToSjisTest : public ::testing::TestWithParam<JisCase> {};

TEST_P(JisToSjisTest, Converts) { EXPECT_EQ(JisText(GetParam().jis), GetParam().sjis); }

INSTANTIATE_TEST_SUITE_P(
    EscapeTable, JisToSjisTest,
    ::testing::Values(
        JisCase{"AsciiPassesThrough", "Hello, world\r\n", "Hello, world\r\n"},
        JisCase{"JisX0208_1983", kToJisX0208 + "$\"" + kToAscii, "\x82\xA0"},
        JisCase{"JisX0208_1978", "\x1B$@$\"" + kToAscii + "a",
                "\x82\xA0"
                "a"},
        JisCase{"JisX0213Plane1", "\x1B$(O$\"\x1B(B", "\x82\xA0"},
        JisCase{"JisX0213Plane2", "\x1B$(P!!\x1B(B", "\xF0\x40"},
        JisCase{"JisX0213Plane2RowWithoutForm", "\x1B$(P\"!\x1B(B", "?"},
        JisCase{"JisX0212Kanji", "\x1B$(D1!\x1B(B", "\xF0\x6B"},
        JisCase{"JisX0212SymbolRowHasNoMapping", "\x1B$(D\"7\x1B(B", "?"},
        JisCase{"KanaDesignation",
                "\x1B(I1\x1B(B"
                "1",
                "\xB1"
                "1"},
        JisCase{"ShiftOutFromJisRoman",
                "\x1B(J\x0E"
                "1\x0F"
                "1",
                "\xB1"
                "1"},
        JisCase{"ShiftOutInAsciiIsCopied",
                "\x0E"
                "1",
                "\x0E"
                "1"},
        JisCase{"ShiftInOutsideKanaIsCopied",
                "\x1B(J\x0F"
                "a",
                "\x0F"
                "a"},
        JisCase{"JisRomanIsWrittenUnchanged", "\x1B(J\\~", "\\~"},
        JisCase{"UnknownEscapeIsCopied",
                "\x1B$A"
                "b",
                "\x1B$A"
                "b"},
        JisCase{"EscapeAtTheEndIsCopied", "ab\x1B", "ab\x1B"},
        JisCase{"PartialDesignationAtTheEndIsCopied", "ab\x1B$(", "ab\x1B$("},
        JisCase{"EightBitBytesPassThrough", "\xB1\xB2" + kToJisX0208 + "\xB3$\"",
                "\xB1\xB2\xB3\x82\xA0"},
        JisCase{"LineBreaksDoNotEndTheDoubleByteState", kToJisX0208 + "$\"\r\n$$",
                "\x82\xA0\r\n\x82\xA2"},
        JisCase{"SpaceInDoubleByteStateIsCopied", kToJisX0208 + "$\" $$", "\x82\xA0 \x82\xA2"},
        JisCase{"CellByteIsTakenWhateverItIs", kToJisX0208 + "$\x1B(B", "\x82\x99\x84\xC0"},
        JisCase{"RowByteCutShortWritesNothing", "a" + kToJisX0208 + "$\"$", "a\x82\xA0"},
        JisCase{"TrailByteMayBeABackslash", kToJisX0208 + "I=", "\x95\x5C"},
        JisCase{"OverlongCellCarriesIntoTheFirstByte", kToJisX0208 + "$\xFF", "\x83\x7D"},
        JisCase{"ZeroCellInsideTheDataIsACell", kToJisX0208 + std::string("$\0", 2), "\x82\x7D"},
        JisCase{"ZeroByteInsideTheDataIsCopied", std::string("a\0b", 3), std::string("a\0b", 3)}));

// Without the length the first zero is the end: a pair running into it is cut short.
TEST(JisToSjis, WithoutTheLengthTheFirstZeroEndsTheSource) {
    char out[8];
    EXPECT_EQ(JisToSjis(out, "\x1B$B$\0$\"", sizeof out), 0);
    EXPECT_EQ(EucToSjis(out, "\xA4\xA2\xA4\0\xA4\xA2", sizeof out), 2);
}

TEST(JisToSjis, EveryJisX0208CellFollowsTheArithmetic) {
    std::string jis = kToJisX0208;
    std::string expected;
    for (unsigned row = 0x21; row <= 0x7E; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            jis += static_cast<char>(row);
            jis += static_cast<char>(cell);
            expected += TextbookSjis(row, cell);
        }
    }
    jis += kToAscii;
    EXPECT_EQ(JisText(jis), expected);
}

}  // namespace
}  // namespace quelbrix
