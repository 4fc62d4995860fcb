// The shell side of removing the Send To registration, in a folder of the test's own (Windows
// build, under Wine in CTest): shortcut targets read through the shell link object, and which
// shortcut goes.
#include "send_to.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>

#include "shortcut_files.h"

using quelbrix::RemoveSendToShortcut;
using quelbrix::ShortcutTarget;
using testing_shortcuts::Lower;
using testing_shortcuts::MakeShortcut;

namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class SendToRemovalTest : public ::testing::Test {
protected:
    SendToRemovalTest() {
        CoInitialize(nullptr);
        char base[quelbrix::kPathBytes];
        GetTempPathA(sizeof base, base);
        root = std::string(base) + "qx_sendto_" + std::to_string(GetCurrentProcessId()) + "\\";
        sendTo = root + "SendTo\\";
        program = root + "\x95\x5C\\Qx.exe";  // a folder named 表
        other = root + "other\\QuelbrixU.exe";
        for (const std::string& folder : {root, sendTo, root + "\x95\x5C\\", root + "other\\"}) {
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        for (const std::string& exe : {program, other}) {
            CloseHandle(CreateFileA(exe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        }
    }
    ~SendToRemovalTest() override {
        for (const char* name : {"SendTo\\Qx.lnk", "SendTo\\QuelbrixU.lnk", "\x95\x5C\\Qx.exe",
                                 "other\\QuelbrixU.exe"}) {
            DeleteFileA((root + name).c_str());
            RemoveDirectoryA((root + name).c_str());
        }
        for (const char* folder : {"SendTo", "\x95\x5C", "other", ""}) {
            RemoveDirectoryA((root + folder).c_str());
        }
        CoUninitialize();
    }

    std::string Current() const { return sendTo + "Qx.lnk"; }
    std::string ProgramName() const { return sendTo + "QuelbrixU.lnk"; }

    std::string root, sendTo, program, other;
};

TEST_F(SendToRemovalTest, TargetsAreReadBackThroughTheLinkAndAnythingElseHasNone) {
    ASSERT_TRUE(MakeShortcut(Current(), program));
    EXPECT_EQ(Lower(ShortcutTarget(nullptr, Current())), Lower(program));
    EXPECT_EQ(ShortcutTarget(nullptr, ProgramName()), "");  // no such file
    CloseHandle(CreateFileA(ProgramName().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(ShortcutTarget(nullptr, ProgramName()), "");  // a file that is no shortcut
    DeleteFileA(ProgramName().c_str());
    CreateDirectoryA(ProgramName().c_str(), nullptr);
    EXPECT_EQ(ShortcutTarget(nullptr, ProgramName()), "");  // a folder of that name
}

TEST_F(SendToRemovalTest, TheCurrentNameGoesFirstThenQuelbrixULnkOnlyWhenItPointsHere) {
    struct Case {
        const char* current;      // target of Qx.lnk, or null for none
        const char* programName;  // target of QuelbrixU.lnk, or null for none
        bool removed;
        bool currentLeft;
        bool programNameLeft;
    };
    const std::string here = program, elsewhere = other;
    const Case cases[] = {
        {here.c_str(), here.c_str(), true, false, true},
        {elsewhere.c_str(), nullptr, true, false, false},  // the name registering writes
        {nullptr, here.c_str(), true, false, false},
        {nullptr, elsewhere.c_str(), false, false, true},
        {nullptr, nullptr, false, false, false},
    };
    for (const Case& c : cases) {
        if (c.current != nullptr) {
            ASSERT_TRUE(MakeShortcut(Current(), c.current));
        }
        if (c.programName != nullptr) {
            ASSERT_TRUE(MakeShortcut(ProgramName(), c.programName));
        }
        EXPECT_EQ(RemoveSendToShortcut(nullptr, sendTo, program), c.removed);
        EXPECT_EQ(Exists(Current()), c.currentLeft);
        EXPECT_EQ(Exists(ProgramName()), c.programNameLeft);
        DeleteFileA(Current().c_str());
        DeleteFileA(ProgramName().c_str());
    }
}

TEST_F(SendToRemovalTest, TheProgramUnderItsOwnNameRemovesQuelbrixULnkWhereverItPoints) {
    ASSERT_TRUE(MakeShortcut(ProgramName(), other));
    EXPECT_TRUE(RemoveSendToShortcut(nullptr, sendTo, root + "\x95\x5C\\QuelbrixU.exe"));
    EXPECT_FALSE(Exists(ProgramName()));
    EXPECT_FALSE(RemoveSendToShortcut(nullptr, sendTo, root + "\x95\x5C\\QuelbrixU.exe"));
}

}  // namespace
