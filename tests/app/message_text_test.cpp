#include "app/message_text.h"

#include <gtest/gtest.h>

#include <string>

using quelbrix::kMessageDetailBytes;
using quelbrix::MessageWithDetail;

namespace {

TEST(MessageWithDetail, TheDetailTakesThePlaceOfTheFirstSlotOrFollowsTheText) {
    EXPECT_EQ(MessageWithDetail("cannot start.\n%s", "\"ed.exe\" a.txt"),
              "cannot start.\n\"ed.exe\" a.txt");
    EXPECT_EQ(MessageWithDetail("%s and %s", "x"), "x and %s");
    EXPECT_EQ(MessageWithDetail("no slot: ", "x"), "no slot: x");
    // A detail holding "%s" is not filled again.
    EXPECT_EQ(MessageWithDetail("%s!", "100%s"), "100%s!");
}

TEST(MessageWithDetail, ALongDetailIsCutAtACharacterAndMarked) {
    const std::string fitting(kMessageDetailBytes, 'a');
    EXPECT_EQ(MessageWithDetail("%s", fitting), fitting);

    // A double-byte character across the cut is dropped whole, never split.
    const std::string detail = std::string(kMessageDetailBytes - 4, 'a') + "\x95\x5C" + "bbbb";
    const std::string shown = MessageWithDetail("%s", detail);
    EXPECT_EQ(shown, std::string(kMessageDetailBytes - 4, 'a') + "...");
    EXPECT_LE(shown.size(), kMessageDetailBytes);
}

}  // namespace
