// The program's resources as built into QuelbrixU.exe: dialog 103, the settings pages, the
// string table, bitmaps.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct DialogItem {
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::string windowClass;  // a name, or "#<ordinal>"
    std::string title;
};

struct Dialog {
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string title;
    WORD pointSize = 0;
    BYTE charset = 0;
    std::string font;
    std::vector<DialogItem> items;
};

std::string ToShiftJis(const wchar_t* text) {
    char buffer[1024] = "";
    WideCharToMultiByte(932, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

// Reads one name-or-ordinal field and moves past it.
std::string ReadNameOrOrdinal(const WORD*& at) {
    if (*at == 0x0000) {
        ++at;
        return "";
    }
    if (*at == 0xFFFF) {
        std::string ordinal = "#" + std::to_string(at[1]);
        at += 2;
        return ordinal;
    }
    std::string name = ToShiftJis(reinterpret_cast<const wchar_t*>(at));
    at += std::wcslen(reinterpret_cast<const wchar_t*>(at)) + 1;
    return name;
}

// One spelling per window class: names compare without regard to case, and the predefined
// classes stand as their ordinals whether the template names or numbers them.
std::string CanonicalClass(std::string name) {
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == "BUTTON") return "#128";
    if (name == "EDIT") return "#129";
    if (name == "STATIC") return "#130";
    if (name == "COMBOBOX") return "#133";
    return name;
}

template <typename T>
T Take(const BYTE*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

const BYTE* AlignDword(const BYTE* at, const BYTE* base) {
    return base + ((at - base + 3) & ~static_cast<std::ptrdiff_t>(3));
}

bool ParseDialogEx(const BYTE* data, Dialog& dialog) {
    const BYTE* base = data;
    const BYTE* at = data;
    if (Take<WORD>(at) != 1 || Take<WORD>(at) != 0xFFFF) return false;  // DLGTEMPLATEEX
    Take<DWORD>(at);                                                    // help id
    dialog.exStyle = Take<DWORD>(at);
    dialog.style = Take<DWORD>(at);
    const WORD count = Take<WORD>(at);
    dialog.x = Take<short>(at);
    dialog.y = Take<short>(at);
    dialog.cx = Take<short>(at);
    dialog.cy = Take<short>(at);
    const WORD* words = reinterpret_cast<const WORD*>(at);
    ReadNameOrOrdinal(words);  // menu
    ReadNameOrOrdinal(words);  // class
    dialog.title = ReadNameOrOrdinal(words);
    at = reinterpret_cast<const BYTE*>(words);
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = Take<WORD>(at);
        Take<WORD>(at);  // weight
        Take<BYTE>(at);  // italic
        dialog.charset = Take<BYTE>(at);
        words = reinterpret_cast<const WORD*>(at);
        dialog.font = ReadNameOrOrdinal(words);
        at = reinterpret_cast<const BYTE*>(words);
    }
    for (WORD i = 0; i < count; ++i) {
        at = AlignDword(at, base);
        DialogItem item;
        Take<DWORD>(at);  // help id
        item.exStyle = Take<DWORD>(at);
        item.style = Take<DWORD>(at);
        item.x = Take<short>(at);
        item.y = Take<short>(at);
        item.cx = Take<short>(at);
        item.cy = Take<short>(at);
        item.id = Take<DWORD>(at);
        words = reinterpret_cast<const WORD*>(at);
        item.windowClass = ReadNameOrOrdinal(words);
        item.title = ReadNameOrOrdinal(words);
        const WORD extra = *words++;
        at = reinterpret_cast<const BYTE*>(words) + extra;
        dialog.items.push_back(item);
    }
    return true;
}

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        std::string folder(path, length);
        folder = folder.substr(0, folder.find_last_of("\\/") + 1);
        module =
            LoadLibraryExA((folder + "QuelbrixU.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override {
        if (module != nullptr) FreeLibrary(module);
    }
    HMODULE module = nullptr;
};

TEST_F(ProgramResources, MainDialogMatchesItsTemplate) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(103), MAKEINTRESOURCEA(5));  // RT_DIALOG
    ASSERT_NE(found, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    Dialog dialog;
    ASSERT_TRUE(ParseDialogEx(data, dialog));

    // Resizable and maximisable; the template's size is the smallest it may be made.
    const DWORD frame = DS_MODALFRAME | DS_CENTER | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                        WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
    EXPECT_EQ(dialog.style & frame, frame);
    EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_ACCEPTFILES));
    EXPECT_EQ(dialog.cx, 337);
    EXPECT_EQ(dialog.cy, 225);
    EXPECT_EQ(dialog.title, "");
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.font, "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");

    struct Expected {
        int id;
        const char* windowClass;
        const char* title;
        short x, y, cx, cy;
        DWORD styles;  // these bits must be set
    };
    const DWORD combo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
    const Expected expected[] = {
        {1034, "#133", "", 36, 5, 186, 69, combo},
        {1002, "#128", "参照", 222, 5, 23, 12, BS_PUSHBUTTON},
        {1035, "#133", "", 36, 20, 210, 68, combo},
        {1005, "#128", "下のフォルダも検索", 258, 7, 73, 10, BS_AUTOCHECKBOX},
        {1006, "#128", "正規表現の利用", 258, 22, 64, 10, BS_AUTOCHECKBOX},
        // The fold boxes in a row under the word; the rest of the window 15 units lower.
        {1008, "#128", "大文字/小文字を区別しない", 36, 37, 96, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
        {1009, "#128", "全角/半角を区別しない", 138, 37, 82, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
        {1010, "#128", "ひらがな/カタカナを区別しない", 226, 37, 106, 10,
         BS_AUTOCHECKBOX | WS_TABSTOP},
        {1000, "SysListView32", "", 3, 50, 330, 138,
         LVS_REPORT | LVS_SINGLESEL | LVS_ALIGNLEFT | WS_BORDER},
        {1, "#128", "検索開始(&S)", 3, 192, 48, 14, BS_DEFPUSHBUTTON},
        {1017, "#128", "検索中断(&I)", 59, 192, 48, 14, WS_DISABLED},
        {1007, "#128", "結果の保存(&S)", 115, 192, 48, 14, 0},
        {1003, "#128", "設定(&E)", 171, 192, 48, 14, 0},
        {1001, "#128", "ヘルプ(&H)", 227, 192, 48, 14, 0},
        {2, "#128", "終了(&N)", 283, 192, 48, 14, 0},
        {0xFFFF, "#130", "検索場所", 3, 7, 32, 9, 0},
        {0xFFFF, "#130", "検索語", 3, 20, 26, 10, 0},
        {1019, "#130", "", 3, 211, 46, 10, SS_SUNKEN},
        {1020, "msctls_progress32", "", 59, 211, 274, 10, 0},
    };
    ASSERT_EQ(dialog.items.size(), sizeof expected / sizeof expected[0]);
    for (std::size_t i = 0; i < dialog.items.size(); ++i) {
        const DialogItem& item = dialog.items[i];
        const Expected& want = expected[i];
        SCOPED_TRACE(want.id);
        EXPECT_EQ(item.id & 0xFFFF, static_cast<DWORD>(want.id));
        EXPECT_EQ(CanonicalClass(item.windowClass), CanonicalClass(want.windowClass));
        EXPECT_EQ(item.title, want.title);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.style & want.styles, want.styles);
        if (want.styles == combo) {
            EXPECT_EQ(item.style & CBS_SORT, 0u) << "the histories keep their own order";
        }
    }
    EXPECT_EQ(dialog.items[1].style & WS_DISABLED, 0u);  // only the stop button starts disabled
}

// The sheet is as large as its largest page: a page of another size or font would leave the
// others with a gap or be cut off.
TEST_F(ProgramResources, SettingsPagesShareOneSizeAndFont) {
    std::vector<Dialog> pages;
    for (int id : {109, 110, 112, 108, 140}) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
        ASSERT_NE(found, nullptr) << id;
        Dialog page;
        ASSERT_TRUE(ParseDialogEx(
            static_cast<const BYTE*>(LockResource(LoadResource(module, found))), page))
            << id;
        pages.push_back(page);
    }
    const Dialog& first = pages.front();
    for (const Dialog& page : pages) {
        SCOPED_TRACE(page.title);
        EXPECT_EQ(page.style & (WS_CHILD | WS_CAPTION), static_cast<DWORD>(WS_CHILD | WS_CAPTION));
        EXPECT_EQ(page.cx, first.cx);
        EXPECT_LE(std::abs(page.cy - first.cy), 1);
        EXPECT_EQ(page.pointSize, first.pointSize);
        EXPECT_EQ(page.font, first.font);
    }
    EXPECT_EQ(pages.back().title, "プレビュー");  // the last tab
}

// The argument box takes any typed template, and its list keeps the presets' order, by which
// the page draws each item with its editor's name.
TEST_F(ProgramResources, PreviewPageArgumentBoxIsTypableAndUnsorted) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(140), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);
    Dialog page;
    ASSERT_TRUE(
        ParseDialogEx(static_cast<const BYTE*>(LockResource(LoadResource(module, found))), page));
    const auto control = [&](DWORD id) {
        const auto at =
            std::find_if(page.items.begin(), page.items.end(),
                         [&](const DialogItem& item) { return (item.id & 0xFFFF) == id; });
        return at != page.items.end() ? *at : DialogItem{};
    };
    const DialogItem arguments = control(1003);
    EXPECT_EQ(CanonicalClass(arguments.windowClass), "#133");
    EXPECT_EQ(arguments.style & 0x3, static_cast<DWORD>(CBS_DROPDOWN));
    EXPECT_EQ(arguments.style & CBS_SORT, 0u);
    EXPECT_NE(arguments.style & CBS_HASSTRINGS, 0u);  // the combo box keeps the templates
    const DialogItem context = control(1004);
    EXPECT_NE(context.style & ES_NUMBER, 0u);
    EXPECT_EQ(CanonicalClass(control(1005).windowClass), CanonicalClass(UPDOWN_CLASSA));
    EXPECT_NE(control(1005).style & UDS_SETBUDDYINT, 0u);
}

TEST_F(ProgramResources, StringTableHoldsTheProgramsTexts) {
    struct Text {
        UINT id;
        const char* text;
    };
    const Text texts[] = {
        {111, "検索フォルダが指定されていません。"},
        {112, "検索語が指定されていません。"},
        {113, "このファイルを削除します。\n本当によろしいですか？"},
        {114, "ファイルを削除しました。"},
        {115, "送るに登録しました。"},
        {116, "送るの登録を解除しました。"},
        {117, "送るに登録されていません。"},
        {118, "検索場所の履歴を削除します。\n本当によろしいですか？"},
        {119, "検索場所の履歴を削除しました。"},
        {120, "検索文字列の履歴を削除します。\n本当によろしいですか？"},
        {121, "検索文字列の履歴を削除しました。"},
        {122, "メモリが足りません。"},
        {123, "ファイルの作成に失敗しました。"},
        {124, "ファイルの書き込みエラーが発生しました。"},
        {125, "まだ検索されていないので保存できません。"},
        {130,
         "ファイルを開くアプリケーションが指定されていません。\n"
         "「設定」の「全般」で、アプリケーションのパスを指定してください。"},
        {131, "エディタを起動できませんでした。\n%s"},
        {200, "このファイルを開く(&P)"},
        {201, "このファイルを削除(&D)"},
        {202, "ファイルのあるフォルダを開く(&F)"},
        {204, "ファイルのプロパティ(&P)"},
    };
    for (const Text& t : texts) {
        char buffer[1023] = "";
        LoadStringA(module, t.id, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, t.text) << t.id;
    }
    char tooLong[1023] = "";
    EXPECT_GT(LoadStringA(module, 126, tooLong, sizeof tooLong), 0);
    char deleteFailed[1023] = "";
    EXPECT_GT(LoadStringA(module, 127, deleteFailed, sizeof deleteFailed), 0);
}

TEST_F(ProgramResources, MenuBitmapsAreFourDifferent16By16PicturesIn256Colours) {
    std::vector<std::string> pictures;
    for (int id = 104; id <= 107; ++id) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // bitmap
        ASSERT_NE(found, nullptr) << id;
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        std::string bytes(data, SizeofResource(module, found));
        ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER)) << id;
        BITMAPINFOHEADER info;
        std::memcpy(&info, bytes.data(), sizeof info);
        EXPECT_EQ(info.biWidth, 16) << id;
        EXPECT_EQ(info.biHeight, 16) << id;  // bottom-up
        EXPECT_EQ(info.biBitCount, 8) << id;
        EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB)) << id;
        EXPECT_EQ(std::count(pictures.begin(), pictures.end(), bytes), 0) << id;
        pictures.push_back(bytes);
    }
}

// A bitmap resource's header and its pixels as palette indexes, rows from the bottom.
struct PaletteBitmap {
    BITMAPINFOHEADER info{};
    std::vector<unsigned char> pixels;
    unsigned char At(int x, int y) const {
        const int stride = (info.biWidth + 3) / 4 * 4;
        return pixels[static_cast<std::size_t>(y) * stride + x];
    }
};

bool ReadPaletteBitmap(HMODULE module, int id, PaletteBitmap& bitmap) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // bitmap
    if (found == nullptr) return false;
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::size_t size = SizeofResource(module, found);
    if (data == nullptr || size < sizeof bitmap.info) return false;
    std::memcpy(&bitmap.info, data, sizeof bitmap.info);
    const std::size_t start = bitmap.info.biSize + 256 * 4;
    if (bitmap.info.biBitCount != 8 || size < start) return false;
    bitmap.pixels.assign(data + start, data + size);
    const std::size_t stride = (bitmap.info.biWidth + 3) / 4 * 4;
    return bitmap.pixels.size() >= stride * static_cast<std::size_t>(bitmap.info.biHeight);
}

TEST_F(ProgramResources, MenuPicturesComeAt24And32PixelsDrawnAtThatSize) {
    struct Size {
        int firstId;
        int side;
    };
    for (const Size size : {Size{124, 24}, Size{134, 32}}) {
        std::vector<std::vector<unsigned char>> pictures;
        for (int id = size.firstId; id < size.firstId + 4; ++id) {
            PaletteBitmap bitmap;
            ASSERT_TRUE(ReadPaletteBitmap(module, id, bitmap)) << id;
            EXPECT_EQ(bitmap.info.biWidth, size.side) << id;
            EXPECT_EQ(bitmap.info.biHeight, size.side) << id;  // bottom-up
            EXPECT_EQ(bitmap.info.biCompression, static_cast<DWORD>(BI_RGB)) << id;
            EXPECT_EQ(std::count(pictures.begin(), pictures.end(), bitmap.pixels), 0) << id;
            pictures.push_back(bitmap.pixels);
            if (size.side != 32) continue;
            // Not the small picture with each pixel doubled: some 2 x 2 block holds two colours.
            bool mixed = false;
            for (int y = 0; y < 32 && !mixed; y += 2) {
                for (int x = 0; x < 32 && !mixed; x += 2) {
                    const unsigned char c = bitmap.At(x, y);
                    mixed = bitmap.At(x + 1, y) != c || bitmap.At(x, y + 1) != c ||
                            bitmap.At(x + 1, y + 1) != c;
                }
            }
            EXPECT_TRUE(mixed) << id;
        }
    }
}

TEST_F(ProgramResources, ManifestAsksForPerMonitorDpiAwareness) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // manifest
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    std::string manifest(data, SizeofResource(module, found));
    // Each setting in the namespace its systems read it from.
    EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                            "WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"),
              std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/"
                            "WindowsSettings\">true/pm</dpiAware>"),
              std::string::npos);
}

TEST_F(ProgramResources, ManifestAsksForCommonControlsSix) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // manifest
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    std::string manifest(data, SizeofResource(module, found));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
}

}  // namespace
