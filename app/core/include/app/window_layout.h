// The main window's layout as plain arithmetic: controls anchored to the edges of a window that
// grows from its template's size, and its placement and column widths as [main] keeps them.
#pragma once

#include <string>

#include "app/profile_file.h"

namespace quelbrix {

struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const LayoutRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// How a control follows the window along one axis as it grows past its minimum.
enum class Follow {
    kStay,     // keeps its place and size (the left or top edge)
    kMove,     // keeps its size and its distance to the right or bottom edge
    kStretch,  // keeps both distances: it grows with the window
};

struct Anchoring {
    Follow horizontal = Follow::kStay;
    Follow vertical = Follow::kStay;
};

// `original` as laid out at the template's size, moved or stretched by how much the client
// area is larger than that now (never less than nothing: the template's size is the minimum).
LayoutRect Anchored(const LayoutRect& original, int grownWidth, int grownHeight,
                    Anchoring anchoring);

// A window's rectangle moved onto `area` (a monitor's work area) where it lies partly or wholly
// off it; one larger than the area keeps its size and its top left corner on the area.
LayoutRect BroughtOnto(const LayoutRect& window, const LayoutRect& area);

constexpr int kListColumnCount = 4;
constexpr int kWidestColumn = 10000;  // the widest column [main] columns reads back

// What [main] remembers of the window between runs; each part only when it was stored well.
struct MainWindowPlace {
    bool hasPlacement = false;
    LayoutRect normal;  // the window's rectangle when neither maximised nor minimised
    bool maximized = false;
    bool hasColumns = false;
    int columns[kListColumnCount] = {};  // the list's column widths, in column order
};

// "left,top,right,bottom,maximised" and "w0,w1,w2,w3"; false (and nothing changed) for a value
// that is not exactly that: other fields, a number out of range, an empty rectangle.
bool ParsePlacement(const std::string& text, LayoutRect& normal, bool& maximized);
bool ParseColumnWidths(const std::string& text, int (&columns)[kListColumnCount]);
std::string FormatPlacement(const LayoutRect& normal, bool maximized);
std::string FormatColumnWidths(const int (&columns)[kListColumnCount]);

// [main] placement and columns; a missing or malformed value leaves its part unset.
MainWindowPlace LoadMainWindowPlace(ProfileFile& profile);
void SaveMainWindowPlace(ProfileFile& profile, const MainWindowPlace& place);

}  // namespace quelbrix
