#include "engine/bounded_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace quelbrix {
namespace {

TEST(CopyBounded, FitsWhole) {
    char buffer[8];
    EXPECT_TRUE(CopyBounded(buffer, sizeof buffer, "1234567"));
    EXPECT_STREQ(buffer, "1234567");
}

TEST(CopyBounded, CutsWithoutOverrun) {
    char buffer[9] = {};
    buffer[8] = 'X';
    EXPECT_FALSE(CopyBounded(buffer, 8, "123456789"));
    EXPECT_STREQ(buffer, "1234567");
    EXPECT_EQ(buffer[8], 'X');
}

TEST(CopyBounded, NeverLeavesHalfACharacter) {
    char buffer[4];
    // a 表 表: three bytes fit, the second 表 would be split and is dropped whole.
    EXPECT_FALSE(CopyBounded(buffer, sizeof buffer, "a\x95\x5C\x95\x5C"));
    EXPECT_STREQ(buffer, "a\x95\x5C");
    EXPECT_FALSE(CopyBounded(buffer, sizeof buffer, "ab\x95\x5C"));
    EXPECT_STREQ(buffer, "ab");
}

TEST(FormatBounded, CutsAtACharacterBoundary) {
    char buffer[6];
    EXPECT_FALSE(FormatBounded(buffer, sizeof buffer, "%s%d", "\x95\x5C\x95\x5C", 12345));
    EXPECT_STREQ(buffer,
                 "\x95\x5C\x95\x5C"
                 "1");
    EXPECT_FALSE(FormatBounded(buffer, sizeof buffer, "ab%s", "\x95\x5C\x95\x5C"));
    EXPECT_STREQ(buffer, "ab\x95\x5C");
}

TEST(DropSplitCharacter, KeepsCompleteText) {
    char text[] =
        "a\x95\x5C"
        "b";
    DropSplitCharacter(text);
    EXPECT_STREQ(text,
                 "a\x95\x5C"
                 "b");
}

}  // namespace
}  // namespace quelbrix
