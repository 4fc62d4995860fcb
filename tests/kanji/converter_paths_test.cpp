// The converters told the data length read double-byte stretches in blocks; they must give
// exactly what the character-by-character path gives, at every capacity.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "kanji/kanji_convert.h"

namespace quelbrix {
namespace {

using ConvertUnbounded = std::int32_t (*)(char*, const char*, std::uint32_t);
using ConvertBounded = std::int32_t (*)(char*, const char*, std::uint32_t, std::uint32_t);

struct PathCase {
    const char* name;
    ConvertUnbounded unbounded;
    ConvertBounded bounded;
    std::vector<std::string> pieces;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class ConverterPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(ConverterPaths, BlocksGiveWhatCharactersGive) {
    const PathCase& c = GetParam();
    std::mt19937 random(31);
    for (int round = 0; round < 1500; ++round) {
        std::string text;
        const std::size_t pieces = random() % 120;
        for (std::size_t k = 0; k < pieces; ++k) text += c.pieces[random() % c.pieces.size()];
        const std::string source = text + '\0';
        const auto length = static_cast<std::uint32_t>(text.size());
        // Around the output's size too, where a block no longer fits.
        const std::uint32_t capacities[] = {
            2 * length + 1, length + 1, length / 2 + 1,
            static_cast<std::uint32_t>(random() % (2 * length + 2))};
        for (std::uint32_t capacity : capacities) {
            std::vector<char> want(capacity + 1, '\x7F'), got(capacity + 1, '\x7F');
            const std::int32_t w = c.unbounded(want.data(), source.c_str(), capacity);
            const std::int32_t g = c.bounded(got.data(), source.c_str(), capacity, length);
            ASSERT_EQ(g, w) << "round " << round << ", capacity " << capacity;
            if (w >= 0) {
                ASSERT_EQ(std::string(got.data(), w + 1), std::string(want.data(), w + 1))
                    << "round " << round;
            }
            ASSERT_EQ(got[capacity], '\x7F') << "written past the capacity";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Converters, ConverterPaths,
    ::testing::Values(PathCase{"Jis",
                               JisToSjis,
                               JisToSjis,
                               {"\x1B$B", "\x1B(B", "\x1B(I", "\x1B$(P", "\x1B$(D", "$\"", "F|K\\",
                                "8l", "!!", "\r\n", " ", "a", "\x0E", "\x0F", "\xB1", "~"}},
                      PathCase{"Euc",
                               EucToSjis,
                               EucToSjis,
                               {"\xA4\xA2", "\xC6\xFC\xCB\xDC", "\xB8\xEC", "\xFE\xFE", "\x8E\xB1",
                                "\x8F\xB1\xA1", "\x8F\xA1\xA1", "\r\n", "a", " ", "\xA1", "\x80",
                                "\xFF"}}));

}  // namespace
}  // namespace quelbrix
