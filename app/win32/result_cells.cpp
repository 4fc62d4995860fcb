#include "result_cells.h"

#include <commctrl.h>

#include <vector>

namespace quelbrix {

std::string ResultCellText(HWND list, int row, int column, std::size_t capacity) {
    if (capacity == 0) return "";
    std::vector<char> text(capacity, '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(capacity);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    text.back() = '\0';
    return text.data();
}

}  // namespace quelbrix
