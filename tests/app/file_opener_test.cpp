#include "app/file_opener.h"

#include <gtest/gtest.h>

#include "app/settings_pages.h"
#include "memory_files.h"

using quelbrix::FileOpener;
using quelbrix::HowToOpen;
using quelbrix::OpenWith;
using quelbrix::ProfileFile;
using quelbrix::ReadFileOpener;

namespace {

// Opening does what the General page shows, for every value a hand may have stored.
TEST(FileOpener, OpeningFollowsTheChoiceTheGeneralPageShows) {
    struct Case {
        const char* whole;
        OpenWith open;
    };
    const Case cases[] = {
        {"appli=0\r\npath=C:\\ed.exe\r\n", OpenWith::kAssociatedProgram},
        {"appli=1\r\npath=C:\\ed.exe\r\n", OpenWith::kUserProgram},
        {"appli=2\r\npath=C:\\ed.exe\r\n", OpenWith::kUserProgram},
        {"appli=-1\r\npath=C:\\ed.exe\r\n", OpenWith::kUserProgram},
        {"appli=x\r\npath=C:\\ed.exe\r\n", OpenWith::kAssociatedProgram},  // reads as 0
        {"path=C:\\ed.exe\r\n", OpenWith::kAssociatedProgram},
        {"appli=1\r\npath=\r\n", OpenWith::kNoProgramChosen},
        {"appli=1\r\n", OpenWith::kNoProgramChosen},
        {"appli=3\r\n", OpenWith::kNoProgramChosen},
        {"appli=0\r\n", OpenWith::kAssociatedProgram},  // no program needed
    };
    for (const Case& c : cases) {
        MemoryFiles files;
        files.files["Q.ini"] = std::string("[whole]\r\n") + c.whole;
        ProfileFile profile(files, "Q.ini", "main");
        const FileOpener opener = ReadFileOpener(profile);
        EXPECT_EQ(HowToOpen(opener), c.open) << c.whole;
        EXPECT_EQ(quelbrix::LoadGeneralPage(profile).userProgram, opener.userProgram) << c.whole;
    }
}

TEST(FileOpener, TheProgramPathIsReadAsThePageShowsIt) {
    MemoryFiles files;
    files.files["Q.ini"] = "[whole]\r\nappli=1\r\npath=" + std::string(258, 'p') + "表\\ed.exe\r\n";
    ProfileFile profile(files, "Q.ini", "main");
    const FileOpener opener = ReadFileOpener(profile);
    EXPECT_EQ(opener.programPath, std::string(258, 'p'));  // 259 bytes, no half character
    EXPECT_EQ(quelbrix::LoadGeneralPage(profile).programPath, opener.programPath);
    EXPECT_EQ(profile.Section(), "whole");
}

}  // namespace
