#include <gtest/gtest.h>

#include <string>

#include "kanji_test_support.h"

namespace quelbrix {
namespace {

using testing::UnicodeText;
using testing::Utf16;

struct UnicodeCase {
    const char* name;
    std::string utf16;
    std::string sjis;
};

void PrintTo(const UnicodeCase& c, std::ostream* os) { *os << c.name; }

class UnicodeToSjisTest : public ::testing::TestWithParam<UnicodeCase> {};

TEST_P(UnicodeToSjisTest, Converts) { EXPECT_EQ(UnicodeText(GetParam().utf16), GetParam().sjis); }

INSTANTIATE_TEST_SUITE_P(
    Cases, UnicodeToSjisTest,
    ::testing::Values(
        UnicodeCase{"Empty", "", ""},
        UnicodeCase{"AsciiAndLineBreaks", Utf16({'a', 'b', 0x0D, 0x0A}), "ab\r\n"},
        UnicodeCase{"ByteOrderMarkBecomesQuestionMark", Utf16({0xFEFF, 0x3042}), "?\x82\xA0"},
        UnicodeCase{"SurrogatePairBecomesTwoQuestionMarks", Utf16({0xD840, 0xDC89, 'x'}), "??x"},
        UnicodeCase{"HalfWidthKana", Utf16({0xFF71, 0xFF9F}), "\xB1\xDF"},
        UnicodeCase{"WaveDashAndFullWidthTilde", Utf16({0x301C, 0xFF5E}), "?\x81\x60"},
        UnicodeCase{"YenAndBackslash", Utf16({0x00A5, 0x005C}), "\\\\"},
        UnicodeCase{"JisX0213Plane2", Utf16({0x4E02}), "\xF0\x41"},
        UnicodeCase{"EndsAtTheFirstZeroUnit", Utf16({'a', 0, 'b'}), "a"},
        UnicodeCase{"ZeroLowByteIsNotAZeroUnit", Utf16({0x3000, 'a'}),
                    "\x81\x40"
                    "a"},
        UnicodeCase{"OddFinalByteIsAUnit", Utf16({'a'}) + "b", "ab"},
        UnicodeCase{"OddFinalByteMayGiveTwoBytes", Utf16({'a'}) + "\xB5", "a\x83\xCA"},
        UnicodeCase{"OddFinalZeroByteEndsTheText", Utf16({'a'}) + std::string(1, '\0'), "a"}));

TEST(UnicodeToSjis, StopsAtTheGivenLengthWithoutAZeroUnit) {
    // The source continues past the length; none of it may be converted.
    const std::string source = Utf16({'a', 'b', 'c', 'd'});
    char dest[16];
    EXPECT_EQ(UnicodeToSjis(dest, source.c_str(), sizeof dest, 4), 2);
    EXPECT_EQ(std::string(dest), "ab");
    EXPECT_EQ(UnicodeToSjis(dest, source.c_str(), sizeof dest, 5), 3);
    EXPECT_EQ(std::string(dest), "abc");
}

}  // namespace
}  // namespace quelbrix
