#include "app/preview_layout.h"

#include <gtest/gtest.h>

using quelbrix::GrownForPreview;
using quelbrix::LayoutRect;
using quelbrix::PreviewGeometry;
using quelbrix::PreviewHeightForSplitterAt;
using quelbrix::PreviewSplit;
using quelbrix::SplitListArea;

namespace {

const LayoutRect kArea{5, 60, 655, 460};  // 400 high

PreviewGeometry Geometry(int height, bool off = false) {
    PreviewGeometry geometry;
    geometry.previewHeight = height;
    geometry.splitterSize = 6;
    geometry.leastListHeight = 50;
    geometry.switchedOff = off;
    return geometry;
}

TEST(PreviewSplit, ThePaneTakesItsHeightAtTheBottomAndTheListKeepsItsLeast) {
    struct Case {
        int wanted;
        int listBottom;
        int previewTop;
        bool shown;
    };
    const Case cases[] = {
        {150, 304, 310, true},   // as wanted
        {0, 454, 460, false},    // dragged shut: the splitter stays at the bottom
        {-20, 454, 460, false},  // a negative height is shut too
        {344, 110, 116, true},   // exactly what leaves the list its least
        {5000, 110, 116, true},  // too tall: the list keeps its least
    };
    for (const Case& c : cases) {
        const PreviewSplit split = SplitListArea(kArea, Geometry(c.wanted));
        EXPECT_EQ(split.list.bottom, c.listBottom) << c.wanted;
        EXPECT_EQ(split.splitter.top, c.listBottom) << c.wanted;
        EXPECT_EQ(split.splitter.bottom, c.previewTop) << c.wanted;
        EXPECT_EQ(split.preview.top, c.previewTop) << c.wanted;
        EXPECT_EQ(split.preview.bottom, kArea.bottom) << c.wanted;
        EXPECT_TRUE(split.splitterShown) << c.wanted;
        EXPECT_EQ(split.previewShown, c.shown) << c.wanted;
        EXPECT_EQ(split.list.top, kArea.top);
        EXPECT_EQ(split.preview.left, kArea.left);
        EXPECT_EQ(split.preview.right, kArea.right);
    }
}

TEST(PreviewSplit, SwitchedOffOrNoRoomLeavesTheListTheWholeArea) {
    const PreviewSplit off = SplitListArea(kArea, Geometry(150, true));
    EXPECT_EQ(off.list, kArea);
    EXPECT_FALSE(off.splitterShown);
    EXPECT_FALSE(off.previewShown);

    // An area smaller than the list's least: the pane is shut, the list takes what there is.
    const LayoutRect tiny{0, 0, 100, 40};
    const PreviewSplit squeezed = SplitListArea(tiny, Geometry(150));
    EXPECT_FALSE(squeezed.previewShown);
    EXPECT_EQ(squeezed.list.top, 0);
    EXPECT_EQ(squeezed.splitter.bottom, 40);

    const LayoutRect flat{0, 0, 100, 3};  // not even room for the splitter
    EXPECT_EQ(SplitListArea(flat, Geometry(150)).list, flat);
}

TEST(PreviewSplit, DraggingTheSplitterSetsTheHeightShutsNearTheBottomAndStopsAtTheLeast) {
    struct Case {
        int splitterTop;
        int height;
    };
    const Case cases[] = {
        {300, 154},  // 460 - 306
        {440, 14},   // above the snap
        {445, 0},    // within the snap: shut
        {470, 0},    // dragged below the window
        {60, 344},   // dragged over the list: it keeps its least
        {-100, 344},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PreviewHeightForSplitterAt(kArea, c.splitterTop, Geometry(100), 10), c.height)
            << c.splitterTop;
    }
    // Dragged back up from shut, the pane opens again.
    const int reopened = PreviewHeightForSplitterAt(kArea, 300, Geometry(0), 10);
    EXPECT_TRUE(SplitListArea(kArea, Geometry(reopened)).previewShown);
}

TEST(PreviewSplit, AFirstStartGrowsTheWindowCentredAndOnlyAsFarAsTheScreenAllows) {
    const LayoutRect screen{0, 0, 1280, 1024};
    struct Case {
        LayoutRect window;
        int grow;
        LayoutRect grown;
    };
    const Case cases[] = {
        {{340, 250, 940, 774}, 156, {340, 172, 940, 852}},   // room: half above, half below
        {{300, 143, 1490, 881}, 306, {90, 0, 1280, 1024}},   // 200 %: what height is left, on it
        {{300, 10, 900, 534}, 156, {300, 0, 900, 680}},      // near the top: moved down onto it
        {{0, 0, 600, 1100}, 156, {0, 0, 600, 1100}},          // already taller: left as it is
        {{340, 250, 940, 774}, 0, {340, 250, 940, 774}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GrownForPreview(c.window, c.grow, screen), c.grown) << c.grow << " " << c.window.top;
    }
}

}  // namespace
