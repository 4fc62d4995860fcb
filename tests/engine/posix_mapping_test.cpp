// The host adapter's mappings on real temporary files: what they hold, and what becomes of
// them when the file is cut or grows while they live.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/posix_files.h"
#include "engine/result_list.h"
#include "engine/search_driver.h"
#include "fake_platform.h"
#include "file_text.h"

namespace quelbrix {
namespace {

const std::size_t kPage = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));

class PosixMappingTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quelbrix-mapping-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = std::string(pattern) + "/";
    }
    void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }
    std::string Write(const std::string& name, const std::string& content) {
        std::ofstream(root + name, std::ios::binary) << content;
        return root + name;
    }
    std::unique_ptr<MappedView> Map(const std::string& path) {
        char error[64] = "";
        std::unique_ptr<OpenFile> file = files.OpenForReading(path.c_str(), error, sizeof error);
        EXPECT_TRUE(file) << error;
        return file ? file->Map() : nullptr;  // the file is closed, the view lives on
    }

    std::string root;
    PosixFileSystem files;
};

// Bytes that are not all the same and never zero, so that a cut shows where it is.
std::string Prose(std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) text += static_cast<char>('a' + i % 23);
    return text;
}

TEST_F(PosixMappingTest, AViewHoldsTheWholeFileAndAZeroAfterItWhateverItsSize) {
    for (std::size_t size : {std::size_t{1}, kPage - 1, kPage, kPage + 1, 3 * kPage}) {
        SCOPED_TRACE(size);
        const std::string content = Prose(size);
        std::unique_ptr<MappedView> view = Map(Write("a.txt", content));
        ASSERT_TRUE(view);
        ASSERT_EQ(view->Size(), size);
        EXPECT_EQ(std::string(view->Data(), view->Size()), content);
        EXPECT_EQ(view->Data()[size], '\0');
    }
}

TEST_F(PosixMappingTest, AnEmptyFileHasNoView) { EXPECT_FALSE(Map(Write("a.txt", ""))); }

// What a writer appends while the view lives stays out of it: the zero after the text is the
// view's own, not the file's next byte.
TEST_F(PosixMappingTest, BytesAppendedWhileMappedLeaveTheZeroInPlace) {
    for (std::size_t size : {kPage - 1, kPage, kPage + 1}) {
        SCOPED_TRACE(size);
        const std::string path = Write("a.txt", Prose(size));
        std::unique_ptr<MappedView> view = Map(path);
        ASSERT_TRUE(view);
        std::ofstream(path, std::ios::binary | std::ios::app) << "appended";
        EXPECT_EQ(view->Data()[size], '\0');
    }
}

// Reads every byte of the view; the number of bytes before the first zero and whether all
// the rest are zeros.
struct Walk {
    std::size_t leading = 0;
    bool zerosAfter = true;
};

Walk WalkView(const MappedView& view) {
    Walk walk;
    const char* data = view.Data();
    std::size_t i = 0;
    while (i <= view.Size() && data[i] != '\0') ++i;
    walk.leading = i;
    for (; i <= view.Size(); ++i)
        if (data[i] != '\0') walk.zerosAfter = false;
    return walk;
}

struct CutCase {
    std::size_t cutTo;
    bool onAnotherThread;
};

class PosixCutTest : public PosixMappingTest, public ::testing::WithParamInterface<CutCase> {};

// A file cut while mapped reads as far as the cut and zeros after it, on the thread that made
// the view and on any other; the process goes on.
TEST_P(PosixCutTest, AFileCutWhileMappedReadsZerosPastTheCut) {
    const CutCase c = GetParam();
    const std::size_t size = 4 * kPage + 100;
    const std::string path = Write("a.txt", Prose(size));
    std::unique_ptr<MappedView> view = Map(path);
    ASSERT_TRUE(view);
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(c.cutTo)), 0);
    Walk walk;
    if (c.onAnotherThread) {
        std::thread reader([&] { walk = WalkView(*view); });
        reader.join();
    } else {
        walk = WalkView(*view);
    }
    // The page that holds the cut keeps its bytes up to the cut; the kernel shows zeros after.
    EXPECT_EQ(walk.leading, c.cutTo);
    EXPECT_TRUE(walk.zerosAfter);
    view.reset();
    // A later view of the cut file is of its new size.
    std::unique_ptr<MappedView> again = Map(path);
    if (c.cutTo > 0) {
        ASSERT_TRUE(again);
        EXPECT_EQ(again->Size(), c.cutTo);
    }
}

INSTANTIATE_TEST_SUITE_P(Cuts, PosixCutTest,
                         ::testing::Values(CutCase{0, false}, CutCase{10, false},
                                           CutCase{kPage, false}, CutCase{2 * kPage + 7, false},
                                           CutCase{0, true}, CutCase{kPage + 3, true}));

// Several threads each cut and read their own file at once: each fault is laid with zeros in
// its own view only.
TEST_F(PosixMappingTest, ThreadsReadingViewsOfFilesCutMeanwhileEachSeeTheirOwnCut) {
    constexpr int kThreads = 4;
    std::vector<std::string> paths;
    std::vector<std::unique_ptr<MappedView>> views;
    for (int i = 0; i < kThreads; ++i) {
        paths.push_back(Write("f" + std::to_string(i), Prose(8 * kPage)));
        views.push_back(Map(paths.back()));
        ASSERT_TRUE(views.back());
    }
    std::vector<Walk> walks(kThreads);
    std::vector<std::thread> readers;
    for (int i = 0; i < kThreads; ++i) {
        readers.emplace_back([&, i] {
            ASSERT_EQ(truncate(paths[i].c_str(), static_cast<off_t>(i * kPage + 1)), 0);
            walks[i] = WalkView(*views[i]);
        });
    }
    for (std::thread& reader : readers) reader.join();
    for (int i = 0; i < kThreads; ++i) {
        EXPECT_EQ(walks[i].leading, i * kPage + 1) << i;
        EXPECT_TRUE(walks[i].zerosAfter) << i;
    }
}

// A bus error outside every view is not swallowed: the process still dies of it.
TEST_F(PosixMappingTest, AFaultOutsideEveryViewStillEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string path = Write("a.txt", Prose(4 * kPage));
    std::unique_ptr<MappedView> view = Map(path);  // the handler is in place
    ASSERT_TRUE(view);
    EXPECT_DEATH(
        {
            const int fd = open(path.c_str(), O_RDONLY);
            auto* bytes = static_cast<volatile char*>(
                mmap(nullptr, 4 * kPage, PROT_READ, MAP_PRIVATE, fd, 0));
            if (ftruncate(open(path.c_str(), O_WRONLY), 0) != 0) std::abort();
            (void)bytes[2 * kPage];
            std::exit(0);
        },
        "");
}

TEST_F(PosixMappingTest, WhenEveryGuardedSlotIsTakenTheFileIsReadInstead) {
    const std::string content = Prose(kPage + 5);
    const std::string path = Write("a.txt", content);
    std::vector<std::unique_ptr<MappedView>> held;
    for (;;) {
        std::unique_ptr<MappedView> view = Map(path);
        if (!view) break;
        held.push_back(std::move(view));
        ASSERT_LT(held.size(), 100000u) << "views are never refused";
    }
    ASSERT_FALSE(held.empty());
    MatchBuffers buffers;
    TextOptions options;
    options.mapFrom = 0;
    FileText text;
    FileFacts facts;
    char error[64];
    ASSERT_EQ(ReadFileText(files, path.c_str(), options, buffers, text, facts, error, sizeof error),
              TextOutcome::kRead);
    EXPECT_EQ(buffers.mapped, nullptr);
    EXPECT_EQ(std::string(text.text, text.length), content);
    // A slot given back is taken again.
    held.pop_back();
    EXPECT_TRUE(Map(path));
}

// An adapter that cuts each file to `cutTo` bytes once it has mapped it, as a writer could at
// the worst moment.
class CuttingFileSystem : public FileSystem {
public:
    CuttingFileSystem(FileSystem& files, off_t cutTo) : files_(files), cutTo_(cutTo) {}
    std::unique_ptr<FolderListing> ListFolder(const char* folder) override {
        return files_.ListFolder(folder);
    }
    std::unique_ptr<OpenFile> OpenForReading(const char* path, char* errorText,
                                             std::size_t errorTextSize) override {
        std::unique_ptr<OpenFile> file = files_.OpenForReading(path, errorText, errorTextSize);
        if (!file) return nullptr;
        return std::make_unique<CuttingFile>(std::move(file), path, cutTo_);
    }
    char Separator() const override { return files_.Separator(); }

private:
    class CuttingFile : public OpenFile {
    public:
        CuttingFile(std::unique_ptr<OpenFile> file, std::string path, off_t cutTo)
            : file_(std::move(file)), path_(std::move(path)), cutTo_(cutTo) {}
        std::uint64_t Size() override { return file_->Size(); }
        bool LastWriteUtc(CalendarTime& time) override { return file_->LastWriteUtc(time); }
        bool Read(char* buffer, std::uint32_t size, std::uint32_t& delivered) override {
            return file_->Read(buffer, size, delivered);
        }
        std::unique_ptr<MappedView> Map() override {
            std::unique_ptr<MappedView> view = file_->Map();
            if (view && truncate(path_.c_str(), cutTo_) != 0) return nullptr;
            return view;
        }

    private:
        std::unique_ptr<OpenFile> file_;
        std::string path_;
        off_t cutTo_;
    };

    FileSystem& files_;
    off_t cutTo_;
};

// A big file cut while the search holds its view: the search counts what is left before the
// cut and ends as usual, on one thread and on several.
TEST_F(PosixMappingTest, ASearchOverAFileCutWhileMappedEndsWithTheHitsBeforeTheCut) {
    const std::size_t half = ReusableBuffer::kKeptBytes / 2;
    const std::string content = "ab" + std::string(half, 'x') + "ab" + std::string(half, 'x') + "ab";
    for (unsigned threads : {1u, 3u}) {
        SCOPED_TRACE(threads);
        for (const char* name : {"one.txt", "two.txt"}) Write(name, content);
        CuttingFileSystem cutting(files, static_cast<off_t>(half + 10));
        testing::ScriptedUi ui;
        testing::RecordingProgress progress;
        MemoryRows rows;
        Platform platform{cutting, ui, progress, rows};
        EngineState state;
        InitListView(state, rows, &rows, 100, 50, 50, 100);
        SearchRequest request;
        request.folder = root.c_str();
        request.word = "ab";
        ASSERT_TRUE(FindFolderOnThreads(state, platform, request, threads));
        ASSERT_EQ(rows.rows.size(), 2u);
        for (const MemoryRow& row : rows.rows) EXPECT_EQ(row.cells[3], "2") << row.cells[0];
    }
}

}  // namespace
}  // namespace quelbrix
