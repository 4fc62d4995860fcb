#include "app/main_options.h"

#include <gtest/gtest.h>

#include "app/settings_template.h"
#include "memory_files.h"

using quelbrix::LoadMainOptions;
using quelbrix::MainOptions;
using quelbrix::ProfileFile;
using quelbrix::SaveMainOptions;

namespace {

TEST(MainOptions, EachBoxStartsTickedOnlyForAStoredOne) {
    struct Case {
        const char* file;
        bool subfolders;
        bool regex;
    };
    const Case cases[] = {
        {"[main]\r\nformal=1\r\nunder=1\r\n", true, true},
        {"[main]\r\nformal=0\r\nunder=1\r\n", true, false},
        {"[main]\r\nformal=1\r\nunder=2\r\n", false, true},
        {"[main]\r\nformal=-1\r\nunder=x\r\n", false, false},
        {"[main]\r\nformal=1\r\n", false, true},  // no under: clear, whatever the template says
        {"[whole]\r\nunder=1\r\nformal=1\r\n", false, false},  // another section's keys
        {"", false, false},
    };
    for (const Case& c : cases) {
        MemoryFiles files;
        files.files["Q.ini"] = c.file;
        ProfileFile profile(files, "Q.ini", "whole");  // the caller's section is not relied on
        const MainOptions options = LoadMainOptions(profile);
        EXPECT_EQ(options.searchSubfolders, c.subfolders) << c.file;
        EXPECT_EQ(options.useRegex, c.regex) << c.file;
    }
}

TEST(MainOptions, TheTemplateTicksOnlyTheSubfolderBox) {
    MemoryFiles files;
    files.files["Q.ini"] = quelbrix::FormatSettingsTemplate(413, 0);
    ProfileFile profile(files, "Q.ini", "type");
    const MainOptions options = LoadMainOptions(profile);
    EXPECT_TRUE(options.searchSubfolders);
    EXPECT_FALSE(options.useRegex);
}

TEST(MainOptions, LeavingWritesUnderThenFormalAsOneOrZero) {
    MemoryFiles files;
    ProfileFile profile(files, "Q.ini", "whole");
    SaveMainOptions(profile, MainOptions{true, false});
    EXPECT_EQ(files.files["Q.ini"], "[main]\r\nunder=1\r\nformal=0\r\n");
    SaveMainOptions(profile, MainOptions{false, true});
    EXPECT_EQ(files.files["Q.ini"], "[main]\r\nunder=0\r\nformal=1\r\n");
    EXPECT_EQ(LoadMainOptions(profile).useRegex, true);
}

}  // namespace
