#include "app/preview_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "memory_files.h"

using quelbrix::ContextLinesFromText;
using quelbrix::LoadPreviewHeight;
using quelbrix::LoadPreviewSettings;
using quelbrix::PreviewSettings;
using quelbrix::ProfileFile;
using quelbrix::SavePreviewHeight;
using quelbrix::SavePreviewSettings;

namespace {

PreviewSettings LoadFrom(const std::string& file) {
    MemoryFiles files;
    files.files["Q.ini"] = file;
    ProfileFile profile(files, "Q.ini", "whole");
    return LoadPreviewSettings(profile);
}

TEST(PreviewSettings, MissingOrHostileValuesReadAsTheDefaults) {
    struct Case {
        const char* file;
        int context;
        bool hidden;
    };
    const Case cases[] = {
        {"", 0, false},
        {"[preview]\r\ncontext=3\r\nhide=1\r\n", 3, true},
        {"[preview]\r\ncontext=9\r\nhide=0\r\n", 9, false},
        {"[preview]\r\ncontext=10\r\nhide=2\r\n", 0, false},
        {"[preview]\r\ncontext=-1\r\n", 0, false},
        {"[preview]\r\ncontext=3x\r\nhide=x\r\n", 0, false},
        {"[preview]\r\ncontext=99999999999\r\n", 0, false},
        {"[main]\r\ncontext=3\r\nhide=1\r\n", 0, false},  // another section's keys
    };
    for (const Case& c : cases) {
        const PreviewSettings settings = LoadFrom(c.file);
        EXPECT_EQ(settings.contextLines, c.context) << c.file;
        EXPECT_EQ(settings.hidden, c.hidden) << c.file;
        EXPECT_TRUE(settings.editorPath.empty()) << c.file;
    }
}

TEST(PreviewSettings, WrittenValuesComeBackAndOverlongTextsAreCutAtACharacter) {
    MemoryFiles files;
    ProfileFile profile(files, "Q.ini", "whole");
    PreviewSettings written;
    // 258 ASCII bytes then a two-byte character: the cut may not split it.
    written.editorPath = std::string(258, 'a') + "\x83\x41";
    written.editorArguments = "-n%L \"%F\"";
    written.contextLines = 2;
    written.hidden = true;
    SavePreviewSettings(profile, written);
    const PreviewSettings read = LoadPreviewSettings(profile);
    EXPECT_EQ(read.editorPath, std::string(258, 'a'));
    EXPECT_EQ(read.editorArguments, written.editorArguments);
    EXPECT_EQ(read.contextLines, 2);
    EXPECT_TRUE(read.hidden);

    written.contextLines = 12;  // out of range: stored as the default
    SavePreviewSettings(profile, written);
    EXPECT_EQ(LoadPreviewSettings(profile).contextLines, 0);
    EXPECT_NE(files.files["Q.ini"].find("[preview]"), std::string::npos);
}

TEST(ContextLinesFromText, NumbersAreClampedAndAnythingElseKeepsTheShownCount) {
    struct Case {
        const char* text;
        int expected;  // with 4 shown
    };
    const Case cases[] = {
        {"0", 0},
        {"7", 7},
        {" 3 ", 3},
        {"+2", 2},
        {"09", 9},
        {"10", 9},
        {"99999999999999999999", 9},
        {"-2", 0},
        {"-0", 0},
        {"", 4},
        {"  ", 4},
        {"-", 4},
        {"3x", 4},
        {"1.5", 4},
        {"\x82\x52", 4},  // a full-width 3: not a digit the page reads
        {"3 4", 4},
    };
    for (const Case& c : cases) EXPECT_EQ(ContextLinesFromText(c.text, 4), c.expected) << c.text;
}

TEST(PreviewHeight, OnlyAWholeNumberInRangeIsTaken) {
    struct Case {
        const char* file;
        bool present;
        int height;
    };
    const Case cases[] = {
        {"", false, 0},
        {"[main]\r\npreview=120\r\n", true, 120},
        {"[main]\r\npreview=0\r\n", true, 0},  // dragged shut is a height too
        {"[main]\r\npreview=4001\r\n", false, 0},
        {"[main]\r\npreview=-5\r\n", false, 0},
        {"[main]\r\npreview=12a\r\n", false, 0},
        {"[main]\r\npreview=\r\n", false, 0},
    };
    for (const Case& c : cases) {
        MemoryFiles files;
        files.files["Q.ini"] = c.file;
        ProfileFile profile(files, "Q.ini", "whole");
        const auto stored = LoadPreviewHeight(profile);
        EXPECT_EQ(stored.present, c.present) << c.file;
        EXPECT_EQ(stored.height, c.height) << c.file;
    }
    MemoryFiles files;
    ProfileFile profile(files, "Q.ini", "whole");
    SavePreviewHeight(profile, 99999);
    EXPECT_EQ(LoadPreviewHeight(profile).height, 4000);
}

}  // namespace
