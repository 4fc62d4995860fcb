// The host adapters on a real temporary folder.
#include "engine/posix_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "engine/result_list.h"
#include "fake_platform.h"

namespace quelbrix {
namespace {

class PosixFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quelbrix-posix-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = std::string(pattern) + "/";
    }
    void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }
    void Write(const std::string& name, const std::string& content) {
        std::ofstream(root + name, std::ios::binary) << content;
    }

    std::string root;
    PosixFileSystem files;
};

TEST_F(PosixFilesTest, ListsEveryEntryWithItsKind) {
    Write("a.txt", "x");
    mkdir((root + "sub").c_str(), 0755);
    symlink((root + "sub").c_str(), (root + "link").c_str());
    auto listing = files.ListFolder(root.c_str());
    ASSERT_TRUE(listing);
    std::set<std::string> folders, others;
    FolderEntry entry;
    while (listing->Next(entry)) (entry.isDirectory ? folders : others).insert(entry.name);
    EXPECT_EQ(folders, (std::set<std::string>{".", "..", "sub", "link"}));
    EXPECT_EQ(others, (std::set<std::string>{"a.txt"}));
    EXPECT_FALSE(files.ListFolder((root + "missing/").c_str()));
}

TEST_F(PosixFilesTest, ReadsSizeWholeContentAndUtcTime) {
    // In a zone east of UTC the local hour would differ: the time must stay UTC.
    setenv("TZ", "JST-9", 1);
    tzset();
    Write("a.txt", "hello");
    struct timeval times[2] = {{1058169900, 0}, {1058169900, 0}};  // 2003-07-14 08:05:00 UTC
    ASSERT_EQ(utimes((root + "a.txt").c_str(), times), 0);
    char error[64] = "";
    auto file = files.OpenForReading((root + "a.txt").c_str(), error, sizeof error);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Size(), 5u);
    CalendarTime time{};
    ASSERT_TRUE(file->LastWriteUtc(time));
    EXPECT_EQ(time.year, 2003);
    EXPECT_EQ(time.month, 7);
    EXPECT_EQ(time.day, 14);
    EXPECT_EQ(time.hour, 8);
    EXPECT_EQ(time.minute, 5);
    char buffer[6] = {};
    std::uint32_t delivered = 0;
    ASSERT_TRUE(file->Read(buffer, 5, delivered));
    EXPECT_EQ(delivered, 5u);
    EXPECT_STREQ(buffer, "hello");
}

TEST_F(PosixFilesTest, FoldersPipesAndMissingFilesCannotBeOpened) {
    mkdir((root + "sub").c_str(), 0755);
    mkfifo((root + "pipe").c_str(), 0644);
    for (const char* name : {"sub", "pipe", "missing"}) {
        char error[64] = "";
        EXPECT_FALSE(files.OpenForReading((root + name).c_str(), error, sizeof error)) << name;
        EXPECT_NE(error[0], '\0') << name;
    }
}

// Links back to an ancestor would make an endless tree; the walk knows each folder it is
// inside and does not enter it again. Two such links in one folder would otherwise double the
// paths at every level, far beyond what the 260-byte bound can stop in time.
struct LinkLoop {
    std::vector<const char*> links;   // names of links to the top folder
    std::vector<const char*> nested;  // names of links to the top folder inside sub/
};

class PosixTreeTest : public PosixFilesTest {
protected:
    // Searches the whole tree for "ab" with a progress bar; the listed paths, sorted.
    std::vector<std::string> SearchTree() {
        testing::ScriptedUi ui;
        MemoryRows rows;
        Platform platform{files, ui, progress, rows};
        EngineState state;
        InitListView(state, rows, &rows, QUELBRIX_WIDTH_FILE, QUELBRIX_WIDTH_COUNT,
                     QUELBRIX_WIDTH_SIZE, QUELBRIX_WIDTH_TIME);
        SearchRequest request;
        request.folder = root.c_str();
        request.word = "ab";
        request.searchSubfolders = true;
        request.progress = &progress;
        EXPECT_TRUE(FindFolder(state, platform, request));
        std::vector<std::string> listed;
        for (const MemoryRow& row : rows.rows) listed.push_back(row.cells[0]);
        std::sort(listed.begin(), listed.end());
        return listed;
    }

    testing::RecordingProgress progress;
};

class PosixLoopTest : public PosixTreeTest, public ::testing::WithParamInterface<LinkLoop> {};

TEST_P(PosixLoopTest, LinksBackToAnAncestorAreNotFollowed) {
    Write("a.txt", "ab");
    mkdir((root + "sub").c_str(), 0755);
    Write("sub/b.txt", "ab");
    for (const char* name : GetParam().links)
        ASSERT_EQ(symlink(root.c_str(), (root + name).c_str()), 0);
    for (const char* name : GetParam().nested)
        ASSERT_EQ(symlink(root.c_str(), (root + "sub/" + name).c_str()), 0);
    EXPECT_EQ(SearchTree(), (std::vector<std::string>{root + "a.txt", root + "sub/b.txt"}));
    // The counting pass knows the same folders.
    ASSERT_FALSE(progress.calls.empty());
    EXPECT_EQ(progress.calls[0].value, 2);
}

INSTANTIATE_TEST_SUITE_P(Loops, PosixLoopTest,
                         ::testing::Values(LinkLoop{{"loop"}, {}}, LinkLoop{{"x", "y"}, {}},
                                           LinkLoop{{}, {"up"}}, LinkLoop{{"x"}, {"up", "up2"}}));

// A link to a folder outside the walk's chain is an ordinary folder.
TEST_F(PosixTreeTest, LinkToASiblingFolderIsWalked) {
    mkdir((root + "one").c_str(), 0755);
    Write("one/a.txt", "ab");
    ASSERT_EQ(symlink((root + "one").c_str(), (root + "two").c_str()), 0);
    EXPECT_EQ(SearchTree(), (std::vector<std::string>{root + "one/a.txt", root + "two/a.txt"}));
}

}  // namespace
}  // namespace quelbrix
