#include "engine/win32_list_view.h"

#include <windows.h>
#include <commctrl.h>

#include <climits>

#include "engine/bounded_text.h"

namespace quelbrix {

namespace {

HWND AsWindow(WindowHandle handle) { return static_cast<HWND>(handle); }

// The list control does not write through the text pointers it is given.
LPSTR AsText(const char* text) { return const_cast<LPSTR>(text); }

struct SortCall {
    RowComparator compare;
    void* context;
};

int CALLBACK CompareThroughCall(LPARAM first, LPARAM second, LPARAM call) {
    const SortCall& sort = *reinterpret_cast<const SortCall*>(call);
    return sort.compare(first, second, sort.context);
}

}  // namespace

void Win32ListView::AddColumn(int column, const char* header, int width, ColumnAlign align) {
    LVCOLUMNA info{};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    info.fmt = align == ColumnAlign::kLeft ? LVCFMT_LEFT : LVCFMT_RIGHT;
    info.cx = width;
    info.pszText = AsText(header);
    info.iSubItem = column;
    SendMessageA(AsWindow(list_), LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&info));
}

void Win32ListView::SetGridStyle() {
    // A zero mask applies the value to every extended style: all others are cleared.
    SendMessageA(AsWindow(list_), LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

int Win32ListView::Count() {
    return static_cast<int>(SendMessageA(AsWindow(list_), LVM_GETITEMCOUNT, 0, 0));
}

void Win32ListView::Insert(int row, const char* text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = AsText(text);
    SendMessageA(AsWindow(list_), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void Win32ListView::SetCell(int row, int column, const char* text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = AsText(text);
    SendMessageA(AsWindow(list_), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void Win32ListView::GetCell(int row, int column, char* buffer, std::size_t size) {
    if (size == 0) return;
    buffer[0] = '\0';
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = size > INT_MAX ? INT_MAX : static_cast<int>(size);
    if (!SendMessageA(AsWindow(list_), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
        buffer[0] = '\0';
        return;
    }
    // The control may answer with a pointer to its own text instead of filling the buffer.
    if (item.pszText != buffer && item.pszText != nullptr) CopyBounded(buffer, size, item.pszText);
    buffer[size - 1] = '\0';
}

void Win32ListView::SetSortKey(int row, std::intptr_t key) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = key;
    SendMessageA(AsWindow(list_), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void Win32ListView::DeleteAll() { SendMessageA(AsWindow(list_), LVM_DELETEALLITEMS, 0, 0); }

bool Win32ListView::Sort(RowComparator compare, void* context) {
    SortCall call{compare, context};
    return SendMessageA(AsWindow(list_), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&call),
                        reinterpret_cast<LPARAM>(&CompareThroughCall)) != 0;
}

}  // namespace quelbrix
