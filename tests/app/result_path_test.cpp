#include "app/result_path.h"

#include <gtest/gtest.h>

#include <string>

namespace quelbrix {
namespace {

struct PathCase {
    const char* folder;
    bool relative;
    std::string cell;
    bool ok;
    std::string path;
};

TEST(ComposeResultPath, JoinsTheSearchFolderOnlyForRelativeRows) {
    const std::string longName(251, 'a');
    const PathCase cases[] = {
        {"C:\\data\\", true, "sub\\memo.txt", true, "C:\\data\\sub\\memo.txt"},
        {"C:\\data\\", false, "C:\\data\\sub\\memo.txt", true, "C:\\data\\sub\\memo.txt"},
        // 表 ends in 0x5C: the folder is joined as it is, with no separator added or lost.
        {"C:\\\x95\x5C\\", true, "\x95\x5C.txt", true, "C:\\\x95\x5C\\\x95\x5C.txt"},
        {"C:\\data\\", true, "", false, ""},
        // 8 + 251 = 259 bytes fit; one more would name a file cut short.
        {"C:\\data\\", true, longName, true, "C:\\data\\" + longName},
        {"C:\\data\\", true, longName + "b", false, ""},
        {"", false, std::string(260, 'c'), false, ""},
    };
    for (const PathCase& c : cases) {
        std::string path = "stale";
        EXPECT_EQ(ComposeResultPath(c.folder, c.relative, c.cell, path), c.ok) << c.cell;
        EXPECT_EQ(path, c.path) << c.cell;
    }
}

TEST(ProgramParameterFor, QuotesOnlyAPathWithASpace) {
    EXPECT_EQ(ProgramParameterFor("C:\\data\\memo.txt"), "C:\\data\\memo.txt");
    EXPECT_EQ(ProgramParameterFor("C:\\My Documents\\a b.txt"), "\"C:\\My Documents\\a b.txt\"");
    // ソ (83 5C) and 表 (95 5C) hold no space; the path stays as it is.
    EXPECT_EQ(ProgramParameterFor("C:\\\x83\x5C\\\x95\x5C.txt"), "C:\\\x83\x5C\\\x95\x5C.txt");
}

}  // namespace
}  // namespace quelbrix
