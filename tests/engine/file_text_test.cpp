// Reading a file into the matcher's text: through the buffer or through a mapping, detected
// and converted the same either way.
#include "file_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/search_driver.h"
#include "fake_platform.h"

namespace quelbrix {
namespace {

using testing::FakeEngine;
using testing::FakeFileSystem;
using testing::P;

// Bytes that are not all the same, so that a text cut or shifted shows.
std::string Prose(std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) text += static_cast<char>('a' + i % 23);
    return text;
}

struct Read {
    TextOutcome outcome;
    FileText text;
    FileFacts facts;
};

Read ReadText(FakeFileSystem& files, const std::string& path, const TextOptions& options,
              MatchBuffers& buffers) {
    Read read{};
    char error[64];
    read.outcome =
        ReadFileText(files, path.c_str(), options, buffers, read.text, read.facts, error,
                     sizeof error);
    return read;
}

TextOptions MapEverything() {
    TextOptions options;
    options.mapFrom = 0;
    return options;
}

struct SizeCase {
    std::size_t size;
    bool mappable;
};

class FileTextSizeTest : public ::testing::TestWithParam<SizeCase> {};

// Whether the file is mapped or read, the text is the whole file and a zero follows it, and the
// file is closed before the text is matched; a view is held until the file is done.
TEST_P(FileTextSizeTest, TheTextIsTheFileEndedByAZero) {
    const SizeCase c = GetParam();
    FakeFileSystem files;
    const std::string content = Prose(c.size);
    files.AddFile(P("r/a.txt"), content).mappable = c.mappable;
    MatchBuffers buffers;
    const Read read = ReadText(files, P("r/a.txt"), MapEverything(), buffers);
    ASSERT_EQ(read.outcome, TextOutcome::kRead);
    ASSERT_EQ(read.text.length, c.size);
    EXPECT_EQ(std::string(read.text.text, read.text.length), content);
    EXPECT_EQ(read.text.text[read.text.length], '\0');
    EXPECT_EQ(files.liveFiles, 0);
    EXPECT_EQ(files.maps, 1);
    ASSERT_EQ(buffers.mapped != nullptr, c.mappable);
    if (c.mappable) {
        EXPECT_EQ(read.text.text, buffers.mapped->Data());
    }
    EXPECT_EQ(files.liveViews, c.mappable ? 1 : 0);
    buffers.GiveBackLarge();
    EXPECT_EQ(files.liveViews, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FileTextSizeTest,
                         ::testing::Values(SizeCase{0, true}, SizeCase{1, true},
                                           SizeCase{4095, true}, SizeCase{4096, true},
                                           SizeCase{4097, true}, SizeCase{0, false},
                                           SizeCase{1, false}, SizeCase{4096, false},
                                           SizeCase{4097, false}));

TEST(FileTextTest, AFileSmallerThanTheMappingSizeIsReadWithoutAskingForAView) {
    FakeFileSystem files;
    files.AddFile(P("r/a.txt"), "needle").mappable = true;
    MatchBuffers buffers;
    const Read read = ReadText(files, P("r/a.txt"), TextOptions{}, buffers);
    ASSERT_EQ(read.outcome, TextOutcome::kRead);
    EXPECT_EQ(std::string(read.text.text), "needle");
    EXPECT_EQ(files.maps, 0);
    EXPECT_EQ(buffers.mapped, nullptr);
}

// A view that does not hold the size the file reported is some other state of the file: the
// file is read instead, and what the read delivers is the text.
TEST(FileTextTest, AViewOfAnotherSizeThanTheFilesIsDroppedAndTheFileRead) {
    FakeFileSystem files;
    testing::FakeFile& file = files.AddFile(P("r/a.txt"), "abc");
    file.mappable = true;
    file.reportedSize = 10;
    MatchBuffers buffers;
    const Read read = ReadText(files, P("r/a.txt"), MapEverything(), buffers);
    ASSERT_EQ(read.outcome, TextOutcome::kRead);
    EXPECT_EQ(std::string(read.text.text, read.text.length), "abc");
    EXPECT_EQ(files.maps, 1);
    EXPECT_EQ(files.liveViews, 0);
}

TEST(FileTextTest, AnEarlierFilesViewGoesWhenTheNextFileIsRead) {
    FakeFileSystem files;
    files.AddFile(P("r/big.txt"), "big one").mappable = true;
    files.AddFile(P("r/small.txt"), "small");
    MatchBuffers buffers;
    TextOptions options;
    options.mapFrom = 5;
    ReadText(files, P("r/big.txt"), options, buffers);
    EXPECT_EQ(files.liveViews, 1);
    const Read read = ReadText(files, P("r/small.txt"), options, buffers);
    EXPECT_EQ(files.liveViews, 0);
    EXPECT_EQ(std::string(read.text.text), "small");
}

TEST(FileTextTest, AFailingReadAfterARefusedViewIsNotRead) {
    FakeFileSystem files;
    files.AddFile(P("r/a.txt"), "abc").readFails = true;
    MatchBuffers buffers;
    EXPECT_EQ(ReadText(files, P("r/a.txt"), MapEverything(), buffers).outcome,
              TextOutcome::kNotRead);
    EXPECT_EQ(files.liveFiles, 0);
}

// Detection and conversion read a view as they read the buffer; the converted text lives in the
// converted buffer, and the view goes as soon as the conversion is made.
struct ConversionCase {
    const char* name;
    std::string content;
    bool convertCodes;
    KanjiCode verdict;
    bool converted;
    std::string text;  // what the matcher sees
    int viewsAfterRead;
};

class FileTextConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(FileTextConversionTest, AMappedFileIsDetectedAndConvertedAsAReadOne) {
    const ConversionCase& c = GetParam();
    for (bool mappable : {true, false}) {
        SCOPED_TRACE(mappable ? "mapped" : "read");
        FakeFileSystem files;
        files.AddFile(P("r/a.txt"), c.content).mappable = mappable;
        MatchBuffers buffers;
        TextOptions options = MapEverything();
        options.convertCodes = c.convertCodes;
        options.alwaysDetect = true;
        const Read read = ReadText(files, P("r/a.txt"), options, buffers);
        ASSERT_EQ(read.outcome, TextOutcome::kRead);
        EXPECT_EQ(read.text.encoding.verdict, c.verdict);
        EXPECT_EQ(read.text.encoding.converted, c.converted);
        EXPECT_EQ(std::string(read.text.text, read.text.length), c.text);
        EXPECT_EQ(read.text.text[read.text.length], '\0');
        EXPECT_EQ(files.liveViews, mappable ? c.viewsAfterRead : 0);
    }
}

const std::string kEuc = "\xB8\xA1\xBA\xF7\n";  // 検索 in EUC-JP
const std::string kSjis = "\x8C\x9F\x8D\xF5\n";  // 検索 in Shift_JIS

INSTANTIATE_TEST_SUITE_P(
    Encodings, FileTextConversionTest,
    ::testing::Values(
        ConversionCase{"EucConverted", kEuc + kEuc, true, KC_EUC, true, kSjis + kSjis, 0},
        ConversionCase{"EucDetectedOnly", kEuc, false, KC_EUC, false, kEuc, 1},
        ConversionCase{"Utf16LeWithMark", std::string("\xFF\xFE\x1C\x69\x22\x7D\n\x00", 8),
                       true, KC_UNICODE, true, "?\x8C\x9F\x8D\xF5\n", 0},
        ConversionCase{"ShiftJisAsRead", kSjis, true, KC_SJIS, false, kSjis, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Through the whole search: a file too big for the kept buffer is matched through its view,
// on one thread and on several, and no view outlives its file.
TEST(FileTextTest, TheSearchMatchesBigFilesThroughTheirViewsAndKeepsNone) {
    const std::string big = "needle" + std::string(ReusableBuffer::kKeptBytes, 'x') + "needle";
    for (unsigned threads : {1u, 3u}) {
        SCOPED_TRACE(threads);
        FakeEngine engine;
        for (const char* name : {"root/a.txt", "root/b.txt", "root/c.txt"})
            engine.files.AddFile(P(name), big).mappable = true;
        engine.files.AddFile(P("root/d.txt"), "needle").mappable = true;
        const SearchRequest request = engine.Request("root/", "needle");
        ASSERT_TRUE(FindFolderOnThreads(engine.state, engine.platform, request, threads));
        EXPECT_EQ(engine.Column(3), (std::vector<std::string>{"2", "2", "2", "1"}));
        EXPECT_EQ(engine.files.maps, 3);  // the small file is read
        EXPECT_EQ(engine.files.liveViews, 0);
    }
}

}  // namespace
}  // namespace quelbrix
