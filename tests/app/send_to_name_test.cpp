#include "app/send_to_name.h"

#include <gtest/gtest.h>

using quelbrix::SendToShortcutName;
using quelbrix::SendToShortcutPath;

namespace {

TEST(SendToName, FileNameUpToItsFirstDot) {
    struct Case {
        const char* program;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\Tools\\QuelbrixU.exe", "QuelbrixU"},
        {"C:\\Tools\\a.b.exe", "a"},
        {"a.b.exe", "a"},
        {"C:\\my.dir\\tool", "tool"},  // a dot in a folder name does not count
        {"C:\\Tools\\NoDot", "NoDot"},
        {"C:\\表\\表示.exe", "表示"},  // 表 ends in 0x5C, which is no separator
        {"C:\\Tools\\ソ", "ソ"},
        {"C:\\Tools\\", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(SendToShortcutName(c.program), c.name) << c.program;
}

TEST(SendToName, ShortcutPathInTheFolder) {
    EXPECT_EQ(SendToShortcutPath("C:\\SendTo", "D:\\x\\QuelbrixU.exe"),
              "C:\\SendTo\\QuelbrixU.lnk");
    EXPECT_EQ(SendToShortcutPath("C:\\SendTo\\", "a.b.exe"), "C:\\SendTo\\a.lnk");
    EXPECT_EQ(SendToShortcutPath("C:\\表", "a.exe"), "C:\\表\\a.lnk");
}

}  // namespace
