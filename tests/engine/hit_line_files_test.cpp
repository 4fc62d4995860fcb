// Hit lines of whole files: through a search's sink, and one file by itself (ReadHitLines).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/hit_lines.h"
#include "fake_platform.h"

namespace quelbrix {
namespace {

using testing::FakeEngine;
using testing::P;
using Strings = std::vector<std::string>;

// "begin PATH VERDICT converted|as-read", "N:text" or "N-text", "end BYTES HITS".
struct EventSink : HitLineSink {
    Strings events;
    bool stopAtFirstLine = false;
    void BeginFile(const char* path, const FileEncoding& encoding) override {
        events.push_back(std::string("begin ") + path + " " + KanjiCodeName(encoding.verdict) +
                         (encoding.converted ? " converted" : " as-read"));
    }
    bool Line(const HitLine& line) override {
        events.push_back(std::to_string(line.number) + (line.context ? "-" : ":") +
                         std::string(line.text, line.length));
        return !stopAtFirstLine;
    }
    void EndFile(std::size_t searchedBytes, int hits) override {
        events.push_back("end " + std::to_string(searchedBytes) + " " + std::to_string(hits));
    }
};

const std::string kEucWord = "\xB8\xA1\xBA\xF7";   // 検索 in EUC-JP
const std::string kSjisWord = "\x8C\x9F\x8D\xF5";  // 検索 in Shift_JIS

TEST(SearchHitLines, EveryFileReadIsGivenInWalkOrderWithItsLines) {
    FakeEngine engine;
    engine.files.AddFile(P("r/a.txt"), "x\r\n" + kSjisWord + " " + kSjisWord + "\r\ny\r\n");
    engine.files.AddFile(P("r/b.txt"), "plain text\n");
    engine.files.AddFile(P("r/c.txt"), "\x1B$B8!:w\x1B(B\n");  // 検索 in ISO-2022-JP
    SearchRequest request = engine.Request("r/", kSjisWord.c_str());
    request.convertCodes = true;
    EventSink sink;
    request.hitLines = &sink;
    request.contextLines = 1;
    ASSERT_TRUE(engine.Run(request));
    EXPECT_EQ(sink.events,
              (Strings{"begin " + P("r/a.txt") + " SJIS as-read", "1-x",
                       "2:" + kSjisWord + " " + kSjisWord, "3-y", "end 17 2",
                       "begin " + P("r/b.txt") + " UTF7 as-read", "end 11 0",
                       "begin " + P("r/c.txt") + " JIS converted", "1:" + kSjisWord, "end 5 1"}));
    EXPECT_EQ(engine.Column(0), (Strings{P("r/a.txt"), P("r/c.txt")}));
    EXPECT_EQ(engine.Column(3), (Strings{"2", "1"}));
}

TEST(SearchHitLines, VerdictIsGivenAlsoWhenNothingIsConverted) {
    FakeEngine engine;
    engine.files.AddFile(P("r/e.txt"), kEucWord + "\n");
    SearchRequest request = engine.Request("r/", kEucWord.c_str());
    request.convertCodes = false;
    EventSink sink;
    request.hitLines = &sink;
    ASSERT_TRUE(engine.Run(request));
    EXPECT_EQ(sink.events, (Strings{"begin " + P("r/e.txt") + " EUC as-read", "1:" + kEucWord,
                                    "end 5 1"}));
}

TEST(SearchHitLines, WithoutCountingTheRowSaysOneAndEveryLineIsStillGiven) {
    FakeEngine engine;
    engine.files.AddFile(P("r/a.txt"), "ab\nab\n");
    SearchRequest request = engine.Request("r/", "ab");
    request.countHits = false;
    EventSink sink;
    request.hitLines = &sink;
    ASSERT_TRUE(engine.Run(request));
    EXPECT_EQ(sink.events.size(), 4u);
    EXPECT_EQ(engine.state.hitFileCount, 1);
}

TEST(SearchHitLines, AFileThatCannotBeReadIsResolvedAsBeforeAndNeverBegun) {
    FakeEngine engine;
    engine.files.AddFile(P("r/a.txt"), "ab").readFails = true;
    engine.files.AddFile(P("r/b.txt"), "ab");
    SearchRequest request = engine.Request("r/", "ab");
    request.errorPolicy = ErrorPolicy::kSkip;
    EventSink sink;
    request.hitLines = &sink;
    ASSERT_TRUE(engine.Run(request));
    EXPECT_EQ(sink.events, (Strings{"begin " + P("r/b.txt") + " UTF7 as-read", "1:ab", "end 2 1"}));
}

class ReadHitLinesTest : public ::testing::Test {
protected:
    HitLinesStatus Read(const std::string& path, HitLineRequest request) {
        return ReadHitLines(engine.files, path.c_str(), request, sink, &count);
    }
    FakeEngine engine;
    EventSink sink;
    HitLineCount count;
};

TEST_F(ReadHitLinesTest, ConvertsAsTheSearchDoesAndGivesTheLines) {
    engine.files.AddFile(P("f/e.txt"), "a\n" + kEucWord + "\n");
    HitLineRequest request;
    request.word = kSjisWord.c_str();
    EXPECT_EQ(Read(P("f/e.txt"), request), HitLinesStatus::kListed);
    EXPECT_EQ(sink.events, (Strings{"begin " + P("f/e.txt") + " EUC converted",
                                    "2:" + kSjisWord, "end 7 1"}));
    EXPECT_EQ(count.hits, 1);
}

TEST_F(ReadHitLinesTest, UnconvertedTextKeepsItsOwnBytes) {
    engine.files.AddFile(P("f/e.txt"), kEucWord + "\n");
    HitLineRequest request;
    request.word = kSjisWord.c_str();
    request.convertCodes = false;
    EXPECT_EQ(Read(P("f/e.txt"), request), HitLinesStatus::kListed);
    EXPECT_EQ(count.hits, 0);
}

TEST_F(ReadHitLinesTest, SinkCanStopTheListing) {
    engine.files.AddFile(P("f/a.txt"), "ab\nab\nab\n");
    HitLineRequest request;
    request.word = "ab";
    sink.stopAtFirstLine = true;
    EXPECT_EQ(Read(P("f/a.txt"), request), HitLinesStatus::kListed);
    EXPECT_TRUE(count.stopped);
    EXPECT_EQ(count.hits, 1);
}

TEST_F(ReadHitLinesTest, FailuresAreCodesNeverBoxes) {
    engine.files.AddFile(P("f/locked.txt"), "ab").openFails = true;
    engine.files.AddFile(P("f/bad.txt"), "ab").readFails = true;
    engine.files.AddFile(P("f/huge.txt"), "ab").reportedSize = 1ull << 32;
    HitLineRequest request;
    request.word = "ab";
    EXPECT_EQ(Read(P("f/locked.txt"), request), HitLinesStatus::kNotOpened);
    EXPECT_EQ(Read(P("f/missing.txt"), request), HitLinesStatus::kNotOpened);
    EXPECT_EQ(Read(P("f/bad.txt"), request), HitLinesStatus::kNotRead);
    EXPECT_EQ(Read(P("f/huge.txt"), request), HitLinesStatus::kNotRead);
    request.word = "(ab";
    request.useRegex = true;
    EXPECT_EQ(Read(P("f/bad.txt"), request), HitLinesStatus::kInvalidPattern);
    EXPECT_TRUE(sink.events.empty());
    EXPECT_TRUE(engine.ui.boxes.empty());
    EXPECT_EQ(engine.files.liveFiles, 0);
}

}  // namespace
}  // namespace quelbrix
