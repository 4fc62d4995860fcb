#include "window_anchors.h"

#include "app/dpi_scale.h"
#include "window_dpi.h"

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

const ControlAnchoring* AnchoringOf(int id, const std::vector<ControlAnchoring>& anchorings) {
    for (const ControlAnchoring& entry : anchorings) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

void Place(HWND control, const LayoutRect& rect) {
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void WindowAnchors::Capture(HWND dialog, const std::vector<ControlAnchoring>& anchorings) {
    dialog_ = dialog;
    captureDpi_ = WindowDpi(dialog);
    placed_.clear();
    staying_.clear();
    RECT client{};
    GetClientRect(dialog, &client);
    capturedClient_ = SIZE{client.right, client.bottom};
    minimumClient_ = capturedClient_;
    RECT frame{};
    GetWindowRect(dialog, &frame);
    minimumWindow_ = SIZE{frame.right - frame.left, frame.bottom - frame.top};

    CaptureContext context{dialog, {}};
    EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&context));
    for (HWND control : context.children) {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        const LayoutRect place{rect.left, rect.top, rect.right, rect.bottom};
        const ControlAnchoring* entry = AnchoringOf(GetDlgCtrlID(control), anchorings);
        if (entry != nullptr) {
            placed_.push_back({control, place, place, entry->anchoring});
        } else {
            staying_.push_back({control, place, place, Anchoring{}});
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
            moves = DeferWindowPos(moves, entry.control, nullptr, rect.left, rect.top, rect.Width(),
                                   rect.Height(), flags);
        } else {
            SetWindowPos(entry.control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                         flags);
        }
    }
    if (moves != nullptr) EndDeferWindowPos(moves);
}

void WindowAnchors::Rescale(UINT dpi) {
    if (dialog_ == nullptr) return;
    const int from = static_cast<int>(captureDpi_);
    const int to = static_cast<int>(dpi);
    const SIZE frame{minimumWindow_.cx - minimumClient_.cx, minimumWindow_.cy - minimumClient_.cy};
    minimumClient_ = SIZE{ScaledBetweenDpi(capturedClient_.cx, from, to),
                          ScaledBetweenDpi(capturedClient_.cy, from, to)};
    minimumWindow_ = SIZE{minimumClient_.cx + frame.cx, minimumClient_.cy + frame.cy};
    for (Placed& entry : placed_) entry.original = ScaledRect(entry.captured, from, to);
    for (Placed& entry : staying_) {
        entry.original = ScaledRect(entry.captured, from, to);
        Place(entry.control, entry.original);
    }
}

SIZE WindowAnchors::MinimumWindowSize() const {
    RECT frame{};
    RECT client{};
    if (dialog_ == nullptr || IsIconic(dialog_) || !GetWindowRect(dialog_, &frame) ||
        !GetClientRect(dialog_, &client)) {
        return minimumWindow_;
    }
    return SIZE{minimumClient_.cx + (frame.right - frame.left) - client.right,
                minimumClient_.cy + (frame.bottom - frame.top) - client.bottom};
}

}  // namespace quelbrix
