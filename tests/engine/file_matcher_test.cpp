#include "file_matcher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/search_driver.h"
#include "fake_platform.h"
#include "messages.h"

namespace quelbrix {
namespace {

using testing::FakeEngine;
using testing::FakeFile;
using testing::P;

struct MatchResult {
    int hits;
    std::uint32_t size;
    std::string time;
};

class FileMatcherTest : public ::testing::Test {
protected:
    MatchResult Match(const std::string& content, const char* word, bool countHits = true) {
        engine.files.AddFile(P("f/x.txt"), content);
        return MatchFile(P("f/x.txt"), word, countHits);
    }
    MatchResult MatchFile(const std::string& path, const char* word, bool countHits = true) {
        SearchRequest request = engine.Request("f/", word);
        request.countHits = countHits;
        request.errorPolicy = policy;
        request.progress = progress;
        MatchResult result{0, 0xDEADBEEF, ""};
        char time[kTimeTextSize] = "unset";
        result.hits = SearchFile(engine.platform, request, path.c_str(), result.size, time);
        result.time = time;
        return result;
    }

    FakeEngine engine;
    ErrorPolicy policy = ErrorPolicy::kAsk;
    WindowHandle progress = nullptr;
};

TEST_F(FileMatcherTest, EmptyFileHasNoHit) {
    MatchResult result = Match("", "ab");
    EXPECT_EQ(result.hits, 0);
    EXPECT_EQ(result.size, 0u);
    EXPECT_EQ(result.time, "2003/07/14 09:05:00");
}

TEST_F(FileMatcherTest, CountsEveryHitOrStopsAtTheFirst) {
    EXPECT_EQ(Match("abxabyab", "ab").hits, 3);
    EXPECT_EQ(Match("abxabyab", "ab", false).hits, 1);
    EXPECT_EQ(Match("aaaa", "aa").hits, 2);
}

TEST_F(FileMatcherTest, ZeroByteEndsTheSearchedText) {
    EXPECT_EQ(Match(std::string("xx\0ab", 5), "ab").hits, 0);
    EXPECT_EQ(Match(std::string("ab\0ab", 5), "ab").hits, 1);
}

TEST_F(FileMatcherTest, ReportsSizeAndUtcTime) {
    FakeFile& file = engine.files.AddFile(P("f/t.txt"), "hello ab");
    file.time = CalendarTime{2026, 12, 8, 23, 59, 7};
    MatchResult result = MatchFile(P("f/t.txt"), "ab");
    EXPECT_EQ(result.size, 8u);
    EXPECT_EQ(result.time, "2026/12/08 23:59:07");
}

TEST_F(FileMatcherTest, NullTimeTextReadsNoTime) {
    engine.files.AddFile(P("f/t.txt"), "ab");
    SearchRequest request = engine.Request("f/", "ab");
    std::uint32_t size = 0;
    EXPECT_EQ(SearchFile(engine.platform, request, P("f/t.txt").c_str(), size, nullptr), 1);
    EXPECT_EQ(engine.files.timeQueries, 0);
}

TEST_F(FileMatcherTest, ShortReadIsAcceptedAndMatchedAsFarAsDelivered) {
    FakeFile& file = engine.files.AddFile(P("f/s.txt"), "ab ab ab");
    file.shortRead = 4;
    EXPECT_EQ(MatchFile(P("f/s.txt"), "ab").hits, 1);
}

TEST_F(FileMatcherTest, FileAndBuffersAreReleasedOnEveryWayOut) {
    engine.files.AddFile(P("f/ok.txt"), "ab");
    engine.files.AddFile(P("f/bad.txt"), "ab").readFails = true;
    policy = ErrorPolicy::kSkip;
    MatchFile(P("f/ok.txt"), "ab");
    MatchFile(P("f/bad.txt"), "ab");
    MatchFile(P("f/missing.txt"), "ab");
    EXPECT_EQ(engine.files.liveFiles, 0);
}

const char kQuestion[] =
    "検索中にエラーが発生しました。\nファイル名：%s\nエラー内容：%s\n\n検索をこのまま続行しますか？";

std::string Question(const std::string& path, const char* reason) {
    char text[2048];
    std::snprintf(text, sizeof text, kQuestion, path.c_str(), reason);
    return text;
}

struct PolicyCase {
    const char* name;
    ErrorPolicy policy;
    std::vector<BoxAnswer> answers;
    int expectedResult;
    std::size_t expectedBoxes;
    bool progressReset;
};

class ErrorPolicyTest : public FileMatcherTest, public ::testing::WithParamInterface<PolicyCase> {};

TEST_P(ErrorPolicyTest, OpenFailureIsResolvedByThePolicy) {
    const PolicyCase& c = GetParam();
    policy = c.policy;
    progress = &FakeEngine::progressBar;
    engine.ui.answers.assign(c.answers.begin(), c.answers.end());
    MatchResult result = MatchFile(P("f/locked.txt"), "ab");
    EXPECT_EQ(result.hits, c.expectedResult);
    EXPECT_EQ(engine.ui.boxes.size(), c.expectedBoxes);
    EXPECT_EQ(!engine.progress.calls.empty(), c.progressReset);
    // The system's reason goes to the debugger output whatever the policy.
    ASSERT_EQ(engine.ui.debugLines.size(), 1u);
    EXPECT_EQ(engine.ui.debugLines[0], "The system cannot find the file specified.");
}

INSTANTIATE_TEST_SUITE_P(
    Policies, ErrorPolicyTest,
    ::testing::Values(
        PolicyCase{"AskYesSkips", ErrorPolicy::kAsk, {BoxAnswer::kYes}, 0, 1, false},
        PolicyCase{"AskNoStops", ErrorPolicy::kAsk, {BoxAnswer::kNo}, kStopSearch, 1, true},
        PolicyCase{"SkipIsSilent", ErrorPolicy::kSkip, {}, 0, 0, false},
        PolicyCase{"StopIsSilent", ErrorPolicy::kStop, {}, kStopSearch, 0, false},
        PolicyCase{"StrayValueStops", static_cast<ErrorPolicy>(5), {}, kStopSearch, 1, false},
        PolicyCase{"NegativeValueStops", static_cast<ErrorPolicy>(-1), {}, kStopSearch, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileMatcherTest, OpenFailureQuestionNamesThePathAndMessage123) {
    MatchFile(P("f/locked.txt"), "ab");
    ASSERT_EQ(engine.ui.boxes.size(), 1u);
    EXPECT_EQ(engine.ui.boxes[0].text,
              Question(P("f/locked.txt"), "ファイルが見つかりませんでした。"));
    EXPECT_EQ(engine.ui.boxes[0].caption, kEngineCaption);
    EXPECT_EQ(engine.ui.boxes[0].kind, BoxKind::kErrorQuestion);
    EXPECT_EQ(engine.ui.boxes[0].owner, &FakeEngine::ownerWindow);
}

TEST_F(FileMatcherTest, StrayPolicyShowsTheStrayBox) {
    policy = static_cast<ErrorPolicy>(5);  // no page writes it
    MatchFile(P("f/locked.txt"), "ab");
    ASSERT_EQ(engine.ui.boxes.size(), 1u);
    EXPECT_EQ(engine.ui.boxes[0].text, "迷子");
    EXPECT_EQ(engine.ui.boxes[0].caption, "エラー");
    EXPECT_EQ(engine.ui.boxes[0].kind, BoxKind::kErrorNotice);
}

TEST_F(FileMatcherTest, ReadFailureAsksWithMessage125) {
    engine.files.AddFile(P("f/r.txt"), "ab").readFails = true;
    EXPECT_EQ(MatchFile(P("f/r.txt"), "ab").hits, 0);
    ASSERT_EQ(engine.ui.boxes.size(), 1u);
    EXPECT_EQ(engine.ui.boxes[0].text, Question(P("f/r.txt"), "ファイルを読み込めませんでした。"));
}

// The size is carried in 32 bits: a file of 4 GiB or more is refused, never read short.
TEST_F(FileMatcherTest, FileOf4GiBOrMoreIsRefusedWithMessage125) {
    FakeFile& file = engine.files.AddFile(P("f/huge.bin"), "ab");
    file.reportedSize = 0x100000002ULL;
    engine.ui.answers = {BoxAnswer::kNo};
    MatchResult result = MatchFile(P("f/huge.bin"), "ab");
    EXPECT_EQ(result.hits, kStopSearch);
    EXPECT_EQ(result.size, 2u);
    ASSERT_EQ(engine.ui.boxes.size(), 1u);
    EXPECT_EQ(engine.ui.boxes[0].text,
              Question(P("f/huge.bin"), "ファイルを読み込めませんでした。"));
    EXPECT_EQ(engine.files.liveFiles, 0);
}

TEST_F(FileMatcherTest, LongPathInTheQuestionIsCutSafely) {
    std::string path = P("f/");
    while (path.size() < 1500) path += "\x95\x5C";
    BoxAnswer answer = ShowFileError(engine.platform, nullptr, nullptr, path.c_str(), 123);
    EXPECT_EQ(answer, BoxAnswer::kYes);
    ASSERT_EQ(engine.ui.boxes.size(), 1u);
    EXPECT_LT(engine.ui.boxes[0].text.size(), kTextBufferSize);
    EXPECT_EQ(engine.ui.boxes[0].text.back(), '\x5C');
}

// Under a stopping policy the walk ends at the failing file without a summary.
TEST(FileMatcherInSearch, PolicyStopEndsTheWalkAndKeepsTheProgressPosition) {
    FakeEngine engine;
    engine.files.AddFile(P("w/a.txt"), "ab");
    engine.files.AddFile(P("w/b.txt"), "ab").openFails = true;
    engine.files.AddFile(P("w/c.txt"), "ab");
    SearchRequest request = engine.Request("w/", "ab");
    request.errorPolicy = ErrorPolicy::kStop;
    request.progress = &FakeEngine::progressBar;
    EXPECT_FALSE(FindFolder(engine.state, engine.platform, request));
    EXPECT_EQ(engine.Column(0), (std::vector<std::string>{P("w/a.txt")}));
    EXPECT_TRUE(engine.ui.boxes.empty());
    EXPECT_EQ(engine.progress.position, 2);
    EXPECT_EQ(engine.files.liveListings, 0);
}

TEST(FileMatcherInSearch, AnsweringYesSkipsTheFileAndTheWalkGoesOn) {
    FakeEngine engine;
    engine.files.AddFile(P("w/a.txt"), "ab");
    engine.files.AddFile(P("w/b.txt"), "ab").openFails = true;
    engine.files.AddFile(P("w/c.txt"), "ab");
    SearchRequest request = engine.Request("w/", "ab");
    EXPECT_TRUE(FindFolder(engine.state, engine.platform, request));
    EXPECT_EQ(engine.Column(0), (std::vector<std::string>{P("w/a.txt"), P("w/c.txt")}));
    EXPECT_EQ(engine.state.examinedFileCount, 3);
    EXPECT_EQ(engine.ui.boxes.size(), 2u);  // the question, then the summary
}

}  // namespace
}  // namespace quelbrix
