// The character model every part steps by, and copies that cut on its boundaries.
#include "common/shift_jis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/bounded_copy.h"

namespace {

TEST(ShiftJis, CharacterLengths) {
    const struct {
        std::string bytes;
        std::size_t length;
    } cases[] = {
        {"\x95\x5C", 2},                   // 表: the trail byte is a backslash
        {"\x83\x41", 2},                   // ア: the trail byte is 'A'
        {"\x81\x0A", 1},                   // a lead byte before a line feed stands alone
        {"\x81\x7F", 1},                   // 0x7F never trails
        {"\xFC\xFC", 2}, {"\xFD\x40", 1},  // not a lead byte
        {"\xB1\x40", 1},                   // half-width kana
        {"a", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sjis::CharLength(c.bytes.c_str()), c.length) << c.bytes;
        EXPECT_EQ(sjis::CharLengthIn(c.bytes.data(), c.bytes.data() + c.bytes.size()), c.length);
    }
    const char pair[] = "\x95\x5C";
    EXPECT_EQ(sjis::CharLengthIn(pair, pair + 1), 1u);  // the end comes before the trail byte
    EXPECT_EQ(sjis::CharLength("\x95"), 1u);            // the terminator never trails
}

TEST(ShiftJis, CopyBoundedCutsOnCharacterBoundaries) {
    const struct {
        std::string source;
        std::size_t size;
        std::string kept;
        bool whole;
    } cases[] = {
        {"abc", 4, "abc", true},
        {"abcd", 4, "abc", false},
        {"a\x95\x5C", 3, "a", false},      // 表 would be split
        {"a\x81\x0A", 3, "a\x81", false},  // 81 is a character of its own here
        {"\x95\x5C\x95\x5C", 4, "\x95\x5C", false},
        {"", 1, "", true},
    };
    for (const auto& c : cases) {
        char buffer[8];
        std::memset(buffer, 'Z', sizeof buffer);
        EXPECT_EQ(quelbrix::CopyBounded(buffer, c.size, c.source), c.whole) << c.source;
        EXPECT_EQ(std::string(buffer), c.kept);
        EXPECT_EQ(buffer[c.size], 'Z');  // nothing written past the buffer
    }
    char none[1] = {'Z'};
    EXPECT_FALSE(quelbrix::CopyBounded(none, 0, std::string("a")));
    EXPECT_EQ(none[0], 'Z');
}

}  // namespace
