// What a person would see wrong in a dialog's layout on the screen: controls lying over one
// another and check box labels cut off at their right edge.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Every pair of `dialog`'s own visible controls whose rectangles overlap, as "id/id" (a static
// text without an id is 65535).
std::vector<std::string> OverlappingControls(HWND dialog);

// The check boxes among `ids` of `dialog` whose label, as the screen shows it now, runs into
// the box's right edge: dark pixels in its last columns, where a label that fits leaves the
// background.
std::vector<int> CutCheckBoxLabels(HWND dialog, const std::vector<int>& ids);

}  // namespace e2e
