#include "draw_line.h"

#include "common/win32_handles.h"

namespace quelbrix {

void DrawLine(int x1, int y1, int x2, int y2, HDC device, COLORREF colour) {
    GdiObject pen(CreatePen(PS_SOLID, 1, colour));
    if (!pen.Valid()) return;
    SelectedObject selected(device, pen.Get());
    MoveToEx(device, x1, y1, nullptr);
    LineTo(device, x2, y2);
}

}  // namespace quelbrix
