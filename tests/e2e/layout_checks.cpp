#include "layout_checks.h"

#include <utility>

#include "app_session.h"

namespace e2e {

namespace {

struct Child {
    int id;
    RECT rect;
};

BOOL CALLBACK CollectVisibleChild(HWND child, LPARAM context) {
    auto& found = *reinterpret_cast<std::pair<HWND, std::vector<Child>>*>(context);
    if (GetParent(child) != found.first || !IsWindowVisible(child)) return TRUE;
    Child entry{GetDlgCtrlID(child) & 0xFFFF, {}};
    GetWindowRect(child, &entry.rect);
    found.second.push_back(entry);
    return TRUE;
}

// The columns at a control's right edge that a cut label would reach.
constexpr int kEdgeColumns = 2;

bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96; }

// A check box as drawn: mostly background, with a label on it. Right after a start, or under
// a window that was just closed, the screen may not show it yet.
bool Drawn(const ScreenImage& image) {
    std::size_t dark = 0;
    for (COLORREF c : image.pixels) dark += Dark(c) ? 1 : 0;
    return dark > 0 && dark * 2 < image.pixels.size();
}

}  // namespace

std::vector<std::string> OverlappingControls(HWND dialog) {
    std::pair<HWND, std::vector<Child>> found{dialog, {}};
    EnumChildWindows(dialog, CollectVisibleChild, reinterpret_cast<LPARAM>(&found));
    const std::vector<Child>& children = found.second;
    std::vector<std::string> overlaps;
    for (std::size_t i = 0; i < children.size(); ++i) {
        for (std::size_t k = i + 1; k < children.size(); ++k) {
            RECT common{};
            if (IntersectRect(&common, &children[i].rect, &children[k].rect)) {
                overlaps.push_back(std::to_string(children[i].id) + "/" +
                                   std::to_string(children[k].id));
            }
        }
    }
    return overlaps;
}

std::vector<int> CutCheckBoxLabels(HWND dialog, const std::vector<int>& ids) {
    std::vector<int> cut;
    SetForegroundWindow(dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int id : ids) {
        RECT rect{};
        HWND box = GetDlgItem(dialog, id);
        if (box == nullptr || !GetWindowRect(box, &rect)) {
            cut.push_back(id);
            continue;
        }
        ScreenImage image;
        WaitUntil([&] { return Drawn(image = CaptureScreen(rect)); }, 5000);
        bool reaches = image.width <= kEdgeColumns;
        for (int x = image.width - kEdgeColumns; x < image.width && !reaches; ++x) {
            for (int y = 0; y < image.height && !reaches; ++y) reaches = Dark(image.At(x, y));
        }
        if (reaches) cut.push_back(id);
    }
    return cut;
}

}  // namespace e2e
