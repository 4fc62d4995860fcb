#include <gtest/gtest.h>

#include <string>

#include "kanji_test_support.h"

namespace quelbrix {
namespace {

using testing::EucText;
using testing::TextbookSjis;

struct EucCase {
    const char* name;
    std::string euc;
    std::string sjis;
};

void PrintTo(const EucCase& c, std::ostream* os) { *os << c.name; }

class EucToSjisTest : public ::testing::TestWithParam<EucCase> {};

TEST_P(EucToSjisTest, Converts) { EXPECT_EQ(EucText(GetParam().euc), GetParam().sjis); }

INSTANTIATE_TEST_SUITE_P(
    Cases, EucToSjisTest,
    ::testing::Values(EucCase{"AsciiPassesThrough", "abc\r\n", "abc\r\n"},
                      EucCase{"Hiragana", "\xA4\xA2\xA4\xA4", "\x82\xA0\x82\xA2"},
                      EucCase{"Kanji", "\xB0\xA1\xC9\xBD", "\x88\x9F\x95\x5C"},
                      EucCase{"SingleShift2Kana", "\x8E\xB1", "\xB1"},
                      EucCase{"SingleShift2SetsTheTopBit", "\x8E\x31", "\xB1"},
                      EucCase{"SingleShift3JisX0212Kanji", "\x8F\xB1\xA1", "\xF0\x6B"},
                      EucCase{"SingleShift3JisX0212Row16HasNoMapping", "\x8F\xB0\xA1", "?"},
                      EucCase{"SingleShift3JisX0212SymbolRowHasNoMapping", "\x8F\xA2\xB7", "?"},
                      EucCase{"SingleShift3JisX0213Plane2Row1", "\x8F\xA1\xA1", "\xF0\x40"},
                      EucCase{"SingleShift3JisX0213Plane2Row94", "\x8F\xFE\xFE", "\xFC\xFC"},
                      EucCase{"SingleShift3JisX0212WithoutJisX0213Form", "\x8F\xE6\xA3", "?"},
                      EucCase{"LeadSwallowsAnAsciiCell",
                              "\xA4"
                              "Ab",
                              "\x82\xBF"
                              "b"},
                      EucCase{"LeadByteFF", "\xFF\xA1", "\xF0\x40"},
                      EucCase{"OtherBytesPassThrough", "\x80\x8D\x90\xA0\x7F",
                              "\x80\x8D\x90\xA0\x7F"},
                      EucCase{"LeadCutShortWritesNothing", "a\xA4", "a"},
                      EucCase{"SingleShift2CutShortWritesNothing", "a\x8E", "a"},
                      EucCase{"SingleShift3CutShortAfterRow", "a\x8F\xB1", "a"},
                      EucCase{"SingleShift3CutShortAlone", "a\x8F", "a"},
                      EucCase{"ZeroCellInsideTheDataIsACell", std::string("\xA4\xA2\xA4\0", 4),
                              "\x82\xA0\x82\x7D"}));

TEST(EucToSjis, EveryJisX0208CellFollowsTheArithmetic) {
    std::string euc;
    std::string expected;
    for (unsigned row = 0x21; row <= 0x7E; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            euc += static_cast<char>(row | 0x80);
            euc += static_cast<char>(cell | 0x80);
            expected += TextbookSjis(row, cell);
        }
    }
    EXPECT_EQ(EucText(euc), expected);
}

TEST(EucToSjis, EveryHalfWidthKanaIsOneByte) {
    std::string euc;
    std::string expected;
    for (unsigned kana = 0xA1; kana <= 0xDF; ++kana) {
        euc += '\x8E';
        euc += static_cast<char>(kana);
        expected += static_cast<char>(kana);
    }
    EXPECT_EQ(EucText(euc), expected);
}

}  // namespace
}  // namespace quelbrix
