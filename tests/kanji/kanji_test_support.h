// Small helpers shared by the kanji tests: byte strings in, byte strings out.
#ifndef QUELBRIX_TESTS_KANJI_TEST_SUPPORT_H
#define QUELBRIX_TESTS_KANJI_TEST_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kanji/kanji_convert.h"

namespace quelbrix::testing {

// The result of one converter call: its return value and the text before the terminator.
struct Converted {
    std::int32_t result;
    std::string text;
};

enum class Converter { kJis, kEuc, kUnicode, kUtf8 };

// Runs a converter over `source` (which gets its terminating 0 here) with `capacity`, or with
// twice the source length plus one when none is given. The destination is larger than the
// capacity and filled with a marker, so writing past the capacity shows up in `overrun`.
inline Converted Convert(Converter which, const std::string& source, std::int64_t capacity = -1,
                         bool* overrun = nullptr) {
    const auto room = static_cast<std::uint32_t>(capacity < 0 ? 2 * source.size() + 1 : capacity);
    constexpr char kMarker = '\x7F';
    std::vector<char> dest(room + 16, kMarker);
    const std::string input = source + '\0';
    const auto length = static_cast<std::uint32_t>(source.size());
    std::int32_t result = -1;
    // Told the length or not, the result must be the same, unless the data holds a zero byte:
    // without the length that zero ends the source.
    const bool zeroFree = source.find('\0') == std::string::npos;
    switch (which) {
    case Converter::kJis: {
        std::vector<char> unbounded(dest);
        const std::int32_t r = JisToSjis(unbounded.data(), input.c_str(), room);
        result = JisToSjis(dest.data(), input.c_str(), room, length);
        if (!zeroFree) break;
        EXPECT_EQ(r, result);
        if (r >= 0 && r == result) {
            EXPECT_EQ(std::string(unbounded.data(), r), std::string(dest.data(), r));
        }
        break;
    }
    case Converter::kEuc: {
        std::vector<char> unbounded(dest);
        const std::int32_t r = EucToSjis(unbounded.data(), input.c_str(), room);
        result = EucToSjis(dest.data(), input.c_str(), room, length);
        if (!zeroFree) break;
        EXPECT_EQ(r, result);
        if (r >= 0 && r == result) {
            EXPECT_EQ(std::string(unbounded.data(), r), std::string(dest.data(), r));
        }
        break;
    }
    case Converter::kUnicode:
        result = UnicodeToSjis(dest.data(), input.c_str(), room, length);
        break;
    case Converter::kUtf8:
        result = Utf8ToSjis(dest.data(), input.c_str(), room, length);
        break;
    }
    if (overrun != nullptr) {
        *overrun = false;
        for (std::size_t i = room; i < dest.size(); ++i) *overrun |= dest[i] != kMarker;
    }
    return {result, result >= 0 ? std::string(dest.data(), static_cast<std::size_t>(result)) : ""};
}

inline std::string JisText(const std::string& s) { return Convert(Converter::kJis, s).text; }
inline std::string EucText(const std::string& s) { return Convert(Converter::kEuc, s).text; }
inline std::string UnicodeText(const std::string& s) {
    return Convert(Converter::kUnicode, s).text;
}
inline std::string Utf8Text(const std::string& s) { return Convert(Converter::kUtf8, s).text; }

// UTF-16LE bytes of the given code units.
inline std::string Utf16(std::initializer_list<std::uint16_t> units) {
    std::string bytes;
    for (std::uint16_t u : units) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

// The bytes of each whole unit swapped (little-endian UTF-16 to big-endian and back); an odd
// last byte left out.
inline std::string Swapped(const std::string& bytes) {
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out += bytes[i + 1];
        out += bytes[i];
    }
    return out;
}

// UTF-16BE bytes of the given code units.
inline std::string Utf16Be(std::initializer_list<std::uint16_t> units) {
    return Swapped(Utf16(units));
}

// Shift_JIS of a JIS X 0208 cell by the textbook formula, written independently of the
// engine's arithmetic so that the two check each other.
inline std::string TextbookSjis(unsigned row, unsigned cell) {
    const unsigned index = (row - 0x21) >> 1;
    const unsigned first = index + (row <= 0x5E ? 0x81 : 0xC1);
    unsigned second;
    if (row % 2 == 1) {
        second = cell + (cell <= 0x5F ? 0x1F : 0x20);
    } else {
        second = cell + 0x7E;
    }
    return {static_cast<char>(first), static_cast<char>(second)};
}

}  // namespace quelbrix::testing

#endif
