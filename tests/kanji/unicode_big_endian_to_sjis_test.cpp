// The big-endian UTF-16 converter against the little-endian one given the same units with
// their bytes swapped: the blocks it works in must not show in the text.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "kanji/kanji_convert.h"
#include "kanji_test_support.h"

namespace quelbrix {
namespace {

using testing::Utf16;
using testing::Swapped;
using testing::Utf16Be;


struct Answer {
    std::int32_t result;
    std::string text;
    bool overrun;
};

// One call with `capacity`, into a destination larger than it that shows a write past it.
Answer BigEndian(const std::string& bytes, std::uint32_t capacity) {
    constexpr char kMarker = '\x7F';
    std::vector<char> dest(capacity + 16, kMarker);
    const std::string input = bytes + '\0';
    const std::int32_t r = UnicodeBigEndianToSjis(dest.data(), input.c_str(), capacity,
                                                  static_cast<std::uint32_t>(bytes.size()));
    bool overrun = false;
    for (std::size_t i = capacity; i < dest.size(); ++i) overrun |= dest[i] != kMarker;
    std::string text;
    if (r >= 0) {
        text.assign(dest.data(), static_cast<std::size_t>(r));
        EXPECT_EQ(dest[static_cast<std::size_t>(r)], '\0');
    }
    return {r, text, overrun};
}

Answer LittleEndian(const std::string& bytes, std::uint32_t capacity) {
    std::vector<char> dest(capacity + 16, '\x7F');
    const std::string input = bytes + '\0';
    const std::int32_t r = UnicodeToSjis(dest.data(), input.c_str(), capacity,
                                         static_cast<std::uint32_t>(bytes.size()));
    return {r, r >= 0 ? std::string(dest.data(), static_cast<std::size_t>(r)) : "", false};
}


TEST(UnicodeBigEndianToSjis, ConvertsAsTheLittleEndianConverterDoes) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"mark and kana", Utf16Be({0xFEFF, 0x3042, 'a'}), "?\x82\xA0" "a"},
        {"line breaks", Utf16Be({'x', 0x0D, 0x0A, 'y'}), "x\r\ny"},
        {"half-width kana", Utf16Be({0xFF71}), "\xB1"},
        {"surrogate pair", Utf16Be({0xD842, 0xDFB7}), "??"},
        {"ends at a zero unit", Utf16Be({'a', 0, 'b'}), "a"},
        {"a zero high byte is no zero unit", Utf16Be({'a', 0x3000}), "a\x81\x40"},
        {"odd last byte is dropped", Utf16Be({'a', 'b'}) + "\x30", "ab"},
        {"one byte", "\x30", ""},
        {"only the mark", "\xFE\xFF", "?"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Answer got = BigEndian(c.bytes, 2 * static_cast<std::uint32_t>(c.bytes.size()) + 1);
        EXPECT_EQ(got.result, static_cast<std::int32_t>(c.text.size()));
        EXPECT_EQ(got.text, c.text);
        EXPECT_FALSE(got.overrun);
    }
}

// Long texts cross the converter's blocks: every length and every capacity near the output's
// size gives the little-endian converter's answer for the swapped units.
TEST(UnicodeBigEndianToSjis, BlocksDoNotShowAtAnyLengthOrCapacity) {
    std::mt19937 random(7);
    const std::uint16_t alphabet[] = {'a', 0x3042, 0x8868, 0xFF71, 0xFEFF, 0x0D, 0x0A, 0xD800};
    for (std::size_t units : {4095u, 4096u, 4097u, 8192u, 12289u}) {
        std::string le;
        for (std::size_t i = 0; i < units; ++i) {
            const std::uint16_t u = alphabet[random() % 8];
            le += static_cast<char>(u & 0xFF);
            le += static_cast<char>(u >> 8);
        }
        for (const std::string& bytes : {le, le + "\x41"}) {
            const std::string be = Swapped(bytes) + (bytes.size() % 2 ? "\x41" : "");
            const std::string even = bytes.substr(0, bytes.size() & ~std::size_t{1});
            const Answer want = LittleEndian(even, 2 * static_cast<std::uint32_t>(bytes.size()));
            ASSERT_GE(want.result, 0);
            const auto size = static_cast<std::uint32_t>(want.result);
            for (std::uint32_t capacity : {size + 1, size, size - 1, size + 2}) {
                SCOPED_TRACE(std::to_string(bytes.size()) + " bytes, capacity " +
                             std::to_string(capacity));
                const Answer got = BigEndian(be, capacity);
                const Answer little = LittleEndian(even, capacity);
                EXPECT_EQ(got.result, little.result);
                EXPECT_EQ(got.text, little.text);
                EXPECT_FALSE(got.overrun);
            }
        }
    }
}

// A zero unit in a later block ends the text there, as it does in the first.
TEST(UnicodeBigEndianToSjis, ZeroUnitInALaterBlockEndsTheText) {
    std::string be;
    for (int i = 0; i < 5000; ++i) be += Utf16Be({'a'});
    be += Utf16Be({0, 'b'});
    const Answer got = BigEndian(be, 2 * static_cast<std::uint32_t>(be.size()) + 1);
    EXPECT_EQ(got.result, 5000);
    EXPECT_EQ(got.text, std::string(5000, 'a'));
}

TEST(UnicodeBigEndianToSjis, CapacityTooSmallIsMinusOne) {
    EXPECT_EQ(BigEndian("", 0).result, -1);
    EXPECT_EQ(BigEndian(Utf16Be({'a'}), 1).result, -1);
    EXPECT_EQ(BigEndian(Utf16Be({0x3042}), 2).result, -1);
    EXPECT_EQ(BigEndian(Utf16Be({0x3042}), 3).result, 2);
}

}  // namespace
}  // namespace quelbrix
