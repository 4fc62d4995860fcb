// The Win32 file adapter's mappings on real temporary files under the test's prefix.
#include "engine/win32_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/text_limits.h"

namespace quelbrix {
namespace {

std::size_t PageBytes() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return system.dwPageSize;
}

class Win32MappingTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[kPathBytes];
        GetTempPathA(sizeof temp, temp);
        path = std::string(temp) + "quelbrix-mapping-" + std::to_string(GetCurrentProcessId()) +
               ".txt";
    }
    void TearDown() override { DeleteFileA(path.c_str()); }

    void Write(const std::string& content, DWORD disposition = CREATE_ALWAYS) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        SetFilePointer(file, 0, nullptr, FILE_END);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    // The file's view; the file itself is closed before this returns.
    std::unique_ptr<MappedView> Map() {
        char error[256] = "";
        std::unique_ptr<OpenFile> file = files.OpenForReading(path.c_str(), error, sizeof error);
        EXPECT_TRUE(file) << error;
        return file ? file->Map() : nullptr;
    }
    // Cuts the file to `size` bytes through a handle of its own, as another program would.
    bool Cut(LONG size) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const bool cut =
            SetFilePointer(file, size, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
            SetEndOfFile(file);
        CloseHandle(file);
        return cut;
    }

    std::string path;
    Win32FileSystem files;
};

std::string Prose(std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) text += static_cast<char>('a' + i % 23);
    return text;
}

TEST_F(Win32MappingTest, AViewHoldsTheWholeFileAndAZeroAfterIt) {
    const std::size_t page = PageBytes();
    for (std::size_t size : {std::size_t{1}, page - 1, page + 1, 3 * page + 5}) {
        SCOPED_TRACE(size);
        const std::string content = Prose(size);
        Write(content);
        std::unique_ptr<MappedView> view = Map();
        ASSERT_TRUE(view);
        ASSERT_EQ(view->Size(), size);
        EXPECT_EQ(std::string(view->Data(), view->Size()), content);
        EXPECT_EQ(view->Data()[size], '\0');
    }
}

// A size that fills its pages leaves no byte for the zero: such a file is read instead.
TEST_F(Win32MappingTest, EmptyFilesAndFilesThatFillTheirPagesAreNotMapped) {
    const std::size_t page = PageBytes();
    for (std::size_t size : {std::size_t{0}, page, 4 * page}) {
        SCOPED_TRACE(size);
        Write(Prose(size));
        EXPECT_FALSE(Map());
    }
}

TEST_F(Win32MappingTest, BytesAppendedWhileMappedLeaveTheZeroInPlace) {
    const std::size_t size = PageBytes() + 10;
    Write(Prose(size));
    std::unique_ptr<MappedView> view = Map();
    ASSERT_TRUE(view);
    Write("appended", OPEN_EXISTING);
    EXPECT_EQ(view->Data()[size], '\0');
    EXPECT_EQ(std::string(view->Data(), size), Prose(size));
}

// What makes a view safe to read on Windows: no one can cut the file while it lives. Once it
// is gone, the file can be cut again.
TEST_F(Win32MappingTest, AMappedFileCannotBeCutWhileItsViewLives) {
    const std::size_t size = 3 * PageBytes() + 10;
    Write(Prose(size));
    std::unique_ptr<MappedView> view = Map();
    ASSERT_TRUE(view);
    EXPECT_FALSE(Cut(10));
    EXPECT_EQ(std::string(view->Data(), size), Prose(size));
    view.reset();
    EXPECT_TRUE(Cut(10));
}

TEST(Win32Drives, OnlyFixedLocalDrivesAreMapped) {
    char temp[kPathBytes];
    GetTempPathA(sizeof temp, temp);
    EXPECT_TRUE(OnFixedLocalDrive((std::string(temp) + "a.txt").c_str()));
    EXPECT_FALSE(OnFixedLocalDrive("\\\\quelbrix-no-server\\share\\a.txt"));
    // A drive letter with nothing behind it.
    char drive[] = "?:\\a.txt";
    for (char letter = 'Q'; letter >= 'D'; --letter) {
        char root[] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR) {
            drive[0] = letter;
            break;
        }
    }
    if (drive[0] != '?') {
        EXPECT_FALSE(OnFixedLocalDrive(drive)) << drive;
    }
}

}  // namespace
}  // namespace quelbrix
