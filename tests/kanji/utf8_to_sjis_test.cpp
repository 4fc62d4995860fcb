// UTF-8 to Shift_JIS: the decoding edge cases. Malformed input becomes '?' per maximal part
// that could have begun a character, so the bytes after it are read afresh.
#include <gtest/gtest.h>

#include <string>

#include "kanji_test_support.h"

namespace quelbrix {
namespace {

using testing::Utf8Text;

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::string sjis;
};

void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }

class Utf8ToSjisTest : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToSjisTest, Converts) { EXPECT_EQ(Utf8Text(GetParam().utf8), GetParam().sjis); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToSjisTest,
    ::testing::Values(Utf8Case{"Empty", "", ""},
                      Utf8Case{"AsciiBackslashAndTilde", "a\\~\r\n", "a\\~\r\n"},
                      Utf8Case{"TwoByteSequences", "\xC2\xA5\xC2\xB5", "\\\x83\xCA"},  // ¥ µ
                      Utf8Case{"ThreeByteSequences", "\xE6\xBC\xA2\xE5\xAD\x97",
                               "\x8A\xBF\x8E\x9A"},  // 漢字
                      Utf8Case{"HalfWidthKana", "\xEF\xBD\xB1", "\xB1"},
                      Utf8Case{"UnmappedCharacter", "\xE3\x80\x9C", "?"},  // U+301C
                      Utf8Case{"ByteOrderMarkAtTheStartIsDropped",
                               "\xEF\xBB\xBF"
                               "a",
                               "a"},
                      Utf8Case{"ByteOrderMarkLaterIsUnmapped", "a\xEF\xBB\xBF", "a?"},
                      Utf8Case{"FourByteSequenceIsOneQuestionMark",
                               "\xF0\xA0\x80\x8B"
                               "x",
                               "?x"},
                      Utf8Case{"LargestCodePointIsOneQuestionMark", "\xF4\x8F\xBF\xBF", "?"},
                      Utf8Case{"PastU10FFFF", "\xF4\x90\x80\x80", "????"},
                      Utf8Case{"OverlongSlash", "\xC0\xAF", "??"},
                      Utf8Case{"OverlongThreeByte", "\xE0\x80\xAF", "???"},
                      Utf8Case{"OverlongFourByte", "\xF0\x8F\xBF\xBF", "????"},
                      Utf8Case{"LowestThreeAndFourByteForms", "\xE0\xA0\x80\xF0\x90\x80\x80", "??"},
                      Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", "???"},
                      Utf8Case{"LastBeforeSurrogates", "\xED\x9F\xBF", "?"},  // U+D7FF, unmapped
                      Utf8Case{"StrayContinuationBytes",
                               "\x80\xBF"
                               "a",
                               "??a"},
                      Utf8Case{"BytesThatNeverBeginACharacter", "\xC1\xF5\xFF", "???"},
                      Utf8Case{"SequenceBrokenByAscii",
                               "\xE3\x81"
                               "a",
                               "?a"},
                      Utf8Case{"SequenceBrokenByALead", "\xE3\xE3\x81\x82", "?\x82\xA0"},
                      Utf8Case{"CutShortAtTheEndOfTwo", "a\xC2", "a?"},
                      Utf8Case{"CutShortAtTheEndOfThree", "a\xE3\x81", "a?"},
                      Utf8Case{"CutShortAtTheEndOfFour", "a\xF0\xA0\x80", "a?"},
                      Utf8Case{"CutShortByteOrderMark", "\xEF\xBB", "?"},
                      Utf8Case{"EndsAtAZeroByte", std::string("a\0b", 3), "a"}));

TEST(Utf8ToSjis, StopsAtTheGivenLengthWithinASequence) {
    // The data ends inside あ; what follows it in memory must not complete it.
    const std::string source = "a\xE3\x81\x82";
    char dest[16];
    EXPECT_EQ(Utf8ToSjis(dest, source.c_str(), sizeof dest, 3), 2);
    EXPECT_EQ(std::string(dest), "a?");
}

}  // namespace
}  // namespace quelbrix
