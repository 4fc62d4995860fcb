// The settings file on the real file system (Windows build, under Wine in CTest).
#include "win32_file_access.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "profile_file.h"

using quelbrix::ProfileFile;
using quelbrix::ReadResult;
using quelbrix::Win32FileAccess;

namespace {

class Win32FileAccessTest : public ::testing::Test {
protected:
    Win32FileAccessTest() {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        folder = std::string(base) + "qx_files_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        path = folder + "QuelbrixU.ini";
    }
    ~Win32FileAccessTest() override {
        DeleteFileA(path.c_str());
        DeleteFileA((path + ".new").c_str());
        RemoveDirectoryA(path.c_str());
        RemoveDirectoryA(folder.c_str());
    }

    Win32FileAccess files;
    std::string folder;
    std::string path;
};

TEST_F(Win32FileAccessTest, WritesAndReadsBackExactBytes) {
    const std::string bytes = "[main]\r\nunder=1\r\n;\x95\x5C\r\n";
    ASSERT_TRUE(files.WriteAll(path, bytes));
    std::string read;
    ASSERT_EQ(files.ReadAll(path, read), ReadResult::kRead);
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32FileAccessTest, MissingFileAndMissingFolderAreMissing) {
    std::string read;
    EXPECT_EQ(files.ReadAll(path, read), ReadResult::kMissing);
    EXPECT_EQ(files.ReadAll(folder + "nosuch\\QuelbrixU.ini", read), ReadResult::kMissing);
    EXPECT_FALSE(files.WriteAll(folder + "nosuch\\QuelbrixU.ini", "x"));
}

TEST_F(Win32FileAccessTest, FolderInThePlaceOfTheFileCannotBeReadOrWritten) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    std::string read;
    EXPECT_EQ(files.ReadAll(path, read), ReadResult::kFailed);
    ProfileFile profile(files, path, "main");
    EXPECT_FALSE(profile.WriteInt("under", 1));
    EXPECT_EQ(profile.GetInt("under"), 0u);
}

TEST_F(Win32FileAccessTest, FileLockedByAnotherProgramIsNotReplaced) {
    ASSERT_TRUE(files.WriteAll(path, "[main]\r\nunder=1\r\nformal=1\r\n"));
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ProfileFile profile(files, path, "main");
    EXPECT_FALSE(profile.WriteInt("under", 0));
    CloseHandle(lock);
    EXPECT_EQ(profile.GetInt("under"), 1u);
    EXPECT_EQ(profile.GetInt("formal"), 1u);
}

TEST_F(Win32FileAccessTest, SettingsPathNearThePathLimitIsStillWritten) {
    // A program folder of 245 bytes: the settings path (258 bytes) fits the 260-byte limit,
    // a sibling with ".new" appended does not.
    const std::size_t folderBytes = 245;
    ASSERT_LT(folder.size() + 2, folderBytes);
    const std::string deep = folder + std::string(folderBytes - folder.size() - 1, 'd') + "\\";
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    const std::string settings = deep + "QuelbrixU.ini";
    ASSERT_LT(settings.size(), static_cast<std::size_t>(MAX_PATH));
    ProfileFile profile(files, settings, "main");
    EXPECT_TRUE(profile.WriteInt("under", 1));
    EXPECT_TRUE(profile.WriteInt("formal", 1));
    EXPECT_EQ(profile.GetInt("under"), 1u);
    EXPECT_EQ(profile.GetInt("formal"), 1u);
    DeleteFileA(settings.c_str());
    RemoveDirectoryA(deep.c_str());
}

TEST_F(Win32FileAccessTest, EmptyPathMeansNoSettingsFile) {
    std::string read;
    EXPECT_EQ(files.ReadAll("", read), ReadResult::kFailed);
    EXPECT_FALSE(files.WriteAll("", "x"));
    EXPECT_EQ(GetFileAttributesA(".new"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
