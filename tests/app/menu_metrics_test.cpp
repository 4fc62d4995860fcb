#include "app/menu_metrics.h"

#include <gtest/gtest.h>

namespace quelbrix {
namespace {

TEST(MenuPictureSource, ThePictureOfTheSizeElseTheNextLargerElseTheLargest) {
    struct Case {
        int drawn, source;
    };
    const Case cases[] = {
        {16, 16},  // 100 %: drawn as it is
        {24, 24},  // 150 %
        {32, 32},  // 200 %
        {12, 16},  // 75 %: shrunk
        {20, 24},  // 125 %
        {28, 32},  // 175 %
        {17, 24},  // a pixel above a size: the next one shrunk
        {25, 32},  // the same
        {40, 32},  // 250 %: nothing larger, the largest stretched
        {64, 32},  // 400 %
        {0, 16},   // no size at all
    };
    for (const Case& c : cases) EXPECT_EQ(MenuPictureSource(c.drawn), c.source) << c.drawn;
}

TEST(MenuMetrics, At96DpiTheItemIsItsText8PixelsTallerAnd26Wider) {
    const MenuMetrics metrics = MenuMetricsAt(96);
    const MenuItemSize item = MeasuredMenuItem(metrics, 150, 12, false);
    EXPECT_EQ(item.width, 176);
    EXPECT_EQ(item.height, 20);
    EXPECT_EQ(MeasuredMenuItem(metrics, 0, 12, true).height, 13);  // 20 * 2 / 3
    EXPECT_EQ(metrics.pictureSource, 16);
}

TEST(MenuMetrics, ScaleWithTheDpi) {
    // The text at 150 % is 1.5 times as large, and so is the item around it.
    const MenuItemSize at96 = MeasuredMenuItem(MenuMetricsAt(96), 150, 12, false);
    const MenuItemSize at144 = MeasuredMenuItem(MenuMetricsAt(144), 225, 18, false);
    const MenuItemSize at192 = MeasuredMenuItem(MenuMetricsAt(192), 300, 24, false);
    EXPECT_EQ(at144.height * 2, at96.height * 3);
    EXPECT_EQ(at144.width * 2, at96.width * 3);
    EXPECT_EQ(at192.height, at96.height * 2);
    EXPECT_EQ(at192.width, at96.width * 2);
    EXPECT_EQ(MenuMetricsAt(144).pictureSource, 24);
    EXPECT_EQ(MenuMetricsAt(192).pictureSource, 32);
}

TEST(MenuMetrics, AtEveryDpiThePartsKeepTheirOrderAndNothingOverlaps) {
    for (int dpi = 48; dpi <= 480; dpi += 6) {
        const MenuMetrics m = MenuMetricsAt(dpi);
        // The picture lies on the strip, the highlight right of both, the text on it.
        EXPECT_LE(m.pictureOffset + m.pictureSize, m.stripRight) << dpi;
        EXPECT_LT(m.stripRight, m.highlightLeft) << dpi;
        EXPECT_LT(m.highlightLeft, m.textLeft) << dpi;
        EXPECT_GE(m.pictureSource, m.pictureSize > 32 ? 32 : m.pictureSize) << dpi;
        EXPECT_GE(m.lineWidth, 1) << dpi;
        // An item around a text of the font's height at that DPI (12 pixels at 96) holds the
        // picture below its top margin, and the text has as much room below as above.
        const int textHeight = 12 * dpi / 96;
        const MenuItemSize item = MeasuredMenuItem(m, 100, textHeight, false);
        EXPECT_LE(m.pictureOffset + m.pictureSize, item.height) << dpi;
        EXPECT_EQ(item.height - textHeight - m.textTop, m.textTop) << dpi;
        const MenuItemSize separator = MeasuredMenuItem(m, 0, textHeight, true);
        EXPECT_LT(separator.height, item.height) << dpi;
        EXPECT_GT(separator.height, 2 * m.lineWidth) << dpi;
    }
}

}  // namespace
}  // namespace quelbrix
