#include <gtest/gtest.h>

#include <set>
#include <string>

#include "sjis_char.h"

namespace quelbrix {
namespace {

std::string Put(SjisCode code) {
    char out[2] = {'\x7F', '\x7F'};
    const int n = PutSjisChar(out, code);
    return std::string(out, static_cast<std::size_t>(n));
}

TEST(PutSjisChar, WritesOneOrTwoBytes) {
    EXPECT_EQ(Put(0x82A0), "\x82\xA0");
    EXPECT_EQ(Put(0x0100), std::string("\x01\x00", 2));
    EXPECT_EQ(Put(0x0041), "A");
    EXPECT_EQ(Put(0x00B1), "\xB1");
    EXPECT_EQ(Put(0x00FF), "\xFF");
    EXPECT_EQ(Put(kNoMapping), "?");
}

struct JisCase {
    std::uint16_t jis;
    int plane;
    SjisCode sjis;
};

class JisCharToSjisTest : public ::testing::TestWithParam<JisCase> {};

TEST_P(JisCharToSjisTest, MapsRowAndCell) {
    const JisCase& c = GetParam();
    EXPECT_EQ(JisCharToSjis(c.jis, c.plane), c.sjis)
        << std::hex << "JIS 0x" << c.jis << " plane " << c.plane;
}

INSTANTIATE_TEST_SUITE_P(
    KnownCodes, JisCharToSjisTest,
    ::testing::Values(JisCase{0x2422, 1, 0x82A0},  // あ
                      JisCase{0x2121, 1, 0x8140},  // ideographic space
                      JisCase{0x3021, 1, 0x889F},  // 亜
                      JisCase{0x5F21, 1, 0xE040},  // first row with lead 0xE0
                      JisCase{0x5E7E, 1, 0x9FFC},  // last cell below the lead gap
                      JisCase{0x215F, 1, 0x817E},  // odd row, last cell before 0x7F
                      JisCase{0x2160, 1, 0x8180},  // odd row skips 0x7F
                      JisCase{0x7E7E, 1, 0xEFFC},  // plane 1 corner
                      JisCase{0x2121, 2, 0xF040}, JisCase{0x2821, 2, 0xF09F},
                      JisCase{0x6E21, 2, 0xF49F}, JisCase{0x7E7E, 2, 0xFCFC},
                      JisCase{0x2221, 2, 0x0000}, JisCase{0x2321, 2, 0xF140},
                      JisCase{0x2F7E, 2, 0xF49E},  // row 15 ends where row 78 begins
                      JisCase{0x6D21, 2, 0x0000}));

TEST(JisCharToSjis, PlaneTwoHasAFormOnlyForTheJisX0213Rows) {
    for (unsigned row = 0x21; row <= 0x7E; ++row) {
        const bool has_form = row == 0x21 || (row >= 0x23 && row <= 0x25) || row == 0x28 ||
                              (row >= 0x2C && row <= 0x2F) || row >= 0x6E;
        const SjisCode code = JisCharToSjis(static_cast<std::uint16_t>(row << 8 | 0x21), 2);
        if (has_form) {
            EXPECT_GE(code >> 8, 0xF0u) << std::hex << row;
            EXPECT_LE(code >> 8, 0xFCu) << std::hex << row;
        } else {
            EXPECT_EQ(code, kNoMapping) << std::hex << row;
        }
    }
}

TEST(JisCharToSjis, PlaneTwoRowsFillTheFirstBytesF0ToFcWithoutOverlap) {
    std::set<SjisCode> seen;
    for (unsigned row = 0x21; row <= 0x7E; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            const SjisCode code = JisCharToSjis(static_cast<std::uint16_t>(row << 8 | cell), 2);
            if (code != kNoMapping) {
                EXPECT_TRUE(seen.insert(code).second) << std::hex << code;
            }
        }
    }
    EXPECT_EQ(seen.size(), 26u * 94u);  // 26 rows: 1, 3-5, 8, 12-15, 78-94
    EXPECT_EQ(*seen.begin(), 0xF040);
    EXPECT_EQ(*seen.rbegin(), 0xFCFC);
}

TEST(UnicodeCharToSjis, AbsentPagesGiveNoMapping) {
    EXPECT_EQ(UnicodeCharToSjis(0x0500), kNoMapping);
    EXPECT_EQ(UnicodeCharToSjis(0xAC00), kNoMapping);  // Hangul
    EXPECT_EQ(UnicodeCharToSjis(0xD840), kNoMapping);  // surrogate
    EXPECT_EQ(UnicodeCharToSjis(0xE000), kNoMapping);  // private use
}

TEST(Jisx0212CharToSjis, OutsideTheKanjiRowsGivesNoMapping) {
    EXPECT_EQ(Jisx0212CharToSjis(0x3021), kNoMapping);  // row 0x30 is not in the table
    EXPECT_EQ(Jisx0212CharToSjis(0x6E21), kNoMapping);
    EXPECT_EQ(Jisx0212CharToSjis(0x3120), kNoMapping);
    EXPECT_EQ(Jisx0212CharToSjis(0x317F), kNoMapping);
    EXPECT_EQ(Jisx0212CharToSjis(0x2237), kNoMapping);  // a symbol row
}

}  // namespace
}  // namespace quelbrix
