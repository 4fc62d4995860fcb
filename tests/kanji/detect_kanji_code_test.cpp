#include <gtest/gtest.h>

#include <string>

#include "kanji/kanji_code.h"
#include "kanji_test_support.h"

namespace quelbrix {
namespace {

using testing::Utf16;

KanjiCode Detect(const std::string& bytes) {
    const std::string buffer = bytes + '\0';  // the matcher's terminator
    return DetectKanjiCode(buffer.data(), static_cast<std::int32_t>(bytes.size()));
}

struct VerdictCase {
    const char* name;
    std::string bytes;
    KanjiCode expected;
};

void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

class VerdictTest : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictTest, GivesTheExpectedVerdict) {
    const VerdictCase& c = GetParam();
    EXPECT_STREQ(KanjiCodeName(Detect(c.bytes)), KanjiCodeName(c.expected));
}

const std::string kCrLf16 = Utf16({0x0D, 0x0A});

INSTANTIATE_TEST_SUITE_P(
    Crafted, VerdictTest,
    ::testing::Values(
        VerdictCase{"Empty", "", KC_UNDECIDED}, VerdictCase{"OneByte", "\x82", KC_UNDECIDED},
        VerdictCase{"PlainSevenBitIsUtf7", "Hello, world.\r\n", KC_UTF7},
        VerdictCase{"PlusThenSpaceIsAscii", "1 + 1 = 2\r\n", KC_ASCII},
        VerdictCase{"PlusLettersMinusIsUtf7", "Hi +MEIwhA- there", KC_UTF7},
        VerdictCase{"PlusInsideRunKeepsIt", "a+AB+CD-e", KC_UTF7},
        VerdictCase{"RunLeftOpenIsUtf7", "a+ABCD", KC_UTF7},
        VerdictCase{"InvalidRunStaysInvalid", "+a b +ab- c", KC_ASCII},
        VerdictCase{"ShiftJis", "\x93\xFA\x96\x7B\x8C\xEA", KC_SJIS},
        VerdictCase{"ShiftJisPairAtTheVeryEnd", "\x82\xA0", KC_SJIS},
        VerdictCase{"LastByteOnlySeenAsNext", "a\x82", KC_UTF7},
        VerdictCase{"EucLowRows", "\xA4\xA2\xA4\xA4\xA4\xA6", KC_EUC},
        VerdictCase{"EucHighRowsCountAsShiftJis", "\xE4\xB8\xE4\xB8\xE4\xB8", KC_SJIS},
        VerdictCase{"Utf8", "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86", KC_UTF8},
        VerdictCase{"Utf8ByteOrderMarkCounts",
                    "\xEF\xBB\xBF"
                    "abc",
                    KC_UTF8},
        VerdictCase{"TieBetweenShiftJisAndEuc", "\x82\xA0 \xA4\xA2 ", KC_UNDECIDED},
        VerdictCase{"JisX0208Designation1983", "a\x1B$B$\"\x1B(B", KC_JIS},
        VerdictCase{"JisX0208Designation1978", "\x1B$@$\"\x1B(B", KC_JIS},
        VerdictCase{"JisX0213Plane1", "\x1B$(O!!\x1B(B", KC_JIS},
        VerdictCase{"JisX0213Plane2", "\x1B$(P!!\x1B(B", KC_JIS},
        VerdictCase{"KanaDesignationAlone", "\x1B(I1\x1B(B", KC_UTF7},
        VerdictCase{"JisX0212DesignationAlone", "\x1B$(D01\x1B(B", KC_UTF7},
        VerdictCase{"EscapeDesignationCutShort", "abc\x1B$(", KC_UTF7},
        VerdictCase{"JisWithEightBitKanaStaysJis", "\x1B$B$\"\x1B(B\xB1\xB2", KC_JIS},
        VerdictCase{"ZeroByteIsBinary", std::string("ab\0cd", 5), KC_BINARY},
        VerdictCase{"ZeroAsLastByteIsNotLookedAt", std::string("ab\0", 3), KC_UTF7},
        VerdictCase{"TwoZerosAtEvenOffset", std::string("\0\0", 2) + "\x93\xFA\x96\x7B", KC_BINARY},
        VerdictCase{"TwoZerosAtOddOffsetDoNotEndThePass", std::string("a\0\0b", 4) + kCrLf16,
                    KC_UNICODE},
        VerdictCase{"EarlyExitBeforeLaterLineBreaks", std::string("\0\0", 2) + kCrLf16, KC_BINARY},
        VerdictCase{"Utf16WithByteOrderMarkAndCrLf",
                    Utf16({0xFEFF, 0x65E5, 0x672C, 0x8A9E, 0x3042, 0x0041, 0x0D, 0x0A, 0x30A2}),
                    KC_UNICODE},
        VerdictCase{"Utf16BigEndian",
                    std::string("\xFE\xFF\x65\xE5\x67\x2C\x00\x0D\x00\x0A\x30\x42", 12), KC_BINARY},
        VerdictCase{"Utf16SingleLineWithAscii", Utf16({0x3042, 0x0041, 0x3044}), KC_BINARY},
        VerdictCase{"Utf16WithHangulHighByte", Utf16({0x3042, 0xAC00, 0x0D, 0x0A}), KC_BINARY},
        VerdictCase{"Utf16WithSurrogates", Utf16({0x3042, 0xD840, 0xDC89, 0x0D, 0x0A}), KC_BINARY},
        VerdictCase{"Utf16WithFullWidthForms", Utf16({0xFF21, 0xFF71, 0x0D, 0x0A}), KC_UNICODE},
        VerdictCase{"Utf16LineBreakNeedsEvenOffset", std::string("a\r\0b\0", 5), KC_BINARY}));

TEST(DetectKanjiCode, ShiftJisPairTakesPrecedenceOverEucPair) {
    // 0xE4 0xA2 is a valid pair of both kinds; it counts for Shift_JIS only.
    EXPECT_EQ(Detect("\xE4\xA2\xE4\xA2"), KC_SJIS);
}

TEST(DetectKanjiCode, Utf8ContinuationBytesAreNotCountedAgain) {
    // 0x81 0x82 would be a Shift_JIS pair if the continuation bytes were looked at again.
    EXPECT_EQ(Detect("\xE3\x81\x82\xE3\x81\x84"), KC_UTF8);
}

TEST(DetectKanjiCode, OnePairDecidesAnOtherwiseSevenBitFile) {
    std::string text(10000, 'x');
    text += "\xA4\xA2";
    EXPECT_EQ(Detect(text), KC_EUC);
}

TEST(DetectKanjiCode, EscapeBeatsCountedPairs) {
    EXPECT_EQ(Detect("\x93\xFA\x96\x7B\x93\xFA\x96\x7B \x1B$B"), KC_JIS);
}

TEST(DetectKanjiCode, ExaminesEveryByteNotAPrefix) {
    std::string text(1 << 20, 'a');
    text += "\x1B$B";
    EXPECT_EQ(Detect(text), KC_JIS);
    std::string late_zero(1 << 20, 'a');
    late_zero[late_zero.size() - 3] = '\0';
    EXPECT_EQ(Detect(late_zero), KC_BINARY);
    std::string jis_then_zero = "\x1B$B$\"\x1B(B" + std::string(1 << 20, 'a');
    jis_then_zero[jis_then_zero.size() - 3] = '\0';
    EXPECT_EQ(Detect(jis_then_zero), KC_BINARY);
}

TEST(DetectKanjiCode, NegativeLengthIsUndecided) {
    EXPECT_EQ(DetectKanjiCode("abc", -5), KC_UNDECIDED);
}

TEST(Base64ValueTable, HoldsTheRfc2045Alphabet) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int c = 0; c < 128; ++c) {
        const auto at = alphabet.find(static_cast<char>(c));
        const int expected = at == std::string::npos ? -1 : static_cast<int>(at);
        EXPECT_EQ(Base64ValueTable[c], expected) << "character " << c;
    }
}

TEST(KanjiCodeName, NamesEveryVerdict) {
    EXPECT_STREQ(KanjiCodeName(KC_ASCII), "ASCII");
    EXPECT_STREQ(KanjiCodeName(KC_UNICODE), "UNICODE");
    EXPECT_STREQ(KanjiCodeName(KC_UTF7), "UTF7");
    EXPECT_STREQ(KanjiCodeName(static_cast<KanjiCode>(3)), "UNKNOWN");
}

}  // namespace
}  // namespace quelbrix
