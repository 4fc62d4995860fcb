// One Shift_JIS word finds the same sentence written in four encodings: the file matcher,
// the conversion stage and the converters together, through the engine's search request.
// The files' bytes were made with other tools (Python's codecs), not with the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/hit_lines.h"
#include "fake_platform.h"
#include "kanji_test_support.h"

#ifndef _WIN32
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/posix_files.h"
#endif

namespace quelbrix {
namespace {

using testing::FakeEngine;
using testing::P;
using testing::Swapped;
using Strings = std::vector<std::string>;

// 漢字の表示を確認します。ソフトで漢字コードを変換します。 and CR LF, in each encoding.
const std::string kShiftJis =
    "\x8A\xBF\x8E\x9A\x82\xCC\x95\x5C\x8E\xA6\x82\xF0\x8A\x6D\x94\x46"
    "\x82\xB5\x82\xDC\x82\xB7\x81\x42\x83\x5C\x83\x74\x83\x67\x82\xC5"
    "\x8A\xBF\x8E\x9A\x83\x52\x81\x5B\x83\x68\x82\xF0\x95\xCF\x8A\xB7"
    "\x82\xB5\x82\xDC\x82\xB7\x81\x42\x0D\x0A";
const std::string kIso2022Jp =
    "\x1B\x24\x42\x34\x41\x3B\x7A\x24\x4E\x49\x3D\x3C\x28\x24\x72\x33"
    "\x4E\x47\x27\x24\x37\x24\x5E\x24\x39\x21\x23\x25\x3D\x25\x55\x25"
    "\x48\x24\x47\x34\x41\x3B\x7A\x25\x33\x21\x3C\x25\x49\x24\x72\x4A"
    "\x51\x34\x39\x24\x37\x24\x5E\x24\x39\x21\x23\x1B\x28\x42\x0D\x0A";
const std::string kEucJp =
    "\xB4\xC1\xBB\xFA\xA4\xCE\xC9\xBD\xBC\xA8\xA4\xF2\xB3\xCE\xC7\xA7"
    "\xA4\xB7\xA4\xDE\xA4\xB9\xA1\xA3\xA5\xBD\xA5\xD5\xA5\xC8\xA4\xC7"
    "\xB4\xC1\xBB\xFA\xA5\xB3\xA1\xBC\xA5\xC9\xA4\xF2\xCA\xD1\xB4\xB9"
    "\xA4\xB7\xA4\xDE\xA4\xB9\xA1\xA3\x0D\x0A";
const std::string kUtf16Le = std::string(
    "\xFF\xFE"  // byte-order mark
    "\x22\x6F\x57\x5B\x6E\x30\x68\x88\x3A\x79\x92\x30\xBA\x78\x8D\x8A"
    "\x57\x30\x7E\x30\x59\x30\x02\x30\xBD\x30\xD5\x30\xC8\x30\x67\x30"
    "\x22\x6F\x57\x5B\xB3\x30\xFC\x30\xC9\x30\x92\x30\x09\x59\xDB\x63"
    "\x57\x30\x7E\x30\x59\x30\x02\x30\x0D\x00\x0A\x00",
    62);
;
const std::string kUtf8 =
    "\xE6\xBC\xA2\xE5\xAD\x97\xE3\x81\xAE\xE8\xA1\xA8\xE7\xA4\xBA\xE3"
    "\x82\x92\xE7\xA2\xBA\xE8\xAA\x8D\xE3\x81\x97\xE3\x81\xBE\xE3\x81"
    "\x99\xE3\x80\x82\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\xE3\x81\xA7"
    "\xE6\xBC\xA2\xE5\xAD\x97\xE3\x82\xB3\xE3\x83\xBC\xE3\x83\x89\xE3"
    "\x82\x92\xE5\xA4\x89\xE6\x8F\x9B\xE3\x81\x97\xE3\x81\xBE\xE3\x81"
    "\x99\xE3\x80\x82\x0D\x0A";
const std::string kUtf8Bom = "\xEF\xBB\xBF" + kUtf8;

const char kWord[] = "\x8A\xBF\x8E\x9A";  // 漢字 in Shift_JIS

// The listed files by name with their hit counts, in name order.
Strings Listed(const FakeEngine& engine) {
    Strings listed;
    const Strings paths = engine.Column(0);
    const Strings counts = engine.Column(3);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        listed.push_back(paths[i].substr(paths[i].find_last_of("/\\") + 1) + " " + counts[i]);
    }
    std::sort(listed.begin(), listed.end());
    return listed;
}

class KanjiSearch : public ::testing::Test {
protected:
    void SetUp() override {
        engine.files.AddFolder(P("root/"));
        engine.files.AddFile(P("root/sjis.txt"), kShiftJis);
        engine.files.AddFile(P("root/jis.txt"), kIso2022Jp);
        engine.files.AddFile(P("root/euc.txt"), kEucJp);
        engine.files.AddFile(P("root/utf16.txt"), kUtf16Le);
    }
    FakeEngine engine;
};

TEST_F(KanjiSearch, WithConversionAllFourEncodingsHaveEqualHits) {
    SearchRequest request = engine.Request("root/", kWord);
    request.convertCodes = true;
    ASSERT_TRUE(engine.Run(request));
    EXPECT_EQ(Listed(engine), (Strings{"euc.txt 2", "jis.txt 2", "sjis.txt 2", "utf16.txt 2"}));
}

TEST_F(KanjiSearch, WithoutConversionOnlyShiftJisIsFound) {
    SearchRequest request = engine.Request("root/", kWord);
    request.convertCodes = false;
    ASSERT_TRUE(engine.Run(request));
    EXPECT_EQ(Listed(engine), (Strings{"sjis.txt 2"}));
}

TEST_F(KanjiSearch, WordWithBackslashTrailByteIsFoundInConvertedText) {
    // 表 ends in 0x5C; ソ ends in 0x5C too.
    SearchRequest request = engine.Request("root/", "\x95\x5C\x8E\xA6");
    request.convertCodes = true;
    ASSERT_TRUE(engine.Run(request));
    EXPECT_EQ(Listed(engine), (Strings{"euc.txt 1", "jis.txt 1", "sjis.txt 1", "utf16.txt 1"}));
}

// UTF-8 files are converted only when the request asks for it; then they count as the
// Shift_JIS file does, with a byte-order mark or without.
class Utf8Search : public ::testing::Test {
protected:
    void SetUp() override {
        engine.files.AddFolder(P("root/"));
        engine.files.AddFile(P("root/sjis.txt"), kShiftJis);
        engine.files.AddFile(P("root/utf8.txt"), kUtf8);
        engine.files.AddFile(P("root/utf8bom.txt"), kUtf8Bom);
    }
    Strings Found(const char* word, bool convertUtf8) {
        SearchRequest request = engine.Request("root/", word);
        request.convertCodes = true;
        request.convertUtf8 = convertUtf8;
        EXPECT_TRUE(engine.Run(request));
        return Listed(engine);
    }
    FakeEngine engine;
};

TEST_F(Utf8Search, AskedForUtf8EveryFileCountsAsTheShiftJisOne) {
    EXPECT_EQ(Found(kWord, true), (Strings{"sjis.txt 2", "utf8.txt 2", "utf8bom.txt 2"}));
    // 表示: the converted 表 ends in 0x5C, which must not be taken apart.
    EXPECT_EQ(Found("\x95\x5C\x8E\xA6", true),
              (Strings{"sjis.txt 1", "utf8.txt 1", "utf8bom.txt 1"}));
}

TEST_F(Utf8Search, NotAskedUtf8FilesAreMatchedAsRead) {
    EXPECT_EQ(Found(kWord, false), (Strings{"sjis.txt 2"}));
}

TEST_F(Utf8Search, NoConversionAtAllOutweighsTheUtf8Option) {
    SearchRequest request = engine.Request("root/", kWord);
    request.convertCodes = false;
    request.convertUtf8 = true;
    ASSERT_TRUE(engine.Run(request));
    EXPECT_EQ(Listed(engine), (Strings{"sjis.txt 2"}));
}


// "!" (whose high byte is 0) and the sentence without its line break: the detector calls it
// binary, as it does every big-endian form.
const std::string kUtf16LeOneLine =
    "\xFF\xFE" + std::string("!\0", 2) + kUtf16Le.substr(2, kUtf16Le.size() - 6);
const std::string kShiftJisOneLine = "!" + kShiftJis.substr(0, kShiftJis.size() - 2);

// "begin NAME READ-AS converted|as-read" and "N:text" for each file, in walk order.
struct LineSink : HitLineSink {
    Strings events;
    void BeginFile(const char* path, const FileEncoding& encoding) override {
        const std::string name(path);
        events.push_back("begin " + name.substr(name.find_last_of("/\\") + 1) + " " +
                         KanjiCodeName(encoding.readAs) +
                         (encoding.converted ? " converted" : " as-read"));
    }
    bool Line(const HitLine& line) override {
        events.push_back(std::to_string(line.number) + ":" + std::string(line.text, line.length));
        return true;
    }
};

// UTF-16 with a byte-order mark is searched in either byte order, with line breaks or without;
// before, only the little-endian form with line breaks gave hits.
class MarkedUtf16Search : public ::testing::Test {
protected:
    void SetUp() override {
        engine.files.AddFolder(P("root/"));
        engine.files.AddFile(P("root/a_le.txt"), kUtf16Le);
        engine.files.AddFile(P("root/b_le_one_line.txt"), kUtf16LeOneLine);
        engine.files.AddFile(P("root/c_be.txt"), Swapped(kUtf16Le));
        engine.files.AddFile(P("root/d_be_one_line.txt"), Swapped(kUtf16LeOneLine));
        engine.files.AddFile(P("root/e_unmarked.txt"), kUtf16LeOneLine.substr(2));
        engine.files.AddFile(P("root/f_be_unmarked.txt"), Swapped(kUtf16Le).substr(2));
    }
    FakeEngine engine;
};

TEST_F(MarkedUtf16Search, EveryMarkedFileCountsAsTheShiftJisOne) {
    SearchRequest request = engine.Request("root/", kWord);
    request.convertCodes = true;
    ASSERT_TRUE(engine.Run(request));
    EXPECT_EQ(Listed(engine), (Strings{"a_le.txt 2", "b_le_one_line.txt 2", "c_be.txt 2",
                                       "d_be_one_line.txt 2"}));
}

TEST_F(MarkedUtf16Search, WithoutConversionNoneIsFound) {
    SearchRequest request = engine.Request("root/", kWord);
    request.convertCodes = false;
    ASSERT_TRUE(engine.Run(request));
    EXPECT_EQ(Listed(engine), Strings{});
}

// The lines are the Shift_JIS sentence after the mark's '?', and each file says how it was read.
TEST_F(MarkedUtf16Search, HitLinesHoldTheConvertedTextAndTheFormItWasReadIn) {
    SearchRequest request = engine.Request("root/", kWord);
    request.convertCodes = true;
    LineSink sink;
    request.hitLines = &sink;
    ASSERT_TRUE(engine.Run(request));
    const std::string line = "1:?" + kShiftJis.substr(0, kShiftJis.size() - 2);
    const std::string oneLine = "1:?" + kShiftJisOneLine;
    Strings events = sink.events;
    EXPECT_EQ(events, (Strings{"begin a_le.txt UNICODE converted", line,
                               "begin b_le_one_line.txt UNICODE converted", oneLine,
                               "begin c_be.txt UNICODE_BE converted", line,
                               "begin d_be_one_line.txt UNICODE_BE converted", oneLine,
                               "begin e_unmarked.txt BINARY as-read",
                               "begin f_be_unmarked.txt BINARY as-read"}));
}

#ifndef _WIN32
TEST(KanjiSearchOnDisk, FolderOfFourEncodings) {
    char pattern[] = "/tmp/quelbrix-kanji-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = std::string(pattern) + "/";
    for (const auto& [name, bytes] :
         {std::pair{"sjis.txt", &kShiftJis}, std::pair{"jis.txt", &kIso2022Jp},
          std::pair{"euc.txt", &kEucJp}, std::pair{"utf16.txt", &kUtf16Le}}) {
        std::ofstream(root + name, std::ios::binary) << *bytes;
    }

    FakeEngine engine;
    PosixFileSystem disk;
    Platform platform{disk, engine.ui, engine.progress, engine.rows};
    SearchRequest request;
    request.folder = root.c_str();
    request.word = kWord;
    request.convertCodes = true;
    const bool completed = FindFolder(engine.state, platform, request);
    std::filesystem::remove_all(root);

    ASSERT_TRUE(completed);
    EXPECT_EQ(Listed(engine), (Strings{"euc.txt 2", "jis.txt 2", "sjis.txt 2", "utf16.txt 2"}));
}
#endif

}  // namespace
}  // namespace quelbrix
