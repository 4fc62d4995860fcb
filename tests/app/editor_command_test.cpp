#include "app/editor_command.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace quelbrix
