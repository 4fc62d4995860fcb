#include "window_anchors.h"

#include <utility>

#include "app/dpi_scale.h"
#include "window_dpi.h"

namespace quelbrix {

namespace {

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

BOOL CALLBACK CollectControl(HWND child, LPARAM context) {
    auto& found = *reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(context);
    if (GetParent(child) == found.first) found.second.push_back(child);
    return TRUE;
}

}  // namespace

std::vector<HWND> DialogControls(HWND dialog) {
    std::pair<HWND, std::vector<HWND>> found{dialog, {}};
    EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&found));
    return std::move(found.second);
}

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

    for (HWND control : DialogControls(dialog)) {
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

SIZE WindowAnchors::Grown() const {
    RECT client{};
    GetClientRect(dialog_, &client);
    return SIZE{client.right - minimumClient_.cx, client.bottom - minimumClient_.cy};
}

bool WindowAnchors::AnchoredRect(int id, LayoutRect& rect) const {
    if (dialog_ == nullptr) return false;
    const SIZE grown = Grown();
    for (const Placed& entry : placed_) {
        if (GetDlgCtrlID(entry.control) != id) continue;
        rect = Anchored(entry.original, grown.cx, grown.cy, entry.anchoring);
        return true;
    }
    return false;
}

void WindowAnchors::Apply(const std::vector<ControlPlace>& places) const {
    if (dialog_ == nullptr || (placed_.empty() && places.empty())) return;
    const SIZE grown = Grown();
    std::vector<ControlPlace> moves;
    moves.reserve(placed_.size() + places.size());
    for (const Placed& entry : placed_) {
        bool replaced = false;
        for (const ControlPlace& place : places) replaced = replaced || place.control == entry.control;
        if (!replaced) {
            moves.push_back({entry.control,
                             Anchored(entry.original, grown.cx, grown.cy, entry.anchoring), true});
        }
    }
    const std::size_t anchoredCount = moves.size();
    moves.insert(moves.end(), places.begin(), places.end());

    // One deferred move for all, so the controls are redrawn once, not one by one.
    HDWP deferred = BeginDeferWindowPos(static_cast<int>(moves.size()));
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const ControlPlace& move = moves[i];
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        // The anchored controls keep whatever visibility they have.
        const bool visible = (GetWindowLongPtrA(move.control, GWL_STYLE) & WS_VISIBLE) != 0;
        if (i >= anchoredCount && move.shown != visible) {
            flags |= move.shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        }
        const LayoutRect& rect = move.rect;
        if (deferred != nullptr) {
            deferred = DeferWindowPos(deferred, move.control, nullptr, rect.left, rect.top,
                                      rect.Width(), rect.Height(), flags);
        } else {
            SetWindowPos(move.control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                         flags);
        }
    }
    if (deferred != nullptr) EndDeferWindowPos(deferred);
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
