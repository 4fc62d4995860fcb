// The constant tables, checked against counts and against mappings taken from elsewhere
// (code page 932 habits, glibc's iconv for JIS X 0212 and JIS X 0213), not from the generator.
#include <gtest/gtest.h>

#include <set>

#include "kanji_tables.h"
#include "sjis_char.h"

namespace quelbrix {
namespace {

TEST(UnicodePageTable, HasTheExpectedPagesAndEntries) {
    int pages = 0;
    int entries = 0;
    for (int high = 0; high < 256; ++high) {
        if (UnicodePageTable[high] == nullptr) continue;
        ++pages;
        for (int low = 0; low < 256; ++low) entries += UnicodePageTable[high][low] != 0;
    }
    EXPECT_EQ(pages, 130);
    EXPECT_EQ(entries, 10928);
    for (int high : {0x00, 0x04, 0x1E, 0x27, 0x30, 0x32, 0x9F, 0xF8, 0xFA, 0xFF}) {
        EXPECT_NE(UnicodePageTable[high], nullptr) << std::hex << high;
    }
    for (int high : {0x05, 0x1D, 0x28, 0x31, 0xA0, 0xD8, 0xE0, 0xF7, 0xFB, 0xFE}) {
        EXPECT_EQ(UnicodePageTable[high], nullptr) << std::hex << high;
    }
}

struct Mapping {
    std::uint16_t unit;
    SjisCode sjis;
};

class UnicodeSpotCheck : public ::testing::TestWithParam<Mapping> {};

TEST_P(UnicodeSpotCheck, MapsAsExpected) {
    EXPECT_EQ(UnicodeCharToSjis(GetParam().unit), GetParam().sjis)
        << std::hex << "U+" << GetParam().unit;
}

INSTANTIATE_TEST_SUITE_P(KnownCharacters, UnicodeSpotCheck,
                         ::testing::Values(Mapping{0x0041, 0x41}, Mapping{0x0001, 0x01},
                                           Mapping{0x007F, 0x7F},
                                           Mapping{0x00A5, 0x5C},    // yen sign, JIS Roman
                                           Mapping{0x3000, 0x8140},  // ideographic space
                                           Mapping{0x3042, 0x82A0},  // あ
                                           Mapping{0x30A2, 0x8341},  // ア
                                           Mapping{0x4E9C, 0x889F},  // 亜
                                           Mapping{0x6F22, 0x8ABF},  // 漢
                                           Mapping{0x5B57, 0x8E9A},  // 字
                                           Mapping{0x8868, 0x955C},  // 表, trail byte 0x5C
                                           Mapping{0x2015, 0x815C},  // horizontal bar
                                           Mapping{0xFF01, 0x8149},  // fullwidth !
                                           Mapping{0xFF71, 0xB1},    // half-width ア
                                           Mapping{0xFF61, 0xA1}, Mapping{0xFF9F, 0xDF},
                                           Mapping{0x2460, 0x8740},  // circled 1, JIS X 0213 row 13
                                           Mapping{0x4E02, 0xF041},  // plane 2, row 1
                                           Mapping{0x20AC, 0x8540}));  // euro sign

INSTANTIATE_TEST_SUITE_P(DifferentOrAdditionalEntries, UnicodeSpotCheck,
                         ::testing::Values(Mapping{0x005C, 0x5C}, Mapping{0x007E, 0x7E},
                                           Mapping{0x0080, 0x80}, Mapping{0x00B5, 0x83CA},
                                           Mapping{0x2211, 0x83B0}, Mapping{0x2225, 0x8161},
                                           Mapping{0xF8F0, 0xA0}, Mapping{0xF8F1, 0xFD},
                                           Mapping{0xF8F2, 0xFE}, Mapping{0xF8F3, 0xFF},
                                           Mapping{0xFF0D, 0x817C}, Mapping{0xFF3C, 0x815F},
                                           Mapping{0xFF5E, 0x8160}, Mapping{0xFFE0, 0x8191},
                                           Mapping{0xFFE1, 0x8192}, Mapping{0xFFE2, 0x81CA}));

TEST(UnicodePageTable, LeavesTheListedCodePointsUnmapped) {
    const std::pair<std::uint16_t, std::uint16_t> ranges[] = {
        {0x2016, 0x2016}, {0x203E, 0x203E}, {0x2047, 0x2047}, {0x2051, 0x2051}, {0x2212, 0x2212},
        {0x23BE, 0x23CC}, {0x23CE, 0x23CE}, {0x24EB, 0x24FE}, {0x2616, 0x2617}, {0x2934, 0x2935},
        {0x2985, 0x2986}, {0x29BF, 0x29BF}, {0x29FA, 0x29FB}, {0x301C, 0x301C}, {0x303B, 0x303D},
        {0x3095, 0x3096}, {0x309F, 0x30A0}, {0x30FF, 0x30FF}, {0x31F0, 0x31FF}, {0x3251, 0x325F},
        {0x32B1, 0x32BF}, {0x69EA, 0x69EA}, {0x9B2D, 0x9B2D}, {0xFA30, 0xFA6A}, {0xFE45, 0xFE46},
        {0xFF02, 0xFF02}, {0xFF07, 0xFF07}};
    int count = 0;
    for (const auto& [first, last] : ranges) {
        for (unsigned u = first; u <= last; ++u, ++count) {
            EXPECT_EQ(UnicodeCharToSjis(static_cast<std::uint16_t>(u)), kNoMapping)
                << std::hex << "U+" << u;
        }
    }
    EXPECT_EQ(count, 170);
}

TEST(UnicodePageTable, SevenBitUnitsMapToThemselves) {
    for (unsigned u = 1; u < 0x80; ++u)
        EXPECT_EQ(UnicodeCharToSjis(static_cast<std::uint16_t>(u)), u);
}

TEST(UnicodePageTable, HalfWidthKanaMapToOneByte) {
    for (unsigned u = 0xFF61; u <= 0xFF9F; ++u) {
        EXPECT_EQ(UnicodeCharToSjis(static_cast<std::uint16_t>(u)), u - 0xFF61 + 0xA1);
    }
}

TEST(UnicodePageTable, ByteOrderMarkSurrogatesAndPrivateUseAreUnmapped) {
    EXPECT_EQ(UnicodeCharToSjis(0xFEFF), kNoMapping);
    for (unsigned u = 0xD800; u <= 0xF8FF; ++u) {
        if (u >= 0xF8F0 && u <= 0xF8F3) continue;
        ASSERT_EQ(UnicodeCharToSjis(static_cast<std::uint16_t>(u)), kNoMapping) << std::hex << u;
    }
}

TEST(UnicodePageTable, NoTwoUnitsShareAShiftJisKanji) {
    // Two units on one code would make the converted text ambiguous; kanji never share one.
    std::set<SjisCode> seen;
    for (unsigned u = 0x4E00; u <= 0x9FFF; ++u) {
        const SjisCode code = UnicodeCharToSjis(static_cast<std::uint16_t>(u));
        if (code != kNoMapping) {
            EXPECT_TRUE(seen.insert(code).second) << std::hex << u;
        }
    }
}

TEST(Jisx0212Table, HasOneEntryPerKanjiCell) {
    EXPECT_EQ(kJisx0212TableSize, 5734u);
    int mapped = 0;
    for (SjisCode code : Jisx0212Table) mapped += code != 0;
    EXPECT_GT(mapped, 2600);
    EXPECT_LT(mapped, 2800);
}

TEST(Jisx0212Table, EveryMappedCharacterConvertsTheSameFromUtf16) {
    std::set<SjisCode> from_unicode;
    for (unsigned u = 1; u <= 0xFFFF; ++u) {
        from_unicode.insert(UnicodeCharToSjis(static_cast<std::uint16_t>(u)));
    }
    for (SjisCode code : Jisx0212Table) {
        if (code != 0) {
            EXPECT_TRUE(from_unicode.count(code)) << std::hex << code;
        }
    }
}

class Jisx0212SpotCheck : public ::testing::TestWithParam<Mapping> {};

TEST_P(Jisx0212SpotCheck, MapsAsExpected) {
    EXPECT_EQ(Jisx0212CharToSjis(GetParam().unit), GetParam().sjis)
        << std::hex << "JIS X 0212 0x" << GetParam().unit;
}

// Taken from glibc: EUC-JP 0x8F row cell -> Unicode -> SHIFT_JISX0213.
INSTANTIATE_TEST_SUITE_P(
    KnownCharacters, Jisx0212SpotCheck,
    ::testing::Values(Mapping{0x3121, 0xF06B},    // U+4F85
                      Mapping{0x3123, 0x87B3},    // U+4F8A, JIS X 0213 plane 1 row 14
                      Mapping{0x5463, 0xEDB5},    // U+7E8A
                      Mapping{0x6623, 0x0000},    // U+9588, not in JIS X 0213
                      Mapping{0x6A32, 0x0000}));  // U+9B2D, left unmapped for UTF-16 too

}  // namespace
}  // namespace quelbrix
