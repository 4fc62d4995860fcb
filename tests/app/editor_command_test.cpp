#include "app/editor_command.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text_limits.h"

namespace quelbrix {
namespace {

TEST(ExpandEditorArguments, PlacesThePathAndTheLine) {
    struct Case {
        const char* arguments;
        const char* path;
        std::size_t line;
        const char* expected;
    };
    const Case cases[] = {
        {"-n%L \"%F\"", "C:\\My Documents\\a.txt", 12, "-n12 \"C:\\My Documents\\a.txt\""},
        {"-g \"%F:%L\"", "C:\\src\\a.c", 7, "-g \"C:\\src\\a.c:7\""},
        // Unquoted in the template: quoted by us only when the path holds a blank.
        {"+%L %F", "C:\\My Documents\\a.txt", 3, "+3 \"C:\\My Documents\\a.txt\""},
        {"+%L %F", "C:\\src\\a.txt", 3, "+3 C:\\src\\a.txt"},
        // No %F: the path is appended, so the file still opens.
        {"/j%L", "C:\\My Documents\\a.txt", 5, "/j5 \"C:\\My Documents\\a.txt\""},
        {"", "C:\\a.txt", 5, "C:\\a.txt"},
        {"%L %L %F", "a.txt", 9, "9 9 a.txt"},
        {"100%% %F", "a.txt", 1, "100% a.txt"},
        {"%x %F %", "a.txt", 1, "%x a.txt %"},  // unknown codes stay as typed
        // A double-byte path whose trail byte is a backslash: its characters stay whole.
        {"\"%F\" -l%L", "C:\\\x95\x5C\\a.txt", 2, "\"C:\\\x95\x5C\\a.txt\" -l2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandEditorArguments(c.arguments, c.path, c.line), c.expected) << c.arguments;
}

TEST(EditorPresets, EveryPresetPlacesThePathAndTheLine) {
    for (std::size_t i = 0; i < kEditorPresetCount; ++i) {
        const std::string expanded =
            ExpandEditorArguments(kEditorPresets[i].arguments, "C:\\My Documents\\a b.txt", 42);
        EXPECT_NE(expanded.find("C:\\My Documents\\a b.txt"), std::string::npos) << expanded;
        EXPECT_NE(expanded.find("42"), std::string::npos) << expanded;
        // The path is quoted once, never twice.
        EXPECT_EQ(expanded.find("\"\""), std::string::npos) << expanded;
    }
}

TEST(EditorProgramPath, BlanksAndOnePairOfQuotesAroundThePathGo) {
    struct Case {
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\ed\\ed.exe", "C:\\ed\\ed.exe"},
        {"  \"C:\\Program Files\\ed.exe\"  ", "C:\\Program Files\\ed.exe"},
        {"\t", ""},
        {"\"\"", ""},
        {"\"", "\""},  // one quote is no pair: left for the builder to refuse
        // A folder named 表 (0x95 0x5C) at the end keeps its trail byte.
        {" C:\\\x95\x5C ", "C:\\\x95\x5C"},
    };
    for (const Case& c : cases) EXPECT_EQ(EditorProgramPath(c.typed), c.expected) << c.typed;
}

TEST(BuildEditorCommandLine, QuotesTheProgramThenTheExpandedArguments) {
    struct Case {
        const char* program;
        const char* arguments;
        const char* path;
        std::size_t line;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\npp\\notepad++.exe", "-n%L \"%F\"", "C:\\a.txt", 12,
         "\"C:\\npp\\notepad++.exe\" -n12 \"C:\\a.txt\""},
        // Blanks in the program's and in the file's path.
        {"C:\\Program Files\\Vim\\gvim.exe", "+%L %F", "C:\\My Documents\\a b.txt", 3,
         "\"C:\\Program Files\\Vim\\gvim.exe\" +3 \"C:\\My Documents\\a b.txt\""},
        // Folders named 表示 (0x95 0x5C 0x8E 0xA6): the trail bytes 0x5C are no separators and
        // nothing is escaped or cut.
        {"C:\\\x95\x5C\x8E\xA6\\ed.exe", "-l%L \"%F\"", "D:\\\x95\x5C\x8E\xA6\\\x95\x5C.txt", 7,
         "\"C:\\\x95\x5C\x8E\xA6\\ed.exe\" -l7 \"D:\\\x95\x5C\x8E\xA6\\\x95\x5C.txt\""},
        // No %F: the file's path comes last, so the file still opens.
        {"ed.exe", "-l%L", "C:\\a.txt", 5, "\"ed.exe\" -l5 C:\\a.txt"},
        {"ed.exe", "", "C:\\My Documents\\a.txt", 5, "\"ed.exe\" \"C:\\My Documents\\a.txt\""},
    };
    for (const Case& c : cases) {
        std::string commandLine = "old";
        EXPECT_TRUE(BuildEditorCommandLine(c.program, c.arguments, c.path, c.line, commandLine))
            << c.program;
        EXPECT_EQ(commandLine, c.expected);
    }
}

TEST(BuildEditorCommandLine, RefusesNoProgramAQuoteInItAndAnOverlongLine) {
    std::string commandLine = "old";
    EXPECT_FALSE(BuildEditorCommandLine("", "%F", "a.txt", 1, commandLine));
    EXPECT_EQ(commandLine, "");
    EXPECT_FALSE(BuildEditorCommandLine("C:\\a\"b.exe", "%F", "a.txt", 1, commandLine));

    // "ed.exe" in quotes and a blank take 9 bytes, "-l12 " 5; the path fills the rest.
    const std::string path(kCommandLineBytes - 1 - 9 - 5, 'p');
    ASSERT_TRUE(BuildEditorCommandLine("ed.exe", "-l%L %F", path, 12, commandLine));
    EXPECT_EQ(commandLine.size() + 1, kCommandLineBytes);  // the longest that fits
    EXPECT_FALSE(BuildEditorCommandLine("ed.exe", "-l%L %F", path, 123, commandLine));
    EXPECT_EQ(commandLine, "");

    // A template as long as the settings keep, all %F, and a long path: past the limit.
    std::string manyPaths;
    while (manyPaths.size() + 2 <= kEditTextBytes) manyPaths += "%F";
    const std::string longPath = "C:\\" + std::string(250, 'x') + ".txt";
    EXPECT_FALSE(BuildEditorCommandLine("ed.exe", manyPaths, longPath, 1, commandLine));
    EXPECT_EQ(commandLine, "");
}

}  // namespace
}  // namespace quelbrix
