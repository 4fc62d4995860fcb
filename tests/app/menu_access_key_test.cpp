#include "app/menu_access_key.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quelbrix {
namespace {

// The result list's popup menu: open, delete, folder, separator, properties.
const std::vector<std::string> kPopup = {"このファイルを開く(&P)", "このファイルを削除(&D)",
                                         "ファイルのあるフォルダを開く(&F)", "",
                                         "ファイルのプロパティ(&P)"};

struct KeyCase {
    char pressed;
    int current;
    AccessKeyAction action;
    int index;
};

TEST(MatchMenuAccessKey, OneItemIsChosenASharedKeyMovesTheHighlight) {
    using A = AccessKeyAction;
    const KeyCase cases[] = {
        {'d', -1, A::kExecute, 1}, {'D', 4, A::kExecute, 1}, {'f', 0, A::kExecute, 2},
        {'p', -1, A::kSelect, 0},  {'P', 0, A::kSelect, 4},  {'p', 4, A::kSelect, 0},
        {'p', 1, A::kSelect, 4},   {'p', 2, A::kSelect, 4},  {'x', 0, A::kNone, -1},
        {'(', -1, A::kNone, -1},   {'p', 9, A::kSelect, 0},  {0, -1, A::kNone, -1},
    };
    for (const KeyCase& c : cases) {
        AccessKeyMatch match = MatchMenuAccessKey(kPopup, c.pressed, c.current);
        EXPECT_EQ(match.action, c.action) << c.pressed << " from " << c.current;
        if (c.action != A::kNone) {
            EXPECT_EQ(match.index, c.index) << c.pressed << " from " << c.current;
        }
    }
}

TEST(AccessKeyOf, SkipsDoubledAmpersandsAndSecondBytes) {
    EXPECT_EQ(AccessKeyOf("Save && &Quit"), 'Q');
    EXPECT_EQ(AccessKeyOf("no key"), 0);
    EXPECT_EQ(AccessKeyOf("trailing &"), 0);
    // A lead byte takes the byte after it: 0x81 0x26 is no "&" followed by a key.
    EXPECT_EQ(AccessKeyOf("\x81\x26X"), 0);
    // A double-byte character after "&" is no key a letter can match.
    EXPECT_EQ(AccessKeyOf("&\x83\x5C"), 0);
}

}  // namespace
}  // namespace quelbrix
