#include "app/search_settings.h"

#include <gtest/gtest.h>

#include "app/settings_template.h"
#include "memory_files.h"

using quelbrix::BuildExtensionList;
using quelbrix::ProfileFile;
using quelbrix::ReadSearchSettings;
using quelbrix::SearchSettings;

namespace {

std::string ListFor(const std::string& typeSection) {
    MemoryFiles files;
    files.files["Q.ini"] = "[main]\r\nunder=1\r\n" + typeSection;
    ProfileFile profile(files, "Q.ini", "main");
    return BuildExtensionList(profile);
}

TEST(ExtensionList, FromTypeSection) {
    struct Case {
        const char* section;
        const char* list;
    };
    const Case cases[] = {
        {"[type]\r\nall_type=0\r\nv1=1\r\nv2=1\r\nt1=txt\r\nt2=html,htm,shtml,css\r\n",
         "txt,html,htm,shtml,css,"},
        {"[type]\r\nall_type=1\r\nv1=1\r\nt1=txt\r\n", ""},
        {"[type]\r\nall_type=7\r\nv1=1\r\nt1=txt\r\n", ""},  // any non-zero means every file
        {"[type]\r\nall_type=0\r\n", ""},
        {"", ""},  // no section: custom, none on
        {"[type]\r\nall_type=0\r\nv3=2\r\nt3=cgi\r\nv4=1\r\nt4=bas\r\n", "bas,"},
        {"[type]\r\nall_type=0\r\nv11=1\r\nt11=bat\r\nv1=1\r\nt1=txt\r\n", "txt,bat,"},
        {"[type]\r\nall_type=0\r\nv5=1\r\n", ","},  // enabled but empty group
    };
    for (const Case& c : cases) EXPECT_EQ(ListFor(c.section), c.list) << c.section;
}

TEST(ExtensionList, TemplateDefaultsSearchEveryFile) {
    MemoryFiles files;
    files.files["Q.ini"] = quelbrix::FormatSettingsTemplate(413, 0);
    ProfileFile profile(files, "Q.ini", "main");
    EXPECT_EQ(BuildExtensionList(profile), "");
}

TEST(ExtensionList, LongGroupsAreBoundedPerGroup) {
    std::string section = "[type]\r\nall_type=0\r\n";
    for (int i = 1; i <= 11; ++i) {
        section += "v" + std::to_string(i) + "=1\r\nt" + std::to_string(i) + "=" +
                   std::string(5000, 'x') + "\r\n";
    }
    std::string list = ListFor(section);
    EXPECT_EQ(list.size(), 11u * 1024u);
}

TEST(SearchSettings, FlagsAreOnOnlyForExactlyOne) {
    MemoryFiles files;
    files.files["Q.ini"] =
        "[whole]\r\nnProgress=2\r\nnKanji=2\r\nnCount=2\r\nrelative=2\r\nerror=5\r\nutf8=2\r\n"
        "nPause=2\r\n";
    ProfileFile profile(files, "Q.ini", "main");
    SearchSettings s = ReadSearchSettings(profile);
    EXPECT_TRUE(s.showProgress);
    EXPECT_TRUE(s.convertCodes);
    EXPECT_FALSE(s.convertUtf8);
    EXPECT_TRUE(s.countHits);
    EXPECT_FALSE(s.relativePaths);
    EXPECT_EQ(static_cast<int>(s.errorPolicy), 5);
    EXPECT_TRUE(s.pauseAfterEntries);

    files.files["Q.ini"] =
        "[whole]\r\nnProgress=1\r\nnKanji=1\r\nnCount=1\r\nrelative=1\r\nerror=2\r\nutf8=1\r\n"
        "nPause=1\r\n";
    s = ReadSearchSettings(profile);
    EXPECT_FALSE(s.showProgress);
    EXPECT_FALSE(s.convertCodes);
    EXPECT_TRUE(s.convertUtf8);
    EXPECT_FALSE(s.countHits);
    EXPECT_TRUE(s.relativePaths);
    EXPECT_EQ(s.errorPolicy, quelbrix::ErrorPolicy::kStop);
    EXPECT_FALSE(s.pauseAfterEntries);
}

TEST(SearchSettings, MissingFileGivesTheBuiltInBehaviour) {
    MemoryFiles files;
    ProfileFile profile(files, "Q.ini", "main");
    SearchSettings s = ReadSearchSettings(profile);
    EXPECT_TRUE(s.showProgress);
    EXPECT_TRUE(s.convertCodes);
    EXPECT_FALSE(s.convertUtf8);
    EXPECT_TRUE(s.countHits);
    EXPECT_FALSE(s.relativePaths);
    EXPECT_EQ(s.errorPolicy, quelbrix::ErrorPolicy::kAsk);
    EXPECT_TRUE(s.pauseAfterEntries);
    EXPECT_EQ(s.extensions, "");
    EXPECT_EQ(s.excludeFolders, "");
}

// The folders left out come from [type] whatever all_type says, and only from there.
TEST(SearchSettings, FoldersLeftOutAreReadFromTheTypeSection) {
    MemoryFiles files;
    files.files["Q.ini"] =
        "[whole]\r\nexclude=whole\r\n[type]\r\nall_type=1\r\nexclude=.git;obj\r\n";
    ProfileFile profile(files, "Q.ini", "main");
    EXPECT_EQ(ReadSearchSettings(profile).excludeFolders, ".git;obj");
    files.files["Q.ini"] = "[whole]\r\nexclude=whole\r\n[type]\r\nall_type=0\r\n";
    EXPECT_EQ(ReadSearchSettings(profile).excludeFolders, "");
}

}  // namespace

namespace {

TEST(StopCommand, ProgressBarIsLeftOutOnlyForExactlyOne) {
    struct Case {
        const char* whole;
        bool hidden;
    };
    const Case cases[] = {
        {"[whole]\r\nnProgress=1\r\n", true},
        {"[whole]\r\nnProgress=0\r\n", false},
        {"[whole]\r\nnProgress=2\r\n", false},
        {"", false},
    };
    for (const Case& c : cases) {
        MemoryFiles files;
        files.files["Q.ini"] = c.whole;
        ProfileFile profile(files, "Q.ini", "main");
        EXPECT_EQ(quelbrix::ProgressBarHidden(profile), c.hidden) << c.whole;
        EXPECT_EQ(profile.Section(), "whole");  // the caller's section is not relied upon
    }
}

}  // namespace
