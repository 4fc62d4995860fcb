#include "app/folder_text.h"

#include <gtest/gtest.h>

#include "app/sjis.h"

using namespace quelbrix;

namespace {

TEST(SearchFolder, BackslashAppendedOnlyWhenMissing) {
    struct Case {
        const char* field;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\data", "C:\\data\\"},
        {"C:\\data\\", "C:\\data\\"},
        {"D:\\a", "D:\\a\\"},
        // 表 is 0x95 0x5C: its second byte is not a separator, so one is still appended.
        {"C:\\\x95\x5C", "C:\\\x95\x5C\\"},
        {"C:\\\x95\x5C\\", "C:\\\x95\x5C\\"},
    };
    for (const Case& c : cases) {
        std::string folder;
        EXPECT_EQ(PrepareSearchFolder(c.field, folder), FolderCheck::kOk);
        EXPECT_EQ(folder, c.folder);
    }
}

TEST(SearchFolder, EmptyAndTooLongAreRefused) {
    std::string folder = "unchanged";
    EXPECT_EQ(PrepareSearchFolder("", folder), FolderCheck::kEmpty);
    std::string longest = "C:\\" + std::string(256, 'a');  // 259 bytes + "\\" = 260
    EXPECT_EQ(PrepareSearchFolder(longest, folder), FolderCheck::kOk);
    EXPECT_EQ(folder.size(), 260u);
    folder = "unchanged";
    EXPECT_EQ(PrepareSearchFolder(longest + "b", folder), FolderCheck::kTooLong);
    EXPECT_EQ(PrepareSearchFolder(longest + "\\\\", folder), FolderCheck::kTooLong);
    EXPECT_EQ(folder, "unchanged");
}

TEST(ArgumentFolder, FoldersFilesAndUnknownPaths) {
    struct Case {
        const char* argument;
        const char* resolved;
        bool namesFolder;
        const char* field;
    };
    const Case cases[] = {
        {"C:\\My Documents", "C:\\My Documents", true, "C:\\My Documents\\"},
        {"C:\\My Documents\\memo.txt", "C:\\My Documents\\memo.txt", false, "C:\\My Documents\\"},
        {"C:\\x\\", "C:\\x", false, "C:\\x\\"},  // trailing backslash: always a folder
        {"C:\\x\\\\", "C:\\x\\\\", true, "C:\\x\\\\"},
        {"C:\\\x95\x5C\\a.txt", "C:\\\x95\x5C\\a.txt", false, "C:\\\x95\x5C\\"},
        {"C:\\\x95\x5C", "C:\\\x95\x5C", true, "C:\\\x95\x5C\\"},
        {"memo.txt", "memo.txt", false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FolderFieldForArgument(c.argument, c.resolved, c.namesFolder), c.field)
            << c.argument;
    }
}

TEST(DroppedItem, FolderKeptFileGivesItsFolder) {
    EXPECT_EQ(FolderFieldForDroppedItem("D:\\a", true), "D:\\a");
    EXPECT_EQ(FolderFieldForDroppedItem("D:\\a\\b.txt", false), "D:\\a\\");
    EXPECT_EQ(FolderFieldForDroppedItem("D:\\\x83\x5C\\b.txt", false), "D:\\\x83\x5C\\");
}

TEST(Sjis, FolderPartStepsOverDoubleByteCharacters) {
    struct Case {
        const char* path;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Q\\QuelbrixU.exe", "C:\\Program Files\\Q\\"},
        {"C:\\\x83\x5C\x83\x74\x83\x67\\QuelbrixU.exe", "C:\\\x83\x5C\x83\x74\x83\x67\\"},
        {"C:\\a\\\x95\x5C", "C:\\a\\"},
        {"C:/a/b", "C:/a/"},
        {"noseparator", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FolderPartOf(c.path), c.folder) << c.path;
}

TEST(Sjis, CutNeverSplitsACharacter) {
    EXPECT_EQ(CutAtCharBoundary("ab\x95\x5C", 3), "ab");
    EXPECT_EQ(CutAtCharBoundary("ab\x95\x5C", 4), "ab\x95\x5C");
    EXPECT_EQ(CutAtCharBoundary("abc", 10), "abc");
    EXPECT_EQ(CutAtCharBoundary("\x95", 1), "\x95");  // a lone lead byte at the end stays single
    EXPECT_TRUE(EndsWithBackslash("a\\"));
    EXPECT_FALSE(EndsWithBackslash("a\x95\x5C"));
    EXPECT_FALSE(EndsWithBackslash(""));
}

}  // namespace
