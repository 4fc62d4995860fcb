// A dialog's controls anchored to its edges: their places at the template's size are taken
// once, and every new client size lays them out again in one deferred move.
#pragma once

#include <windows.h>

#include <vector>

#include "app/window_layout.h"

namespace quelbrix {

struct ControlAnchoring {
    int id;
    Anchoring anchoring;
};

class WindowAnchors {
public:
    // Takes the places of `dialog`'s controls as they are now, the template's size; controls
    // not in `anchorings` stay where they are.
    void Capture(HWND dialog, const std::vector<ControlAnchoring>& anchorings);
    // Lays the controls out for the dialog's client size now.
    void Apply() const;
    // The window's size at capture: the smallest it may be made.
    SIZE MinimumWindowSize() const { return minimumWindow_; }
    bool Captured() const { return dialog_ != nullptr; }

private:
    struct Placed {
        HWND control;
        LayoutRect original;
        Anchoring anchoring;
    };
    HWND dialog_ = nullptr;
    SIZE minimumClient_{};
    SIZE minimumWindow_{};
    std::vector<Placed> placed_;
};

}  // namespace quelbrix
