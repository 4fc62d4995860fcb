// The settings file on the real file system (Windows build, under Wine in CTest).
#include "win32_file_access.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/profile_file.h"

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

    int FolderEntries() const {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
        int count = 0;
        if (find == INVALID_HANDLE_VALUE) return 0;
        do {
            const std::string name = data.cFileName;
            count += name != "." && name != "..";
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return count;
    }

    Win32FileAccess files;
    std::string folder;
    std::string path;
};

// Siblings named by the test: attempt N gets names[N] (the last one for later attempts).
class NamedSiblings : public Win32FileAccess {
public:
    explicit NamedSiblings(std::vector<std::string> names) : names_(std::move(names)) {}

protected:
    std::string SiblingName(const std::string&, unsigned attempt) override {
        return names_[attempt < names_.size() ? attempt : names_.size() - 1];
    }

private:
    std::vector<std::string> names_;
};

TEST_F(Win32FileAccessTest, WritesAndReadsBackExactBytes) {
    const std::string bytes = "[main]\r\nunder=1\r\n;\x95\x5C\r\n";
    ASSERT_TRUE(files.WriteAll(path, bytes));
    std::string read;
    ASSERT_EQ(files.ReadAll(path, read), ReadResult::kRead);
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(FolderEntries(), 1);  // no sibling left behind
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

// Where no new file can be made beside the settings (only the file itself is writable), the
// file is written in place rather than not at all.
TEST_F(Win32FileAccessTest, SiblingThatCannotBeCreatedFallsBackToWritingInPlace) {
    ASSERT_TRUE(files.WriteAll(path, "[main]\r\nunder=0\r\n"));
    NamedSiblings blocked({folder + "nosuch\\x.new"});
    ProfileFile profile(blocked, path, "main");
    EXPECT_TRUE(profile.WriteInt("under", 1));
    EXPECT_EQ(profile.GetInt("under"), 1u);
}

// A sibling name another copy of the program holds is left alone; the next name is used.
TEST_F(Win32FileAccessTest, SiblingNameInUseIsNotTaken) {
    const std::string taken = folder + "taken.new";
    ASSERT_TRUE(files.WriteAll(taken, "other"));
    NamedSiblings named({taken, folder + "free.new"});
    ASSERT_TRUE(named.WriteAll(path, "mine"));
    std::string read;
    ASSERT_EQ(files.ReadAll(taken, read), ReadResult::kRead);
    EXPECT_EQ(read, "other");
    ASSERT_EQ(files.ReadAll(path, read), ReadResult::kRead);
    EXPECT_EQ(read, "mine");
    DeleteFileA(taken.c_str());
}

TEST_F(Win32FileAccessTest, HiddenAttributeOfTheFileIsKept) {
    ASSERT_TRUE(files.WriteAll(path, "one"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(files.WriteAll(path, "two"));
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    NamedSiblings blocked({folder + "nosuch\\x.new"});  // and when written in place
    ASSERT_TRUE(blocked.WriteAll(path, "three"));
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    std::string read;
    ASSERT_EQ(files.ReadAll(path, read), ReadResult::kRead);
    EXPECT_EQ(read, "three");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
