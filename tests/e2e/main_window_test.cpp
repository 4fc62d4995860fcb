// End-to-end tests: the real QuelbrixU.exe with the real engine, worked from the outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app_session.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "settings_text.h"

using e2e::AppSession;
using e2e::FoldKeys;
using e2e::Golden;
using e2e::IniValue;
using e2e::MessageBoxSeen;
using e2e::Replaced;
using e2e::TempFolder;
using e2e::WithoutPlaceKeys;

namespace {

constexpr int kList = IDC_RESULT_LIST;
constexpr int kSubfolders = IDC_SUBFOLDERS;
constexpr int kRegex = IDC_REGEX;
constexpr int kStop = IDC_STOP;
constexpr int kFolder = IDC_FOLDER;
constexpr int kWord = IDC_WORD;
constexpr int kStart = IDOK;
constexpr int kExit = IDCANCEL;
constexpr int kHelp = IDC_HELP_BUTTON;
constexpr int kSettings = IDC_SETTINGS;
constexpr int kSave = IDC_SAVE;

// Texts of the string tables, as Shift_JIS.
const char kNoFolder[] = "検索フォルダが指定されていません。";
const char kNoWord[] = "検索語が指定されていません。";
const char kStopped[] = "ユーザー操作によって検索は中断されました。";
const char kSummaryFormat[] =
    "「%s」を検索した結果、\n%sに含まれる\n指定されたタイプのファイル%d個中のファイルのうち%d個の中に\n含まれていることが判明しました。";

std::string Summary(const std::string& word, const std::string& folder, int examined, int hits) {
    char text[2048];
    std::snprintf(text, sizeof text, kSummaryFormat, word.c_str(), folder.c_str(), examined, hits);
    return text;
}

std::string ArtifactFolder() { return E2E_ARTIFACT_DIR; }

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : root("e2e"), program(root.Path() + "prog\\"), data(root.Path() + "data\\") {
        e2e::MakeFolder(program);
        e2e::MakeFolder(data);
        AppSession::InstallProgram(program);
    }

    std::string Settings() { return e2e::ReadFileBytes(program + "QuelbrixU.ini"); }
    void WriteSettings(const std::string& text) {
        e2e::WriteFileBytes(program + "QuelbrixU.ini", text);
    }
    // Presses start and answers the engine's summary box, returning its text.
    std::string SearchAndReadSummary(AppSession& app) {
        app.Click(kStart);
        MessageBoxSeen box;
        if (!app.WaitForMessageBox(e2e::kEngineCaption, box)) return "<no summary>";
        app.Answer(box, IDOK);
        EXPECT_TRUE(app.WaitIdle());
        return box.text;
    }
    std::vector<std::pair<std::string, std::string>> Rows(AppSession& app) {
        std::vector<std::pair<std::string, std::string>> rows;
        for (int i = 0; i < app.RowCount(); ++i)
            rows.emplace_back(app.Cell(i, QUELBRIX_COLUMN_FILE),
                              app.Cell(i, QUELBRIX_COLUMN_COUNT));
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    TempFolder root;
    std::string program;
    std::string data;
};

TEST_F(MainWindowTest, FirstStartWritesTheTemplateAndLaterStartsLeaveTheFileAlone) {
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(Settings(), Golden());
        EXPECT_TRUE(app.Checked(kSubfolders));  // under=1 in the template
        EXPECT_FALSE(app.Checked(kRegex));
        EXPECT_FALSE(app.Enabled(kStop));
        ASSERT_TRUE(app.Exit());
    }
    // Leaving writes the same two ticks back in place, the three fold boxes' keys behind them
    // and the window's place beside them.
    const std::string left = Settings();
    EXPECT_NE(IniValue(left, "main", "placement"), "<no key>");
    EXPECT_EQ(IniValue(left, "main", "columns"), "300,72,120,60");
    EXPECT_EQ(WithoutPlaceKeys(left),
              Replaced(Golden(), "under=1\r\n", "under=1\r\n" + FoldKeys(false, false, false)));

    const std::string own =
        Replaced(Replaced(Golden(), "under=1", "under=0"), "formal=0", "formal=1") +
        "; a line of the user's own\r\n";
    WriteSettings(own);
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(Settings(), own);
    EXPECT_FALSE(app.Checked(kSubfolders));
    EXPECT_TRUE(app.Checked(kRegex));
    ASSERT_TRUE(app.Exit());
    EXPECT_EQ(WithoutPlaceKeys(Settings()),
              Replaced(own, "under=0\r\n", "under=0\r\n" + FoldKeys(false, false, false)));
}

RECT ClientRectOf(HWND window, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(MainWindowTest, ResizedWindowLaysOutItsControlsAndComesBackAsLeft) {
    // Without the preview, a first start shows the window at its template's size.
    WriteSettings("[preview]\r\nhide=1\r\n");
    RECT frame{};
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        HWND main = app.Main();
        RECT before{};
        GetWindowRect(main, &before);
        const RECT listBefore = ClientRectOf(main, app.Item(kList));
        const RECT exitBefore = ClientRectOf(main, app.Item(kExit));
        const RECT browseBefore = ClientRectOf(main, app.Item(IDC_BROWSE));
        const int width = before.right - before.left, height = before.bottom - before.top;

        // Smaller than the template is refused: the template's size is the minimum.
        SendMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
        SetWindowPos(main, nullptr, 20, 30, width - 100, height - 100, SWP_NOZORDER);
        RECT squeezed{};
        GetWindowRect(main, &squeezed);
        EXPECT_GE(squeezed.right - squeezed.left, width);
        EXPECT_GE(squeezed.bottom - squeezed.top, height);

        SetWindowPos(main, nullptr, 40, 50, width + 200, height + 120, SWP_NOZORDER);
        const RECT list = ClientRectOf(main, app.Item(kList));
        EXPECT_EQ(list.left, listBefore.left);
        EXPECT_EQ(list.top, listBefore.top);
        EXPECT_EQ(list.right - list.left, listBefore.right - listBefore.left + 200);
        EXPECT_EQ(list.bottom - list.top, listBefore.bottom - listBefore.top + 120);
        const RECT exitButton = ClientRectOf(main, app.Item(kExit));
        EXPECT_EQ(exitButton.left, exitBefore.left);  // the buttons stay along the bottom
        EXPECT_EQ(exitButton.top, exitBefore.top + 120);
        const RECT browse = ClientRectOf(main, app.Item(IDC_BROWSE));
        EXPECT_EQ(browse.left, browseBefore.left + 200);  // 参照 keeps to the right
        EXPECT_EQ(browse.top, browseBefore.top);

        ListView_SetColumnWidth(app.Item(kList), 0, 410);
        GetWindowRect(main, &frame);
        ASSERT_TRUE(app.Exit());
    }
    EXPECT_EQ(IniValue(Settings(), "main", "columns"), "410,72,120,60");
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        RECT again{};
        GetWindowRect(app.Main(), &again);
        EXPECT_EQ(again.left, frame.left);
        EXPECT_EQ(again.top, frame.top);
        EXPECT_EQ(again.right, frame.right);
        EXPECT_EQ(again.bottom, frame.bottom);
        EXPECT_EQ(ListView_GetColumnWidth(app.Item(kList), 0), 410);
        ASSERT_TRUE(app.Exit());
    }
}

TEST_F(MainWindowTest, PlacementOffEveryMonitorOrMalformedFallsBackSafely) {
    {
        AppSession app(program);  // writes the template
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(app.Exit());
    }
    const std::string settings = WithoutPlaceKeys(Settings());
    WriteSettings(Replaced(settings, "formal=0", "formal=0\r\nplacement=20000,15000,20700,15400,0"));
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        RECT frame{};
        GetWindowRect(app.Main(), &frame);
        const HMONITOR monitor = MonitorFromRect(&frame, MONITOR_DEFAULTTONULL);
        EXPECT_NE(monitor, nullptr);  // back on a monitor
        EXPECT_EQ(frame.right - frame.left, 700);
        EXPECT_EQ(frame.bottom - frame.top, 400);
        ASSERT_TRUE(app.Exit());
    }
    WriteSettings(Replaced(settings, "formal=0",
                           "formal=0\r\nplacement=x,1,-5\r\ncolumns=99999,abc"));
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(ListView_GetColumnWidth(app.Item(kList), 0), 300);  // today's layout
        ASSERT_TRUE(app.Exit());
    }
}

TEST_F(MainWindowTest, SearchListsTheFilesWithHitsAndTheEngineSummary) {
    // A folder name with 表 (0x95 0x5C): its second byte must not be taken for a separator.
    const std::string folder = data + "\x95\x5C";
    e2e::MakeFolder(folder);
    e2e::MakeFolder(folder + "\\sub");
    e2e::WriteFileBytes(folder + "\\a.txt", "needle and needle\r\n");
    e2e::WriteFileBytes(folder + "\\b.txt", "nothing here\r\n");
    e2e::WriteFileBytes(folder + "\\c.dat", "one needle\r\n");
    e2e::WriteFileBytes(folder + "\\sub\\d.txt", "needle needle needle\r\n");

    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(kFolder, folder);
    app.SetText(kWord, "needle");
    EXPECT_EQ(SearchAndReadSummary(app), Summary("needle", folder + "\\", 4, 3));

    using Row = std::pair<std::string, std::string>;
    EXPECT_EQ(Rows(app), (std::vector<Row>{{folder + "\\a.txt", "2"},
                                           {folder + "\\c.dat", "1"},
                                           {folder + "\\sub\\d.txt", "3"}}));
    EXPECT_EQ(app.Text(kFolder), folder + "\\");
    EXPECT_EQ(app.Text(kWord), "needle");
    EXPECT_EQ(app.ComboItems(kFolder), std::vector<std::string>{folder + "\\"});
    EXPECT_EQ(app.ComboItems(kWord), std::vector<std::string>{"needle"});
    EXPECT_EQ(IniValue(Settings(), "path_history", "h0"), folder + "\\");
    EXPECT_EQ(IniValue(Settings(), "word_history", "h0"), "needle");

    EXPECT_TRUE(app.SaveScreenshot(ArtifactFolder() + "/main_window_after_search.bmp"));

    // Without subfolders only the top folder's files are searched (the engine leaves the
    // subfolder alone rather than opening it as a file).
    app.Click(kSubfolders);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !app.Checked(kSubfolders); }));
    EXPECT_EQ(SearchAndReadSummary(app), Summary("needle", folder + "\\", 3, 2));
    EXPECT_EQ(app.RowCount(), 2);
    ASSERT_TRUE(app.Exit());
}

// (?i) reaches Grexmo.dll through the window: either case of a letter, each width apart.
TEST_F(MainWindowTest, CaseFoldedExpressionFindsEitherCase) {
    e2e::WriteFileBytes(data + "a.txt", "Needle and NEEDLE\r\n");
    e2e::WriteFileBytes(data + "b.txt", "ｎｅｅｄｌｅ\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(kFolder, data);
    app.SetText(kWord, "(?i)needle");
    if (!app.Checked(kRegex)) app.Click(kRegex);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app.Checked(kRegex); }));
    EXPECT_EQ(SearchAndReadSummary(app), Summary("(?i)needle", data, 2, 1));
    using Row = std::pair<std::string, std::string>;
    EXPECT_EQ(Rows(app), (std::vector<Row>{{data + "a.txt", "2"}}));
    ASSERT_TRUE(app.Exit());
}

TEST_F(MainWindowTest, EmptyFolderAndEmptyWordAreRefusedWithTheirMessages) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    MessageBoxSeen box;
    app.Click(kStart);
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
    EXPECT_EQ(box.text, kNoFolder);
    app.Answer(box, IDOK);

    app.SetText(kFolder, data);
    app.Click(kStart);
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
    EXPECT_EQ(box.text, kNoWord);
    app.Answer(box, IDOK);
    EXPECT_TRUE(app.NoMessageBox(e2e::kEngineCaption));  // no search ran
    EXPECT_EQ(IniValue(Settings(), "path_history", "h0"), data);
    EXPECT_EQ(IniValue(Settings(), "word_history", "h0"), "");
    ASSERT_TRUE(app.Exit());
}

TEST_F(MainWindowTest, MalformedExpressionIsRefusedWithItsReasonBeforeAnything) {
    e2e::WriteFileBytes(data + "a.txt", "needle(\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(kFolder, data);
    app.SetText(kWord, "needle(");
    if (!app.Checked(kRegex)) app.Click(kRegex);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app.Checked(kRegex); }));
    app.Click(kStart);
    MessageBoxSeen box;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
    EXPECT_EQ(box.text,
              "検索語の正規表現に誤りがあるため検索できません。\n"
              "( に対応する ) がありません（7 バイト目）");
    app.Answer(box, IDOK);
    EXPECT_TRUE(app.NoMessageBox(e2e::kEngineCaption));  // no search ran
    EXPECT_EQ(IniValue(Settings(), "path_history", "h0"), "");
    EXPECT_EQ(IniValue(Settings(), "word_history", "h0"), "");
    EXPECT_EQ(app.RowCount(), 0);
    ASSERT_TRUE(app.Exit());
}

TEST_F(MainWindowTest, FolderLongerThanThePathLimitIsRefusedNotCut) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(kFolder, "C:\\" + std::string(300, 'a'));
    app.SetText(kWord, "x");
    app.Click(kStart);
    MessageBoxSeen box;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
    const char tooLong[] = "\x92\xB7\x82\xB7\x82\xAC";  // 長すぎ
    EXPECT_NE(box.text.find(tooLong), std::string::npos) << box.text;
    app.Answer(box, IDOK);
    EXPECT_TRUE(app.NoMessageBox(e2e::kEngineCaption));
    EXPECT_EQ(IniValue(Settings(), "path_history", "h0"), "");
    ASSERT_TRUE(app.Exit());
}

TEST_F(MainWindowTest, ProgramFolderWithA5CTrailByteKeepsItsSettingsBesideTheProgram) {
    const std::string folder = root.Path() + "\x83\x5C\x83\x74\x83\x67\\";  // ソフト
    e2e::MakeFolder(folder);
    AppSession::InstallProgram(folder);
    AppSession app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(e2e::ReadFileBytes(folder + "QuelbrixU.ini"), Golden());
    EXPECT_FALSE(e2e::FileExistsAt(root.Path() + "QuelbrixU.ini"));
    ASSERT_TRUE(app.Exit());
}

TEST_F(MainWindowTest, SettingsFileThatCannotBeCreatedLeavesBuiltInBehaviour) {
    e2e::MakeFolder(program + "QuelbrixU.ini");  // the name is taken by a folder
    e2e::WriteFileBytes(data + "a.txt", "needle\r\n");
    e2e::WriteFileBytes(data + "b.dat", "needle\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    EXPECT_FALSE(app.Checked(kSubfolders));  // every key reads 0
    EXPECT_FALSE(app.Checked(kRegex));
    app.SetText(kFolder, data);
    app.SetText(kWord, "needle");
    EXPECT_EQ(SearchAndReadSummary(app), Summary("needle", data, 2, 2));  // every file
    EXPECT_TRUE(app.ComboItems(kFolder).empty());  // no history without a file
    ASSERT_TRUE(app.Exit());
}

TEST_F(MainWindowTest, SearchReadsTheExtensionGroupsFreshEachTime) {
    e2e::WriteFileBytes(data + "a.txt", "needle\r\n");
    e2e::WriteFileBytes(data + "b.html", "needle\r\n");
    e2e::WriteFileBytes(data + "c.dat", "needle\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(kFolder, data);
    app.SetText(kWord, "needle");
    EXPECT_EQ(SearchAndReadSummary(app), Summary("needle", data, 3, 3));  // all_type=1

    // Custom groups, only group 1 (txt) on and group 2 set to 2, which is not on.
    std::string custom = Replaced(Settings(), "all_type=1", "all_type=0");
    for (int i = 2; i <= 11; ++i) {
        custom = Replaced(custom, "\r\nv" + std::to_string(i) + "=1",
                          "\r\nv" + std::to_string(i) + (i == 2 ? "=2" : "=0"));
    }
    WriteSettings(custom);
    EXPECT_EQ(SearchAndReadSummary(app), Summary("needle", data, 1, 1));
    ASSERT_EQ(app.RowCount(), 1);
    EXPECT_EQ(app.Cell(0, QUELBRIX_COLUMN_FILE), data + "a.txt");
    ASSERT_TRUE(app.Exit());
}

TEST_F(MainWindowTest, FolderChooserFillsTheFolderFieldWithABackslash) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(kFolder, "before");
    app.Click(1002);
    HWND chooser = app.WaitForOtherDialog();
    ASSERT_NE(chooser, nullptr);
    app.Answer(MessageBoxSeen{chooser, ""}, IDCANCEL);
    EXPECT_EQ(app.Text(kFolder), "before");  // cancelled: nothing changes

    app.Click(1002);
    chooser = app.WaitForOtherDialog();
    ASSERT_NE(chooser, nullptr);
    app.Answer(MessageBoxSeen{chooser, ""}, IDOK);  // the folder selected at first
    ASSERT_TRUE(e2e::WaitUntil([&] { return app.Text(kFolder) != "before"; }));
    const std::string chosen = app.Text(kFolder);
    EXPECT_EQ(chosen.back(), '\\');
    EXPECT_TRUE(e2e::FileExistsAt(chosen)) << chosen;
    ASSERT_TRUE(app.Exit());
}

TEST_F(MainWindowTest, DroppedItemGivesTheFolderToSearch) {
    e2e::MakeFolder(data + "a");
    e2e::WriteFileBytes(data + "a\\b.txt", "x");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.DropItems({data + "a\\b.txt"});
    EXPECT_EQ(app.Text(kFolder), data + "a\\");  // a file: the folder that holds it
    app.DropItems({data + "a", data + "a\\b.txt"});
    EXPECT_EQ(app.Text(kFolder), data + "a");  // a folder as it is; only the first item counts
    app.DropItems({data + "missing.txt"});
    EXPECT_EQ(app.Text(kFolder), data + "a");  // not found: ignored
    ASSERT_TRUE(app.Exit());
}

// Searches through enough files that the walk (one pause of a millisecond per entry) lasts
// seconds. The folder is made once for the suite; waits are longer, as a loaded machine
// slows the walk down.
class LongSearchTest : public MainWindowTest {
protected:
    static constexpr int kFiles = 3000;
    static constexpr DWORD kLongWaitMs = 60000;

    static void SetUpTestSuite() {
        many = new TempFolder("many");
        for (int i = 0; i < kFiles; ++i) {
            e2e::WriteFileBytes(many->Path() + "f" + std::to_string(10000 + i) + ".txt",
                                "needle\r\n");
        }
    }
    static void TearDownTestSuite() {
        delete many;
        many = nullptr;
    }

    static TempFolder* many;
};
TempFolder* LongSearchTest::many = nullptr;

TEST_F(LongSearchTest, StopEndsTheSearchWithoutSummaryAndKeepsTheRows) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(kFolder, many->Path());
    app.SetText(kWord, "needle");
    app.Click(kStart);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app.RowCount() >= 5; }, kLongWaitMs));
    // Searching: only stop among the six buttons; the fields and boxes stay usable.
    const int idleButtons[] = {kStart, kSave, kSettings, kHelp, kExit};
    for (int id : idleButtons) EXPECT_FALSE(app.Enabled(id)) << id;
    EXPECT_TRUE(app.Enabled(kStop));
    EXPECT_TRUE(app.Enabled(kFolder));
    EXPECT_TRUE(app.Enabled(kWord));
    EXPECT_TRUE(app.Enabled(kSubfolders));
    app.Click(kStop);
    MessageBoxSeen box;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kEngineCaption, box, kLongWaitMs));
    EXPECT_EQ(box.text, kStopped);
    app.Answer(box, IDOK);
    ASSERT_TRUE(app.WaitIdle(kLongWaitMs));
    Sleep(500);
    EXPECT_TRUE(app.NoMessageBox(e2e::kEngineCaption));  // no summary after a stop
    const int rows = app.RowCount();
    EXPECT_GE(rows, 5);
    EXPECT_LT(rows, kFiles);
    EXPECT_EQ(app.Cell(0, QUELBRIX_COLUMN_COUNT), "1");
    for (int id : idleButtons) EXPECT_TRUE(app.Enabled(id)) << id;
    EXPECT_FALSE(app.Enabled(kStop));
    ASSERT_TRUE(app.Exit());
}

TEST_F(LongSearchTest, ClosingTheWindowDuringASearchStopsItAndLeaves) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(kFolder, many->Path());
    app.SetText(kWord, "needle");
    app.Click(kRegex);
    app.Click(kStart);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app.RowCount() >= 5; }, kLongWaitMs));
    PostMessageA(app.Main(), WM_CLOSE, 0, 0);
    MessageBoxSeen box;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kEngineCaption, box, kLongWaitMs));
    EXPECT_EQ(box.text, kStopped);
    app.Answer(box, IDOK);
    ASSERT_TRUE(app.WaitForExit(kLongWaitMs));
    EXPECT_EQ(IniValue(Settings(), "main", "formal"), "1");  // the ticks were saved on the way out
}

TEST_F(LongSearchTest, StopWorksWithoutAProgressBar) {
    WriteSettings(Replaced(Golden(), "nProgress=0", "nProgress=1"));
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(kFolder, many->Path());
    app.SetText(kWord, "needle");
    app.Click(kStart);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app.RowCount() >= 5; }, kLongWaitMs));
    app.Click(kStop);
    MessageBoxSeen box;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kEngineCaption, box, kLongWaitMs));
    EXPECT_EQ(box.text, kStopped);
    app.Answer(box, IDOK);
    ASSERT_TRUE(app.WaitIdle(kLongWaitMs));
    Sleep(500);
    EXPECT_TRUE(app.NoMessageBox(e2e::kEngineCaption));
    EXPECT_LT(app.RowCount(), kFiles);
    ASSERT_TRUE(app.Exit());
}

TEST_F(MainWindowTest, CommandLineSwitchesFillTheWindow) {
    e2e::MakeFolder(data + "My Documents");
    e2e::WriteFileBytes(data + "My Documents\\memo.txt", "foo bar\r\n");
    WriteSettings(Replaced(Golden(), "under=1", "under=0"));
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start("/u /w\"foo bar\" " + data + "My Documents"));
        EXPECT_TRUE(app.Checked(kSubfolders));
        EXPECT_FALSE(app.Checked(kRegex));
        EXPECT_EQ(app.Text(kWord), "foo bar");
        EXPECT_EQ(app.Text(kFolder), data + "My Documents\\");
        app.Kill();
    }
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start("/f \"" + data + "My Documents\\memo.txt\""));
        EXPECT_TRUE(app.Checked(kRegex));
        EXPECT_EQ(app.Text(kFolder), data + "My Documents\\");
        EXPECT_EQ(app.Text(kWord), "");
        app.Kill();
    }
    {
        AppSession app(program);  // /s starts the search at once
        ASSERT_TRUE(app.Start("/s /w\"foo\" " + data + "My Documents"));
        MessageBoxSeen box;
        ASSERT_TRUE(app.WaitForMessageBox(e2e::kEngineCaption, box));
        EXPECT_EQ(box.text, Summary("foo", data + "My Documents\\", 1, 1));
        app.Answer(box, IDOK);
        ASSERT_TRUE(app.WaitIdle());
        EXPECT_EQ(app.RowCount(), 1);
        ASSERT_TRUE(app.Exit());
    }
    {
        AppSession app(program);  // /s with empty fields reports the missing folder
        ASSERT_TRUE(app.Start("/s"));
        MessageBoxSeen box;
        ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
        EXPECT_EQ(box.text, kNoFolder);
        app.Answer(box, IDOK);
        ASSERT_TRUE(app.Exit());
    }
    {
        AppSession app(program);  // "/w /s": the word ends at the slash and so does the scan
        ASSERT_TRUE(app.Start("/w /s " + data));
        Sleep(1000);
        EXPECT_TRUE(app.NoMessageBox(e2e::kProgramCaption));
        EXPECT_TRUE(app.NoMessageBox(e2e::kEngineCaption));
        EXPECT_EQ(app.Text(kFolder), "");
        ASSERT_TRUE(app.Exit());
    }
}

TEST_F(MainWindowTest, CommandLineFolderArgumentBecomesTheFolderToSearch) {
    e2e::MakeFolder(data + "\x95\x5C");            // 表: a folder
    e2e::WriteFileBytes(data + "x\x95\x5C", "x");  // x表: a file
    e2e::WriteFileBytes(data + "memo.txt", "x");
    struct Case {
        std::string argument;
        std::string field;
    };
    const Case cases[] = {
        {data + "\x95\x5C", data + "\x95\x5C\\"},  // the 0x5C that ends 表 is no separator
        {data + "x\x95\x5C", data},                // a file named x表: its folder
        {data + "memo.txt", data},
        {data + "nosuch", data + "nosuch\\"},  // not there: taken as a folder
        {data + "nosuch\\", data + "nosuch\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        AppSession app(program);
        ASSERT_TRUE(app.Start(c.argument));
        EXPECT_EQ(app.Text(kFolder), c.field);
        ASSERT_TRUE(app.Exit());
    }
}

TEST_F(MainWindowTest, CommandLineBeyondItsBoundIsCutSafely) {
    {
        // Only the first 1,024 bytes are looked at: the switch in front counts, the folder
        // that runs past the bound is dropped rather than used cut short.
        AppSession app(program);
        ASSERT_TRUE(app.Start("/f " + data + std::string(1100, 'a')));
        EXPECT_TRUE(app.Checked(kRegex));
        EXPECT_EQ(app.Text(kFolder), "");
        ASSERT_TRUE(app.Exit());
    }
    {
        // A folder argument longer than a search folder may be is refused at the search.
        AppSession app(program);
        ASSERT_TRUE(app.Start("/s /w\"x\" " + data + std::string(300, 'b')));
        MessageBoxSeen box;
        ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
        const char tooLong[] = "\x92\xB7\x82\xB7\x82\xAC";  // 長すぎ
        EXPECT_NE(box.text.find(tooLong), std::string::npos) << box.text;
        app.Answer(box, IDOK);
        EXPECT_TRUE(app.NoMessageBox(e2e::kEngineCaption));
        ASSERT_TRUE(app.Exit());
    }
}

TEST_F(MainWindowTest, MissingTickKeysStartUnticked) {
    // The template's default for under is 1, but a file without the key reads 0.
    WriteSettings("[main]\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    EXPECT_FALSE(app.Checked(kSubfolders));
    EXPECT_FALSE(app.Checked(kRegex));
    EXPECT_EQ(Settings(), "[main]\r\n");  // an existing file is not completed at start
    ASSERT_TRUE(app.Exit());
    EXPECT_EQ(WithoutPlaceKeys(Settings()),
              "[main]\r\nunder=0\r\nformal=0\r\n" + FoldKeys(false, false, false));
}

TEST_F(MainWindowTest, HistoriesMoveEntriesToTheFrontAndDropTheTwentieth) {
    std::string settings = Golden();
    for (int i = 0; i < 20; ++i) {
        const std::string key = "h" + std::to_string(i) + "=";
        std::size_t words = settings.find("[word_history]");
        settings.replace(settings.find("\r\n" + key, words) + 2, key.size(),
                         key + "w" + std::to_string(i));
        std::size_t paths = settings.find("[path_history]");
        settings.replace(settings.find("\r\n" + key, paths) + 2, key.size(),
                         key + data + "old" + std::to_string(i) + "\\");
    }
    WriteSettings(settings);

    AppSession app(program);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.ComboItems(kWord).size(), 20u);
    app.SetText(kFolder, data);
    app.SetText(kWord, "new");
    SearchAndReadSummary(app);
    std::string after = Settings();
    EXPECT_EQ(IniValue(after, "word_history", "h0"), "new");
    EXPECT_EQ(IniValue(after, "word_history", "h1"), "w0");
    EXPECT_EQ(IniValue(after, "word_history", "h19"), "w18");  // w19 dropped out
    EXPECT_EQ(after.find("=w19\r\n"), std::string::npos);
    EXPECT_EQ(IniValue(after, "path_history", "h0"), data);
    EXPECT_EQ(IniValue(after, "path_history", "h19"), data + "old18\\");

    app.SetText(kWord, "w4");  // now in slot 5: moves to the front, the slots behind it stay
    SearchAndReadSummary(app);
    after = Settings();
    const char* expected[] = {"w4", "new", "w0", "w1", "w2", "w3", "w5", "w6"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(IniValue(after, "word_history", "h" + std::to_string(i)), expected[i]) << i;
    }
    EXPECT_EQ(IniValue(after, "path_history", "h0"), data);  // already first: written again
    EXPECT_EQ(IniValue(after, "path_history", "h1"), data + "old0\\");
    const std::vector<std::string> items = app.ComboItems(kWord);
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items[0], "w4");
    EXPECT_EQ(items[1], "new");
    ASSERT_TRUE(app.Exit());
}

TEST_F(MainWindowTest, TicksAreRememberedAcrossARestart) {
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(app.Checked(kSubfolders));
        app.Click(kSubfolders);
        app.Click(kRegex);
        ASSERT_TRUE(
            e2e::WaitUntil([&] { return !app.Checked(kSubfolders) && app.Checked(kRegex); }));
        ASSERT_TRUE(app.Exit());
    }
    EXPECT_EQ(IniValue(Settings(), "main", "under"), "0");
    EXPECT_EQ(IniValue(Settings(), "main", "formal"), "1");
    {
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        EXPECT_FALSE(app.Checked(kSubfolders));
        EXPECT_TRUE(app.Checked(kRegex));
        ASSERT_TRUE(app.Exit());
    }
    {
        AppSession app(program);  // /u ticks over the saved state and is remembered too
        ASSERT_TRUE(app.Start("/u"));
        EXPECT_TRUE(app.Checked(kSubfolders));
        ASSERT_TRUE(app.Exit());
    }
    EXPECT_EQ(IniValue(Settings(), "main", "under"), "1");
}

}  // namespace
