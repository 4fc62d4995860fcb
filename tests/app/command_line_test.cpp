#include "app/command_line.h"

#include <gtest/gtest.h>

using quelbrix::CommandLineRequest;
using quelbrix::ScanCommandLine;

namespace {

struct Case {
    const char* commandLine;
    const char* folder;
    bool hasWord;
    const char* word;
    bool regex;
    bool subfolders;
    bool start;
};

TEST(CommandLine, Switches) {
    const Case cases[] = {
        {"", "", false, "", false, false, false},
        {"   ", "", false, "", false, false, false},
        {"/u", "", false, "", false, true, false},
        {"/f /u /s", "", false, "", true, true, true},
        {"/f/u/s", "", false, "", true, true, true},
        {"/u /w\"foo bar\" C:\\My Documents", "C:\\My Documents", true, "foo bar", false, true,
         false},
        {"\"C:\\My Documents\\memo.txt\"", "C:\\My Documents\\memo.txt", false, "", false, false,
         false},
        {"/w /s", "", true, "", false, false, false},  // the word ends at the slash, and the scan
        {"/w", "", true, "", false, false, false},
        {"/w\"abc", "", true, "abc", false, false, false},
        {"/wxyz\"abc\" /s", "", true, "abc", false, false, true},
        {"/s", "", false, "", false, false, true},
        {"/x /u", "x /u", false, "", false, false, false},  // only the slash is consumed
        {"/xC:\\data", "xC:\\data", false, "", false, false, false},
        {"/U", "U", false, "", false, false, false},  // switches are lower case only
        {"C:\\a b\\ /u", "C:\\a b\\ /u", false, "", false, false, false},
        {"/u \"C:\\x\" /s", "C:\\x\" /", false, "", false, true, false},
        {"\"", "", false, "", false, false, false},
        {"/", "", false, "", false, false, false},
        {"/w\"\" /s", "", true, "", false, false, true},
        // A quoted folder ending in a double-byte character loses the whole character.
        {"\"C:\\\x95\x5C", "C:\\", false, "", false, false, false},
        {"/w\"\x95\x5C\"", "", true, "\x95\x5C", false, false, false},
    };
    for (const Case& c : cases) {
        CommandLineRequest r = ScanCommandLine(c.commandLine);
        SCOPED_TRACE(c.commandLine);
        EXPECT_EQ(r.folder, c.folder);
        EXPECT_EQ(r.hasWord, c.hasWord);
        EXPECT_EQ(r.word, c.word);
        EXPECT_EQ(r.useRegex, c.regex);
        EXPECT_EQ(r.searchSubfolders, c.subfolders);
        EXPECT_EQ(r.startSearch, c.start);
    }
}

TEST(CommandLine, OnlyTheFirst1024BytesAreScanned) {
    std::string text(1024, ' ');
    text += "/u";
    EXPECT_FALSE(ScanCommandLine(text).searchSubfolders);
    std::string edge(1022, ' ');
    edge += "/u";
    EXPECT_TRUE(ScanCommandLine(edge).searchSubfolders);
}

TEST(CommandLine, FolderThatFitsExactlyIsKept) {
    std::string folder = "C:\\" + std::string(1021, 'a');
    EXPECT_EQ(ScanCommandLine(folder).folder, folder);
}

TEST(CommandLine, FolderCutByTheLimitIsDroppedNotUsedShort) {
    std::string text = "/u C:\\" + std::string(1100, 'a');
    CommandLineRequest r = ScanCommandLine(text);
    EXPECT_TRUE(r.searchSubfolders);
    EXPECT_EQ(r.folder, "");
    EXPECT_EQ(ScanCommandLine("\"C:\\" + std::string(1100, 'a') + "\"").folder, "");
}

TEST(CommandLine, WordCutByTheLimitIsDropped) {
    std::string text = "/s /w\"" + std::string(1100, 'w') + "\"";
    CommandLineRequest r = ScanCommandLine(text);
    EXPECT_TRUE(r.startSearch);
    EXPECT_TRUE(r.hasWord);
    EXPECT_EQ(r.word, "");
}

}  // namespace

namespace {

TEST(CommandLine, KeptTextMarkedAsCutDropsATrailingFolder) {
    EXPECT_EQ(ScanCommandLine("/u C:\\data", true).folder, "");
    EXPECT_TRUE(ScanCommandLine("/u C:\\data", true).searchSubfolders);
    EXPECT_EQ(ScanCommandLine("/u C:\\data", false).folder, "C:\\data");
}

}  // namespace
