// End-to-end tests of the main window's three fold boxes: what a search with them finds, what
// the preview then shows, how they are kept in [main] from run to run, and how the row of
// boxes sits in the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_session.h"
#include "layout_checks.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "settings_text.h"

using e2e::AppSession;
using e2e::FoldKeys;
using e2e::IniValue;
using e2e::TempFolder;

namespace {

constexpr int kIgnoreCase = IDC_IGNORE_CASE;
constexpr int kIgnoreWidth = IDC_IGNORE_WIDTH;
constexpr int kIgnoreKana = IDC_IGNORE_KANA;

std::string ArtifactFolder() { return E2E_ARTIFACT_DIR; }

// Which boxes are ticked.
struct Boxes {
    bool ignoreCase = false;
    bool ignoreWidth = false;
    bool ignoreKana = false;
};

class FoldOptionsTest : public ::testing::Test {
protected:
    FoldOptionsTest() : root("fold"), program(root.Path() + "prog\\"), data(root.Path() + "data\\") {
        e2e::MakeFolder(program);
        e2e::MakeFolder(data);
        AppSession::InstallProgram(program);
    }

    std::string Settings() { return e2e::ReadFileBytes(program + "QuelbrixU.ini"); }
    void WriteSettings(const std::string& text) {
        e2e::WriteFileBytes(program + "QuelbrixU.ini", text);
    }

    // Ticks or clears box `id` as a click would, and waits until the program shows it so.
    static void SetBox(AppSession& app, int id, bool ticked) {
        if (app.Checked(id) != ticked) app.Click(id);
        EXPECT_TRUE(e2e::WaitUntil([&] { return app.Checked(id) == ticked; })) << id;
    }
    static void SetBoxes(AppSession& app, const Boxes& boxes) {
        SetBox(app, kIgnoreCase, boxes.ignoreCase);
        SetBox(app, kIgnoreWidth, boxes.ignoreWidth);
        SetBox(app, kIgnoreKana, boxes.ignoreKana);
    }
    static Boxes Shown(const AppSession& app) {
        return Boxes{app.Checked(kIgnoreCase), app.Checked(kIgnoreWidth), app.Checked(kIgnoreKana)};
    }
    // The names of the files listed, below `data`, sorted.
    std::vector<std::string> Listed(const AppSession& app) const {
        std::vector<std::string> names;
        for (int row = 0; row < app.RowCount(); ++row) {
            std::string path = app.Cell(row, QUELBRIX_COLUMN_FILE);
            if (path.compare(0, data.size(), data) == 0) path.erase(0, data.size());
            names.push_back(path);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder root;
    std::string program;
    std::string data;
};

void ExpectBoxes(const Boxes& shown, const Boxes& expected) {
    EXPECT_EQ(shown.ignoreCase, expected.ignoreCase);
    EXPECT_EQ(shown.ignoreWidth, expected.ignoreWidth);
    EXPECT_EQ(shown.ignoreKana, expected.ignoreKana);
}

// The word データ in its three forms, each file Shift_JIS with a line of kanji before it (so
// that the short half-width line is not taken for EUC-JP), and an ASCII file for case.
TEST_F(FoldOptionsTest, TheBoxesWidenAPlainWordToTheFormsTheyIgnore) {
    e2e::WriteFileBytes(data + "half.txt", "品名\r\nﾃﾞｰﾀ\r\n");
    e2e::WriteFileBytes(data + "full.txt", "品名\r\nデータ\r\n");
    e2e::WriteFileBytes(data + "hira.txt", "品名\r\nでーた\r\n");
    e2e::WriteFileBytes(data + "lower.txt", "the abc file\r\n");
    struct Case {
        const char* word;
        Boxes boxes;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {"データ", {}, {"full.txt"}},
        {"データ", {true, true, true}, {"full.txt", "half.txt", "hira.txt"}},
        {"データ", {false, true, false}, {"full.txt", "half.txt"}},
        {"データ", {false, false, true}, {"full.txt", "hira.txt"}},
        {"データ", {true, false, false}, {"full.txt"}},
        {"ABC", {}, {}},
        {"ABC", {true, false, false}, {"lower.txt"}},
        {"ABC", {false, true, true}, {}},
    };
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_FALSE(app.Checked(IDC_REGEX));  // the template's: the word is plain text
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.word) + " " + std::to_string(c.boxes.ignoreCase) +
                     std::to_string(c.boxes.ignoreWidth) + std::to_string(c.boxes.ignoreKana));
        SetBoxes(app, c.boxes);
        ASSERT_TRUE(app.SearchAndCloseSummary(data, c.word));
        EXPECT_EQ(Listed(app), c.listed);
    }
    ASSERT_TRUE(app.Exit());
}

// With an expression, as the window checks and searches it; the preview reads the file with
// the folds of the search that made the list, not the boxes as they are afterwards.
TEST_F(FoldOptionsTest, TheCaseBoxFoldsAnExpressionAndThePreviewFollowsTheSearch) {
    e2e::WriteFileBytes(data + "lower.txt", "first line\r\nthe abc file\r\n");
    e2e::WriteFileBytes(data + "other.txt", "xyz\r\n");
    WriteSettings(e2e::Golden() + "[preview]\r\ncontext=0\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    SetBox(app, IDC_REGEX, true);

    ASSERT_TRUE(app.SearchAndCloseSummary(data, "A[B]C"));
    EXPECT_TRUE(Listed(app).empty());

    SetBox(app, kIgnoreCase, true);
    ASSERT_TRUE(app.SearchAndCloseSummary(data, "A[B]C"));
    ASSERT_EQ(Listed(app), std::vector<std::string>{"lower.txt"});
    EXPECT_TRUE(app.SaveScreenshot(ArtifactFolder() + "/main_window_fold_boxes.bmp"));

    SetBox(app, kIgnoreCase, false);  // after the search: the preview keeps the search's folds
    ASSERT_TRUE(e2e::SelectRow(app, 0));
    HWND pane = app.Item(IDC_PREVIEW_PANE);
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return app.WindowText(pane).find(" 件") != std::string::npos; }))
        << app.WindowText(pane);
    const std::string shown = app.WindowText(pane);
    EXPECT_NE(shown.find("1 件"), std::string::npos) << shown;
    EXPECT_NE(shown.find("2: the abc file"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("first line"), std::string::npos) << shown;
    ASSERT_TRUE(app.Exit());
}

TEST_F(FoldOptionsTest, TheBoxesStartClearAndAreKeptInMainFromRunToRun) {
    {
        AppSession app(program);  // the template has no fold keys
        ASSERT_TRUE(app.Start());
        ExpectBoxes(Shown(app), Boxes{});
        SetBoxes(app, Boxes{true, true, true});
        ASSERT_TRUE(app.Exit());
    }
    const std::string left = Settings();
    EXPECT_NE(left.find("[main]\r\nformal=0\r\nunder=1\r\n" + FoldKeys(true, true, true)),
              std::string::npos)
        << left;
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        ExpectBoxes(Shown(app), Boxes{true, true, true});
        SetBox(app, kIgnoreWidth, false);
        ASSERT_TRUE(app.Exit());
    }
    EXPECT_EQ(IniValue(Settings(), "main", "ignorecase"), "1");
    EXPECT_EQ(IniValue(Settings(), "main", "ignorewidth"), "0");
    EXPECT_EQ(IniValue(Settings(), "main", "ignorekana"), "1");
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        ExpectBoxes(Shown(app), Boxes{true, false, true});
        ASSERT_TRUE(app.Exit());
    }
}

TEST_F(FoldOptionsTest, OnlyAStoredOneTicksABox) {
    struct Case {
        const char* main;
        Boxes shown;
    };
    const Case cases[] = {
        {"ignorecase=1\r\nignorewidth=1\r\nignorekana=1\r\n", {true, true, true}},
        {"ignorecase=2\r\nignorewidth=-1\r\nignorekana=yes\r\n", {}},
        {"ignorekana=1\r\n", {false, false, true}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.main);
        WriteSettings(std::string("[main]\r\n") + c.main);
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        ExpectBoxes(Shown(app), c.shown);
        ASSERT_TRUE(app.Exit());
        const Boxes& s = c.shown;
        EXPECT_EQ(IniValue(Settings(), "main", "ignorecase"), s.ignoreCase ? "1" : "0");
        EXPECT_EQ(IniValue(Settings(), "main", "ignorewidth"), s.ignoreWidth ? "1" : "0");
        EXPECT_EQ(IniValue(Settings(), "main", "ignorekana"), s.ignoreKana ? "1" : "0");
    }
}

// The row of boxes lies between the word and the list, in the tab order after the two boxes
// beside the fields, and nothing in the window lies over anything else.
TEST_F(FoldOptionsTest, TheRowOfBoxesSitsUnderTheWordWithoutOverlaps) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    HWND main = app.Main();
    RECT word{}, list{};
    GetWindowRect(app.Item(IDC_WORD), &word);
    GetWindowRect(app.Item(IDC_RESULT_LIST), &list);
    for (int id : {kIgnoreCase, kIgnoreWidth, kIgnoreKana}) {
        RECT box{};
        GetWindowRect(app.Item(id), &box);
        EXPECT_GE(box.top, word.bottom) << id;
        EXPECT_LE(box.bottom, list.top) << id;
    }
    EXPECT_EQ(e2e::OverlappingControls(main), std::vector<std::string>{});
    const std::vector<int> boxes = {IDC_SUBFOLDERS, IDC_REGEX, kIgnoreCase, kIgnoreWidth,
                                    kIgnoreKana};
    EXPECT_EQ(e2e::CutCheckBoxLabels(main, boxes), std::vector<int>{});
    // Tab goes from the regular-expression box through the three to the list.
    std::vector<int> order;
    HWND at = app.Item(IDC_REGEX);
    for (int i = 0; i < 4 && at != nullptr; ++i) {
        at = GetNextDlgTabItem(main, at, FALSE);
        order.push_back(at != nullptr ? GetDlgCtrlID(at) : 0);
    }
    EXPECT_EQ(order, (std::vector<int>{kIgnoreCase, kIgnoreWidth, kIgnoreKana, IDC_RESULT_LIST}));

    // Wider and taller, the row keeps its place and still overlaps nothing.
    RECT frame{}, before{};
    GetWindowRect(main, &frame);
    GetWindowRect(app.Item(kIgnoreKana), &before);
    SetWindowPos(main, nullptr, 0, 0, frame.right - frame.left + 200,
                 frame.bottom - frame.top + 100, SWP_NOZORDER | SWP_NOMOVE);
    RECT after{};
    GetWindowRect(app.Item(kIgnoreKana), &after);
    EXPECT_EQ(after.left - before.left, 0);
    EXPECT_EQ(after.top - before.top, 0);
    EXPECT_EQ(e2e::OverlappingControls(main), std::vector<std::string>{});
    ASSERT_TRUE(app.Exit());
}

}  // namespace
