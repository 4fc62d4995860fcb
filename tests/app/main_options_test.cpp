#include "app/main_options.h"

#include <gtest/gtest.h>

#include "app/settings_template.h"
#include "memory_files.h"

using quelbrix::LoadMainOptions;
using quelbrix::MainOptions;
using quelbrix::MatchFolds;
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
    SaveMainOptions(profile, MainOptions{true, false, {}});
    EXPECT_EQ(files.files["Q.ini"],
              "[main]\r\nunder=1\r\nformal=0\r\nignorecase=0\r\nignorewidth=0\r\n"
              "ignorekana=0\r\n");
    SaveMainOptions(profile, MainOptions{false, true, {}});
    EXPECT_EQ(files.files["Q.ini"],
              "[main]\r\nunder=0\r\nformal=1\r\nignorecase=0\r\nignorewidth=0\r\n"
              "ignorekana=0\r\n");
    EXPECT_EQ(LoadMainOptions(profile).useRegex, true);
}

TEST(MainOptions, EachFoldBoxStartsTickedOnlyForAStoredOne) {
    struct Case {
        const char* file;
        MatchFolds folds;
    };
    const Case cases[] = {
        {"[main]\r\nignorecase=1\r\nignorewidth=1\r\nignorekana=1\r\n", {true, true, true}},
        {"[main]\r\nignorecase=1\r\nignorewidth=0\r\nignorekana=0\r\n", {true, false, false}},
        {"[main]\r\nignorewidth=1\r\n", {false, true, false}},
        {"[main]\r\nignorekana=1\r\n", {false, false, true}},
        {"[main]\r\nignorecase=2\r\nignorewidth=-1\r\nignorekana=yes\r\n", {}},
        {"[main]\r\nignorecase=\r\nignorewidth=x1\r\n", {}},
        {"[whole]\r\nignorecase=1\r\nignorewidth=1\r\nignorekana=1\r\n", {}},
        {"[main]\r\nformal=1\r\nunder=1\r\n", {}},  // written before the fold keys
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        MemoryFiles files;
        files.files["Q.ini"] = c.file;
        ProfileFile profile(files, "Q.ini", "whole");
        const MatchFolds folds = LoadMainOptions(profile).folds;
        EXPECT_EQ(folds.ignoreCase, c.folds.ignoreCase);
        EXPECT_EQ(folds.ignoreWidth, c.folds.ignoreWidth);
        EXPECT_EQ(folds.ignoreKana, c.folds.ignoreKana);
    }
}

TEST(MainOptions, TheTemplateFoldsNothing) {
    MemoryFiles files;
    files.files["Q.ini"] = quelbrix::FormatSettingsTemplate(413, 0);
    ProfileFile profile(files, "Q.ini", "type");
    EXPECT_TRUE(LoadMainOptions(profile).folds == MatchFolds{});
}

TEST(MainOptions, EveryCombinationOfTheFiveBoxesComesBackAsLeft) {
    for (int bits = 0; bits < 32; ++bits) {
        SCOPED_TRACE(bits);
        MainOptions left;
        left.searchSubfolders = (bits & 1) != 0;
        left.useRegex = (bits & 2) != 0;
        left.folds = MatchFolds{(bits & 4) != 0, (bits & 8) != 0, (bits & 16) != 0};
        MemoryFiles files;
        files.files["Q.ini"] = quelbrix::FormatSettingsTemplate(413, 0);
        ProfileFile profile(files, "Q.ini", "whole");
        SaveMainOptions(profile, left);
        const MainOptions read = LoadMainOptions(profile);
        EXPECT_EQ(read.searchSubfolders, left.searchSubfolders);
        EXPECT_EQ(read.useRegex, left.useRegex);
        EXPECT_TRUE(read.folds == left.folds);
    }
}

// The template's two keys keep their places; the fold keys follow them in [main], and the
// sections after it are left as they were.
TEST(MainOptions, FoldKeysAreAddedBehindTheTemplatesTwo) {
    MemoryFiles files;
    const std::string before = quelbrix::FormatSettingsTemplate(413, 0);
    files.files["Q.ini"] = before;
    ProfileFile profile(files, "Q.ini", "whole");
    SaveMainOptions(profile, MainOptions{true, false, MatchFolds{true, false, true}});
    const std::string main = "[main]\r\nformal=0\r\nunder=1\r\n";
    std::string expected = before;
    expected.replace(expected.find(main), main.size(),
                     main + "ignorecase=1\r\nignorewidth=0\r\nignorekana=1\r\n");
    EXPECT_EQ(files.files["Q.ini"], expected);
}

}  // namespace
