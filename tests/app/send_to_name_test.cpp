#include "app/send_to_name.h"

#include <gtest/gtest.h>

using quelbrix::ChooseSendToRemoval;
using quelbrix::ProgramNameShortcutPath;
using quelbrix::SendToRemoval;
using quelbrix::SendToShortcutName;
using quelbrix::SendToShortcutPath;
using quelbrix::SendToShortcuts;

namespace {

TEST(SendToName, FileNameUpToItsFirstDot) {
    struct Case {
        const char* program;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\Tools\\QuelbrixU.exe", "QuelbrixU"},
        {"C:\\Tools\\a.b.exe", "a"},
        {"a.b.exe", "a"},
        {"C:\\my.dir\\tool", "tool"},  // a dot in a folder name does not count
        {"C:\\Tools\\NoDot", "NoDot"},
        {"C:\\表\\表示.exe", "表示"},  // 表 ends in 0x5C, which is no separator
        {"C:\\Tools\\ソ", "ソ"},
        {"C:\\Tools\\", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(SendToShortcutName(c.program), c.name) << c.program;
}

TEST(SendToName, ShortcutPathInTheFolder) {
    EXPECT_EQ(SendToShortcutPath("C:\\SendTo", "D:\\x\\QuelbrixU.exe"),
              "C:\\SendTo\\QuelbrixU.lnk");
    EXPECT_EQ(SendToShortcutPath("C:\\SendTo\\", "a.b.exe"), "C:\\SendTo\\a.lnk");
    EXPECT_EQ(SendToShortcutPath("C:\\表", "a.exe"), "C:\\表\\a.lnk");
}

TEST(SendToName, TheProgramsOwnNameIsTheOneItRegisteredBeforeARename) {
    EXPECT_EQ(ProgramNameShortcutPath("C:\\SendTo"), "C:\\SendTo\\QuelbrixU.lnk");
    EXPECT_EQ(ProgramNameShortcutPath("C:\\SendTo\\"), "C:\\SendTo\\QuelbrixU.lnk");
}

// A renamed program removes its own shortcut, else the QuelbrixU.lnk that points at it, and
// never one that points at another program.
TEST(SendToRemoval, RenamedProgramTakesTheOldShortcutOnlyWhenItPointsHere) {
    const std::string program = "C:\\Tools\\Qx.exe";
    struct Case {
        bool currentNameExists;
        const char* programNameTarget;
        SendToRemoval removal;
    };
    const Case cases[] = {
        {true, "", SendToRemoval::kCurrentName},
        {true, "C:\\Tools\\Qx.exe", SendToRemoval::kCurrentName},  // one at a time
        {true, "D:\\Other\\QuelbrixU.exe", SendToRemoval::kCurrentName},
        {false, "C:\\Tools\\Qx.exe", SendToRemoval::kProgramName},
        {false, "c:\\TOOLS\\qx.EXE", SendToRemoval::kProgramName},
        {false, "C:\\Tools\\QuelbrixU.exe", SendToRemoval::kNothing},  // another copy
        {false, "D:\\Other\\Qx.exe", SendToRemoval::kNothing},
        {false, "C:\\Tools\\Qx.exe.bak", SendToRemoval::kNothing},
        {false, "C:\\Tools\\Qx", SendToRemoval::kNothing},
        {false, "", SendToRemoval::kNothing},  // none, or unreadable
    };
    for (const Case& c : cases) {
        SendToShortcuts found;
        found.currentNameExists = c.currentNameExists;
        found.programNameTarget = c.programNameTarget;
        EXPECT_EQ(ChooseSendToRemoval(program, found), c.removal)
            << c.currentNameExists << " " << c.programNameTarget;
    }
}

TEST(SendToRemoval, TheSecondByteOfADoubleByteCharacterIsNotFoldedWhenPathsAreCompared) {
    // ア (83 41) and ヂ (83 61) differ only in a second byte that looks like A and a.
    SendToShortcuts found;
    found.programNameTarget = "C:\\\x83\x61\\Qx.exe";
    EXPECT_EQ(ChooseSendToRemoval("C:\\\x83\x41\\Qx.exe", found), SendToRemoval::kNothing);
    found.programNameTarget = "C:\\\x83\x41\\QX.exe";
    EXPECT_EQ(ChooseSendToRemoval("C:\\\x83\x41\\Qx.exe", found), SendToRemoval::kProgramName);
}

}  // namespace
