// QuelbrixD.dll through its exports, on a real list view and progress bar in a hidden window.
// Message boxes are answered from a CBT hook that records their caption and text.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "common/product.h"
#include "common/text_limits.h"
#include "engine/message_texts.h"
#include "engine/win32_files.h"
#include "engine/win32_ui.h"
#include "quelbrix_engine.h"
#include "timer_resolution.h"

namespace {

struct SeenBox {
    std::string caption;
    std::string text;
};

std::vector<SeenBox> g_boxes;
std::deque<int> g_answers;  // IDYES / IDNO for questions; every other box gets IDOK

LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        GetClassNameA(box, className, sizeof className);
        if (std::string(className) == "#32770") {
            SeenBox seen;
            char text[2048] = "";
            GetWindowTextA(box, text, sizeof text);
            seen.caption = text;
            text[0] = '\0';
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            seen.text = text;
            g_boxes.push_back(seen);
            int answer = IDOK;
            if (GetDlgItem(box, IDYES) != nullptr) {
                answer = g_answers.empty() ? IDYES : g_answers.front();
                if (!g_answers.empty()) g_answers.pop_front();
            }
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

constexpr UINT kPressStop = WM_APP + 1;
constexpr UINT kClickColumn = WM_APP + 2;
constexpr UINT kAskHitLines = WM_APP + 3;  // lParam: the path

HWND g_progress = nullptr;

// Every call of a QuelbrixGetHitLines callback: "encoding 0x802" (plain ASCII reads as UTF-7), "3:text [start,end)" for a
// hit line, "2-text" for a context line.
struct HitLineCalls {
    std::vector<std::string> calls;
    int stopAfter = -1;  // answer FALSE at this call (0-based)
};

BOOL CALLBACK RecordHitLine(const QUELBRIX_HIT_LINE* line, LPVOID context) {
    auto& seen = *static_cast<HitLineCalls*>(context);
    char text[64];
    if (line->kind == QUELBRIX_LINE_ENCODING) {
        std::snprintf(text, sizeof text, "encoding 0x%X%s", line->encoding,
                      line->converted ? " converted" : "");
        seen.calls.push_back(text);
    } else {
        std::string shown = std::to_string(line->lineNumber) +
                            (line->kind == QUELBRIX_LINE_CONTEXT ? "-" : ":") +
                            std::string(line->text, line->length);
        for (DWORD i = 0; i < line->hitCount; ++i)
            shown += " [" + std::to_string(line->hits[i].start) + "," +
                     std::to_string(line->hits[i].end) + ")";
        seen.calls.push_back(shown);
    }
    const bool goOn = seen.stopAfter != static_cast<int>(seen.calls.size()) - 1;
    return goOn ? TRUE : FALSE;
}

QUELBRIX_HIT_LINE_OPTIONS HitLineOptions(const char* word, int context = 0) {
    QUELBRIX_HIT_LINE_OPTIONS options{};
    options.size = sizeof options;
    options.word = word;
    options.convertCodes = TRUE;
    options.contextLines = context;
    return options;
}

HitLineCalls g_previewed;
int g_previewResult = 0;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPressStop) {
        QuelbrixFindStop(window, g_progress);
        return 0;
    }
    if (message == kAskHitLines) {
        const QUELBRIX_HIT_LINE_OPTIONS options = HitLineOptions("cd");
        g_previewResult = QuelbrixGetHitLines(reinterpret_cast<const char*>(lParam), &options,
                                              RecordHitLine, &g_previewed);
        return 0;
    }
    if (message == kClickColumn) {
        NMLISTVIEW click{};
        click.hdr.code = LVN_COLUMNCLICK;
        click.iSubItem = static_cast<int>(wParam);
        QuelbrixSort(&click);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const std::string kCaption = quelbrix::kEngineCaption;

class EngineDllTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuelbrixEngineTestOwner";
        RegisterClassA(&windowClass);
        owner = CreateWindowA("QuelbrixEngineTestOwner", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 640,
                              480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        list = CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 600, 300, owner,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
        g_progress = CreateWindowA(PROGRESS_CLASSA, "", WS_CHILD, 0, 310, 600, 20, owner, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        hook = SetWindowsHookExA(WH_CBT, AnswerBoxes, nullptr, GetCurrentThreadId());
        QuelbrixInitListView(list, QUELBRIX_WIDTH_FILE, QUELBRIX_WIDTH_COUNT, QUELBRIX_WIDTH_SIZE,
                             QUELBRIX_WIDTH_TIME);
    }
    static void TearDownTestSuite() {
        UnhookWindowsHookEx(hook);
        DestroyWindow(owner);
    }

    void SetUp() override {
        g_boxes.clear();
        g_answers.clear();
        char temp[quelbrix::kPathBytes];
        GetTempPathA(sizeof temp, temp);
        static int serial = 0;
        root = std::string(temp) + "quelbrix-engine-" + std::to_string(GetCurrentProcessId()) +
               "-" + std::to_string(++serial) + "\\";
        CreateDirectoryA(root.c_str(), nullptr);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    void TearDown() override {
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            if (it->back() == '\\')
                RemoveDirectoryA(it->c_str());
            else
                DeleteFileA(it->c_str());
        }
        RemoveDirectoryA(root.c_str());
    }

    void Folder(const std::string& name) {
        CreateDirectoryA((root + name).c_str(), nullptr);
        made.push_back(root + name + "\\");
    }
    void File(const std::string& name, const std::string& content) {
        HANDLE file = CreateFileA((root + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        made.push_back(root + name);
    }

    BOOLEAN Search(const char* word, const char* extensions, bool withProgress, int policy = 0,
                   bool relative = true) {
        return QuelbrixFindFolder(owner, root.c_str(), word, extensions, FALSE,
                                  withProgress ? g_progress : nullptr, TRUE, relative, TRUE, FALSE,
                                  policy);
    }

    // The options of a search of `root` for `word` as an expression: every file, no progress
    // bar, no subfolders, relative paths, counts, conversion, files that fail skipped.
    QUELBRIX_SEARCH_OPTIONS SearchOptions(const char* word) const {
        QUELBRIX_SEARCH_OPTIONS options{};
        options.size = sizeof options;
        options.owner = owner;
        options.folder = root.c_str();
        options.word = word;
        options.extensions = "";
        options.useRegex = TRUE;
        options.relativePaths = TRUE;
        options.countHits = TRUE;
        options.convertCodes = TRUE;
        options.errorPolicy = 1;
        return options;
    }

    static std::string Cell(int row, int column) {
        char text[300] = "";
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    static std::vector<std::string> Column(int column) {
        std::vector<std::string> cells;
        int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) cells.push_back(Cell(row, column));
        return cells;
    }
    static int ProgressPosition() {
        return static_cast<int>(SendMessageA(g_progress, PBM_GETPOS, 0, 0));
    }

    static inline HWND owner = nullptr;
    static inline HWND list = nullptr;
    static inline HHOOK hook = nullptr;
    std::string root;
    std::vector<std::string> made;
};

TEST_F(EngineDllTest, VersionAndBeta) {
    EXPECT_EQ(QuelbrixGetVer(), 111);
    EXPECT_EQ(QuelbrixGetBeta(), 0);
}

TEST_F(EngineDllTest, ExportsByOrdinalInTheirOrder) {
    HMODULE dll = GetModuleHandleA("QuelbrixD.dll");
    ASSERT_NE(dll, nullptr);
    const char* names[] = {"QuelbrixGetVer",       "QuelbrixGetBeta",     "QuelbrixInitListView",
                           "QuelbrixFindFolder",   "QuelbrixSort",        "QuelbrixFindStop",
                           "QuelbrixFindFolderEx", "QuelbrixGetHitLines", "QuelbrixSearch"};
    for (int ordinal = 1; ordinal <= 9; ++ordinal) {
        FARPROC byOrdinal = GetProcAddress(dll, MAKEINTRESOURCEA(ordinal));
        ASSERT_NE(byOrdinal, nullptr) << ordinal;
        EXPECT_EQ(byOrdinal, GetProcAddress(dll, names[ordinal - 1])) << names[ordinal - 1];
    }
    EXPECT_EQ(GetProcAddress(dll, MAKEINTRESOURCEA(10)), nullptr);
}

TEST_F(EngineDllTest, StringTableHoldsTheEngineTexts) {
    HMODULE dll = GetModuleHandleA("QuelbrixD.dll");
    for (int id = 123; id <= 129; ++id) {
        char text[1024] = "";
        ASSERT_GT(LoadStringA(dll, id, text, sizeof text), 0) << id;
        EXPECT_EQ(std::string(text), quelbrix::EngineMessageText(id)) << id;
    }
}

TEST_F(EngineDllTest, ListHasFourColumnsAndGridStyle) {
    const char* headers[] = {"ファイル名・場所", "サイズ", "更新日時", "一致数"};
    const int widths[] = {300, 72, 120, 60};
    for (int column = 0; column < 4; ++column) {
        char text[64] = "";
        LVCOLUMNA info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
        EXPECT_STREQ(text, headers[column]);
        EXPECT_EQ(info.cx, widths[column]);
        EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, column == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT);
    }
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
              LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

TEST_F(EngineDllTest, SearchListsRowsAndShowsTheSummary) {
    File("a.txt", "ab ab");
    Folder("\x95\x5C");  // 表: its second byte is a backslash
    File("\x95\x5C\\b.TXT", "xab");
    File("c.log", "ab");
    EXPECT_TRUE(Search("ab", "txt,", true));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a.txt", "\x95\x5C\\b.TXT"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"5", "3"}));
    EXPECT_EQ(Column(3), (std::vector<std::string>{"2", "1"}));

    // The time column is the last-write time in UTC.
    HANDLE file = CreateFileA((root + "a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    FILETIME written;
    SYSTEMTIME utc;
    GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    FileTimeToSystemTime(&written, &utc);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.4d/%.2d/%.2d %.2d:%.2d:%.2d", utc.wYear, utc.wMonth,
                  utc.wDay, utc.wHour, utc.wMinute, utc.wSecond);
    EXPECT_EQ(Cell(0, 2), expected);

    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].caption, kCaption);
    EXPECT_EQ(g_boxes[0].text,
              "「ab」を検索した結果、\n" + root +
                  "に含まれる\n指定されたタイプのファイル2個中のファイルのうち2個の中に\n"
                  "含まれていることが判明しました。");
    PBRANGE range{};
    SendMessageA(g_progress, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 2);
    EXPECT_EQ(ProgressPosition(), 0);
}

TEST_F(EngineDllTest, FindFolderExConvertsUtf8FilesOnlyWhenAsked) {
    File("u.txt", "\xE6\xBC\xA2\xE5\xAD\x97");  // 漢字 in UTF-8
    const char* word = "\x8A\xBF\x8E\x9A";      // 漢字 in Shift_JIS
    QuelbrixFindFolderEx(owner, root.c_str(), word, "", FALSE, nullptr, FALSE, TRUE, TRUE, TRUE, 1,
                         TRUE);
    EXPECT_EQ(Column(3), (std::vector<std::string>{"1"}));
    QuelbrixFindFolder(owner, root.c_str(), word, "", FALSE, nullptr, FALSE, TRUE, TRUE, TRUE, 1);
    EXPECT_TRUE(Column(3).empty());
}

TEST_F(EngineDllTest, SearchWithIgnoreCaseFindsTheWordInEitherCase) {
    File("lower.txt", "abc\r\n");
    File("other.txt", "xyz\r\n");
    struct Case {
        const char* name;
        BOOLEAN ignoreCase;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"folded", TRUE, {"lower.txt"}},
        {"as typed", FALSE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_boxes.clear();
        QUELBRIX_SEARCH_OPTIONS options = SearchOptions("ABC");
        options.ignoreCase = c.ignoreCase;
        EXPECT_TRUE(QuelbrixSearch(&options));
        EXPECT_EQ(Column(0), c.rows);
        ASSERT_EQ(g_boxes.size(), 1u);  // the summary
        EXPECT_EQ(g_boxes[0].caption, kCaption);
    }
    // The older exports fold nothing.
    EXPECT_TRUE(QuelbrixFindFolderEx(owner, root.c_str(), "ABC", "", TRUE, nullptr, FALSE, TRUE,
                                     TRUE, TRUE, 1, FALSE));
    EXPECT_TRUE(Column(0).empty());
    EXPECT_TRUE(QuelbrixFindFolderEx(owner, root.c_str(), "abc", "", TRUE, nullptr, FALSE, TRUE,
                                     TRUE, TRUE, 1, FALSE));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"lower.txt"}));
}

TEST_F(EngineDllTest, SearchOptionsThatAreMissingOrTooSmallAreRefusedWithoutASearch) {
    File("a.txt", "ab");
    ASSERT_TRUE(Search("ab", "", false));
    ASSERT_EQ(Column(0).size(), 1u);
    g_boxes.clear();
    EXPECT_FALSE(QuelbrixSearch(nullptr));
    QUELBRIX_SEARCH_OPTIONS options = SearchOptions("ab");
    options.size = QUELBRIX_SEARCH_OPTIONS_V1_SIZE - 1;
    EXPECT_FALSE(QuelbrixSearch(&options));
    options.size = 0;
    EXPECT_FALSE(QuelbrixSearch(&options));
    // A search would have emptied the list first and shown its summary.
    EXPECT_EQ(Column(0).size(), 1u);
    EXPECT_TRUE(g_boxes.empty());

    options.size = QUELBRIX_SEARCH_OPTIONS_V1_SIZE;  // the first version's size is enough
    EXPECT_TRUE(QuelbrixSearch(&options));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a.txt"}));
    EXPECT_EQ(g_boxes.size(), 1u);
}

TEST_F(EngineDllTest, SearchTakesEveryOptionOfFindFolderEx) {
    Folder("sub");
    File("sub\\a.txt", "ab ab");
    File("b.log", "ab");
    File("u.txt", "\xE6\xBC\xA2\xE5\xAD\x97");  // 漢字 in UTF-8
    QUELBRIX_SEARCH_OPTIONS options = SearchOptions("ab");
    options.extensions = "txt,";
    options.searchSubfolders = TRUE;
    options.relativePaths = FALSE;
    options.countHits = FALSE;
    options.progress = g_progress;
    EXPECT_TRUE(QuelbrixSearch(&options));
    EXPECT_EQ(Column(0), (std::vector<std::string>{root + "sub\\a.txt"}));
    EXPECT_EQ(Column(3), (std::vector<std::string>{""}));
    PBRANGE range{};
    SendMessageA(g_progress, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iHigh, 2);  // the counting pass ran: sub\a.txt and u.txt

    options = SearchOptions("\x8A\xBF\x8E\x9A");  // 漢字 in Shift_JIS
    options.convertUtf8Files = TRUE;
    EXPECT_TRUE(QuelbrixSearch(&options));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"u.txt"}));
    options.convertCodes = FALSE;  // UTF-8 files are converted only with the conversion on
    EXPECT_TRUE(QuelbrixSearch(&options));
    EXPECT_TRUE(Column(0).empty());
}

// Without the pause the search lists and sums up as with it, and a stop pressed during the
// walk still reaches the engine through the messages it dispatches.
TEST_F(EngineDllTest, SearchWithoutThePauseFindsTheSameAndStillStops) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) File(name, "ab");
    struct Case {
        const char* name;
        BOOLEAN noPause;
    };
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> summaries;
    for (const Case& c : {Case{"paused", FALSE}, Case{"without the pause", TRUE}}) {
        SCOPED_TRACE(c.name);
        g_boxes.clear();
        QUELBRIX_SEARCH_OPTIONS options = SearchOptions("ab");
        options.noPause = c.noPause;
        EXPECT_TRUE(QuelbrixSearch(&options));
        rows.push_back(Column(0));
        ASSERT_EQ(g_boxes.size(), 1u);
        summaries.push_back(g_boxes[0].text);

        g_boxes.clear();
        PostMessageA(owner, kPressStop, 0, 0);
        EXPECT_FALSE(QuelbrixSearch(&options));
        EXPECT_EQ(Column(0).size(), 1u);
        ASSERT_EQ(g_boxes.size(), 1u);
        EXPECT_EQ(g_boxes[0].text, "ユーザー操作によって検索は中断されました。");
    }
    EXPECT_EQ(rows[0].size(), 4u);
    EXPECT_EQ(rows[1], rows[0]);
    EXPECT_EQ(summaries[1], summaries[0]);
}

// A caller whose options end before noPause: the engine reads nothing past its size (the page
// after it is inaccessible) and pauses as before.
TEST_F(EngineDllTest, OptionsEndingBeforeNoPauseAreReadWithinTheirSize) {
    File("a.txt", "ab");
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const SIZE_T page = system.dwPageSize;
    char* const pages = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &old));
    const std::size_t size = offsetof(QUELBRIX_SEARCH_OPTIONS, noPause);
    // The structure placed so that its noPause would lie on the inaccessible page.
    auto* options = reinterpret_cast<QUELBRIX_SEARCH_OPTIONS*>(pages + page - size);
    const QUELBRIX_SEARCH_OPTIONS full = SearchOptions("ab");
    std::memcpy(options, &full, size);
    options->size = static_cast<DWORD>(size);
    EXPECT_TRUE(QuelbrixSearch(options));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a.txt"}));
    EXPECT_EQ(g_boxes.size(), 1u);
    VirtualFree(pages, 0, MEM_RELEASE);
}

// Folders left out by name, here one whose name's second byte is 0x5C (表), and the counting
// pass leaving them out too; a caller whose options end before the member leaves nothing out.
TEST_F(EngineDllTest, SearchLeavesOutTheFoldersNamedAndOnlyWhenGivenThem) {
    Folder("sub");
    Folder("sub\\Obj");
    Folder("\x95\x5C");
    File("sub\\Obj\\a.txt", "ab");
    File("\x95\x5C\\b.txt", "ab");
    File("sub\\c.txt", "ab");
    File("obj", "ab");  // a file of that name is still searched
    const struct {
        const char* name;
        DWORD size;
        const char* excludeFolders;
        std::vector<std::string> rows;
    } cases[] = {
        {"given", sizeof(QUELBRIX_SEARCH_OPTIONS), "obj; \x95\x5C", {"obj", "sub\\c.txt"}},
        // ? takes 表 whole; "\x95?" would be a lone lead byte and a ?, two characters.
        {"a pattern", sizeof(QUELBRIX_SEARCH_OPTIONS), "?b*;?", {"obj", "sub\\c.txt"}},
        {"a lone lead byte", sizeof(QUELBRIX_SEARCH_OPTIONS), "?b*;\x95?",
         {"obj", "sub\\c.txt", "\x95\x5C\\b.txt"}},
        {"null", sizeof(QUELBRIX_SEARCH_OPTIONS), nullptr,
         {"obj", "sub\\Obj\\a.txt", "sub\\c.txt", "\x95\x5C\\b.txt"}},
        {"size before it", offsetof(QUELBRIX_SEARCH_OPTIONS, excludeFolders), "obj;\x95\x5C",
         {"obj", "sub\\Obj\\a.txt", "sub\\c.txt", "\x95\x5C\\b.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QUELBRIX_SEARCH_OPTIONS options = SearchOptions("ab");
        options.searchSubfolders = TRUE;
        options.progress = g_progress;
        options.excludeFolders = c.excludeFolders;
        options.size = c.size;
        EXPECT_TRUE(QuelbrixSearch(&options));
        std::vector<std::string> rows = Column(0);
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, c.rows);
        PBRANGE range{};
        SendMessageA(g_progress, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(range.iHigh, static_cast<int>(c.rows.size()));
    }
}

TEST_F(EngineDllTest, HitLinesFoldOnlyWhenTheOptionsReachTheFolds) {
    File("a.txt", "x\nabc\n");
    const std::string path = root + "a.txt";
    QUELBRIX_HIT_LINE_OPTIONS options = HitLineOptions("ABC");
    options.useRegex = TRUE;
    options.ignoreCase = TRUE;
    HitLineCalls seen;
    EXPECT_EQ(QuelbrixGetHitLines(path.c_str(), &options, RecordHitLine, &seen), 1);
    EXPECT_EQ(seen.calls, (std::vector<std::string>{"encoding 0x802", "2:abc [0,3)"}));

    // A caller that knows only the first version: what lies past its size is not its own and
    // is not read, so nothing folds.
    options.size = QUELBRIX_HIT_LINE_OPTIONS_V1_SIZE;
    seen = HitLineCalls{};
    EXPECT_EQ(QuelbrixGetHitLines(path.c_str(), &options, RecordHitLine, &seen), 0);
    EXPECT_EQ(seen.calls, (std::vector<std::string>{"encoding 0x802"}));
    options.word = "abc";
    seen = HitLineCalls{};
    EXPECT_EQ(QuelbrixGetHitLines(path.c_str(), &options, RecordHitLine, &seen), 1);
    EXPECT_EQ(seen.calls, (std::vector<std::string>{"encoding 0x802", "2:abc [0,3)"}));
}

TEST_F(EngineDllTest, HitLinesOfAFileWithTheirContext) {
    File("a.txt", "x\r\nab and ab\r\ny\r\nz\r\n");
    const QUELBRIX_HIT_LINE_OPTIONS options = HitLineOptions("ab", 1);
    HitLineCalls seen;
    EXPECT_EQ(QuelbrixGetHitLines((root + "a.txt").c_str(), &options, RecordHitLine, &seen), 2);
    EXPECT_EQ(seen.calls, (std::vector<std::string>{"encoding 0x802", "1-x",
                                                    "2:ab and ab [0,2) [7,9)", "3-y"}));
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(EngineDllTest, HitLinesOfAnEucFileAreConvertedShiftJis) {
    File("e.txt", "\xC6\xFC\xCB\xDC\n\xB8\xA1\xBA\xF7\n");  // 日本 / 検索 in EUC-JP
    const QUELBRIX_HIT_LINE_OPTIONS options = HitLineOptions("\x8C\x9F\x8D\xF5");
    HitLineCalls seen;
    EXPECT_EQ(QuelbrixGetHitLines((root + "e.txt").c_str(), &options, RecordHitLine, &seen), 1);
    EXPECT_EQ(seen.calls, (std::vector<std::string>{"encoding 0x400 converted",
                                                    "2:\x8C\x9F\x8D\xF5 [0,4)"}));
}

// UTF-16 with a byte-order mark that the detector calls binary is read as UTF-16 all the same,
// and the callback is told which form: a big-endian file has a value of its own.
TEST_F(EngineDllTest, HitLinesOfMarkedUtf16NameTheFormItWasReadIn) {
    // The mark, then a検索 (U+0061 U+691C U+7D22), in either byte order.
    File("le.txt", std::string("\xFF\xFE\x61\x00\x1C\x69\x22\x7D", 8));
    File("be.txt", std::string("\xFE\xFF\x00\x61\x69\x1C\x7D\x22", 8));
    File("none.txt", std::string("\x61\x00\x1C\x69\x22\x7D", 6));
    const QUELBRIX_HIT_LINE_OPTIONS options = HitLineOptions("\x8C\x9F\x8D\xF5");
    struct Case {
        const char* name;
        int hits;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"le.txt", 1, {"encoding 0x800 converted", "1:?a\x8C\x9F\x8D\xF5 [2,6)"}},
        {"be.txt", 1, {"encoding 0x803 converted", "1:?a\x8C\x9F\x8D\xF5 [2,6)"}},
        {"none.txt", 0, {"encoding 0x2000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HitLineCalls seen;
        EXPECT_EQ(QuelbrixGetHitLines((root + c.name).c_str(), &options, RecordHitLine, &seen),
                  c.hits);
        EXPECT_EQ(seen.calls, c.calls);
    }
    EXPECT_EQ(QUELBRIX_ENCODING_UTF16BE, 0x803);
}

TEST_F(EngineDllTest, HitLinesStopWhenTheCallbackSaysSo) {
    File("a.txt", "ab\nab\nab\n");
    const QUELBRIX_HIT_LINE_OPTIONS options = HitLineOptions("ab");
    HitLineCalls seen;
    seen.stopAfter = 1;
    EXPECT_EQ(QuelbrixGetHitLines((root + "a.txt").c_str(), &options, RecordHitLine, &seen), 1);
    EXPECT_EQ(seen.calls.size(), 2u);
    seen = HitLineCalls{};
    seen.stopAfter = 0;
    EXPECT_EQ(QuelbrixGetHitLines((root + "a.txt").c_str(), &options, RecordHitLine, &seen), 0);
    EXPECT_EQ(seen.calls.size(), 1u);
}

TEST_F(EngineDllTest, HitLinesFailuresAreCodesWithoutAMessage) {
    File("a.txt", "ab");
    const std::string path = root + "a.txt";
    QUELBRIX_HIT_LINE_OPTIONS options = HitLineOptions("ab");
    HitLineCalls seen;
    EXPECT_EQ(QuelbrixGetHitLines((root + "none.txt").c_str(), &options, RecordHitLine, &seen),
              QUELBRIX_HITLINES_NOT_OPENED);
    EXPECT_EQ(QuelbrixGetHitLines(root.c_str(), &options, RecordHitLine, &seen),
              QUELBRIX_HITLINES_NOT_OPENED);
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(QuelbrixGetHitLines(path.c_str(), &options, RecordHitLine, &seen),
              QUELBRIX_HITLINES_NOT_OPENED);
    CloseHandle(lock);
    EXPECT_EQ(QuelbrixGetHitLines(nullptr, &options, RecordHitLine, &seen),
              QUELBRIX_HITLINES_BAD_ARGUMENT);
    EXPECT_EQ(QuelbrixGetHitLines(path.c_str(), nullptr, RecordHitLine, &seen),
              QUELBRIX_HITLINES_BAD_ARGUMENT);
    EXPECT_EQ(QuelbrixGetHitLines(path.c_str(), &options, nullptr, &seen),
              QUELBRIX_HITLINES_BAD_ARGUMENT);
    options.size = QUELBRIX_HIT_LINE_OPTIONS_V1_SIZE - 1;
    EXPECT_EQ(QuelbrixGetHitLines(path.c_str(), &options, RecordHitLine, &seen),
              QUELBRIX_HITLINES_BAD_ARGUMENT);
    options = HitLineOptions("ab", -1);
    EXPECT_EQ(QuelbrixGetHitLines(path.c_str(), &options, RecordHitLine, &seen),
              QUELBRIX_HITLINES_BAD_ARGUMENT);
    options = HitLineOptions("(ab");
    options.useRegex = TRUE;
    EXPECT_EQ(QuelbrixGetHitLines(path.c_str(), &options, RecordHitLine, &seen),
              QUELBRIX_HITLINES_BAD_PATTERN);
    EXPECT_TRUE(seen.calls.empty());
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(EngineDllTest, HitLinesAskedWhileASearchRunsLeaveItAlone) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) File(name, "ab");
    File("p.txt", "x\ncd\n");
    const std::string previewed = root + "p.txt";
    g_previewed = HitLineCalls{};
    g_previewResult = -100;
    PostMessageA(owner, kAskHitLines, 0, reinterpret_cast<LPARAM>(previewed.c_str()));
    EXPECT_TRUE(Search("ab", "", true));
    EXPECT_EQ(g_previewResult, 1);
    EXPECT_EQ(g_previewed.calls, (std::vector<std::string>{"encoding 0x802", "2:cd [0,2)"}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(Column(3), (std::vector<std::string>{"1", "1", "1"}));
    ASSERT_EQ(g_boxes.size(), 1u);  // the summary only
}

// What one reader thread was asked and what it was given, for HitLinesFromOtherThreads.
struct ThreadRead {
    std::string path;
    std::string word;
    int rounds = 0;
    int mismatches = 0;  // rounds whose lines were not those of the first round
    std::vector<std::string> first;
};

DWORD WINAPI ReadHitLinesRepeatedly(LPVOID parameter) {
    auto& read = *static_cast<ThreadRead*>(parameter);
    const QUELBRIX_HIT_LINE_OPTIONS options = HitLineOptions(read.word.c_str(), 1);
    for (int round = 0; round < read.rounds; ++round) {
        HitLineCalls seen;
        QuelbrixGetHitLines(read.path.c_str(), &options, RecordHitLine, &seen);
        if (round == 0) read.first = seen.calls;
        else if (seen.calls != read.first) ++read.mismatches;
    }
    return 0;
}

TEST_F(EngineDllTest, HitLinesFromOtherThreadsWhileASearchRunsAreEachTheirOwn) {
    std::string euc, sjis;
    for (int i = 0; i < 200; ++i) {
        euc += "\xC6\xFC\xCB\xDC " + std::to_string(i) + " \xB8\xA1\xBA\xF7\n";  // 日本 i 検索
        sjis += "line " + std::to_string(i) + (i % 3 == 0 ? " cd\r\n" : "\r\n");
    }
    File("e.txt", euc);
    File("s.txt", sjis);
    for (int i = 0; i < 40; ++i) File("f" + std::to_string(i) + ".txt", "ab");
    ThreadRead reads[2];
    reads[0].path = root + "e.txt";
    reads[0].word = "\x8C\x9F\x8D\xF5";
    reads[1].path = root + "s.txt";
    reads[1].word = "cd";
    HANDLE threads[2] = {};
    for (int i = 0; i < 2; ++i) {
        reads[i].rounds = 30;
        threads[i] = CreateThread(nullptr, 0, ReadHitLinesRepeatedly, &reads[i], 0, nullptr);
        ASSERT_NE(threads[i], nullptr);
    }
    EXPECT_TRUE(Search("ab", "", true));
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
    for (HANDLE thread : threads) CloseHandle(thread);
    EXPECT_EQ(Column(3).size(), 40u);
    for (const ThreadRead& read : reads) {
        EXPECT_EQ(read.mismatches, 0) << read.path;
        ASSERT_FALSE(read.first.empty()) << read.path;
    }
    EXPECT_EQ(reads[0].first.front(), "encoding 0x400 converted");
    EXPECT_EQ(reads[0].first.size(), 201u);  // every line holds the word
    EXPECT_EQ(reads[1].first.size(), 1u + 67u + 133u);  // 67 hit lines, each with its context
}

TEST_F(EngineDllTest, LockedFileAsksAndNoStopsTheSearch) {
    File("a.txt", "ab");
    File("b.txt", "ab");
    HANDLE lock =
        CreateFileA((root + "a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    g_answers = {IDNO};
    SendMessageA(g_progress, PBM_SETPOS, 1, 0);
    BOOLEAN result = Search("ab", "", true, 0, false);
    CloseHandle(lock);
    EXPECT_FALSE(result);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].caption, kCaption);
    EXPECT_EQ(g_boxes[0].text, "検索中にエラーが発生しました。\nファイル名：" + root +
                                   "a.txt\nエラー内容：ファイルが見つかりませんでした。\n\n"
                                   "検索をこのまま続行しますか？");
    EXPECT_EQ(ProgressPosition(), 0);
    EXPECT_TRUE(Column(0).empty());
}

TEST_F(EngineDllTest, LockedFileIsSkippedUnderPolicyOne) {
    File("a.txt", "ab");
    File("b.txt", "ab");
    HANDLE lock =
        CreateFileA((root + "a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    BOOLEAN result = Search("ab", "", false, 1);
    CloseHandle(lock);
    EXPECT_TRUE(result);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"b.txt"}));
    ASSERT_EQ(g_boxes.size(), 1u);  // the summary only
}

TEST_F(EngineDllTest, StopPressedDuringTheWalkEndsIt) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) File(name, "ab");
    SendMessageA(g_progress, PBM_SETPOS, 1, 0);
    PostMessageA(owner, kPressStop, 0, 0);
    EXPECT_FALSE(Search("ab", "", true));
    EXPECT_EQ(Column(0).size(), 1u);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].caption, kCaption);
    EXPECT_EQ(g_boxes[0].text, "ユーザー操作によって検索は中断されました。");
    EXPECT_EQ(ProgressPosition(), 0);
}

TEST_F(EngineDllTest, ColumnClickSortsDescendingThenAscending) {
    File("a.txt", "ab ab ab");
    File("b.txt", "ab");
    File("c.txt", "ab ab");
    ASSERT_TRUE(Search("ab", "", false));
    SendMessageA(owner, kClickColumn, 3, 0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a.txt", "c.txt", "b.txt"}));
    SendMessageA(owner, kClickColumn, 3, 0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"b.txt", "c.txt", "a.txt"}));
    SendMessageA(owner, kClickColumn, 0, 0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"c.txt", "b.txt", "a.txt"}));
}

// A file of 4 GiB or more is refused with message 125, not read with its size cut to 32 bits.
TEST_F(EngineDllTest, FileOf4GiBOrMoreIsRefusedAsUnreadable) {
    const std::string path = root + "huge.txt";
    HANDLE huge = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(huge, INVALID_HANDLE_VALUE);
    made.push_back(path);
    DWORD ignored = 0;
    DeviceIoControl(huge, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    DWORD written = 0;
    WriteFile(huge, "ab", 2, &written, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = 0x100000002LL;  // the low 32 bits say 2: just the "ab" above
    bool sized = SetFilePointerEx(huge, end, nullptr, FILE_BEGIN) && SetEndOfFile(huge);
    CloseHandle(huge);
    if (!sized) GTEST_SKIP() << "no sparse file of 4 GiB here";

    g_answers = {IDYES};
    EXPECT_TRUE(Search("ab", "", false));
    EXPECT_TRUE(Column(0).empty());
    ASSERT_EQ(g_boxes.size(), 2u);
    EXPECT_EQ(g_boxes[0].text, "検索中にエラーが発生しました。\nファイル名：" + path +
                                   "\nエラー内容：ファイルを読み込めませんでした。\n\n"
                                   "検索をこのまま続行しますか？");
}

// A file too big for the buffer kept from file to file is matched through its mapping, and the
// mapping is gone once the search is: the file can be cut again (no one can while it is mapped).
TEST_F(EngineDllTest, ABigFileIsSearchedWholeAndLeftUnmapped) {
    File("big.txt", "ab" + std::string(16u << 20, 'x') + "ab\r\nab");
    File("small.txt", "ab");
    EXPECT_TRUE(Search("ab", "", false));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"big.txt", "small.txt"}));
    EXPECT_EQ(Column(3), (std::vector<std::string>{"3", "1"}));
    HANDLE big = CreateFileA((root + "big.txt").c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(big, INVALID_HANDLE_VALUE);
    EXPECT_NE(SetFilePointer(big, 2, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_TRUE(SetEndOfFile(big));
    CloseHandle(big);
}

// The walk knows a folder by its volume and file index, whichever path led to it, so a
// junction back to an ancestor is recognised.
TEST_F(EngineDllTest, FolderIdentityIsTheSameThroughAnyPath) {
    Folder("sub");
    quelbrix::Win32FileSystem files;
    auto identify = [&](const std::string& folder) {
        quelbrix::FolderIdentity id;
        auto listing = files.ListFolder(folder.c_str());
        EXPECT_TRUE(listing && listing->Identify(id)) << folder;
        return id;
    };
    quelbrix::FolderIdentity top = identify(root);
    quelbrix::FolderIdentity sub = identify(root + "sub\\");
    EXPECT_TRUE(identify(root + "sub\\..\\") == top);
    EXPECT_FALSE(sub == top);
}

// More than 65,535 candidates still fill the bar exactly once.
TEST(Win32Progress, RangeIsCarriedIn32Bits) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HWND bar = CreateWindowA(PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(bar, nullptr);
    quelbrix::Win32Progress progress;
    progress.SetRange(bar, 70000);
    progress.SetStep(bar, 1);
    // With the range taken modulo 65,536 the bar would stop at 4,464.
    progress.SetPosition(bar, 69999);
    progress.StepIt(bar);
    PBRANGE range{};
    SendMessageA(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iHigh, 70000);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 70000);
    DestroyWindow(bar);
}

// A request the system refuses is not handed back, so the system's count of requests stays
// balanced.
TEST(TimerResolutionGuard, HandsBackOnlyAGrantedRequest) {
    const quelbrix::TimerResolutionGuard fine(1);
    EXPECT_TRUE(fine.Granted());
    const quelbrix::TimerResolutionGuard none(0);
    EXPECT_FALSE(none.Granted());
}

}  // namespace
