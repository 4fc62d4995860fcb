// End-to-end tests of the settings sheet: its five pages worked through the real program,
// with the settings file, the next search and the Send To folder checked from outside.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_session.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "settings_text.h"
#include "shortcut_files.h"

using e2e::AppSession;
using e2e::Golden;
using e2e::IniValue;
using e2e::MessageBoxSeen;
using e2e::Replaced;
using e2e::TempFolder;
using testing_shortcuts::Lower;
using testing_shortcuts::MakeShortcut;
using testing_shortcuts::ReadShortcutTarget;

namespace {

// Main window.
constexpr int kFolder = IDC_FOLDER;
constexpr int kWord = IDC_WORD;
constexpr int kStart = IDOK;
// Sheet and pages.
constexpr int kSheetHelp = 9;
constexpr int kGeneral = 0, kExtensions = 1, kOther = 2, kVersion = 3, kPreview = 4;
constexpr int kHideProgress = IDC_GENERAL_HIDE_PROGRESS;
constexpr int kHideCount = IDC_GENERAL_HIDE_COUNT;
constexpr int kRelative = IDC_GENERAL_RELATIVE;
constexpr int kNoConversion = IDC_GENERAL_NO_CONVERSION;
constexpr int kAssociated = IDC_GENERAL_ASSOCIATED;
constexpr int kUserProgram = IDC_GENERAL_USER_PROGRAM;
constexpr int kProgramPath = IDC_GENERAL_PROGRAM_PATH;
constexpr int kBrowse = IDC_GENERAL_BROWSE;
constexpr int kErrorAsk = IDC_GENERAL_ERROR_ASK;
constexpr int kErrorSkip = IDC_GENERAL_ERROR_SKIP;
constexpr int kErrorStop = IDC_GENERAL_ERROR_STOP;
constexpr int kNoPause = IDC_GENERAL_NO_PAUSE;
constexpr int kAllFiles = IDC_EXTENSIONS_ALL_FILES;
constexpr int kCustom = IDC_EXTENSIONS_CUSTOM;
constexpr int kRowCheck = IDC_EXTENSIONS_CHECK;
constexpr int kRowText = IDC_EXTENSIONS_TEXT;  // + row number 1..11
constexpr int kExcludeFolders = IDC_EXTENSIONS_EXCLUDE;
constexpr int kRegister = IDC_OTHER_REGISTER;
constexpr int kUnregister = IDC_OTHER_UNREGISTER;
constexpr int kClearWords = IDC_OTHER_CLEAR_WORDS;
constexpr int kClearPaths = IDC_OTHER_CLEAR_PATHS;
constexpr int kUtf8Files = IDC_OTHER_UTF8_FILES;
constexpr int kVersionText = IDC_VERSION_TEXT;
constexpr int kWebButton = IDC_VERSION_WEB;
constexpr int kMailButton = IDC_VERSION_MAIL;
constexpr int kEditor = IDC_PREVIEW_EDITOR;
constexpr int kEditorBrowse = IDC_PREVIEW_BROWSE;
constexpr int kArguments = IDC_PREVIEW_ARGUMENTS;
constexpr int kContext = IDC_PREVIEW_CONTEXT;
constexpr int kHidePreview = IDC_PREVIEW_HIDE;

const char kRegistered[] = "送るに登録しました。";
const char kRemoved[] = "送るの登録を解除しました。";
const char kNotRegistered[] = "送るに登録されていません。";
const char kRegisterFailed[] =
    "送るに登録できませんでした。\n「送る」フォルダにショートカットを作成できません。";
const char kAskPaths[] = "検索場所の履歴を削除します。\n本当によろしいですか？";
const char kPathsCleared[] = "検索場所の履歴を削除しました。";
const char kAskWords[] = "検索文字列の履歴を削除します。\n本当によろしいですか？";
const char kWordsCleared[] = "検索文字列の履歴を削除しました。";

std::string SendToFolder() {
    char path[quelbrix::kPathBytes] = "";
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_SENDTO, TRUE);
    return std::string(path) + "\\";
}

struct ListSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDroppedList(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<ListSearch*>(param);
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || lstrcmpiA(name, "ComboLBox") != 0 ||
        !IsWindowVisible(window)) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

// The program's dropped-down list of a combo box, within the usual wait.
HWND WaitForDroppedList(HWND combo) {
    ListSearch search = {0, nullptr};
    GetWindowThreadProcessId(combo, &search.process);
    e2e::WaitUntil([&] {
        EnumWindows(FindDroppedList, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

// The middle of item `item` of a dropped-down list on the screen (its items are all as high).
POINT ListItemCentre(HWND list, int item) {
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    RECT client = {};
    GetClientRect(list, &client);
    POINT centre = {client.right / 2, (item - top) * height + height / 2};
    ClientToScreen(list, &centre);
    return centre;
}

class SettingsSheetTest : public ::testing::Test {
protected:
    SettingsSheetTest()
        : root("sheet"), program(root.Path() + "prog\\"), data(root.Path() + "data\\") {
        e2e::MakeFolder(program);
        e2e::MakeFolder(data);
        AppSession::InstallProgram(program);
        RemoveShortcuts();
    }
    ~SettingsSheetTest() override { RemoveShortcuts(); }

    static void RemoveShortcuts() {
        for (const char* name : {"QuelbrixU.lnk", "Qx.lnk"}) {
            DeleteFileA((SendToFolder() + name).c_str());
            RemoveDirectoryA((SendToFolder() + name).c_str());
        }
    }
    std::string Settings() { return e2e::ReadFileBytes(program + "QuelbrixU.ini"); }
    void WriteSettings(const std::string& text) {
        e2e::WriteFileBytes(program + "QuelbrixU.ini", text);
    }
    // Clicks `id` on `page` and returns the text of the program's box that answers it, which
    // is closed with `answer`.
    std::string BoxAfterClick(AppSession& app, HWND page, int id, int answer = IDOK) {
        app.ClickIn(page, id);
        MessageBoxSeen box;
        if (!app.WaitForMessageBox(e2e::kProgramCaption, box)) return "<no box>";
        app.Answer(box, answer);
        return box.text;
    }

    TempFolder root;
    std::string program;
    std::string data;
};

TEST_F(SettingsSheetTest, OkAtOnceWritesOnlyTheGeneralKeys) {
    // Values only a hand could have put there; the Extensions page is never shown.
    const std::string before =
        Replaced(Replaced(Replaced(Golden(), "error=0", "error=7"), "nProgress=0", "nProgress=2"),
                 "v3=1", "v3=2");
    WriteSettings(before);
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND general = app.ShowSettingsPage(kGeneral);
    EXPECT_TRUE(app.CheckedIn(general, kErrorStop));
    EXPECT_FALSE(app.CheckedIn(general, kErrorAsk) || app.CheckedIn(general, kErrorSkip));
    EXPECT_FALSE(app.CheckedIn(general, kHideProgress));
    EXPECT_TRUE(app.CheckedIn(general, kAssociated));
    EXPECT_FALSE(app.EnabledIn(general, kProgramPath));
    EXPECT_FALSE(app.EnabledIn(general, kBrowse));
    ASSERT_TRUE(app.CloseSettings(IDOK));

    // The template holds no nPause: the page adds it, cleared, at the end of [whole].
    EXPECT_EQ(Settings(), Replaced(Replaced(before, "error=7\r\n", "error=2\r\nnPause=0\r\n"),
                                   "nProgress=2", "nProgress=0"));
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, CancelWritesNothingAndTypingStopsAt259Bytes) {
    WriteSettings(Golden());
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND general = app.ShowSettingsPage(kGeneral);
    app.ClickAndWaitIn(general, kHideCount);
    app.ClickAndWaitIn(general, kUserProgram);
    app.TypeIn(general, kProgramPath, std::string(270, 'p'));
    EXPECT_EQ(app.TextIn(general, kProgramPath), std::string(259, 'p'));
    HWND extensions = app.ShowSettingsPage(kExtensions);
    app.ClickAndWaitIn(extensions, kCustom);
    app.TypeIn(extensions, kRowText + 4, std::string(300, 'x'));
    EXPECT_EQ(app.TextIn(extensions, kRowText + 4).size(), 259u);  // its list typed onto
    // Double-byte characters stop where the next one would pass 259 bytes.
    app.SetTextIn(extensions, kRowText + 5, "");
    app.TypeWideIn(extensions, kRowText + 5, std::wstring(140, L'\x8868'));  // 表
    std::string kept;
    for (int i = 0; i < 129; ++i) kept += "表";
    EXPECT_EQ(app.TextIn(extensions, kRowText + 5), kept);
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    EXPECT_EQ(Settings(), Golden());
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, ChangesOnBothPagesReachTheFileAndTheNextSearch) {
    WriteSettings(Replaced(Golden(), "v4=1", "v4=0"));
    e2e::WriteFileBytes(data + "a.md", "the word is here\r\n");
    e2e::WriteFileBytes(data + "b.txt", "the word is here too\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.OpenSettings(), nullptr);

    HWND general = app.ShowSettingsPage(kGeneral);
    app.ClickAndWaitIn(general, kHideCount);
    app.ClickAndWaitIn(general, kErrorSkip);
    app.ClickAndWaitIn(general, kUserProgram);
    EXPECT_TRUE(app.EnabledIn(general, kProgramPath));
    EXPECT_TRUE(app.EnabledIn(general, kBrowse));
    app.SetTextIn(general, kProgramPath, "C:\\エディタ\\ed.exe");
    app.ClickAndWaitIn(general, kAssociated);  // the typed path is kept all the same
    EXPECT_FALSE(app.EnabledIn(general, kProgramPath));

    HWND extensions = app.ShowSettingsPage(kExtensions);
    // All files: every row disabled, the ticks still showing.
    EXPECT_TRUE(app.CheckedIn(extensions, kAllFiles));
    EXPECT_FALSE(app.EnabledIn(extensions, kRowCheck + 1));
    EXPECT_TRUE(app.CheckedIn(extensions, kRowCheck + 1));
    EXPECT_FALSE(app.EnabledIn(extensions, kRowText + 1));
    app.ClickAndWaitIn(extensions, kRowCheck + 0);  // no such row; nothing happens
    EXPECT_FALSE(app.CheckedIn(extensions, kRowCheck + 4));
    app.ClickAndWaitIn(extensions, kCustom);
    EXPECT_TRUE(app.EnabledIn(extensions, kRowCheck + 11));
    EXPECT_TRUE(app.EnabledIn(extensions, kRowText + 11));
    EXPECT_TRUE(app.EnabledIn(extensions, kRowCheck + 4));
    EXPECT_FALSE(app.EnabledIn(extensions, kRowText + 4));  // its group is not ticked
    app.SetTextIn(extensions, kRowText + 1, "MD,Txt2");
    app.SetTextIn(extensions, kRowText + 2, " .HTM, x ");
    for (int row = 2; row <= 11; ++row) {
        if (row != 4) app.ClickAndWaitIn(extensions, kRowCheck + row);
    }
    EXPECT_FALSE(app.EnabledIn(extensions, kRowText + 2));  // cleared: disabled at once
    EXPECT_TRUE(app.EnabledIn(extensions, kRowText + 1));
    ASSERT_TRUE(app.CloseSettings(IDOK));

    const std::string file = Settings();
    EXPECT_EQ(IniValue(file, "whole", "nCount"), "1");
    EXPECT_EQ(IniValue(file, "whole", "error"), "1");
    EXPECT_EQ(IniValue(file, "whole", "appli"), "0");
    EXPECT_EQ(IniValue(file, "whole", "path"), "C:\\エディタ\\ed.exe");
    EXPECT_EQ(IniValue(file, "type", "all_type"), "0");
    EXPECT_EQ(IniValue(file, "type", "t1"), "MD,Txt2");  // as typed
    EXPECT_EQ(IniValue(file, "type", "v1"), "1");
    EXPECT_EQ(IniValue(file, "type", "t2"), " .HTM, x ");  // a disabled row is written too
    EXPECT_EQ(IniValue(file, "type", "v2"), "0");
    EXPECT_EQ(IniValue(file, "type", "v4"), "0");
    EXPECT_EQ(IniValue(file, "type", "t11"), "bat");

    app.SetText(kFolder, data);
    app.SetText(kWord, "word");
    app.Click(kStart);
    MessageBoxSeen summary;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kEngineCaption, summary));
    app.Answer(summary, IDOK);
    ASSERT_TRUE(app.WaitIdle());
    ASSERT_EQ(app.RowCount(), 1);  // only the .md file: "md" matched without regard to case
    EXPECT_NE(app.Cell(0, QUELBRIX_COLUMN_FILE).find("a.md"), std::string::npos);
    EXPECT_EQ(app.Cell(0, QUELBRIX_COLUMN_COUNT), "");  // counts hidden
    ASSERT_TRUE(app.Exit());
}

// The box reaches [whole] nPause on OK and shows what is stored when the sheet opens again.
TEST_F(SettingsSheetTest, NoPauseBoxIsKeptInWholeAndShownAgain) {
    WriteSettings(Replaced(Golden(), "error=0\r\n", "error=0\r\nnPause=2\r\n"));
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND general = app.ShowSettingsPage(kGeneral);
    EXPECT_FALSE(app.CheckedIn(general, kNoPause));  // only a stored 1 ticks it
    app.ClickAndWaitIn(general, kNoPause);
    EXPECT_TRUE(app.CheckedIn(general, kNoPause));
    ASSERT_TRUE(app.CloseSettings(IDOK));
    EXPECT_EQ(IniValue(Settings(), "whole", "nPause"), "1");
    EXPECT_EQ(IniValue(Settings(), "whole", "nKanji"), "0");  // its own key, no other

    ASSERT_NE(app.OpenSettings(), nullptr);
    general = app.ShowSettingsPage(kGeneral);
    EXPECT_TRUE(app.CheckedIn(general, kNoPause));
    app.ClickAndWaitIn(general, kNoPause);
    ASSERT_TRUE(app.CloseSettings(IDOK));
    EXPECT_EQ(IniValue(Settings(), "whole", "nPause"), "0");
    ASSERT_TRUE(app.Exit());
}

// A search without the pause lists the same rows and shows the same summary as one with it.
TEST_F(SettingsSheetTest, SearchWithNoPauseFindsWhatThePausedOneFinds) {
    for (int i = 0; i < 30; ++i) {
        e2e::WriteFileBytes(data + "f" + std::to_string(i) + ".txt",
                            i % 3 == 0 ? "the word\r\n" : "nothing\r\n");
    }
    struct Seen {
        std::vector<std::string> rows;
        std::string summary;
    };
    std::vector<Seen> seen;
    for (const char* stored : {"0", "1"}) {
        SCOPED_TRACE(stored);
        WriteSettings(Replaced(Golden(), "error=0\r\n",
                               std::string("error=0\r\nnPause=") + stored + "\r\n"));
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        app.SetText(kFolder, data);
        app.SetText(kWord, "word");
        app.Click(kStart);
        MessageBoxSeen summary;
        ASSERT_TRUE(app.WaitForMessageBox(e2e::kEngineCaption, summary));
        app.Answer(summary, IDOK);
        ASSERT_TRUE(app.WaitIdle());
        Seen one;
        one.summary = summary.text;
        for (int row = 0; row < app.RowCount(); ++row)
            one.rows.push_back(app.Cell(row, QUELBRIX_COLUMN_FILE) + " " +
                               app.Cell(row, QUELBRIX_COLUMN_COUNT));
        seen.push_back(one);
        ASSERT_TRUE(app.Exit());
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].rows.size(), 10u);
    EXPECT_EQ(seen[1].rows, seen[0].rows);
    EXPECT_EQ(seen[1].summary, seen[0].summary);
    EXPECT_NE(seen[1].summary.find("30個中のファイルのうち10個"), std::string::npos)
        << seen[1].summary;
}

// The folders left out: typed on the Extensions page (usable with all files chosen), stored in
// [type] on OK, shown again at the next opening, and never entered by the next search, at the
// top or deeper down; a file of such a name is still searched.
TEST_F(SettingsSheetTest, FoldersLeftOutReachTheFileThePageAgainAndTheSearch) {
    WriteSettings(Golden());
    for (const char* folder : {"keep", "node_modules", "Obj", "src", "src\\obj"})
        e2e::MakeFolder(data + folder + "\\");
    for (const char* file :
         {"keep\\a.txt", "keep\\obj", "node_modules\\b.txt", "Obj\\c.txt", "src\\obj\\d.txt",
          "src\\e.txt"})
        e2e::WriteFileBytes(data + file, "the word\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND extensions = app.ShowSettingsPage(kExtensions);
    EXPECT_TRUE(app.CheckedIn(extensions, kAllFiles));
    EXPECT_TRUE(app.EnabledIn(extensions, kExcludeFolders));
    EXPECT_EQ(app.TextIn(extensions, kExcludeFolders), "");  // no key: nothing left out
    app.TypeIn(extensions, kExcludeFolders, std::string(300, 'x'));
    EXPECT_EQ(app.TextIn(extensions, kExcludeFolders).size(), 259u);
    app.SetTextIn(extensions, kExcludeFolders, "node_*; obj");
    ASSERT_TRUE(app.CloseSettings(IDOK));
    EXPECT_EQ(IniValue(Settings(), "type", "exclude"), "node_*; obj");

    ASSERT_NE(app.OpenSettings(), nullptr);
    extensions = app.ShowSettingsPage(kExtensions);
    EXPECT_EQ(app.TextIn(extensions, kExcludeFolders), "node_*; obj");
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));

    ASSERT_TRUE(app.SearchAndCloseSummary(data, "word"));
    std::vector<std::string> found;
    for (int row = 0; row < app.RowCount(); ++row)
        found.push_back(app.Cell(row, QUELBRIX_COLUMN_FILE));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{data + "keep\\a.txt", data + "keep\\obj",
                                               data + "src\\e.txt"}));
    ASSERT_TRUE(app.Exit());
}

// A value no page could have written: the page shows its first 259 bytes, cut before a
// double-byte character, and the search takes the same and runs to its summary.
TEST_F(SettingsSheetTest, OverlongFoldersLeftOutAreCutSafely) {
    std::string value = std::string(258, 'a') + "表";
    for (int i = 0; i < 200; ++i) value += ";表*";
    WriteSettings(Replaced(Golden(), "[type]\r\n", "[type]\r\nexclude=" + value + "\r\n"));
    e2e::MakeFolder(data + "表x\\");
    e2e::WriteFileBytes(data + "表x\\a.txt", "the word\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND extensions = app.ShowSettingsPage(kExtensions);
    EXPECT_EQ(app.TextIn(extensions, kExcludeFolders), std::string(258, 'a'));
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    ASSERT_TRUE(app.SearchAndCloseSummary(data, "word"));
    EXPECT_EQ(app.RowCount(), 1);  // the items past the cut are not read
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, SendToRegisterRemoveAndRemoveAgain) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND other = app.ShowSettingsPage(kOther);
    const std::string shortcut = SendToFolder() + "QuelbrixU.lnk";

    EXPECT_EQ(BoxAfterClick(app, other, kRegister), kRegistered);
    ASSERT_TRUE(e2e::FileExistsAt(shortcut));
    EXPECT_EQ(Lower(ReadShortcutTarget(shortcut)), Lower(program + "QuelbrixU.exe"));
    EXPECT_EQ(BoxAfterClick(app, other, kRegister), kRegistered);  // again: overwritten

    EXPECT_EQ(BoxAfterClick(app, other, kUnregister), kRemoved);
    EXPECT_FALSE(e2e::FileExistsAt(shortcut));
    EXPECT_EQ(BoxAfterClick(app, other, kUnregister), kNotRegistered);
    EXPECT_NE(app.FindSettings(), nullptr);  // the page's buttons leave the sheet open
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, RenamedProgramRemovesTheShortcutItMade) {
    ASSERT_TRUE(
        CopyFileA((program + "QuelbrixU.exe").c_str(), (program + "Qx.tool.exe").c_str(), FALSE));
    AppSession app(program);
    ASSERT_TRUE(app.StartNamed("Qx.tool.exe"));
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND other = app.ShowSettingsPage(kOther);

    EXPECT_EQ(BoxAfterClick(app, other, kRegister), kRegistered);
    EXPECT_TRUE(e2e::FileExistsAt(SendToFolder() + "Qx.lnk"));
    EXPECT_FALSE(e2e::FileExistsAt(SendToFolder() + "QuelbrixU.lnk"));
    EXPECT_EQ(Lower(ReadShortcutTarget(SendToFolder() + "Qx.lnk")), Lower(program + "Qx.tool.exe"));
    EXPECT_EQ(BoxAfterClick(app, other, kUnregister), kRemoved);
    EXPECT_FALSE(e2e::FileExistsAt(SendToFolder() + "Qx.lnk"));
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    ASSERT_TRUE(app.Exit());
}

// The program copy renamed after it registered as QuelbrixU: removing the registration takes the
// QuelbrixU.lnk that points at it (as the shell's link tracking leaves it after the rename),
// never one that points at another program, and its own name's shortcut first.
TEST_F(SettingsSheetTest, RenamedProgramRemovesTheOldNamesShortcutOnlyWhenItPointsHere) {
    const std::string renamed = program + "Qx.exe";
    ASSERT_TRUE(MoveFileA((program + "QuelbrixU.exe").c_str(), renamed.c_str()));
    const std::string elsewhere = root.Path() + "other\\";
    e2e::MakeFolder(elsewhere);
    AppSession::InstallProgram(elsewhere);
    const std::string oldShortcut = SendToFolder() + "QuelbrixU.lnk";
    const std::string newShortcut = SendToFolder() + "Qx.lnk";
    ASSERT_TRUE(MakeShortcut(oldShortcut, elsewhere + "QuelbrixU.exe"));
    AppSession app(program);
    ASSERT_TRUE(app.StartNamed("Qx.exe"));
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND other = app.ShowSettingsPage(kOther);

    EXPECT_EQ(BoxAfterClick(app, other, kUnregister), kNotRegistered);
    EXPECT_EQ(Lower(ReadShortcutTarget(oldShortcut)), Lower(elsewhere + "QuelbrixU.exe"));

    ASSERT_TRUE(MakeShortcut(oldShortcut, renamed));
    EXPECT_EQ(BoxAfterClick(app, other, kUnregister), kRemoved);
    EXPECT_FALSE(e2e::FileExistsAt(oldShortcut));
    EXPECT_EQ(BoxAfterClick(app, other, kUnregister), kNotRegistered);

    ASSERT_TRUE(MakeShortcut(oldShortcut, renamed));
    EXPECT_EQ(BoxAfterClick(app, other, kRegister), kRegistered);
    EXPECT_EQ(BoxAfterClick(app, other, kUnregister), kRemoved);
    EXPECT_FALSE(e2e::FileExistsAt(newShortcut));
    EXPECT_TRUE(e2e::FileExistsAt(oldShortcut));
    EXPECT_EQ(BoxAfterClick(app, other, kUnregister), kRemoved);
    EXPECT_FALSE(e2e::FileExistsAt(oldShortcut));
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, RegistrationThatCannotBeSavedSaysSo) {
    // A folder where the shortcut file would go: the save cannot succeed.
    const std::string blocker = SendToFolder() + "QuelbrixU.lnk";
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND other = app.ShowSettingsPage(kOther);
    EXPECT_EQ(BoxAfterClick(app, other, kRegister), kRegisterFailed);
    EXPECT_EQ(BoxAfterClick(app, other, kUnregister), kNotRegistered);
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, HistoriesAreClearedOnlyAfterYes) {
    std::string settings = Golden();
    const std::size_t words = settings.find("[word_history]");
    settings = settings.substr(0, words) +
               Replaced(Replaced(settings.substr(words), "h0=", "h0=alpha"), "h1=", "h1=beta");
    settings = Replaced(settings, "[path_history]\r\nh0=", "[path_history]\r\nh0=C:\\data\\");
    WriteSettings(settings);
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_EQ(app.ComboItems(kWord), (std::vector<std::string>{"alpha", "beta"}));
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND other = app.ShowSettingsPage(kOther);

    EXPECT_EQ(BoxAfterClick(app, other, kClearWords, IDNO), kAskWords);
    MessageBoxSeen late;
    EXPECT_FALSE(app.WaitForMessageBox(e2e::kProgramCaption, late, 1000));  // no report
    EXPECT_EQ(Settings(), settings);
    EXPECT_EQ(app.ComboItems(kWord).size(), 2u);

    EXPECT_EQ(BoxAfterClick(app, other, kClearWords, IDYES), kAskWords);
    MessageBoxSeen report;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, report));
    EXPECT_EQ(report.text, kWordsCleared);
    app.Answer(report, IDOK);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app.ComboItems(kWord).empty(); }, 5000));
    EXPECT_EQ(app.Text(kWord), "");
    const std::string pathOnly =
        Replaced(Golden(), "[path_history]\r\nh0=", "[path_history]\r\nh0=C:\\data\\");
    EXPECT_EQ(Settings(), pathOnly);  // the word keys stay, empty; the folders untouched
    EXPECT_EQ(app.ComboItems(kFolder), (std::vector<std::string>{"C:\\data\\"}));

    EXPECT_EQ(BoxAfterClick(app, other, kClearPaths, IDYES), kAskPaths);
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, report));
    EXPECT_EQ(report.text, kPathsCleared);
    app.Answer(report, IDOK);
    EXPECT_EQ(Settings(), Golden());
    EXPECT_TRUE(app.ComboItems(kFolder).empty());
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, Utf8BoxReachesTheFileAndTheNextSearchFindsUtf8Text) {
    WriteSettings(Golden());  // without the key: UTF-8 files are matched as read
    e2e::WriteFileBytes(data + "s.txt", "表示を確認\r\n");
    e2e::WriteFileBytes(data + "u.txt",
                        "\xEF\xBB\xBF\xE8\xA1\xA8\xE7\xA4\xBA\xE3\x82\x92"
                        "\xE7\xA2\xBA\xE8\xAA\x8D\r\n");  // the same in UTF-8
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.SearchAndCloseSummary(data, "表示"));
    ASSERT_EQ(app.RowCount(), 1);
    EXPECT_NE(app.Cell(0, QUELBRIX_COLUMN_FILE).find("s.txt"), std::string::npos);

    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND other = app.ShowSettingsPage(kOther);
    EXPECT_FALSE(app.CheckedIn(other, kUtf8Files));
    app.ClickAndWaitIn(other, kUtf8Files);
    ASSERT_TRUE(app.CloseSettings(IDOK));
    EXPECT_EQ(IniValue(Settings(), "whole", "utf8"), "1");

    ASSERT_TRUE(app.SearchAndCloseSummary(data, "表示"));
    ASSERT_EQ(app.RowCount(), 2);
    for (int row = 0; row < 2; ++row) EXPECT_EQ(app.Cell(row, QUELBRIX_COLUMN_COUNT), "1");

    // Shown again, the box holds the stored value; clearing it stores 0.
    ASSERT_NE(app.OpenSettings(), nullptr);
    other = app.ShowSettingsPage(kOther);
    EXPECT_TRUE(app.CheckedIn(other, kUtf8Files));
    app.ClickAndWaitIn(other, kUtf8Files);
    ASSERT_TRUE(app.CloseSettings(IDOK));
    EXPECT_EQ(IniValue(Settings(), "whole", "utf8"), "0");
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, PreviewPageWritesItsFourKeysAndThePresetsFillTheTemplate) {
    WriteSettings(Golden());  // without [preview]: every control shows its default
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    HWND sheet = app.OpenSettings();
    ASSERT_NE(sheet, nullptr);
    HWND preview = app.ShowSettingsPage(kPreview);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(app.WindowText(sheet), "設定");
    EXPECT_EQ(app.TextIn(preview, kEditor), "");
    EXPECT_EQ(app.TextIn(preview, kArguments), "");
    EXPECT_EQ(app.TextIn(preview, kContext), "0");
    EXPECT_FALSE(app.CheckedIn(preview, kHidePreview));
    EXPECT_TRUE(app.EnabledIn(preview, kEditorBrowse));
    // The list's items are the templates themselves (each drawn beside its editor's name).
    const std::vector<std::string> offered = app.ComboItemsIn(preview, kArguments);
    ASSERT_GE(offered.size(), 3u);
    for (const std::string& item : offered) EXPECT_NE(item.find("%F"), std::string::npos) << item;

    // The arrow keys in the closed box step through the presets, each putting its template
    // into the box.
    HWND combo = GetDlgItem(preview, kArguments);
    HWND field = FindWindowExA(combo, nullptr, "Edit", nullptr);
    ASSERT_NE(field, nullptr);
    e2e::PressKey(field, VK_DOWN);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app.TextIn(preview, kArguments) == "-n%L \"%F\""; }))
        << app.TextIn(preview, kArguments);
    e2e::PressKey(field, VK_DOWN);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app.TextIn(preview, kArguments) == "-g \"%F:%L\""; }))
        << app.TextIn(preview, kArguments);

    // A click on an item of the dropped-down list does the same.
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = WaitForDroppedList(combo);
    ASSERT_NE(list, nullptr);
    Sleep(300);  // let the list paint before the screen is copied
    RECT area = {};
    GetWindowRect(sheet, &area);
    RECT listArea = {};
    GetWindowRect(list, &listArea);
    UnionRect(&area, &area, &listArea);
    EXPECT_TRUE(e2e::SaveScreenArea(
        area, std::string(E2E_ARTIFACT_DIR) + "\\settings_preview_presets.bmp"));
    e2e::ClickAt(ListItemCentre(list, 2));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(list); }));
    EXPECT_TRUE(e2e::WaitUntil([&] { return app.TextIn(preview, kArguments) == "+%L \"%F\""; }))
        << app.TextIn(preview, kArguments);

    // The up-down control counts the context lines within 0 to 9.
    HWND context = GetDlgItem(preview, kContext);
    for (int i = 0; i < 12; ++i) e2e::PressKey(context, VK_UP);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app.TextIn(preview, kContext) == "9"; }))
        << app.TextIn(preview, kContext);
    for (int i = 0; i < 6; ++i) e2e::PressKey(context, VK_DOWN);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app.TextIn(preview, kContext) == "3"; }))
        << app.TextIn(preview, kContext);

    app.SetTextIn(preview, kEditor, "C:\\表示\\ed.exe");
    app.ClickAndWaitIn(preview, kHidePreview);
    ASSERT_TRUE(app.CloseSettings(IDOK));

    const std::string file = Settings();
    EXPECT_EQ(IniValue(file, "preview", "editor"), "C:\\表示\\ed.exe");
    EXPECT_EQ(IniValue(file, "preview", "arguments"), "+%L \"%F\"");
    EXPECT_EQ(IniValue(file, "preview", "context"), "3");
    EXPECT_EQ(IniValue(file, "preview", "hide"), "1");
    // The other sections as they were; the General page, shown first, adds its nPause.
    const std::string before = Replaced(Golden(), "error=0\r\n", "error=0\r\nnPause=0\r\n");
    EXPECT_EQ(file.substr(0, before.size()), before);

    // Shown again, the page holds what was stored.
    ASSERT_NE(app.OpenSettings(), nullptr);
    preview = app.ShowSettingsPage(kPreview);
    EXPECT_EQ(app.TextIn(preview, kEditor), "C:\\表示\\ed.exe");
    EXPECT_EQ(app.TextIn(preview, kArguments), "+%L \"%F\"");
    EXPECT_EQ(app.TextIn(preview, kContext), "3");
    EXPECT_TRUE(app.CheckedIn(preview, kHidePreview));
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, PreviewPageCancelWritesNothingAndAStrayContextKeepsTheStoredCount) {
    const std::string stored =
        Golden() + "[preview]\r\neditor=ed.exe\r\narguments=%F\r\ncontext=2\r\nhide=0\r\n";
    WriteSettings(stored);
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND preview = app.ShowSettingsPage(kPreview);
    EXPECT_EQ(app.TextIn(preview, kContext), "2");
    app.SetTextIn(preview, kEditor, "other.exe");
    app.SetTextIn(preview, kArguments, "-l%L %F");
    app.SetTextIn(preview, kContext, "7");
    app.ClickAndWaitIn(preview, kHidePreview);
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    EXPECT_EQ(Settings(), stored);

    // Typed, the box takes one digit and no letter.
    ASSERT_NE(app.OpenSettings(), nullptr);
    preview = app.ShowSettingsPage(kPreview);
    SendMessageA(GetDlgItem(preview, kContext), EM_SETSEL, 0, -1);
    app.TypeIn(preview, kContext, "a56");
    EXPECT_EQ(app.TextIn(preview, kContext), "5");
    ASSERT_TRUE(app.CloseSettings(IDOK));
    EXPECT_EQ(IniValue(Settings(), "preview", "context"), "5");

    // Put there past the keyboard: a text that is no count keeps the count stored before,
    // a count past the largest is the largest, one below none is none.
    struct Case {
        const char* text;
        const char* stored;
    };
    const Case cases[] = {{"x", "5"}, {"", "5"}, {"12", "9"}, {"y", "9"}, {"-1", "0"}};
    for (const Case& c : cases) {
        ASSERT_NE(app.OpenSettings(), nullptr);
        preview = app.ShowSettingsPage(kPreview);
        app.SetTextIn(preview, kContext, c.text);
        ASSERT_TRUE(app.CloseSettings(IDOK));
        EXPECT_EQ(IniValue(Settings(), "preview", "context"), c.stored) << c.text;
    }
    const std::string file = Settings();
    EXPECT_EQ(IniValue(file, "preview", "editor"), "ed.exe");  // the rest as it was
    EXPECT_EQ(IniValue(file, "preview", "arguments"), "%F");
    EXPECT_EQ(IniValue(file, "preview", "hide"), "0");
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, HelpButtonsOfTheOtherPagesAndNoneOnTheVersionPage) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    HWND sheet = app.OpenSettings();
    ASSERT_NE(sheet, nullptr);
    for (int page : {kGeneral, kExtensions, kOther, kPreview}) {
        app.ShowSettingsPage(page);
        EXPECT_TRUE(app.EnabledIn(sheet, kSheetHelp)) << page;
        app.ClickAndWaitIn(sheet, kSheetHelp);
        EXPECT_TRUE(app.Running());
        EXPECT_EQ(app.FindSettings(), sheet);
    }
    HWND version = app.ShowSettingsPage(kVersion);
    EXPECT_FALSE(app.EnabledIn(sheet, kSheetHelp));

    const std::string text = app.TextIn(version, kVersionText);
    EXPECT_EQ(text.substr(0, text.find('\n')), quelbrix::ProgramNameAndVersion());
    EXPECT_NE(text.find("\n" + std::string(e2e::kEngineCaption) + " Ver1.11\n\t"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nGrexmo.DLL Version 1.1.4.2\n"), std::string::npos) << text;
    EXPECT_NE(app.TextIn(version, kMailButton).find('@'), std::string::npos);
    EXPECT_NE(app.TextIn(version, kWebButton).find("://"), std::string::npos);
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    ASSERT_TRUE(app.Exit());
}

TEST_F(SettingsSheetTest, ScreenshotsOfEveryPage) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    HWND sheet = app.OpenSettings();
    ASSERT_NE(sheet, nullptr);
    const char* names[] = {"general", "extensions", "other", "version", "preview"};
    for (int page : {kGeneral, kExtensions, kOther, kVersion, kPreview}) {
        app.ShowSettingsPage(page);
        Sleep(300);  // let the page paint before the screen is copied
        EXPECT_TRUE(app.SaveWindowScreenshot(
            sheet, std::string(E2E_ARTIFACT_DIR) + "\\settings_" + names[page] + ".bmp"));
    }
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    ASSERT_TRUE(app.Exit());
}

}  // namespace
