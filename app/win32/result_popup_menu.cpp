#include "result_popup_menu.h"

#include <string>
#include <vector>

#include "app/menu_access_key.h"
#include "app_context.h"
#include "common/win32_handles.h"
#include "quelbrix_u_resources.h"

namespace quelbrix {

namespace {

constexpr COLORREF kStrip = RGB(128, 128, 255);
constexpr COLORREF kHighlightFill = RGB(193, 238, 210);
constexpr COLORREF kHighlightEdge = RGB(0, 255, 0);
constexpr COLORREF kSeparatorLine = RGB(128, 128, 0);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr int kStripRight = 19;
constexpr int kHighlightLeft = 22;
constexpr int kBitmapOffset = 2;
constexpr int kBitmapSize = 16;
constexpr int kTextLeft = 26;
constexpr int kTextTop = 4;

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// The item's text: string (id + 100); the separator has none and gets "".
std::string ItemText(HINSTANCE instance, ULONG_PTR id) {
    return LoadProgramString(instance, static_cast<UINT>(id + IDS_MENU_TEXT_OFFSET));
}

int BitmapOf(ULONG_PTR id) {
    switch (id) {
    case IDM_OPEN_FILE:
        return IDB_OPEN_FILE;
    case IDM_DELETE_FILE:
        return IDB_DELETE_FILE;
    case IDM_OPEN_FOLDER:
        return IDB_OPEN_FOLDER;
    case IDM_PROPERTIES:
        return IDB_PROPERTIES;
    default:
        return 0;
    }
}

// Fills and outlines a rectangle in one colour each.
void FramedRectangle(HDC dc, const RECT& area, COLORREF edge, COLORREF fill) {
    PenHandle pen(CreatePen(PS_SOLID, 1, edge));
    BrushHandle brush(CreateSolidBrush(fill));
    SelectedObject usePen(dc, pen.Get());
    SelectedObject useBrush(dc, brush.Get());
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
}

void DrawBitmap(HINSTANCE instance, HDC dc, int bitmapId, int x, int y) {
    BitmapHandle bitmap(LoadBitmapA(instance, MAKEINTRESOURCEA(bitmapId)));
    MemoryDc memory(CreateCompatibleDC(dc));
    if (!bitmap.Valid() || !memory.Valid()) return;
    SelectedObject use(memory.Get(), bitmap.Get());
    BitBlt(dc, x, y, kBitmapSize, kBitmapSize, memory.Get(), 0, 0, SRCCOPY);
}

void DrawSeparator(HDC dc, const RECT& area) {
    const int middle = area.top + (area.bottom - area.top) / 2;
    PenHandle pen(CreatePen(PS_DOT, 1, kSeparatorLine));
    SelectedObject use(dc, pen.Get());
    MoveToEx(dc, area.left + kHighlightLeft, middle, nullptr);
    LineTo(dc, area.right - 2, middle);
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

void MeasureMenuItem(HINSTANCE instance, MEASUREITEMSTRUCT* item) {
    if (item == nullptr) return;
    WindowDc screen(nullptr);
    if (screen.Get() == nullptr) return;
    SelectedObject font(screen.Get(), GuiFont());
    const std::string text = ItemText(instance, item->itemData);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    if (size.cy == 0) {  // the empty text is a line of the font's height
        TEXTMETRICA metrics;
        if (GetTextMetricsA(screen.Get(), &metrics)) size.cy = metrics.tmHeight;
    }
    item->itemHeight = static_cast<UINT>(size.cy + 8);
    if (item->itemData == IDM_SEPARATOR) item->itemHeight = item->itemHeight * 2 / 3;
    item->itemWidth = static_cast<UINT>(size.cx + 26);
}

void DrawMenuItem(HINSTANCE instance, const DRAWITEMSTRUCT* item) {
    if (item == nullptr || (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0) return;
    HDC dc = item->hDC;
    const RECT area = item->rcItem;
    SelectedObject font(dc, GuiFont());

    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FramedRectangle(dc, RECT{0, area.top, kStripRight, area.bottom}, kStrip, kStrip);
    if (item->itemData == IDM_SEPARATOR) {
        DrawSeparator(dc, area);
        return;
    }
    const int bitmap = BitmapOf(item->itemData);
    if (bitmap != 0) {
        DrawBitmap(instance, dc, bitmap, area.left + kBitmapOffset, area.top + kBitmapOffset);
    }

    if (item->itemState & ODS_SELECTED) {
        FramedRectangle(dc, RECT{kHighlightLeft, area.top, area.right, area.bottom}, kHighlightEdge,
                        kHighlightFill);
    }
    std::string text = ItemText(instance, item->itemData);
    RECT textArea = {area.left + kTextLeft, area.top + kTextTop, area.right, area.bottom};
    const COLORREF oldColour = SetTextColor(dc, kText);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textArea, DT_WORDBREAK);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
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
