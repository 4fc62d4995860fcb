#include "window_anchors.h"

namespace quelbrix {

namespace {

struct CaptureContext {
    HWND dialog;
    std::vector<HWND> children;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
    auto& capture = *reinterpret_cast<CaptureContext*>(context);
    if (GetParent(child) == capture.dialog) capture.children.push_back(child);
    return TRUE;
}

}  // namespace

void WindowAnchors::Capture(HWND dialog, const std::vector<ControlAnchoring>& anchorings) {
    dialog_ = dialog;
    placed_.clear();
    RECT client{};
    GetClientRect(dialog, &client);
    minimumClient_ = SIZE{client.right, client.bottom};
    RECT frame{};
    GetWindowRect(dialog, &frame);
    minimumWindow_ = SIZE{frame.right - frame.left, frame.bottom - frame.top};

    CaptureContext context{dialog, {}};
    EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&context));
    for (HWND control : context.children) {
        const int id = GetDlgCtrlID(control);
        for (const ControlAnchoring& entry : anchorings) {
            if (entry.id != id) continue;
            RECT rect{};
            GetWindowRect(control, &rect);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
            placed_.push_back({control, {rect.left, rect.top, rect.right, rect.bottom},
                               entry.anchoring});
            break;
        }
    }
}

void WindowAnchors::Apply() const {
    if (dialog_ == nullptr || placed_.empty()) return;
    RECT client{};
    GetClientRect(dialog_, &client);
    const int grownWidth = client.right - minimumClient_.cx;
    const int grownHeight = client.bottom - minimumClient_.cy;
    // One deferred move for all, so the controls are redrawn once, not one by one.
    HDWP moves = BeginDeferWindowPos(static_cast<int>(placed_.size()));
    for (const Placed& entry : placed_) {
        const LayoutRect rect = Anchored(entry.original, grownWidth, grownHeight, entry.anchoring);
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (moves != nullptr) {
            moves = DeferWindowPos(moves, entry.control, nullptr, rect.left, rect.top,
                                   rect.Width(), rect.Height(), flags);
        } else {
            SetWindowPos(entry.control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                         flags);
        }
    }
    if (moves != nullptr) EndDeferWindowPos(moves);
}

}  // namespace quelbrix
