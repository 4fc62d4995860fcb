#include "app/preview_layout.h"

#include <algorithm>

namespace quelbrix {

namespace {

// The most the pane may take of `area` with the splitter: what is left over the list's least.
int RoomForPreview(const LayoutRect& area, const PreviewGeometry& geometry) {
    return std::max(0, area.Height() - geometry.splitterSize - geometry.leastListHeight);
}

}  // namespace

PreviewSplit SplitListArea(const LayoutRect& area, const PreviewGeometry& geometry) {
    PreviewSplit split;
    split.list = area;
    if (geometry.switchedOff || area.Height() <= geometry.splitterSize) return split;

    const int height = std::min(std::max(0, geometry.previewHeight), RoomForPreview(area, geometry));
    split.splitterShown = true;
    split.previewShown = height > 0;
    split.preview = {area.left, area.bottom - height, area.right, area.bottom};
    split.splitter = {area.left, split.preview.top - geometry.splitterSize, area.right,
                      split.preview.top};
    split.list.bottom = split.splitter.top;
    if (!split.previewShown) split.preview = {area.left, area.bottom, area.right, area.bottom};
    return split;
}

int PreviewHeightForSplitterAt(const LayoutRect& area, int splitterTop,
                               const PreviewGeometry& geometry, int snapHeight) {
    const int below = area.bottom - (splitterTop + geometry.splitterSize);
    if (below <= snapHeight) return 0;
    return std::min(below, RoomForPreview(area, geometry));
}

LayoutRect GrownForPreview(const LayoutRect& window, int grow, const LayoutRect& workArea) {
    const int room = std::max(0, workArea.Height() - window.Height());
    const int added = std::min(std::max(0, grow), room);
    LayoutRect grown = window;
    grown.top -= added / 2;
    grown.bottom += added - added / 2;
    return BroughtOnto(grown, workArea);
}

}  // namespace quelbrix
