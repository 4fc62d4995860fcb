// The result list's area shared with the preview pane below it and the splitter between them,
// as plain arithmetic on the rectangle the list would fill alone.
#pragma once

#include "app/window_layout.h"

namespace quelbrix {

struct PreviewSplit {
    LayoutRect list;
    LayoutRect splitter;  // empty when the pane is switched off in the settings
    LayoutRect preview;   // empty when the pane is shut or switched off
    bool splitterShown = false;
    bool previewShown = false;
};

struct PreviewGeometry {
    int previewHeight = 0;    // wanted; 0 when it was dragged shut
    int splitterSize = 0;     // the bar between list and pane
    int leastListHeight = 0;  // the list keeps at least this much (a header and a row)
    bool switchedOff = false; // the settings hide the pane: the list takes the whole area
};

// The pane never pushes the list below its least height, and a pane too small to show a line
// is shut instead; a shut pane leaves the splitter at the bottom, to be dragged open again.
PreviewSplit SplitListArea(const LayoutRect& area, const PreviewGeometry& geometry);

// The pane's height when the splitter's top edge is dragged to `splitterTop`: what remains
// below it, shut (0) within `snapHeight` of the bottom, and never more than leaves the list
// its least height.
int PreviewHeightForSplitterAt(const LayoutRect& area, int splitterTop,
                               const PreviewGeometry& geometry, int snapHeight);

// The window of a first start made taller by `grow` (the pane and its splitter), half above and
// half below so it stays centred, but never taller than `workArea` unless it already was, and
// brought onto it.
LayoutRect GrownForPreview(const LayoutRect& window, int grow, const LayoutRect& workArea);

}  // namespace quelbrix
