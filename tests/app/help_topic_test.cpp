#include "app/help_topic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quelbrix;

namespace {

TEST(HelpTopicText, PathSeparatorAndTopicMakeOneText) {
    char out[kHelpTopicTextBytes];
    // 表 (95 5C) in the folder: composed byte for byte, nothing taken for a separator.
    ASSERT_TRUE(ComposeHelpTopicText("C:\\\x95\x5C\\help.chm", "_RESOURCE/「設定」ダイアログ.html",
                                     out, sizeof out));
    EXPECT_STREQ(out, "C:\\\x95\x5C\\help.chm::_RESOURCE/「設定」ダイアログ.html");
    ASSERT_TRUE(ComposeHelpTopicText("C:\\help.chm", nullptr, out, sizeof out));
    EXPECT_STREQ(out, "C:\\help.chm::");
}

// The text fills the buffer up to its last byte and never one byte further.
TEST(HelpTopicText, LongestFittingTextAndOneByteMoreIsRefused) {
    const std::string path = "C:\\" + std::string(300, 'p') + "\\help.chm";
    const std::size_t room = kHelpTopicTextBytes - 1 - path.size() - 2;
    std::vector<char> out(kHelpTopicTextBytes + 8, '#');

    const std::string fitting(room, 't');
    ASSERT_TRUE(ComposeHelpTopicText(path, fitting.c_str(), out.data(), kHelpTopicTextBytes));
    EXPECT_EQ(std::string(out.data()), path + "::" + fitting);

    std::fill(out.begin(), out.end(), '#');
    const std::string tooLong(room + 1, 't');
    EXPECT_FALSE(ComposeHelpTopicText(path, tooLong.c_str(), out.data(), kHelpTopicTextBytes));
    EXPECT_EQ(out[0], '\0');
    for (std::size_t i = 1; i < out.size(); ++i) ASSERT_EQ(out[i], '#') << "byte " << i;
}

TEST(HelpTopicText, NoBufferOrNoRoomIsRefused) {
    char one[1] = {'#'};
    EXPECT_FALSE(ComposeHelpTopicText("", "", nullptr, 10));
    EXPECT_FALSE(ComposeHelpTopicText("a", "b", one, 0));
    EXPECT_EQ(one[0], '#');
    EXPECT_FALSE(ComposeHelpTopicText("", "", one, 1));  // "::" alone needs three bytes
    EXPECT_EQ(one[0], '\0');
}

TEST(FullyQualifiedPath, OnlyDrivePathsAndSharesCount) {
    struct Case {
        const char* path;
        bool full;
    };
    const Case cases[] = {
        {"C:\\windows\\system32\\hhctrl.ocx", true},
        {"z:/tmp/hhctrl.ocx", true},
        {"\\\\server\\share\\hhctrl.ocx", true},
        {"hhctrl.ocx", false},
        {".\\hhctrl.ocx", false},
        {"C:hhctrl.ocx", false},           // relative to the drive's current folder
        {"\\windows\\hhctrl.ocx", false},  // relative to the current drive
        {"\\\\\\x", false},
        {"1:\\x", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsFullyQualifiedPath(c.path), c.full) << c.path;
}

}  // namespace
