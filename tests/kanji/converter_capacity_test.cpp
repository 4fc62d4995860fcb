// The capacity rule shared by the three converters: the output proper stays below the
// capacity, the terminator always fits, and nothing is written past the capacity.
#include <gtest/gtest.h>

#include <string>

#include "kanji_test_support.h"

namespace quelbrix {
namespace {

using testing::Convert;
using testing::Converter;
using testing::Utf16;

struct CapacityCase {
    const char* name;
    Converter converter;
    std::string source;
    std::string output;  // what fits with room to spare
};

void PrintTo(const CapacityCase& c, std::ostream* os) { *os << c.name; }

class CapacityTest : public ::testing::TestWithParam<CapacityCase> {};

TEST_P(CapacityTest, FitsExactlyWithRoomForTheTerminator) {
    const CapacityCase& c = GetParam();
    bool overrun = true;
    const auto fits = Convert(c.converter, c.source, c.output.size() + 1, &overrun);
    EXPECT_EQ(fits.result, static_cast<std::int32_t>(c.output.size()));
    EXPECT_EQ(fits.text, c.output);
    EXPECT_FALSE(overrun);
}

TEST_P(CapacityTest, OneByteLessIsMinusOne) {
    const CapacityCase& c = GetParam();
    bool overrun = true;
    EXPECT_EQ(Convert(c.converter, c.source, c.output.size(), &overrun).result, -1);
    EXPECT_FALSE(overrun);
}

TEST_P(CapacityTest, ZeroCapacityIsMinusOneAndWritesNothing) {
    const CapacityCase& c = GetParam();
    bool overrun = true;
    EXPECT_EQ(Convert(c.converter, c.source, 0, &overrun).result, -1);
    EXPECT_FALSE(overrun);
}

TEST_P(CapacityTest, TwiceTheInputAlwaysFits) {
    const CapacityCase& c = GetParam();
    if (c.source.size() < 2) return;  // the stage never converts fewer than 2 bytes
    EXPECT_EQ(Convert(c.converter, c.source, 2 * c.source.size()).text, c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Converters, CapacityTest,
    ::testing::Values(
        CapacityCase{"JisDoubleByteLast", Converter::kJis, "a\x1B$B$\"", "a\x82\xA0"},
        CapacityCase{"JisSingleByteLast", Converter::kJis, "\x1B$B$\"\x1B(Bz", "\x82\xA0z"},
        CapacityCase{"JisEmpty", Converter::kJis, "", ""},
        CapacityCase{"EucDoubleByteLast", Converter::kEuc, "a\xA4\xA2", "a\x82\xA0"},
        CapacityCase{"EucKana", Converter::kEuc, "\x8E\xB1\x8E\xB2", "\xB1\xB2"},
        CapacityCase{"EucEmpty", Converter::kEuc, "", ""},
        CapacityCase{"UnicodeDoubleByteLast", Converter::kUnicode, Utf16({'a', 0x3042}),
                     "a\x82\xA0"},
        CapacityCase{"UnicodeUnmappedLast", Converter::kUnicode, Utf16({0x3042, 0xFEFF}),
                     "\x82\xA0?"},
        CapacityCase{"UnicodeOddTwoByteLast", Converter::kUnicode, Utf16({'a'}) + "\xB5",
                     "a\x83\xCA"},
        CapacityCase{"UnicodeEmpty", Converter::kUnicode, "", ""},
        CapacityCase{"Utf8DoubleByteLast", Converter::kUtf8, "a\xE3\x81\x82", "a\x82\xA0"},
        CapacityCase{"Utf8CutShortLast", Converter::kUtf8, "\xE3\x81\x82\xE3\x81", "\x82\xA0?"},
        CapacityCase{"Utf8Empty", Converter::kUtf8, "", ""}));

}  // namespace
}  // namespace quelbrix
