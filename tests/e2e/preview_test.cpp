// End-to-end tests of the preview pane below the result list: what it shows for the selected
// row (compared with the command line's --lines for the same file), while a search runs, for
// a file that is gone, how its height and the splitter are kept, and the jump to a line.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app_session.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "settings_text.h"

using e2e::AppSession;
using e2e::IniValue;
using e2e::TempFolder;

namespace {

constexpr int kPreview = IDC_PREVIEW_PANE;
constexpr DWORD kLongWaitMs = 60000;

std::string ArtifactFolder() { return E2E_ARTIFACT_DIR; }

// Minutes of a meeting, Shift_JIS with CR LF; 検索 is on lines 3, 4 and 6 (twice on 6).
const char kMinutes[] =
    "議事録\r\n"
    "1. 予算の確認\r\n"
    "   来期の予算案を検討した。検索システムの導入費用を含む。\r\n"
    "2. 検索ツールの評価\r\n"
    "   表示の速度を比較した。\r\n"
    "   全文検索の速度と検索結果の一覧表示が好評。\r\n"
    "3. その他\r\n";

// "   12: text" → (12, "text"); the header and notes give nothing.
struct ShownLine {
    unsigned number;
    bool context;
    std::string text;
    bool operator==(const ShownLine& other) const {
        return number == other.number && context == other.context && text == other.text;
    }
};

// Lines ended by CR LF, CR (the rich edit's paragraphs) or LF (the command line's output).
std::vector<std::string> Paragraphs(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines.push_back(line);
        line.clear();
    }
    lines.push_back(line);
    return lines;
}

std::vector<ShownLine> LinesOf(const std::string& text) {
    std::vector<ShownLine> shown;
    for (const std::string& paragraph : Paragraphs(text)) {
        std::size_t at = paragraph.find_first_not_of(' ');
        if (at == std::string::npos || paragraph[at] < '0' || paragraph[at] > '9') continue;
        unsigned number = 0;
        while (at < paragraph.size() && paragraph[at] >= '0' && paragraph[at] <= '9') {
            number = number * 10 + static_cast<unsigned>(paragraph[at++] - '0');
        }
        if (at + 1 >= paragraph.size() || (paragraph[at] != ':' && paragraph[at] != '-')) continue;
        shown.push_back({number, paragraph[at] == '-', paragraph.substr(at + 2)});
    }
    return shown;
}

// Runs quelbrix.exe from the build folder and returns what it printed.
std::string RunCommandLine(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "<no pipe>";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::string line = "\"" + e2e::BuildFolder() + "quelbrix.exe\" " + arguments;
    const BOOL started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string out;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            out.append(buffer, got);
        }
        WaitForSingleObject(process.hProcess, kLongWaitMs);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return started ? out : "<not started>";
}

// The command line's "NAME:LINE:TEXT" and "NAME-LINE-TEXT" lines for `name`.
std::vector<ShownLine> CommandLineLines(const std::string& output, const std::string& name) {
    std::vector<ShownLine> lines;
    for (const std::string& line : Paragraphs(output)) {
        if (line.compare(0, name.size(), name) != 0 || line.size() <= name.size()) continue;
        const char mark = line[name.size()];
        if (mark != ':' && mark != '-') continue;
        const std::size_t numberEnd = line.find(mark, name.size() + 1);
        if (numberEnd == std::string::npos) continue;
        const unsigned number =
            static_cast<unsigned>(std::stoul(line.substr(name.size() + 1, numberEnd)));
        lines.push_back({number, mark == '-', line.substr(numberEnd + 1)});
    }
    return lines;
}

class PreviewTest : public ::testing::Test {
protected:
    PreviewTest() : root("preview"), program(root.Path() + "prog\\"), data(root.Path() + "data\\") {
        e2e::MakeFolder(program);
        e2e::MakeFolder(data);
        AppSession::InstallProgram(program);
        e2e::WriteFileBytes(data + "minutes.txt", kMinutes);
        e2e::WriteFileBytes(data + "other.txt", "検索\r\n");
    }

    void WriteSettings(const std::string& text) { e2e::WriteFileBytes(program + "QuelbrixU.ini", text); }
    std::string Settings() { return e2e::ReadFileBytes(program + "QuelbrixU.ini"); }

    // The pane's whole text, as a screen reader would read it.
    static std::string PreviewText(const AppSession& app) {
        HWND pane = app.Item(kPreview);
        if (pane == nullptr) return "<no pane>";
        const LRESULT length = SendMessageA(pane, WM_GETTEXTLENGTH, 0, 0);
        std::string text(static_cast<std::size_t>(length > 0 ? length : 0) * 2 + 1, '\0');
        const LRESULT got = SendMessageA(pane, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return text;
    }
    // Waits until the pane's header has its count (the file was read to its end) or a note.
    static bool WaitForPreview(const AppSession& app, const std::string& part,
                               DWORD waitMs = e2e::kWaitMs) {
        return e2e::WaitUntil(
            [&] { return PreviewText(app).find(part) != std::string::npos; }, waitMs);
    }
    // The row whose file cell is `name`, or -1.
    static int RowOf(const AppSession& app, const std::string& name) {
        for (int row = 0; row < app.RowCount(); ++row) {
            if (app.Cell(row, QUELBRIX_COLUMN_FILE).find(name) != std::string::npos) return row;
        }
        return -1;
    }

    TempFolder root;
    std::string program;
    std::string data;
};

TEST_F(PreviewTest, SelectedRowShowsItsHitLinesAsTheCommandLineListsThem) {
    for (int context : {0, 1}) {
        WriteSettings("[preview]\r\ncontext=" + std::to_string(context) + "\r\n");
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(app.SearchAndCloseSummary(data, "検索"));
        const int row = RowOf(app, "minutes.txt");
        ASSERT_GE(row, 0);
        ASSERT_TRUE(e2e::SelectRow(app, row));
        ASSERT_TRUE(WaitForPreview(app, " 件")) << PreviewText(app);

        const std::string text = PreviewText(app);
        const std::vector<std::string> paragraphs = Paragraphs(text);
        ASSERT_FALSE(paragraphs.empty());
        // The header: the path, the encoding it was read as and the number of hits.
        EXPECT_NE(paragraphs[0].find(data + "minutes.txt"), std::string::npos) << paragraphs[0];
        EXPECT_NE(paragraphs[0].find("Shift_JIS"), std::string::npos) << paragraphs[0];
        EXPECT_NE(paragraphs[0].find("4 件"), std::string::npos) << paragraphs[0];

        // The folder without its last backslash, which would escape the closing quote.
        const std::string printed =
            RunCommandLine("--no-utf8 search --relative -C " + std::to_string(context) + " \"" +
                           data.substr(0, data.size() - 1) + "\" 検索");
        const std::vector<ShownLine> expected = CommandLineLines(printed, "minutes.txt");
        ASSERT_EQ(expected.size(), context == 0 ? 3u : 6u) << printed;
        EXPECT_EQ(LinesOf(text), expected) << text << "\n----\n" << printed;

        if (context == 1) {
            EXPECT_TRUE(app.SaveScreenshot(ArtifactFolder() + "/preview_with_context.bmp"));
        }
        ASSERT_TRUE(app.Exit());
    }
}

TEST_F(PreviewTest, TheNextRowReplacesTheLinesAndAFileThatIsGoneSaysSo) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.SearchAndCloseSummary(data, "検索"));
    const int other = RowOf(app, "other.txt");
    ASSERT_GE(other, 0);
    ASSERT_TRUE(e2e::SelectRow(app, other));
    ASSERT_TRUE(WaitForPreview(app, "1 件")) << PreviewText(app);
    EXPECT_EQ(LinesOf(PreviewText(app)).size(), 1u);

    ASSERT_TRUE(DeleteFileA((data + "minutes.txt").c_str()));
    ASSERT_TRUE(e2e::SelectRow(app, RowOf(app, "minutes.txt")));
    ASSERT_TRUE(WaitForPreview(app, "このファイルを開けません")) << PreviewText(app);
    const std::vector<std::string> paragraphs = Paragraphs(PreviewText(app));
    EXPECT_EQ(paragraphs.size(), 2u);  // the path and the one line saying why
    EXPECT_TRUE(LinesOf(PreviewText(app)).empty());
    ASSERT_TRUE(app.Exit());
}

TEST_F(PreviewTest, TheWordOfTheListIsShownNotTheWordTypedSince) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.SearchAndCloseSummary(data, "予算"));
    app.SetText(IDC_WORD, "検索");
    ASSERT_TRUE(e2e::SelectRow(app, RowOf(app, "minutes.txt")));
    ASSERT_TRUE(WaitForPreview(app, " 件")) << PreviewText(app);
    const std::vector<ShownLine> lines = LinesOf(PreviewText(app));
    ASSERT_EQ(lines.size(), 2u);  // 予算の確認 and 予算案; no line of 検索 alone
    EXPECT_EQ(lines[0].number, 2u);
    EXPECT_EQ(lines[1].number, 3u);
    ASSERT_TRUE(app.Exit());
}

TEST_F(PreviewTest, HeightIsKeptShutStaysShutAndHideLeavesTheListAlone) {
    struct Case {
        const char* settings;
        bool paneShown;
        int height;          // at 96 DPI, when shown
        const char* stored;  // on exit
    };
    const Case cases[] = {
        {"[main]\r\npreview=200\r\n", true, 200, "200"},
        {"[main]\r\npreview=0\r\n", false, 0, "0"},
        {"[main]\r\npreview=200\r\n[preview]\r\nhide=1\r\n", false, 0, "200"},
        {"[main]\r\npreview=junk\r\n", true, 150, "150"},  // the default
    };
    for (const Case& c : cases) {
        WriteSettings(c.settings);
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        HWND pane = app.Item(kPreview);
        ASSERT_NE(pane, nullptr);
        EXPECT_EQ(IsWindowVisible(pane) != FALSE, c.paneShown) << c.settings;
        RECT list{};
        GetWindowRect(app.Item(IDC_RESULT_LIST), &list);
        if (c.paneShown) {
            RECT shown{};
            GetWindowRect(pane, &shown);
            EXPECT_EQ(shown.bottom - shown.top, c.height) << c.settings;
            EXPECT_GT(shown.top, list.bottom) << c.settings;  // below the list, the splitter between
        }
        ASSERT_TRUE(app.Exit());
        EXPECT_EQ(IniValue(Settings(), "main", "preview"), c.stored) << c.settings;
    }
}

TEST_F(PreviewTest, AFirstStartGrowsTheWindowByThePaneAndKeepsTheListsHeight) {
    RECT withoutFrame{}, withoutList{};
    {
        WriteSettings("[preview]\r\nhide=1\r\n");
        AppSession app(program);
        ASSERT_TRUE(app.Start());
        GetWindowRect(app.Main(), &withoutFrame);
        GetWindowRect(app.Item(IDC_RESULT_LIST), &withoutList);
        ASSERT_TRUE(app.Exit());
    }
    WriteSettings("");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    RECT frame{}, list{}, pane{};
    GetWindowRect(app.Main(), &frame);
    GetWindowRect(app.Item(IDC_RESULT_LIST), &list);
    GetWindowRect(app.Item(kPreview), &pane);
    EXPECT_EQ(frame.right - frame.left, withoutFrame.right - withoutFrame.left);
    EXPECT_EQ(frame.bottom - frame.top, withoutFrame.bottom - withoutFrame.top + 150 + 6);
    EXPECT_EQ(list.bottom - list.top, withoutList.bottom - withoutList.top);
    EXPECT_EQ(pane.bottom - pane.top, 150);
    ASSERT_TRUE(app.Exit());
}

TEST_F(PreviewTest, DraggingTheSplitterToTheBottomShutsThePaneAndUpOpensItAgain) {
    WriteSettings("[main]\r\npreview=150\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.SearchAndCloseSummary(data, "検索"));
    ASSERT_TRUE(e2e::SelectRow(app, 0));
    HWND pane = app.Item(kPreview);
    RECT list{}, shown{};
    GetWindowRect(app.Item(IDC_RESULT_LIST), &list);
    GetWindowRect(pane, &shown);
    const int x = (list.left + list.right) / 2;
    const int bar = (list.bottom + shown.top) / 2;
    // The splitter takes the mouse's capture when pressed. Under load a press can reach the
    // program before it saw the cursor on the bar, and is then no drag: it is pressed again.
    const DWORD thread = GetWindowThreadProcessId(app.Main(), nullptr);
    auto captured = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndCapture == app.Main();
    };
    auto drag = [&](int fromY, int toY) {
        SetForegroundWindow(app.Main());
        for (int attempt = 0; attempt < 3; ++attempt) {
            SetCursorPos(x, fromY);
            mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
            Sleep(100);
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            if (e2e::WaitUntil(captured, 2000)) break;
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        for (int step = 1; step <= 5; ++step) {
            SetCursorPos(x, fromY + (toY - fromY) * step / 5);
            mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
            Sleep(30);
        }
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        e2e::WaitUntil([&] { return !captured(); }, 2000);
        Sleep(300);
    };
    drag(bar, shown.bottom + 40);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(pane) == FALSE; })) << "still open";
    RECT longer{};
    GetWindowRect(app.Item(IDC_RESULT_LIST), &longer);
    EXPECT_GT(longer.bottom, list.bottom + 100);  // the list took the space

    drag(longer.bottom + 2, longer.bottom - 120);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(pane) != FALSE; })) << "still shut";
    EXPECT_TRUE(WaitForPreview(app, " 件")) << PreviewText(app);  // filled again when opened
    ASSERT_TRUE(app.Exit());
    const std::string height = IniValue(Settings(), "main", "preview");
    EXPECT_GT(std::stoi(height), 100) << height;
    EXPECT_LT(std::stoi(height), 140) << height;
}

TEST_F(PreviewTest, AFileOfManyHitLinesShowsTheFirstThousandAndSaysHowManyMore) {
    std::string many;
    for (int i = 1; i <= 1500; ++i) many += "line " + std::to_string(i) + " 検索\r\n";
    e2e::WriteFileBytes(data + "many.txt", many);
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.SearchAndCloseSummary(data, "検索"));
    ASSERT_TRUE(e2e::SelectRow(app, RowOf(app, "many.txt")));
    ASSERT_TRUE(WaitForPreview(app, "1500 件")) << PreviewText(app).substr(0, 200);
    ASSERT_TRUE(WaitForPreview(app, "ほかに 500 行"));
    const std::vector<ShownLine> lines = LinesOf(PreviewText(app));
    ASSERT_EQ(lines.size(), 1000u);
    EXPECT_EQ(lines.back().number, 1000u);
    EXPECT_EQ(lines.back().text, "line 1000 検索");
    // The pane is the next stop after the list for Tab, and a screen reader reads its text.
    EXPECT_EQ(GetNextDlgTabItem(app.Main(), app.Item(IDC_RESULT_LIST), FALSE), app.Item(kPreview));
    ASSERT_TRUE(app.Exit());
}

// The editor is a stand-in that records its command line in command_line.txt beside itself.
class PreviewJumpTest : public PreviewTest {
protected:
    PreviewJumpTest() : tools(root.Path() + "editor dir\\") {
        e2e::MakeFolder(tools);
        CopyFileA((e2e::BuildFolder() + "command_line_recorder.exe").c_str(),
                  (tools + "editor.exe").c_str(), FALSE);
    }
    std::string Recorded() {
        const std::string path = tools + "command_line.txt";
        if (!e2e::WaitUntil([&] { return e2e::FileExistsAt(path); })) return "<not started>";
        const std::string line = e2e::ReadFileBytes(path);
        DeleteFileA(path.c_str());
        return line;
    }
    // Puts the caret on paragraph `paragraph` of the pane.
    static void PutCaretOn(const AppSession& app, int paragraph) {
        HWND pane = app.Item(kPreview);
        const LRESULT at = SendMessageA(pane, EM_LINEINDEX, static_cast<WPARAM>(paragraph), 0);
        SendMessageA(pane, EM_SETSEL, static_cast<WPARAM>(at), at);
    }
    std::string tools;
};

TEST_F(PreviewJumpTest, EnterAndADoubleClickOpenTheEditorAtThatLine) {
    WriteSettings("[preview]\r\neditor=" + tools + "editor.exe\r\narguments=-n%L \"%F\"\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.SearchAndCloseSummary(data, "検索"));
    ASSERT_TRUE(e2e::SelectRow(app, RowOf(app, "minutes.txt")));
    ASSERT_TRUE(WaitForPreview(app, " 件"));
    const std::string editor = "\"" + tools + "editor.exe\"";

    // Enter on the second hit line (paragraph 2: the header is paragraph 0).
    HWND pane = app.Item(kPreview);
    PutCaretOn(app, 2);
    PostMessageA(pane, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(pane, WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(Recorded(), editor + " -n4 \"" + data + "minutes.txt\"");

    // A double click on the third hit line.
    const LRESULT at = SendMessageA(pane, EM_LINEINDEX, 3, 0);
    const LRESULT place = SendMessageA(pane, EM_POSFROMCHAR, static_cast<WPARAM>(at) + 10, 0);
    POINT point{static_cast<short>(LOWORD(place)), static_cast<short>(HIWORD(place)) + 3};
    ClientToScreen(pane, &point);
    e2e::ClickAt(point, true);
    EXPECT_EQ(Recorded(), editor + " -n6 \"" + data + "minutes.txt\"");
    ASSERT_TRUE(app.Exit());
}

TEST_F(PreviewJumpTest, AnEditorThatCannotStartIsNamedInAMessage) {
    WriteSettings("[preview]\r\neditor=" + tools + "missing.exe\r\narguments=+%L\r\n");
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.SearchAndCloseSummary(data, "検索"));
    ASSERT_TRUE(e2e::SelectRow(app, RowOf(app, "other.txt")));
    ASSERT_TRUE(WaitForPreview(app, " 件"));
    PutCaretOn(app, 1);
    PostMessageA(app.Item(kPreview), WM_KEYDOWN, VK_RETURN, 0);
    e2e::MessageBoxSeen box;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
    EXPECT_NE(box.text.find("missing.exe"), std::string::npos) << box.text;
    app.Answer(box, IDOK);
    ASSERT_TRUE(app.Exit());
}

// A search through enough files that it lasts seconds (a pause of a millisecond per entry).
TEST_F(PreviewTest, FollowsTheSelectionWhileASearchRuns) {
    TempFolder many("preview_many");
    for (int i = 0; i < 3000; ++i) {
        e2e::WriteFileBytes(many.Path() + "f" + std::to_string(10000 + i) + ".txt",
                            "first\r\nneedle " + std::to_string(i) + "\r\n");
    }
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(IDC_FOLDER, many.Path());
    app.SetText(IDC_WORD, "needle");
    app.Click(IDOK);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app.RowCount() >= 3; }, kLongWaitMs));
    ASSERT_TRUE(e2e::SelectRow(app, 1));
    ASSERT_TRUE(WaitForPreview(app, "1 件", kLongWaitMs)) << PreviewText(app);
    EXPECT_TRUE(app.Enabled(IDC_STOP));  // still searching
    const std::vector<ShownLine> lines = LinesOf(PreviewText(app));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].number, 2u);
    EXPECT_EQ(lines[0].text.compare(0, 7, "needle "), 0);
    app.Click(IDC_STOP);
    e2e::MessageBoxSeen box;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kEngineCaption, box, kLongWaitMs));
    app.Answer(box, IDOK);
    ASSERT_TRUE(app.WaitIdle(kLongWaitMs));
    ASSERT_TRUE(app.Exit());
}

}  // namespace
