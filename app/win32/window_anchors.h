// A dialog's controls anchored to its edges: their places at the template's size are taken
// once, and every new client size lays them out again in one deferred move. When the dialog
// moves to a screen of another DPI, those places are taken as they would be at that DPI.
#pragma once

#include <windows.h>

#include <vector>

#include "app/window_layout.h"

namespace quelbrix {

struct ControlAnchoring {
    int id;
    Anchoring anchoring;
};

// A place the caller works out itself, moved in the same deferred move as the anchored ones.
struct ControlPlace {
    HWND control;
    LayoutRect rect;
    bool shown;
};

// The dialog's own controls (its children, not theirs), in the order Windows gives them.
std::vector<HWND> DialogControls(HWND dialog);

class WindowAnchors {
public:
    // Takes the places of `dialog`'s controls as they are now, the template's size at the
    // dialog's DPI; controls not in `anchorings` stay where they are.
    void Capture(HWND dialog, const std::vector<ControlAnchoring>& anchorings);
    // Lays the controls out for the dialog's client size now; `places` replace the anchored
    // place of a control they name, and place (and show or hide) any other.
    void Apply(const std::vector<ControlPlace>& places = {}) const;
    // Where control `id` goes for the client size now; false when it was not captured.
    bool AnchoredRect(int id, LayoutRect& rect) const;
    // The template's size and places at `dpi`, scaled from those captured (never from scaled
    // ones, so no rounding adds up); the controls that stay are moved there at once. Apply
    // then lays out the anchored ones.
    void Rescale(UINT dpi);
    // The window's size at the template's size: the smallest it may be made. The frame around
    // the client area is taken as it is now, since its thickness follows the DPI too.
    SIZE MinimumWindowSize() const;
    bool Captured() const { return dialog_ != nullptr; }

private:
    // How much larger than at capture the client area is now.
    SIZE Grown() const;

    struct Placed {
        HWND control;
        LayoutRect captured;  // at the capture's DPI
        LayoutRect original;  // the same at the DPI now
        Anchoring anchoring;
    };
    HWND dialog_ = nullptr;
    UINT captureDpi_ = 96;
    SIZE capturedClient_{};
    SIZE minimumClient_{};
    SIZE minimumWindow_{};
    std::vector<Placed> placed_;
    std::vector<Placed> staying_;  // the controls not anchored, moved only by Rescale
};

}  // namespace quelbrix
