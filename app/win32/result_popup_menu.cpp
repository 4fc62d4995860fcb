#include "result_popup_menu.h"

#include <string>
#include <vector>

#include "app/dpi_scale.h"
#include "app/menu_access_key.h"
#include "app/menu_metrics.h"
#include "app_context.h"
#include "common/win32_handles.h"
#include "quelbrix_u_resources.h"
#include "window_dpi.h"

namespace quelbrix {

namespace {

constexpr COLORREF kStrip = RGB(128, 128, 255);
constexpr COLORREF kHighlightFill = RGB(193, 238, 210);
constexpr COLORREF kHighlightEdge = RGB(0, 255, 0);
constexpr COLORREF kSeparatorLine = RGB(128, 128, 0);
constexpr COLORREF kText = RGB(0, 0, 0);

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// The default GUI font is made for the system's DPI; the menu gets the same face made for its
// own. None when it cannot be made: the stock font then serves as it is.
GdiObject GuiFontAt(UINT dpi) {
    LOGFONTA face{};
    if (GetObjectA(GuiFont(), sizeof face, &face) == 0) return GdiObject();
    const int from = static_cast<int>(SystemDpi());
    face.lfHeight = ScaledBetweenDpi(face.lfHeight, from, static_cast<int>(dpi));
    face.lfWidth = ScaledBetweenDpi(face.lfWidth, from, static_cast<int>(dpi));
    return GdiObject(CreateFontIndirectA(&face));
}

// The font for drawing at a DPI, held for the scope.
class MenuFont {
public:
    explicit MenuFont(UINT dpi) : made_(GuiFontAt(dpi)) {}
    HGDIOBJ Get() const { return made_.Valid() ? made_.Get() : GuiFont(); }

private:
    GdiObject made_;
};

// The item's text: string (id + 100); the separator has none and gets "".
std::string ItemText(HINSTANCE instance, ULONG_PTR id) {
    return LoadProgramString(instance, static_cast<UINT>(id + IDS_MENU_TEXT_OFFSET));
}

// The bitmap of an item's picture drawn `size` pixels square (one of kMenuPictureSizes).
int BitmapOf(ULONG_PTR id, int size) {
    struct Pictures {
        ULONG_PTR item;
        int bitmaps[3];  // 16, 24, 32
    };
    static const Pictures pictures[] = {
        {IDM_OPEN_FILE, {IDB_OPEN_FILE, IDB_OPEN_FILE_24, IDB_OPEN_FILE_32}},
        {IDM_DELETE_FILE, {IDB_DELETE_FILE, IDB_DELETE_FILE_24, IDB_DELETE_FILE_32}},
        {IDM_OPEN_FOLDER, {IDB_OPEN_FOLDER, IDB_OPEN_FOLDER_24, IDB_OPEN_FOLDER_32}},
        {IDM_PROPERTIES, {IDB_PROPERTIES, IDB_PROPERTIES_24, IDB_PROPERTIES_32}},
    };
    static_assert(sizeof kMenuPictureSizes / sizeof kMenuPictureSizes[0] == 3,
                  "one bitmap per picture size");
    for (const Pictures& entry : pictures) {
        if (entry.item != id) continue;
        for (int i = 0; i < 3; ++i) {
            if (kMenuPictureSizes[i] == size) return entry.bitmaps[i];
        }
    }
    return 0;
}

// Fills and outlines a rectangle in one colour each; the outline `lineWidth` pixels wide,
// inside the rectangle.
void FramedRectangle(HDC dc, const RECT& area, COLORREF edge, COLORREF fill, int lineWidth) {
    PenHandle pen(CreatePen(lineWidth > 1 ? PS_INSIDEFRAME : PS_SOLID, lineWidth, edge));
    BrushHandle brush(CreateSolidBrush(fill));
    SelectedObject usePen(dc, pen.Get());
    SelectedObject useBrush(dc, brush.Get());
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
}

// The item's picture, `metrics.pictureSize` square at (x, y): its bitmap of that size as it
// is, else the next larger one shrunk (or the largest one stretched) with halftone.
void DrawPicture(HINSTANCE instance, HDC dc, ULONG_PTR id, const MenuMetrics& metrics, int x,
                 int y) {
    const int source = metrics.pictureSource;
    BitmapHandle bitmap(LoadBitmapA(instance, MAKEINTRESOURCEA(BitmapOf(id, source))));
    MemoryDc memory(CreateCompatibleDC(dc));
    if (!bitmap.Valid() || !memory.Valid()) return;
    SelectedObject use(memory.Get(), bitmap.Get());
    const int size = metrics.pictureSize;
    if (size == source) {
        BitBlt(dc, x, y, size, size, memory.Get(), 0, 0, SRCCOPY);
        return;
    }
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);  // halftone needs the brush origin set afresh
    StretchBlt(dc, x, y, size, size, memory.Get(), 0, 0, source, source, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    if (oldMode != 0) SetStretchBltMode(dc, oldMode);
}

// A dotted line across the middle; a wider line than one pixel is drawn as a row of squares.
void DrawSeparator(HDC dc, const RECT& area, const MenuMetrics& metrics) {
    const int width = metrics.lineWidth;
    const int middle = area.top + (area.bottom - area.top) / 2;
    const int left = area.left + metrics.highlightLeft;
    const int right = area.right - metrics.separatorInset;
    if (width <= 1) {
        PenHandle pen(CreatePen(PS_DOT, 1, kSeparatorLine));
        SelectedObject use(dc, pen.Get());
        MoveToEx(dc, left, middle, nullptr);
        LineTo(dc, right, middle);
        return;
    }
    BrushHandle dots(CreateSolidBrush(kSeparatorLine));
    const int top = middle - width / 2;
    for (int x = left; x + width <= right; x += 2 * width) {
        const RECT dot{x, top, x + width, top + width};
        FillRect(dc, &dot, dots.Get());
    }
}

std::vector<std::string> ItemTexts(HINSTANCE instance, HMENU menu) {
    std::vector<std::string> texts;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        // The separator has no text; one that cannot be loaded has no access key either.
        texts.push_back(id == IDM_SEPARATOR ? std::string() : ItemText(instance, id));
    }
    return texts;
}

int HighlightedItem(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    }
    return -1;
}

}  // namespace

HMENU CreateResultPopupMenu() {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return nullptr;
    const UINT entries[] = {IDM_OPEN_FILE, IDM_DELETE_FILE, IDM_OPEN_FOLDER, IDM_SEPARATOR,
                            IDM_PROPERTIES};
    for (UINT id : entries) {
        UINT flags = MF_OWNERDRAW | (id == IDM_SEPARATOR ? MF_SEPARATOR : 0u);
        AppendMenuA(menu, flags, id, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(id)));
    }
    return menu;
}

void MeasureMenuItem(HINSTANCE instance, UINT dpi, MEASUREITEMSTRUCT* item) {
    if (item == nullptr) return;
    WindowDc screen(nullptr);
    if (screen.Get() == nullptr) return;
    const MenuFont face(dpi);
    SelectedObject font(screen.Get(), face.Get());
    const std::string text = ItemText(instance, item->itemData);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    if (size.cy == 0) {  // the empty text is a line of the font's height
        TEXTMETRICA metrics;
        if (GetTextMetricsA(screen.Get(), &metrics)) size.cy = metrics.tmHeight;
    }
    const MenuItemSize measured = MeasuredMenuItem(MenuMetricsAt(static_cast<int>(dpi)), size.cx,
                                                   size.cy, item->itemData == IDM_SEPARATOR);
    item->itemHeight = static_cast<UINT>(measured.height);
    item->itemWidth = static_cast<UINT>(measured.width);
}

void DrawMenuItem(HINSTANCE instance, UINT dpi, const DRAWITEMSTRUCT* item) {
    if (item == nullptr || (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0) return;
    HDC dc = item->hDC;
    const RECT area = item->rcItem;
    const MenuMetrics metrics = MenuMetricsAt(static_cast<int>(dpi));
    const MenuFont face(dpi);
    SelectedObject font(dc, face.Get());

    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FramedRectangle(dc, RECT{0, area.top, metrics.stripRight, area.bottom}, kStrip, kStrip, 1);
    if (item->itemData == IDM_SEPARATOR) {
        DrawSeparator(dc, area, metrics);
        return;
    }
    DrawPicture(instance, dc, item->itemData, metrics, area.left + metrics.pictureOffset,
                area.top + metrics.pictureOffset);

    if (item->itemState & ODS_SELECTED) {
        FramedRectangle(dc, RECT{metrics.highlightLeft, area.top, area.right, area.bottom},
                        kHighlightEdge, kHighlightFill, metrics.lineWidth);
    }
    std::string text = ItemText(instance, item->itemData);
    RECT textArea = {area.left + metrics.textLeft, area.top + metrics.textTop, area.right,
                     area.bottom};
    const COLORREF oldColour = SetTextColor(dc, kText);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textArea, DT_WORDBREAK);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
}

void RemeasureMenuItems(HMENU menu) {
    if (menu == nullptr) return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        // Setting an item's type again makes the system forget the menu's measured size.
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    }
}

bool AnswerMenuChar(HINSTANCE instance, HMENU popup, HWND window, WPARAM first, LPARAM second) {
    HMENU menu = reinterpret_cast<HMENU>(second);
    if (menu == nullptr || menu != popup) return false;
    const char pressed = static_cast<char>(LOWORD(first));
    const AccessKeyMatch match =
        MatchMenuAccessKey(ItemTexts(instance, menu), pressed, HighlightedItem(menu));
    LRESULT answer = MAKELRESULT(0, MNC_IGNORE);
    if (match.action == AccessKeyAction::kExecute) {
        answer = MAKELRESULT(match.index, MNC_EXECUTE);
    } else if (match.action == AccessKeyAction::kSelect) {
        // Some systems take MNC_SELECT for no match; highlighting the item first moves the
        // highlight there too, and where the answer is honoured both name the same item.
        HiliteMenuItem(window, menu, static_cast<UINT>(match.index), MF_BYPOSITION | MF_HILITE);
        answer = MAKELRESULT(match.index, MNC_SELECT);
    }
    SetWindowLongPtrA(window, DWLP_MSGRESULT, answer);
    return true;
}

}  // namespace quelbrix
