#include "engine/search_driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/shift_jis.h"
#include "fake_platform.h"
#include "messages.h"

namespace quelbrix {
namespace {

using testing::FakeEngine;
using testing::P;

using Strings = std::vector<std::string>;

const std::string kCaption = kEngineCaption;

std::string Summary(const std::string& word, const std::string& folder, int examined, int hits) {
    return "「" + word + "」を検索した結果、\n" + folder +
           "に含まれる\n指定されたタイプのファイル" + std::to_string(examined) +
           "個中のファイルのうち" + std::to_string(hits) +
           "個の中に\n含まれていることが判明しました。";
}

// root/ a.txt sub/(b.txt .hidden.txt) c.html Makefile .htaccess .svn/(d.txt), in that order.
void MakeTree(FakeEngine& engine) {
    engine.files.AddFile(P("root/a.txt"), "ab");
    engine.files.AddFile(P("root/sub/b.txt"), "ab ab");
    engine.files.AddFile(P("root/sub/.hidden.txt"), "ab");
    engine.files.AddFile(P("root/c.html"), "ab");
    engine.files.AddFile(P("root/Makefile"), "xx");
    engine.files.AddFile(P("root/.htaccess"), "ab");
    engine.files.AddFile(P("root/.svn/d.txt"), "ab");
}

class SearchDriverTest : public ::testing::Test {
protected:
    void SetUp() override { MakeTree(engine); }
    FakeEngine engine;
};

TEST_F(SearchDriverTest, EmptyListAcceptsEveryFileInWalkOrder) {
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    EXPECT_TRUE(engine.Run(request));
    EXPECT_EQ(engine.Column(0), (Strings{P("root/a.txt"), P("root/sub/b.txt"), P("root/c.html")}));
    EXPECT_EQ(engine.Column(3), (Strings{"1", "2", "1"}));
    EXPECT_EQ(engine.state.examinedFileCount, 4);  // Makefile too, without a row
    EXPECT_EQ(engine.state.hitFileCount, 3);
    ASSERT_EQ(engine.ui.boxes.size(), 1u);
    EXPECT_EQ(engine.ui.boxes[0].text, Summary("ab", P("root/"), 4, 3));
    EXPECT_EQ(engine.ui.boxes[0].caption, kCaption);
    EXPECT_EQ(engine.ui.boxes[0].kind, BoxKind::kInformation);
    EXPECT_EQ(engine.ui.boxes[0].owner, &FakeEngine::ownerWindow);
}

TEST_F(SearchDriverTest, DotNamesAreNeverCountedExaminedOrEntered) {
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    request.progress = &FakeEngine::progressBar;
    engine.Run(request);
    for (const std::string& path : engine.files.opened)
        EXPECT_EQ(path.find("/."), std::string::npos) << path;
    for (const std::string& path : engine.files.opened)
        EXPECT_EQ(path.find("\\."), std::string::npos) << path;
    for (const std::string& folder : engine.files.listed)
        EXPECT_EQ(folder.find(".svn"), std::string::npos);
    EXPECT_EQ(engine.progress.calls.front().what, "range");
    EXPECT_EQ(engine.progress.calls.front().value, 4);
}

TEST_F(SearchDriverTest, OneWalkPerItemAndRowsGroupedByItem) {
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    request.extensions = "html,txt,";
    EXPECT_TRUE(engine.Run(request));
    EXPECT_EQ(engine.files.listed,
              (Strings{P("root/"), P("root/sub/"), P("root/"), P("root/sub/")}));
    EXPECT_EQ(engine.Column(0), (Strings{P("root/c.html"), P("root/a.txt"), P("root/sub/b.txt")}));
    EXPECT_EQ(engine.ui.boxes.back().text, Summary("ab", P("root/"), 3, 3));
}

TEST_F(SearchDriverTest, SameItemTwiceListsFilesTwice) {
    auto request = engine.Request("root/", "ab");
    request.extensions = "txt,TXT";
    EXPECT_TRUE(engine.Run(request));
    EXPECT_EQ(engine.Column(0), (Strings{P("root/a.txt"), P("root/a.txt")}));
    EXPECT_EQ(engine.ui.boxes.back().text, Summary("ab", P("root/"), 2, 2));
}

TEST_F(SearchDriverTest, CommasOnlyWalkNothingAndReportZero) {
    auto request = engine.Request("root/", "ab");
    request.extensions = ",,";
    request.progress = &FakeEngine::progressBar;
    EXPECT_TRUE(engine.Run(request));
    EXPECT_TRUE(engine.files.listed.empty());
    EXPECT_EQ(engine.ui.boxes.back().text, Summary("ab", P("root/"), 0, 0));
}

TEST_F(SearchDriverTest, MissingFolderEndsWithSummaryOfNothing) {
    auto request = engine.Request("nowhere/", "ab");
    EXPECT_TRUE(engine.Run(request));
    EXPECT_EQ(engine.ui.boxes.back().text, Summary("ab", P("nowhere/"), 0, 0));
}

// A folder met in a search without subfolders is left alone, not opened as a file: no
// question about it, no count, no pump.
TEST_F(SearchDriverTest, WithoutSubfoldersFoldersAreSkippedLikeDotNames) {
    auto request = engine.Request("root/", "ab");
    request.errorPolicy = ErrorPolicy::kStop;
    EXPECT_TRUE(engine.Run(request));
    EXPECT_EQ(engine.files.opened,
              (Strings{P("root/a.txt"), P("root/c.html"), P("root/Makefile")}));
    EXPECT_EQ(engine.state.examinedFileCount, 3);
    EXPECT_EQ(engine.ui.pumps, 3);
    EXPECT_EQ(engine.ui.boxes.size(), 1u);
}

// The counting pass leaves such folders alone too, so the bar is sized for the files only.
TEST_F(SearchDriverTest, WithoutSubfoldersTheCountingPassCountsFilesOnly) {
    auto request = engine.Request("root/", "ab");
    request.progress = &FakeEngine::progressBar;
    EXPECT_TRUE(engine.Run(request));
    ASSERT_FALSE(engine.progress.calls.empty());
    EXPECT_EQ(engine.progress.calls[0].what, "range");
    EXPECT_EQ(engine.progress.calls[0].value, 3);
    EXPECT_EQ(engine.files.listed, (Strings{P("root/"), P("root/")}));
}

TEST_F(SearchDriverTest, PumpAndPauseAfterEveryEntryThatWasNotSkipped) {
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    request.extensions = "txt";
    engine.Run(request);
    // root: a.txt, sub (after its walk), c.html (refused), Makefile (refused); sub: b.txt.
    EXPECT_EQ(engine.ui.pumps, 5);
    EXPECT_EQ(engine.ui.pauses, (std::vector<int>{1, 1, 1, 1, 1}));
}

// Without the pause the walk still dispatches one message per entry, so the window answers
// as before; only the 1 ms after each entry is gone.
TEST_F(SearchDriverTest, PauseAfterEntriesDecidesThePauseButNotThePump) {
    struct Case {
        bool pause;
        std::vector<int> pauses;
    };
    const Case cases[] = {{true, {1, 1, 1, 1, 1}}, {false, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pause ? "with the pause" : "without the pause");
        FakeEngine fresh;
        MakeTree(fresh);
        auto request = fresh.Request("root/", "ab");
        request.searchSubfolders = true;
        request.extensions = "txt";
        request.pauseAfterEntries = c.pause;
        EXPECT_TRUE(fresh.Run(request));
        EXPECT_EQ(fresh.ui.pumps, 5);
        EXPECT_EQ(fresh.ui.pauses, c.pauses);
        EXPECT_EQ(fresh.Column(0), (Strings{P("root/a.txt"), P("root/sub/b.txt")}));
        EXPECT_EQ(fresh.ui.boxes.back().text, Summary("ab", P("root/"), 2, 2));
    }
}

// The stop button reaches the engine through the pump, which runs with or without the pause.
TEST_F(SearchDriverTest, WithoutThePauseAStopStillEndsTheWalk) {
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    request.pauseAfterEntries = false;
    engine.ui.AtPump(2, [&] { RequestStop(engine.state, engine.platform, nullptr, nullptr); });
    EXPECT_FALSE(engine.Run(request));
    EXPECT_EQ(engine.Column(0), (Strings{P("root/a.txt"), P("root/sub/b.txt")}));
    EXPECT_EQ(engine.ui.pumps, 2);
    EXPECT_TRUE(engine.ui.pauses.empty());
    ASSERT_EQ(engine.ui.boxes.size(), 1u);  // the stop's box, no summary
    EXPECT_EQ(engine.ui.boxes[0].text, "ユーザー操作によって検索は中断されました。");
    EXPECT_EQ(engine.files.liveListings, 0);
}

TEST_F(SearchDriverTest, WithoutProgressBarNoCountingPassAndNoProgressCalls) {
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    engine.Run(request);
    EXPECT_TRUE(engine.progress.calls.empty());
    EXPECT_EQ(engine.files.listed, (Strings{P("root/"), P("root/sub/")}));
}

TEST_F(SearchDriverTest, ProgressBarIsSizedSteppedAndResetAfterTheSummary) {
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    request.extensions = "txt,html";
    request.progress = &FakeEngine::progressBar;
    engine.Run(request);
    // The counting pass walks once per item too, before the search pass.
    EXPECT_EQ(engine.files.listed.size(), 8u);
    const auto& calls = engine.progress.calls;
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[0].what, "range");
    EXPECT_EQ(calls[0].value, 3);
    EXPECT_EQ(calls[1].what, "step");
    EXPECT_EQ(calls[1].value, 1);
    EXPECT_EQ(calls[2].what, "stepit");
    EXPECT_EQ(calls[4].what, "stepit");
    EXPECT_EQ(calls[5].what, "pos");
    EXPECT_EQ(calls[5].value, 0);
    for (WindowHandle bar : engine.progress.bars) EXPECT_EQ(bar, &FakeEngine::progressBar);
}

TEST(SearchDriver, RangeCarriesMoreThan65535Candidates) {
    FakeEngine engine;
    for (int i = 0; i < 70000; ++i) engine.files.AddFile(P("big/f" + std::to_string(i)), "");
    auto request = engine.Request("big/", "ab");
    request.progress = &FakeEngine::progressBar;
    EXPECT_TRUE(engine.Run(request));
    ASSERT_FALSE(engine.progress.calls.empty());
    EXPECT_EQ(engine.progress.calls[0].value, 70000);
    EXPECT_EQ(engine.progress.position, 0);
    EXPECT_EQ(engine.ui.boxes.back().text, Summary("ab", P("big/"), 70000, 0));
}

TEST_F(SearchDriverTest, StopDuringTheWalkEndsWithoutSummaryAndKeepsRows) {
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    request.progress = &FakeEngine::progressBar;
    // The second pump is the one after sub/b.txt, deep in the walk.
    engine.ui.AtPump(2, [&] {
        RequestStop(engine.state, engine.platform, &FakeEngine::ownerWindow,
                    &FakeEngine::progressBar);
    });
    EXPECT_FALSE(engine.Run(request));
    EXPECT_EQ(engine.Column(0), (Strings{P("root/a.txt"), P("root/sub/b.txt")}));
    ASSERT_EQ(engine.ui.boxes.size(), 1u);
    EXPECT_EQ(engine.ui.boxes[0].text, "ユーザー操作によって検索は中断されました。");
    EXPECT_EQ(engine.ui.boxes[0].caption, kCaption);
    EXPECT_EQ(engine.ui.pumps, 2);
    EXPECT_EQ(engine.progress.calls.back().what, "pos");
    EXPECT_EQ(engine.files.liveListings, 0);
}

TEST_F(SearchDriverTest, StopWithoutProgressBarStillStops) {
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    engine.ui.AtPump(1, [&] { RequestStop(engine.state, engine.platform, nullptr, nullptr); });
    EXPECT_FALSE(engine.Run(request));
    EXPECT_EQ(engine.Column(0), (Strings{P("root/a.txt")}));
    EXPECT_TRUE(engine.progress.calls.empty());
}

TEST_F(SearchDriverTest, NextSearchClearsAnEarlierStopRequest) {
    RequestStop(engine.state, engine.platform, nullptr, nullptr);
    auto request = engine.Request("root/", "ab");
    EXPECT_TRUE(engine.Run(request));
    EXPECT_EQ(engine.Column(0), (Strings{P("root/a.txt"), P("root/c.html")}));
}

// The buffers are kept from file to file: a short file after a long one is searched only as
// far as its own bytes, read or converted.
TEST(SearchDriver, ShortFileAfterALongOneIsSearchedToItsOwnEnd) {
    FakeEngine engine;
    engine.files.AddFile(P("r/1.txt"), "needle needle");
    engine.files.AddFile(P("r/2.txt"), "nee");
    engine.files.AddFile(P("r/3.txt"), "\xA4\xA2\xA4\xA2\xA4\xA2\xA4\xA2 needle");  // EUC-JP
    engine.files.AddFile(P("r/4.txt"), "\xA4\xA2\xA4\xA2 nee");
    SearchRequest request = engine.Request("r/", "needle");
    request.convertCodes = true;
    EXPECT_TRUE(engine.Run(request));
    EXPECT_EQ(engine.Column(0), (Strings{P("r/1.txt"), P("r/3.txt")}));
    EXPECT_EQ(engine.Column(3), (Strings{"2", "1"}));
}

TEST_F(SearchDriverTest, NewSearchEmptiesTheListAndCounters) {
    auto request = engine.Request("root/", "ab");
    engine.Run(request);
    engine.Run(request);
    EXPECT_EQ(engine.Column(0), (Strings{P("root/a.txt"), P("root/c.html")}));
    EXPECT_EQ(engine.ui.boxes.back().text, Summary("ab", P("root/"), 3, 2));
}

TEST(SearchDriver, LongWordAndFolderAreCutInTheSummary) {
    FakeEngine engine;
    std::string folder(300, 'd');
    folder += testing::kFakeSeparator;
    std::string word;
    for (int i = 0; i < 600; ++i) word += "\x95\x5C";  // 表 x 600: 1,200 bytes
    SearchRequest request = engine.Request(folder, word.c_str());
    EXPECT_TRUE(engine.Run(request));
    const std::string& text = engine.ui.boxes.back().text;
    EXPECT_LT(text.size(), kTextBufferSize);
    EXPECT_EQ(text.compare(0, 2, "「"), 0);
    // Cut between characters: the text ends on a whole 表.
    std::size_t at = 0;
    while (at < text.size()) at += sjis::CharLength(text.c_str() + at);
    EXPECT_EQ(at, text.size());
}

// Paths are built in 260-byte buffers: an entry whose path would not fit is left alone, and
// a loop of folders (a link to an ancestor) ends once its paths grow too long.
TEST(SearchDriver, EntriesWhosePathWouldNotFitAreSkipped) {
    FakeEngine engine;
    std::string folder = P("root/");
    std::string fits(kPathBytes - 1 - folder.size(), 'f');        // 259 bytes in all
    std::string tooLong(kPathBytes - folder.size(), 'g');         // 260 bytes
    std::string dirTooLong(kPathBytes - 1 - folder.size(), 'h');  // 259 + separator
    engine.files.AddFile(folder + fits, "ab");
    engine.files.AddFile(folder + tooLong, "ab");
    engine.files.AddFile(folder + dirTooLong + P("/x"), "ab");
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    EXPECT_TRUE(engine.Run(request));
    EXPECT_EQ(engine.Column(0), (Strings{folder + fits}));
    EXPECT_EQ(engine.files.opened, (Strings{folder + fits}));
    EXPECT_EQ(engine.ui.pumps, 1);
}

// A folder reporting the identity of a folder the walk is inside is not walked again, unless
// that identity tells folders apart no better than "0" or "all ones" does.
TEST(SearchDriver, OnlyADistinctIdentityMarksALoop) {
    const struct {
        std::uint64_t file;
        bool innerWalked;
    } cases[] = {{7, false}, {0, true}, {UINT64_MAX, true}};
    for (const auto& c : cases) {
        FakeEngine engine;
        engine.files.AddFile(P("root/a/b/x.txt"), "ab");
        for (const char* folder : {"root/", "root/a/", "root/a/b/"})
            engine.files.identities[P(folder)] = FolderIdentity{1, c.file};
        engine.files.identities[P("root/")].file = 99;
        auto request = engine.Request("root/", "ab");
        request.searchSubfolders = true;
        EXPECT_TRUE(engine.Run(request));
        EXPECT_EQ(engine.Column(0).size(), c.innerWalked ? 1u : 0u) << c.file;
    }
}

// The counting pass and the search share one walk: on every tree the bar's range is exactly
// the number of files the search examines, and the counting pass adds no dispatch or pause.
TEST(SearchDriver, CountingPassCountsWhatTheSearchExamines) {
    const struct {
        const char* name;
        bool searchSubfolders;
        const char* extensions;
    } cases[] = {
        {"all files, below too", true, ""},
        {"all files, top only", false, ""},
        {"two items, below too", true, "txt,html,"},
        {"one item, top only", false, "txt"},
    };
    for (const auto& c : cases) {
        std::uint32_t examined[2] = {};
        int pumps[2] = {};
        for (bool withBar : {false, true}) {
            FakeEngine engine;
            MakeTree(engine);
            // A path one byte too long, and a folder that is a link back to the top.
            const std::string folder = P("root/");
            engine.files.AddFile(folder + std::string(kPathBytes - folder.size(), 'g') + ".txt");
            engine.files.AddFile(P("root/loop/e.txt"), "ab");
            engine.files.identities[P("root/")] = FolderIdentity{1, 5};
            engine.files.identities[P("root/loop/")] = FolderIdentity{1, 5};
            auto request = engine.Request("root/", "ab");
            request.searchSubfolders = c.searchSubfolders;
            request.extensions = c.extensions;
            if (withBar) request.progress = &FakeEngine::progressBar;
            EXPECT_TRUE(engine.Run(request)) << c.name;
            examined[withBar] = static_cast<std::uint32_t>(engine.state.examinedFileCount);
            pumps[withBar] = engine.ui.pumps;
            if (!withBar) continue;
            ASSERT_FALSE(engine.progress.calls.empty()) << c.name;
            EXPECT_EQ(engine.progress.calls[0].what, "range") << c.name;
            EXPECT_EQ(engine.progress.calls[0].value, static_cast<int>(examined[1])) << c.name;
        }
        EXPECT_EQ(examined[0], examined[1]) << c.name;
        EXPECT_EQ(pumps[0], pumps[1]) << c.name;
    }
}

// root/ a.txt obj/(o.txt) src/(s.txt deep/(obj/(x.txt) keep.txt)) obj.txt Bin/(b.txt), in order:
// folders named obj and bin are left out wherever they stand, a file named like one is not.
void MakeTreeWithBuildFolders(FakeEngine& engine) {
    engine.files.AddFile(P("root/a.txt"), "ab");
    engine.files.AddFile(P("root/obj/o.txt"), "ab");
    engine.files.AddFile(P("root/src/s.txt"), "ab");
    engine.files.AddFile(P("root/src/deep/obj/x.txt"), "ab");
    engine.files.AddFile(P("root/src/deep/keep.txt"), "ab");
    engine.files.AddFile(P("root/obj.txt"), "ab");
    engine.files.AddFile(P("root/Bin/b.txt"), "ab");
    engine.files.AddFile(P("root/bin"), "ab");  // a file named bin
}

TEST(SearchDriver, ExcludedFoldersAreNeverEnteredAtTheTopOrDeepDown) {
    const struct {
        const char* excludeFolders;
        Strings found;
    } cases[] = {
        {"", {P("root/a.txt"), P("root/obj/o.txt"), P("root/src/s.txt"),
              P("root/src/deep/obj/x.txt"), P("root/src/deep/keep.txt"), P("root/obj.txt"),
              P("root/Bin/b.txt"), P("root/bin")}},
        {"obj; bin",
         {P("root/a.txt"), P("root/src/s.txt"), P("root/src/deep/keep.txt"), P("root/obj.txt"),
          P("root/bin")}},
        {"de?p", {P("root/a.txt"), P("root/obj/o.txt"), P("root/src/s.txt"), P("root/obj.txt"),
                  P("root/Bin/b.txt"), P("root/bin")}},
        {"*", {P("root/a.txt"), P("root/obj.txt"), P("root/bin")}},
        {";;", {P("root/a.txt"), P("root/obj/o.txt"), P("root/src/s.txt"),
                P("root/src/deep/obj/x.txt"), P("root/src/deep/keep.txt"), P("root/obj.txt"),
                P("root/Bin/b.txt"), P("root/bin")}},
    };
    for (const auto& c : cases) {
        FakeEngine engine;
        MakeTreeWithBuildFolders(engine);
        auto request = engine.Request("root/", "ab");
        request.searchSubfolders = true;
        request.excludeFolders = c.excludeFolders;
        EXPECT_TRUE(engine.Run(request)) << c.excludeFolders;
        EXPECT_EQ(engine.Column(0), c.found) << c.excludeFolders;
        EXPECT_EQ(engine.files.opened, c.found) << c.excludeFolders;
        EXPECT_EQ(engine.ui.boxes.back().text,
                  Summary("ab", P("root/"), static_cast<int>(c.found.size()),
                          static_cast<int>(c.found.size())))
            << c.excludeFolders;
    }
}

// A folder left out is never listed, and it adds no entry to pump after: it is skipped as a
// dot-name is.
TEST(SearchDriver, ExcludedFolderIsNotListedAndCostsNoPump) {
    FakeEngine engine;
    MakeTreeWithBuildFolders(engine);
    auto request = engine.Request("root/", "ab");
    request.searchSubfolders = true;
    request.excludeFolders = "OBJ;bin";
    engine.Run(request);
    EXPECT_EQ(engine.files.listed,
              (Strings{P("root/"), P("root/src/"), P("root/src/deep/")}));
    // root: a.txt, src, obj.txt, bin; src: s.txt, deep; deep: keep.txt.
    EXPECT_EQ(engine.ui.pumps, 7);
}

// The progress bar's range leaves the folders out too, for every extension item.
TEST(SearchDriver, CountingPassLeavesExcludedFoldersOut) {
    const struct {
        const char* extensions;
        int range;
    } cases[] = {{"", 5}, {"txt,", 4}, {"txt,txt,", 8}};
    for (const auto& c : cases) {
        FakeEngine engine;
        MakeTreeWithBuildFolders(engine);
        auto request = engine.Request("root/", "ab");
        request.searchSubfolders = true;
        request.extensions = c.extensions;
        request.excludeFolders = "obj;bin";
        request.progress = &FakeEngine::progressBar;
        EXPECT_TRUE(engine.Run(request));
        ASSERT_FALSE(engine.progress.calls.empty());
        EXPECT_EQ(engine.progress.calls[0].what, "range");
        EXPECT_EQ(engine.progress.calls[0].value, c.range) << c.extensions;
        EXPECT_EQ(engine.progress.calls[0].value, engine.state.examinedFileCount);
    }
    std::uint32_t total = 0;
    FakeEngine engine;
    MakeTreeWithBuildFolders(engine);
    CountCandidates(engine.files, P("root/").c_str(), "txt", true, "deep", total);
    EXPECT_EQ(total, 5u);  // a.txt, obj/o.txt, src/s.txt, obj.txt, Bin/b.txt: not deep's two
}

}  // namespace
}  // namespace quelbrix
