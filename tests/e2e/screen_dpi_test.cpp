// End-to-end tests of the program on screens of 150 % and 200 %: the real QuelbrixU.exe
// started at another DPI of the Wine prefix, its window, list and popup menu measured against
// a start at 96 DPI and photographed, and a change of DPI sent to a running window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app_session.h"
#include "layout_checks.h"
#include "common/win32_handles.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "settings_text.h"

using e2e::AppSession;
using e2e::TempFolder;

namespace {

constexpr int kDesignDpi = 96;
constexpr COLORREF kStrip = RGB(128, 128, 255);
constexpr COLORREF kHighlightFill = RGB(193, 238, 210);
constexpr COLORREF kHighlightEdge = RGB(0, 255, 0);

std::string ArtifactFolder() { return E2E_ARTIFACT_DIR; }

// Programs started while it lives run at `dpi`. Wine takes a process's DPI from
// HKCU\Control Panel\Desktop LogPixels once, as the process starts; the Wine server need not
// be restarted, and programs already running keep theirs. Set back to 96 on every way out, so
// no other test meets another DPI (their test program runs alone: RUN_SERIAL).
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi) { Write(dpi); }
    ~ScreenDpi() { Write(kDesignDpi); }
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

private:
    static void Write(DWORD dpi) {
        HKEY opened = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot open HKCU\\Control Panel\\Desktop";
            return;
        }
        quelbrix::RegistryKey key(opened);
        EXPECT_EQ(RegSetValueExA(key.Get(), "LogPixels", 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&dpi), sizeof dpi),
                  ERROR_SUCCESS);
    }
};

int Scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, kDesignDpi); }

RECT ClientRectOf(HWND window, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

std::vector<int> ColumnWidths(const AppSession& app) {
    std::vector<int> widths;
    for (int column = 0; column < 4; ++column)
        widths.push_back(ListView_GetColumnWidth(app.Item(IDC_RESULT_LIST), column));
    return widths;
}

// A picture of the program's resources as the screen shows it: 8-bit palette bitmaps.
e2e::ScreenImage ResourcePicture(const std::string& program, int id) {
    e2e::ScreenImage image;
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return image;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // bitmap
    const auto* data = found != nullptr
                           ? static_cast<const BYTE*>(LockResource(LoadResource(module, found)))
                           : nullptr;
    BITMAPINFOHEADER info{};
    if (data != nullptr && SizeofResource(module, found) >= sizeof info) {
        std::memcpy(&info, data, sizeof info);
        const BYTE* palette = data + info.biSize;
        const BYTE* pixels = palette + 256 * 4;
        const int stride = (info.biWidth + 3) / 4 * 4;
        if (info.biBitCount == 8 &&
            SizeofResource(module, found) >= info.biSize + 1024u + stride * info.biHeight) {
            image.width = info.biWidth;
            image.height = info.biHeight;
            for (int y = 0; y < image.height; ++y) {
                for (int x = 0; x < image.width; ++x) {
                    const BYTE* c = palette + 4 * pixels[(image.height - 1 - y) * stride + x];
                    image.pixels.push_back(RGB(c[2], c[1], c[0]));
                }
            }
        }
    }
    FreeLibrary(module);
    return image;
}

// True when `picture` appears in `image`, pixel for pixel, with its top left corner within
// `reach` pixels of the image's: drawn at its own size, neither stretched nor smoothed.
bool ShowsPicture(const e2e::ScreenImage& image, const e2e::ScreenImage& picture, int reach) {
    if (picture.width == 0) return false;
    for (int top = 0; top <= reach && top + picture.height <= image.height; ++top) {
        for (int left = 0; left <= reach && left + picture.width <= image.width; ++left) {
            bool same = true;
            for (int y = 0; y < picture.height && same; ++y)
                for (int x = 0; x < picture.width && same; ++x)
                    same = image.At(left + x, top + y) == picture.At(x, y);
            if (same) return true;
        }
    }
    return false;
}

// The rows and the left edge of the highlight in the open menu; first is -1 for none.
struct Band {
    int first = -1, last = -1, left = -1;
    int Height() const { return last - first + 1; }
};

Band HighlightBand(HWND popup) {
    RECT area;
    GetWindowRect(popup, &area);
    const e2e::ScreenImage image = e2e::CaptureScreen(area);
    Band band;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const COLORREF c = image.At(x, y);
            if (c != kHighlightFill && c != kHighlightEdge) continue;
            if (band.first < 0) band.first = y;
            band.last = y;
            if (band.left < 0 || x < band.left) band.left = x;
        }
    }
    return band;
}

// The highlight once it has been drawn and stays: the same in two looks in a row.
Band SettledBand(HWND popup, int below) {
    Band last;
    Band band;
    e2e::WaitUntil(
        [&] {
            last = band;
            band = HighlightBand(popup);
            return band.first > below && band.Height() > 2 && band.first == last.first &&
                   band.last == last.last;
        },
        5000);
    return band;
}

// Waits until the open menu is drawn to its last item (the strip reaches its bottom) and what
// the screen shows of it stays the same between two looks.
bool WaitUntilMenuDrawn(HWND popup) {
    std::vector<COLORREF> last;
    return e2e::WaitUntil(
        [&] {
            RECT area;
            GetWindowRect(popup, &area);
            const e2e::ScreenImage image = e2e::CaptureScreen(area);
            bool stripAtBottom = false;
            for (int x = 0; x < image.width / 4 && image.height > 8; ++x)
                stripAtBottom = stripAtBottom || image.At(x, image.height - 5) == kStrip;
            const bool settled = image.pixels == last;
            last = image.pixels;
            return stripAtBottom && settled;
        },
        5000);
}

// Where the menu's left strip ends on row `y`, from the menu's left edge.
int StripRight(const e2e::ScreenImage& menu, int y) {
    int right = 0;
    for (int x = 0; x < menu.width / 2; ++x) right = menu.At(x, y) == kStrip ? x + 1 : right;
    return right;
}

// What the tests measure of the popup menu.
struct MenuSeen {
    int itemHeight = 0;
    int separatorHeight = 0;
    int highlightLeft = 0;
    int stripRight = 0;
    RECT area{};
};

class ScreenDpiTest : public ::testing::Test {
protected:
    ScreenDpiTest() : root("dpi"), data(root.Path() + "data\\") {
        e2e::MakeFolder(data);
        e2e::WriteFileBytes(data + "a.txt", "needle\r\n");
        e2e::WriteFileBytes(data + "b.txt", "needle needle\r\n");
    }

    // A fresh copy of the program with the default settings, so no placement of an earlier
    // start carries over.
    std::string NewProgram(const std::string& name) {
        const std::string program = root.Path() + name + "\\";
        e2e::MakeFolder(program);
        AppSession::InstallProgram(program);
        e2e::WriteFileBytes(program + "QuelbrixU.ini", e2e::Golden());
        return program;
    }

    // Opens the menu on the first row, highlights the open item and then properties (their
    // shared access key), and measures it; `shot` names a screenshot of it, if any.
    MenuSeen OpenAndMeasureMenu(AppSession& app, HWND& popup, const std::string& shot = "") {
        MenuSeen seen;
        EXPECT_TRUE(e2e::SelectRow(app, 0));
        RECT list;
        GetWindowRect(app.Item(IDC_RESULT_LIST), &list);
        e2e::RequestContextMenu(app,
                                POINT{list.left + Width(list) / 4, list.top + Height(list) / 3});
        popup = e2e::WaitForPopupMenu(app);
        EXPECT_NE(popup, nullptr);
        if (popup == nullptr) return seen;
        GetWindowRect(popup, &seen.area);
        EXPECT_TRUE(WaitUntilMenuDrawn(popup));
        e2e::PressKey(popup, 'P');
        const Band open = SettledBand(popup, -1);
        EXPECT_GE(open.first, 0);
        if (!shot.empty()) {
            const RECT around = {seen.area.left - 60, seen.area.top - 40, seen.area.right + 60,
                                 seen.area.bottom + 40};
            EXPECT_TRUE(e2e::SaveScreenArea(around, shot));
        }
        e2e::PressKey(popup, 'P');
        const Band properties = SettledBand(popup, open.last);
        EXPECT_GT(properties.first, open.last);
        seen.itemHeight = open.Height();
        seen.highlightLeft = open.left;
        // Three text items above the separator, properties below it.
        seen.separatorHeight = properties.first - open.first - 3 * seen.itemHeight;
        // The strip's end where no picture lies on it: across the separator.
        const int separatorMiddle = properties.first - seen.separatorHeight / 2;
        const e2e::ScreenImage menu = e2e::CaptureScreen(seen.area);
        if (separatorMiddle > 0 && separatorMiddle < menu.height)
            seen.stripRight = StripRight(menu, separatorMiddle);
        return seen;
    }

    void CloseMenu(AppSession& app, HWND popup) {
        e2e::PressKey(popup, VK_ESCAPE);
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FindPopupMenu(app) == nullptr; }, 5000));
    }

    TempFolder root;
    std::string data;
};

// What one start shows, for a comparison with the start at 96 DPI.
struct StartSeen {
    RECT window{};
    RECT client{};
    RECT list{};
    RECT browse{};
    int comboHeight = 0;
    std::vector<int> columns;
    MenuSeen menu;
    bool ownPicture = false;  // the first item's picture drawn from the bitmap of its DPI
    std::string storedColumns;
};

class ScreenDpiStartTest : public ScreenDpiTest, public ::testing::WithParamInterface<int> {
protected:
    // Starts a fresh program at `dpi`, searches, measures the window and the menu, saves the
    // screenshots named after `shotName` (none when empty) and leaves.
    StartSeen StartAt(int dpi, const std::string& shotName) {
        StartSeen seen;
        const std::string program = NewProgram("at" + std::to_string(dpi));
        // A first start grows the window by the preview only as far as the screen allows; with
        // a pane of 100 pixels at 96 DPI the window at 200 % still fits the test's screen, so
        // both starts grow in full and can be compared.
        e2e::WriteFileBytes(program + "QuelbrixU.ini",
                            e2e::Replaced(e2e::Golden(), "under=1\r\n", "under=1\r\npreview=100\r\n"));
        ScreenDpi screen(static_cast<DWORD>(dpi));
        AppSession app(program);
        EXPECT_TRUE(app.Start());
        if (app.Main() == nullptr) return seen;
        EXPECT_TRUE(app.SearchAndCloseSummary(data, "needle"));
        EXPECT_EQ(app.RowCount(), 2);
        HWND main = app.Main();
        GetWindowRect(main, &seen.window);
        GetClientRect(main, &seen.client);
        seen.list = ClientRectOf(main, app.Item(IDC_RESULT_LIST));
        seen.browse = ClientRectOf(main, app.Item(IDC_BROWSE));
        RECT combo{};
        GetWindowRect(app.Item(IDC_FOLDER), &combo);
        seen.comboHeight = Height(combo);
        seen.columns = ColumnWidths(app);
        // At every DPI the controls keep apart and each check box shows its whole label.
        EXPECT_EQ(e2e::OverlappingControls(main), std::vector<std::string>{}) << dpi;
        EXPECT_EQ(e2e::CutCheckBoxLabels(main, {IDC_SUBFOLDERS, IDC_REGEX, IDC_IGNORE_CASE,
                                                IDC_IGNORE_WIDTH, IDC_IGNORE_KANA}),
                  std::vector<int>{})
            << dpi;
        if (!shotName.empty()) {
            EXPECT_TRUE(app.SaveScreenshot(ArtifactFolder() + "/" + shotName + "_window.bmp"));
        }
        HWND popup = nullptr;
        seen.menu = OpenAndMeasureMenu(
            app, popup, shotName.empty() ? "" : ArtifactFolder() + "/" + shotName + "_menu.bmp");
        if (popup != nullptr) {
            const int size = dpi >= 192 ? 32 : dpi >= 144 ? 24 : 16;
            const int id = size == 32   ? IDB_OPEN_FILE_32
                           : size == 24 ? IDB_OPEN_FILE_24
                                        : IDB_OPEN_FILE;
            RECT top = seen.menu.area;
            top.bottom = top.top + seen.menu.itemHeight + 8;
            seen.ownPicture = ShowsPicture(e2e::CaptureScreen(top),
                                           ResourcePicture(program + "QuelbrixU.exe", id), 12);
            CloseMenu(app, popup);
        }
        EXPECT_TRUE(app.Exit());
        seen.storedColumns =
            e2e::IniValue(e2e::ReadFileBytes(app.SettingsPath()), "main", "columns");
        return seen;
    }
};

TEST_P(ScreenDpiStartTest, WindowListAndMenuAreMadeForTheScreensDpi) {
    const int dpi = GetParam();
    const StartSeen at96 = StartAt(kDesignDpi, "");
    const StartSeen seen = StartAt(dpi, "dpi_" + std::to_string(dpi));
    ASSERT_EQ(at96.columns.size(), 4u);
    ASSERT_EQ(seen.columns.size(), 4u);

    // The columns: the engine's widths at 96 DPI, scaled; [main] keeps them at 96 DPI.
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(seen.columns[column], Scaled(at96.columns[column], dpi)) << column;
    EXPECT_EQ(seen.storedColumns, at96.storedColumns);

    // The window and its controls grow in proportion; the dialog's units follow its font, so
    // within a few per cent.
    const auto inProportion = [dpi](int measured, int at96Size) {
        const int expected = Scaled(at96Size, dpi);
        return std::abs(measured - expected) <= expected / 20 + 2;
    };
    EXPECT_PRED2(inProportion, Width(seen.client), Width(at96.client));
    EXPECT_PRED2(inProportion, Height(seen.client), Height(at96.client));
    EXPECT_PRED2(inProportion, Width(seen.list), Width(at96.list));
    EXPECT_PRED2(inProportion, Height(seen.list), Height(at96.list));
    EXPECT_PRED2(inProportion, seen.browse.left, at96.browse.left);
    // A combo box is as tall as its font's line and the system's edges, which do not scale.
    EXPECT_GT(seen.comboHeight, at96.comboHeight + Scaled(4, dpi) - 4);

    // The menu: items of the scaled font's height and margins, the separator two thirds of
    // one, the highlight right of the scaled strip, the picture of this DPI's size as drawn.
    EXPECT_PRED2(inProportion, seen.menu.itemHeight, at96.menu.itemHeight);
    EXPECT_EQ(seen.menu.separatorHeight, seen.menu.itemHeight * 2 / 3);
    EXPECT_PRED2(inProportion, seen.menu.stripRight, at96.menu.stripRight);
    EXPECT_GT(seen.menu.highlightLeft, seen.menu.stripRight);
    EXPECT_TRUE(at96.ownPicture);
    EXPECT_TRUE(seen.ownPicture);
}

INSTANTIATE_TEST_SUITE_P(At150And200Percent, ScreenDpiStartTest, ::testing::Values(144, 192));

class GeneralPageDpiTest : public ScreenDpiTest, public ::testing::WithParamInterface<int> {};

// The General page's five check boxes keep apart from each other and from the groups below
// them at every DPI, and the no-pause box shows its whole label.
TEST_P(GeneralPageDpiTest, GeneralPageBoxesKeepApartAndShowTheirLabels) {
    const int dpi = GetParam();
    const std::string program = NewProgram("general" + std::to_string(dpi));
    ScreenDpi screen(static_cast<DWORD>(dpi));
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.OpenSettings(), nullptr);
    HWND general = app.ShowSettingsPage(0);
    ASSERT_NE(general, nullptr);
    // The check boxes and the two group boxes (which have no id); what lies inside a group is
    // the group's own business.
    const std::vector<std::string> ids = {
        std::to_string(IDC_GENERAL_HIDE_PROGRESS), std::to_string(IDC_GENERAL_HIDE_COUNT),
        std::to_string(IDC_GENERAL_RELATIVE),      std::to_string(IDC_GENERAL_NO_CONVERSION),
        std::to_string(IDC_GENERAL_NO_PAUSE),      "65535"};
    const auto among = [&](const std::string& id) {
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    std::vector<std::string> overlaps;
    for (const std::string& pair : e2e::OverlappingControls(general)) {
        const std::size_t slash = pair.find('/');
        if (among(pair.substr(0, slash)) && among(pair.substr(slash + 1))) overlaps.push_back(pair);
    }
    EXPECT_EQ(overlaps, std::vector<std::string>{}) << dpi;
    EXPECT_EQ(e2e::CutCheckBoxLabels(general, {IDC_GENERAL_NO_PAUSE}), std::vector<int>{}) << dpi;
    RECT sheet{};
    GetWindowRect(app.FindSettings(), &sheet);
    EXPECT_TRUE(e2e::SaveScreenArea(
        sheet, ArtifactFolder() + "/general_page_" + std::to_string(dpi) + ".bmp"));
    EXPECT_TRUE(app.CloseSettings(IDCANCEL));
    EXPECT_TRUE(app.Exit());
}

INSTANTIATE_TEST_SUITE_P(At100150And200Percent, GeneralPageDpiTest,
                         ::testing::Values(96, 144, 192));

TEST_F(ScreenDpiTest, ChangeOfDpiMovesTheWindowScalesItsPartsAndComesBackExactly) {
    const std::string program = NewProgram("change");
    // At the template's size, without the preview, the window doubled still fits the screen.
    e2e::WriteFileBytes(program + "QuelbrixU.ini", e2e::Golden() + "[preview]\r\nhide=1\r\n");
    ScreenDpi screen(kDesignDpi);
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.SearchAndCloseSummary(data, "needle"));
    HWND main = app.Main();
    HWND popup = nullptr;
    const MenuSeen menuBefore = OpenAndMeasureMenu(app, popup);
    ASSERT_NE(popup, nullptr);
    CloseMenu(app, popup);

    RECT before{};
    GetWindowRect(main, &before);
    const RECT listBefore = ClientRectOf(main, app.Item(IDC_RESULT_LIST));
    const RECT browseBefore = ClientRectOf(main, app.Item(IDC_BROWSE));
    const RECT exitBefore = ClientRectOf(main, app.Item(IDCANCEL));
    RECT combo{};
    GetWindowRect(app.Item(IDC_WORD), &combo);
    const int comboBefore = Height(combo);
    const std::vector<int> columnsBefore = ColumnWidths(app);

    // As Windows sends it when the window reaches a screen of 200 %: the new DPI and the
    // rectangle it suggests there.
    const RECT suggested = {before.left + 10, before.top + 20, before.left + 10 + 2 * Width(before),
                            before.top + 20 + 2 * Height(before)};
    e2e::SendWithData(app, main, WM_DPICHANGED, MAKEWPARAM(192, 192), &suggested, sizeof suggested);
    RECT after{};
    GetWindowRect(main, &after);
    EXPECT_TRUE(EqualRect(&after, &suggested))
        << after.left << "," << after.top << "," << after.right << "," << after.bottom;
    const std::vector<int> columnsAfter = ColumnWidths(app);
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(columnsAfter[column], 2 * columnsBefore[column]) << column;
    // Edges that keep to the top left are twice as far from it; the list grows with the rest.
    const RECT list = ClientRectOf(main, app.Item(IDC_RESULT_LIST));
    EXPECT_EQ(list.left, 2 * listBefore.left);
    EXPECT_EQ(list.top, 2 * listBefore.top);
    EXPECT_GE(Width(list), 2 * Width(listBefore));
    const RECT browse = ClientRectOf(main, app.Item(IDC_BROWSE));
    EXPECT_EQ(browse.top, 2 * browseBefore.top);
    EXPECT_EQ(Width(browse), 2 * Width(browseBefore));
    const RECT exitButton = ClientRectOf(main, app.Item(IDCANCEL));
    EXPECT_EQ(exitButton.left, 2 * exitBefore.left);
    EXPECT_EQ(Height(exitButton), 2 * Height(exitBefore));
    // The controls have the dialog's font at 192 DPI: the combo box is as tall as its text.
    GetWindowRect(app.Item(IDC_WORD), &combo);
    EXPECT_GT(Height(combo), comboBefore * 3 / 2);
    // The minimum grew with it: the size at 96 DPI is refused now.
    SetWindowPos(main, nullptr, after.left, after.top, Width(before), Height(before), SWP_NOZORDER);
    RECT squeezed{};
    GetWindowRect(main, &squeezed);
    EXPECT_GT(Width(squeezed), Width(before) * 3 / 2);
    EXPECT_GT(Height(squeezed), Height(before) * 3 / 2);
    // The popup menu is measured again, at the new DPI.
    const MenuSeen menuAfter = OpenAndMeasureMenu(app, popup);
    ASSERT_NE(popup, nullptr);
    CloseMenu(app, popup);
    EXPECT_NEAR(menuAfter.itemHeight, 2 * menuBefore.itemHeight, 3);
    // (the menu's own margin and border, a few pixels, do not scale)
    EXPECT_NEAR(menuAfter.stripRight, 2 * menuBefore.stripRight, 3);

    // Back to 96 DPI on the old rectangle: everything where it was.
    e2e::SendWithData(app, main, WM_DPICHANGED, MAKEWPARAM(96, 96), &before, sizeof before);
    GetWindowRect(main, &after);
    EXPECT_TRUE(EqualRect(&after, &before));
    EXPECT_EQ(ColumnWidths(app), columnsBefore);
    const RECT listBack = ClientRectOf(main, app.Item(IDC_RESULT_LIST));
    EXPECT_TRUE(EqualRect(&listBack, &listBefore));
    const RECT browseBack = ClientRectOf(main, app.Item(IDC_BROWSE));
    EXPECT_TRUE(EqualRect(&browseBack, &browseBefore));
    GetWindowRect(app.Item(IDC_WORD), &combo);
    EXPECT_EQ(Height(combo), comboBefore);
    const MenuSeen menuBack = OpenAndMeasureMenu(app, popup);
    ASSERT_NE(popup, nullptr);
    CloseMenu(app, popup);
    EXPECT_EQ(menuBack.itemHeight, menuBefore.itemHeight);
    ASSERT_TRUE(app.Exit());
}

}  // namespace

namespace {

// What the preview shows of a Japanese file at one DPI.
struct PreviewSeen {
    int paneHeight = 0;
    int lineHeight = 0;  // from one paragraph's top to the next
    std::string text;
};

// The Extensions page at 100, 150 and 200 %: its controls keep apart, and neither a group's
// label nor the label of the folders left out is cut.
TEST_F(ScreenDpiTest, ExtensionsPageKeepsItsControlsApartAndItsLabelsWhole) {
    for (int dpi : {kDesignDpi, 144, 192}) {
        const std::string program = NewProgram("extensions" + std::to_string(dpi));
        ScreenDpi screen(static_cast<DWORD>(dpi));
        AppSession app(program);
        EXPECT_TRUE(app.Start());
        if (app.Main() == nullptr) continue;
        HWND sheet = app.OpenSettings();
        ASSERT_NE(sheet, nullptr) << dpi;
        HWND page = app.ShowSettingsPage(1);
        app.ClickAndWaitIn(page, IDC_EXTENSIONS_CUSTOM);  // the rows drawn enabled, in black
        EXPECT_EQ(e2e::OverlappingControls(page), std::vector<std::string>{}) << dpi;
        std::vector<int> labels{IDC_EXTENSIONS_EXCLUDE_LABEL, IDC_EXTENSIONS_ALL_FILES,
                                IDC_EXTENSIONS_CUSTOM};
        for (int row = 1; row <= 11; ++row) labels.push_back(IDC_EXTENSIONS_CHECK + row);
        EXPECT_EQ(e2e::CutCheckBoxLabels(page, labels), std::vector<int>{}) << dpi;
        EXPECT_TRUE(app.SaveWindowScreenshot(
            sheet, ArtifactFolder() + "/extensions_" + std::to_string(dpi) + "dpi.bmp"));
        EXPECT_TRUE(app.CloseSettings(IDCANCEL));
        EXPECT_TRUE(app.Exit());
    }
}

class ScreenDpiPreviewTest : public ScreenDpiTest {
protected:
    PreviewSeen ShowPreviewAt(int dpi) {
        PreviewSeen seen;
        const std::string folder = data + "jp" + std::to_string(dpi) + "\\";
        e2e::MakeFolder(folder);
        e2e::WriteFileBytes(folder + "議事録.txt",
                            "議事録\r\n1. 予算の確認\r\n   来期の予算案を検討した。検索システムの導入費用を含む。\r\n"
                            "2. 検索ツールの評価\r\n   全文検索の速度と検索結果の一覧表示が好評。\r\n");
        const std::string program = NewProgram("preview" + std::to_string(dpi));
        e2e::WriteFileBytes(program + "QuelbrixU.ini", e2e::Golden() + "[preview]\r\ncontext=1\r\n");
        ScreenDpi screen(static_cast<DWORD>(dpi));
        AppSession app(program);
        EXPECT_TRUE(app.Start());
        if (app.Main() == nullptr) return seen;
        EXPECT_TRUE(app.SearchAndCloseSummary(folder, "検索"));
        EXPECT_TRUE(e2e::SelectRow(app, 0));
        HWND pane = app.Item(IDC_PREVIEW_PANE);
        EXPECT_TRUE(e2e::WaitUntil([&] {
            return app.WindowText(pane).find(" 件") != std::string::npos;
        }));
        RECT shown{};
        GetWindowRect(pane, &shown);
        seen.paneHeight = Height(shown);
        const LRESULT first = SendMessageA(pane, EM_POSFROMCHAR,
                                           static_cast<WPARAM>(SendMessageA(pane, EM_LINEINDEX, 1, 0)), 0);
        const LRESULT second = SendMessageA(pane, EM_POSFROMCHAR,
                                            static_cast<WPARAM>(SendMessageA(pane, EM_LINEINDEX, 2, 0)), 0);
        seen.lineHeight = static_cast<short>(HIWORD(second)) - static_cast<short>(HIWORD(first));
        seen.text = app.WindowText(pane);
        EXPECT_TRUE(app.SaveScreenshot(ArtifactFolder() + "/preview_" + std::to_string(dpi) + "dpi.bmp"));
        EXPECT_TRUE(app.Exit());
        return seen;
    }
};

TEST_F(ScreenDpiPreviewTest, ThePreviewsHeightAndTypeFollowTheScreensDpi) {
    const PreviewSeen at96 = ShowPreviewAt(kDesignDpi);
    const PreviewSeen at192 = ShowPreviewAt(192);
    EXPECT_EQ(at96.paneHeight, 150);
    EXPECT_EQ(at192.paneHeight, 300);
    EXPECT_GT(at96.lineHeight, 8);
    // The type is made for the DPI: twice the line, give or take the rounding of a font.
    EXPECT_GE(at192.lineHeight, 2 * at96.lineHeight - 2);
    EXPECT_LE(at192.lineHeight, 2 * at96.lineHeight + 2);
    // The same lines at both.
    EXPECT_EQ(at192.text.substr(at192.text.find('\r')), at96.text.substr(at96.text.find('\r')));
}

}  // namespace
