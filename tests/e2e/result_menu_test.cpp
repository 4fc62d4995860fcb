// End-to-end tests of the result list's popup menu, double click and column sort: the real
// QuelbrixU.exe worked with the mouse and the keyboard, its menu read back from the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_session.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "settings_text.h"

using e2e::AppSession;
using e2e::MessageBoxSeen;
using e2e::TempFolder;

namespace {

constexpr int kList = IDC_RESULT_LIST;
constexpr int kFolder = IDC_FOLDER;
constexpr int kWord = IDC_WORD;
constexpr int kStart = IDOK;

// Texts of the program's string table, as Shift_JIS.
const char kConfirmDelete[] = "このファイルを削除します。\n本当によろしいですか？";
const char kDeleted[] = "ファイルを削除しました。";
const char kDeleteFailed[] =
    "ファイルを削除できませんでした。\n読み取り専用か、ほかのプログラムが使用している可能性があります。";
const char kNoProgram[] =
    "ファイルを開くアプリケーションが指定されていません。\n"
    "「設定」の「全般」で、アプリケーションのパスを指定してください。";

// The popup menu's text items from top to bottom (the separator sits between 2 and 3).
enum Item { kOpenItem, kDeleteItem, kFolderItem, kPropertiesItem };

constexpr COLORREF kHighlightFill = RGB(193, 238, 210);

std::string ArtifactFolder() { return E2E_ARTIFACT_DIR; }

bool IsDark(COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; }

// The screen rows of the menu's text items, found as a person finds them: by their writing.
// Rows holding dark pixels right of the pictures are grouped; a gap of a few blank rows
// separates two items.
std::vector<int> TextItemRows(HWND popup) {
    RECT area;
    GetWindowRect(popup, &area);
    const e2e::ScreenImage image = e2e::CaptureScreen(area);
    std::vector<int> centres;
    int first = -1, last = -1;
    for (int y = 4; y < image.height - 4; ++y) {
        bool dark = false;
        for (int x = 30; x < image.width - 8 && !dark; ++x) dark = IsDark(image.At(x, y));
        if (!dark) continue;
        if (first >= 0 && y - last > 4) {
            centres.push_back(area.top + (first + last) / 2);
            first = -1;
        }
        if (first < 0) first = y;
        last = y;
    }
    if (first >= 0) centres.push_back(area.top + (first + last) / 2);
    return centres;
}

// Where the highlight (its fill and outline) is drawn on the screen; first is -1 for none.
struct Highlight {
    int first = -1, last = -1;  // rows
    int left = -1;              // column, from the menu's left edge
    bool Covers(int row) const { return first <= row && row <= last; }
    int Height() const { return last - first + 1; }
};

Highlight FindHighlight(HWND popup) {
    RECT area;
    GetWindowRect(popup, &area);
    const e2e::ScreenImage image = e2e::CaptureScreen(area);
    Highlight found;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const COLORREF c = image.At(x, y);
            if (c != kHighlightFill && c != RGB(0, 255, 0)) continue;
            if (found.first < 0) found.first = area.top + y;
            found.last = area.top + y;
            if (found.left < 0 || x < found.left) found.left = x;
        }
    }
    return found;
}

// What a program started by the shell got after its own name.
std::string ParameterText(const std::string& commandLine) {
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        at = commandLine.find('"', 1);
        at = at == std::string::npos ? commandLine.size() : at + 1;
    } else {
        at = std::min(commandLine.find(' '), commandLine.size());
    }
    while (at < commandLine.size() && commandLine[at] == ' ') ++at;
    return commandLine.substr(at);
}

class ResultMenuTest : public ::testing::Test {
protected:
    ResultMenuTest()
        : root("menu"),
          program(root.Path() + "prog\\"),
          data(root.Path() + "data\\"),
          tools(root.Path() + "my tools\\"),
          app(program) {
        e2e::MakeFolder(program);
        e2e::MakeFolder(data);
        e2e::MakeFolder(tools);
        AppSession::InstallProgram(program);
        const std::string recorder = e2e::BuildFolder() + "command_line_recorder.exe";
        CopyFileA(recorder.c_str(), Recorder().c_str(), FALSE);
        e2e::WriteFileBytes(app.SettingsPath(), e2e::Golden());
    }

    std::string Recorder() const { return tools + "recorder.exe"; }
    void SetWhole(const char* key, const std::string& value) {
        WritePrivateProfileStringA("whole", key, value.c_str(), app.SettingsPath().c_str());
    }
    void ChooseRecorderAsProgram() {
        SetWhole("appli", "1");
        SetWhole("path", Recorder());
    }

    // Starts the program and searches the data folder for `word`.
    void StartAndSearch(const std::string& word = "needle") {
        ASSERT_TRUE(app.Start());
        app.SetText(kFolder, data);
        app.SetText(kWord, word);
        app.Click(kStart);
        MessageBoxSeen summary;
        ASSERT_TRUE(app.WaitForMessageBox(e2e::kEngineCaption, summary));
        app.Answer(summary, IDOK);
        ASSERT_TRUE(app.WaitIdle());
    }

    int RowOf(const std::string& cell) {
        for (int i = 0; i < app.RowCount(); ++i) {
            if (app.Cell(i, QUELBRIX_COLUMN_FILE) == cell) return i;
        }
        return -1;
    }

    // Selects the row of `cell` and opens the menu with the keyboard's menu key; the menu's
    // text items are found on the screen.
    HWND OpenMenuOn(const std::string& cell, std::vector<int>& items) {
        const int row = RowOf(cell);
        EXPECT_GE(row, 0) << cell;
        EXPECT_TRUE(e2e::SelectRow(app, row));
        RECT list;
        GetWindowRect(app.Item(kList), &list);
        e2e::RequestContextMenu(app, POINT{list.left + 60, list.top + 60});
        HWND popup = e2e::WaitForPopupMenu(app);
        EXPECT_NE(popup, nullptr);
        if (popup == nullptr) return nullptr;
        e2e::WaitUntil([&] { return (items = TextItemRows(popup)).size() == 4; }, 5000);
        EXPECT_EQ(items.size(), 4u);
        return popup;
    }

    void ClickItem(HWND popup, const std::vector<int>& items, Item item) {
        RECT area;
        GetWindowRect(popup, &area);
        e2e::ClickAt(POINT{(area.left + area.right) / 2, items[static_cast<std::size_t>(item)]});
    }

    // The command line the recorder was started with, waited for and taken away.
    std::string RecordedCommandLine() {
        const std::string file = tools + "command_line.txt";
        if (!e2e::WaitUntil([&] { return e2e::FileExistsAt(file); })) return "<not started>";
        std::string line = e2e::ReadFileBytes(file);
        DeleteFileA(file.c_str());
        return line;
    }

    // True when the recorder has not run. Called once the program has handled the input; a
    // start it made by mistake and recorded later still fails the next check, as the record stays.
    bool NoRecorderRun() { return !e2e::FileExistsAt(tools + "command_line.txt"); }

    // The shell's property sheet of `name`, owned by the main window. The Wine shell has no
    // sheet for files and answers with an error box instead, owned the same way.
    void ExpectShellDialogOwnedByMainWindow(const std::string& name) {
        HWND sheet = app.WaitForOtherDialog();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(GetWindow(sheet, GW_OWNER), app.Main());
        const std::string caption = app.WindowText(sheet);
        if (caption.find(name) == std::string::npos) {
            EXPECT_EQ(caption, "\x83G\x83\x89\x81[");  // エラー
        }
        EXPECT_TRUE(app.NoMessageBox(e2e::kProgramCaption));
        PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(sheet); }, 5000));
    }

    TempFolder root;
    std::string program;
    std::string data;
    std::string tools;
    AppSession app;
};

TEST_F(ResultMenuTest, ContextMenuOpensOnlyOnASelectedRowAtTheCursor) {
    e2e::WriteFileBytes(data + "a.txt", "needle\r\n");
    StartAndSearch();
    ASSERT_EQ(app.RowCount(), 1);

    // No row selected: the request is answered at once and no menu opens.
    DWORD_PTR ignored = 0;
    HWND list = app.Item(kList);
    ASSERT_TRUE(SendMessageTimeoutA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1,
                                    SMTO_ABORTIFHUNG, 5000, &ignored));
    EXPECT_EQ(e2e::FindPopupMenu(app), nullptr);

    // A right click on the row selects it and opens the menu with its corner at the cursor.
    POINT row;
    ASSERT_TRUE(e2e::RowCentre(app, 0, row));
    e2e::RightClickAt(row);
    HWND popup = e2e::WaitForPopupMenu(app);
    ASSERT_NE(popup, nullptr);
    RECT area;
    GetWindowRect(popup, &area);
    EXPECT_EQ(area.left, row.x);
    EXPECT_EQ(area.top, row.y);
    // Dismissed, it runs nothing.
    e2e::PressKey(popup, VK_ESCAPE);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FindPopupMenu(app) == nullptr; }, 5000));
    EXPECT_TRUE(app.NoMessageBox(e2e::kProgramCaption));
    EXPECT_EQ(app.RowCount(), 1);

    // The menu key opens it at the cursor as well.
    const POINT cursor = {row.x + 30, row.y + 40};
    e2e::RequestContextMenu(app, cursor);
    popup = e2e::WaitForPopupMenu(app);
    ASSERT_NE(popup, nullptr);
    GetWindowRect(popup, &area);
    EXPECT_EQ(area.left, cursor.x);
    EXPECT_EQ(area.top, cursor.y);
    e2e::PressKey(popup, VK_ESCAPE);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FindPopupMenu(app) == nullptr; }, 5000));
}

TEST_F(ResultMenuTest, DeleteByAccessKeyAsksAndOnlyYesRemovesTheFileAndItsRow) {
    for (const char* name : {"first.txt", "gone.txt", "last.txt"}) {
        e2e::WriteFileBytes(data + name, "needle\r\n");
    }
    StartAndSearch();
    ASSERT_EQ(app.RowCount(), 3);

    for (int answer : {IDNO, IDYES}) {
        std::vector<int> items;
        HWND popup = OpenMenuOn(data + "gone.txt", items);
        ASSERT_NE(popup, nullptr);
        e2e::PressKey(popup, 'D');
        MessageBoxSeen question;
        ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, question));
        EXPECT_EQ(question.text, kConfirmDelete);
        app.Answer(question, answer);
        if (answer == IDNO) {
            EXPECT_TRUE(app.NoMessageBox(e2e::kProgramCaption));
            EXPECT_TRUE(e2e::FileExistsAt(data + "gone.txt"));
            EXPECT_EQ(app.RowCount(), 3);
        }
    }
    MessageBoxSeen done;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, done));
    EXPECT_EQ(done.text, kDeleted);
    app.Answer(done, IDOK);
    EXPECT_FALSE(e2e::FileExistsAt(data + "gone.txt"));
    EXPECT_EQ(app.RowCount(), 2);
    EXPECT_EQ(RowOf(data + "gone.txt"), -1);
    EXPECT_GE(RowOf(data + "first.txt"), 0);
    EXPECT_GE(RowOf(data + "last.txt"), 0);
}

TEST_F(ResultMenuTest, DeleteThatFailsKeepsTheRowAndSaysWhy) {
    const std::string held = data + "held.txt";
    const std::string locked = data + "readonly.txt";
    e2e::WriteFileBytes(held, "needle\r\n");
    e2e::WriteFileBytes(locked, "needle\r\n");
    StartAndSearch();
    ASSERT_EQ(app.RowCount(), 2);

    // One file open elsewhere without leave to delete it, one read-only; chosen with the mouse.
    HANDLE open = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    for (const std::string& path : {held, locked}) {
        std::vector<int> items;
        HWND popup = OpenMenuOn(path, items);
        ASSERT_NE(popup, nullptr);
        ClickItem(popup, items, kDeleteItem);
        MessageBoxSeen question;
        ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, question));
        EXPECT_EQ(question.text, kConfirmDelete);
        app.Answer(question, IDYES);
        MessageBoxSeen failed;
        ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, failed)) << path;
        EXPECT_EQ(failed.text, kDeleteFailed) << path;
        app.Answer(failed, IDOK);
        EXPECT_TRUE(e2e::FileExistsAt(path));
        EXPECT_GE(RowOf(path), 0);
    }
    CloseHandle(open);
    EXPECT_EQ(app.RowCount(), 2);
}

TEST_F(ResultMenuTest, ChosenProgramGetsThePathQuotedOnlyWhenItHoldsASpace) {
    e2e::MakeFolder(data + "sub");
    e2e::WriteFileBytes(data + "sub\\a b.txt", "needle\r\n");
    e2e::WriteFileBytes(data + "plain.txt", "needle\r\n");
    ChooseRecorderAsProgram();
    SetWhole("relative", "1");
    WritePrivateProfileStringA("main", "under", "1", app.SettingsPath().c_str());
    StartAndSearch();
    ASSERT_EQ(app.RowCount(), 2);

    // A double click with no row selected opens nothing.
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutA(app.Item(kList), WM_LBUTTONDBLCLK, MK_LBUTTON,
                                    MAKELPARAM(20, 20), SMTO_ABORTIFHUNG, 5000, &ignored));
    EXPECT_TRUE(NoRecorderRun());

    // Chosen by its access key: the row is relative, the program gets the full path.
    std::vector<int> items;
    HWND popup = OpenMenuOn("sub\\a b.txt", items);
    ASSERT_NE(popup, nullptr);
    e2e::PressKey(popup, 'P');
    e2e::PressKey(popup, VK_RETURN);
    EXPECT_EQ(ParameterText(RecordedCommandLine()), "\"" + data + "sub\\a b.txt\"");

    // Chosen with the mouse; a path without a space goes as it is.
    popup = OpenMenuOn("plain.txt", items);
    ASSERT_NE(popup, nullptr);
    ClickItem(popup, items, kOpenItem);
    EXPECT_EQ(ParameterText(RecordedCommandLine()), data + "plain.txt");

    // A double click opens the selected row's file.
    ASSERT_TRUE(e2e::SelectRow(app, RowOf("sub\\a b.txt")));
    POINT row;
    ASSERT_TRUE(e2e::RowCentre(app, RowOf("sub\\a b.txt"), row));
    e2e::ClickAt(row, true);
    EXPECT_EQ(ParameterText(RecordedCommandLine()), "\"" + data + "sub\\a b.txt\"");
}

TEST_F(ResultMenuTest, SharedAccessKeyMovesBetweenOpenAndProperties) {
    e2e::WriteFileBytes(data + "shared.txt", "needle\r\n");
    ChooseRecorderAsProgram();
    StartAndSearch();
    ASSERT_EQ(app.RowCount(), 1);

    std::vector<int> items;
    HWND popup = OpenMenuOn(data + "shared.txt", items);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(FindHighlight(popup).first, -1);
    const int expected[] = {kOpenItem, kPropertiesItem, kOpenItem};
    Highlight bands[4];
    for (int item : expected) {
        e2e::PressKey(popup, 'P');
        const int row = items[static_cast<std::size_t>(item)];
        EXPECT_TRUE(e2e::WaitUntil([&] { return FindHighlight(popup).Covers(row); }, 5000))
            << "expected item " << item;
        EXPECT_TRUE(NoRecorderRun());  // a shared key only moves the highlight
        bands[item] = FindHighlight(popup);
        EXPECT_GE(bands[item].left, 20);  // the strip and the picture stay uncovered
    }
    // Three text items of one height lie above the separator, which is two thirds as high.
    const int itemHeight = bands[kOpenItem].Height();
    EXPECT_EQ(bands[kPropertiesItem].Height(), itemHeight);
    const int separator = bands[kPropertiesItem].first - bands[kOpenItem].first - 3 * itemHeight;
    EXPECT_EQ(separator, itemHeight * 2 / 3) << "item height " << itemHeight;
    RECT area;
    GetWindowRect(popup, &area);
    RECT shot = {area.left - 40, area.top - 30, area.right + 40, area.bottom + 30};
    EXPECT_TRUE(e2e::SaveScreenArea(shot, ArtifactFolder() + "/result_popup_menu.bmp"));

    e2e::PressKey(popup, 'P');  // properties, then Enter shows its sheet
    e2e::PressKey(popup, VK_RETURN);
    ExpectShellDialogOwnedByMainWindow("shared.txt");
    EXPECT_TRUE(NoRecorderRun());
}

TEST_F(ResultMenuTest, PropertiesByMouseAskTheShellForTheFilesSheet) {
    e2e::WriteFileBytes(data + "props.txt", "needle\r\n");
    StartAndSearch();
    std::vector<int> items;
    HWND popup = OpenMenuOn(data + "props.txt", items);
    ASSERT_NE(popup, nullptr);
    ClickItem(popup, items, kPropertiesItem);
    ExpectShellDialogOwnedByMainWindow("props.txt");
}

TEST_F(ResultMenuTest, ColumnClicksSortSizeAndCountAsNumbers) {
    // Sizes 9, 10, 100 and 1000 bytes holding 1, 10, 9 and 100 hits of "x": sorted as text,
    // "9" would come after "100" in both columns.
    e2e::WriteFileBytes(data + "s9.txt", "x" + std::string(8, '-'));
    e2e::WriteFileBytes(data + "s10.txt", std::string(10, 'x'));
    e2e::WriteFileBytes(data + "s100.txt", std::string(9, 'x') + std::string(91, '-'));
    e2e::WriteFileBytes(data + "s1000.txt", std::string(100, 'x') + std::string(900, '-'));
    StartAndSearch("x");
    ASSERT_EQ(app.RowCount(), 4);

    auto column = [&](int index) {
        std::vector<std::string> cells;
        for (int i = 0; i < app.RowCount(); ++i) cells.push_back(app.Cell(i, index));
        return cells;
    };
    using Cells = std::vector<std::string>;
    struct Click {
        int column;
        Cells cells;
    };
    const Click clicks[] = {
        {1, {"1000", "100", "10", "9"}},
        {1, {"9", "10", "100", "1000"}},
        {3, {"100", "10", "9", "1"}},
        {3, {"1", "9", "10", "100"}},
    };
    int offset = -8;
    for (const Click& click : clicks) {
        offset = -offset;  // a second click elsewhere on the header, not a double click
        ASSERT_TRUE(e2e::ClickColumnHeader(app, click.column, offset));
        EXPECT_TRUE(e2e::WaitUntil([&] { return column(click.column) == click.cells; }, 5000))
            << "column " << click.column << " reads "
            << ::testing::PrintToString(column(click.column));
    }
}

}  // namespace

namespace {

struct ExplorerSearch {
    std::string title;
    HWND found;
};

BOOL CALLBACK FindExplorer(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ExplorerSearch*>(param);
    char name[64] = "", title[512] = "";
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, title, sizeof title);
    if (!IsWindowVisible(window) || std::string(name) != "ExplorerWClass") return TRUE;
    if (search->title != title) return TRUE;
    search->found = window;
    return FALSE;
}

// Waits for the shell's window on the folder named `title` and closes it.
bool FolderWindowOpened(const std::string& title) {
    ExplorerSearch search = {title, nullptr};
    e2e::WaitUntil([&] {
        EnumWindows(FindExplorer, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    if (search.found == nullptr) return false;
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    e2e::WaitUntil([&] { return !IsWindow(search.found); }, 5000);
    return true;
}

}  // namespace

TEST_F(ResultMenuTest, FolderItemOpensTheFolderThatHoldsTheFile) {
    // x表.txt: the second byte of 表 is 0x5C, which must not be taken for a separator.
    e2e::MakeFolder(data + "sub dir");
    e2e::WriteFileBytes(data + "sub dir\\x\x95\x5C.txt", "needle\r\n");
    e2e::WriteFileBytes(data + "top.txt", "needle\r\n");
    WritePrivateProfileStringA("main", "under", "1", app.SettingsPath().c_str());
    StartAndSearch();
    ASSERT_EQ(app.RowCount(), 2);

    std::vector<int> items;
    HWND popup = OpenMenuOn(data + "sub dir\\x\x95\x5C.txt", items);
    ASSERT_NE(popup, nullptr);
    e2e::PressKey(popup, 'F');
    EXPECT_TRUE(FolderWindowOpened("sub dir"));

    popup = OpenMenuOn(data + "top.txt", items);
    ASSERT_NE(popup, nullptr);
    ClickItem(popup, items, kFolderItem);
    EXPECT_TRUE(FolderWindowOpened("data"));
    EXPECT_TRUE(app.NoMessageBox(e2e::kProgramCaption));
}

// Files of the extension .qxrec open with the recorder, as registered with the shell.
class AssociatedProgramTest : public ResultMenuTest {
protected:
    AssociatedProgramTest() {
        const std::string command = "\"" + Recorder() + "\" \"%1\"";
        SetClassValue(".qxrec", "QuelbrixTest.Recorder");
        SetClassValue("QuelbrixTest.Recorder\\shell\\open\\command", command);
    }
    ~AssociatedProgramTest() override {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ".qxrec");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "QuelbrixTest.Recorder");
    }
    static void SetClassValue(const char* key, const std::string& value) {
        HKEY opened = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &opened, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(opened);
    }
};

TEST_F(AssociatedProgramTest, OpenStartsTheAssociatedProgramWithTheFullPath) {
    e2e::WriteFileBytes(data + "note one.qxrec", "needle\r\n");
    SetWhole("relative", "1");
    StartAndSearch();
    ASSERT_EQ(app.RowCount(), 1);
    std::vector<int> items;
    HWND popup = OpenMenuOn("note one.qxrec", items);
    ASSERT_NE(popup, nullptr);
    ClickItem(popup, items, kOpenItem);
    // The association's own "%1" quotes the path; the verb open passes no parameters of ours.
    EXPECT_EQ(ParameterText(RecordedCommandLine()), "\"" + data + "note one.qxrec\"");
}

// The General page shows the chosen program for any appli but 0; opening does the same.
TEST_F(AssociatedProgramTest, AStrayAppliValueOpensWithTheChosenProgramAsThePageShowsIt) {
    e2e::WriteFileBytes(data + "stray.qxrec", "needle\r\n");
    SetWhole("appli", "2");
    SetWhole("path", Recorder());
    StartAndSearch();
    ASSERT_EQ(app.RowCount(), 1);
    std::vector<int> items;
    HWND popup = OpenMenuOn(data + "stray.qxrec", items);
    ASSERT_NE(popup, nullptr);
    ClickItem(popup, items, kOpenItem);
    // The chosen program gets the path as it is; the association would have quoted it.
    EXPECT_EQ(ParameterText(RecordedCommandLine()), data + "stray.qxrec");
}

TEST_F(AssociatedProgramTest, ChosenProgramWithAnEmptyPathSaysSoAndOpensNothing) {
    e2e::WriteFileBytes(data + "empty.qxrec", "needle\r\n");
    SetWhole("appli", "1");
    SetWhole("path", "");
    StartAndSearch();
    ASSERT_EQ(app.RowCount(), 1);

    // From the menu and by a double click: the same box each time, and no program runs, not
    // even the associated one.
    std::vector<int> items;
    HWND popup = OpenMenuOn(data + "empty.qxrec", items);
    ASSERT_NE(popup, nullptr);
    ClickItem(popup, items, kOpenItem);
    MessageBoxSeen box;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
    EXPECT_EQ(box.text, kNoProgram);
    app.Answer(box, IDOK);

    POINT row;
    ASSERT_TRUE(e2e::RowCentre(app, 0, row));
    e2e::ClickAt(row, true);
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
    EXPECT_EQ(box.text, kNoProgram);
    app.Answer(box, IDOK);
    EXPECT_TRUE(app.WaitIdle());
    EXPECT_TRUE(NoRecorderRun());
    EXPECT_EQ(app.RowCount(), 1);
}
