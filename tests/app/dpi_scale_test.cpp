#include "app/dpi_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quelbrix {
namespace {

TEST(ScaledBetweenDpi, RoundsHalfAwayFromZeroAsMulDivDoes) {
    struct Case {
        int pixels, fromDpi, toDpi, expected;
    };
    const Case cases[] = {
        {300, 96, 144, 450},
        {300, 96, 192, 600},
        {19, 96, 144, 29},    // 28.5
        {-19, 96, 144, -29},  // -28.5
        {3, 96, 120, 4},      // 3.75
        {1, 96, 144, 2},      // 1.5
        {1, 96, 143, 1},      // 1.49
        {601, 192, 96, 301},  // 300.5
        {0, 96, 192, 0},
        // A DPI that is not positive leaves the size as it is.
        {300, 0, 144, 300},
        {300, 96, -1, 300},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaledBetweenDpi(c.pixels, c.fromDpi, c.toDpi), c.expected)
            << c.pixels << " from " << c.fromDpi << " to " << c.toDpi;
    }
    // No overflow on the way.
    EXPECT_EQ(ScaledBetweenDpi(2000000000, 192, 96), 1000000000);
    EXPECT_EQ(ScaledBetweenDpi(1000000000, 96, 192), 2000000000);
}

TEST(ScaledBetweenDpi, ThereAndBackAgainIsTheSameForEveryLargerDpi) {
    // Scaled up, a size lands within half a pixel of the exact value, which scaling down
    // rounds back to the size itself.
    for (int dpi : {96, 100, 120, 144, 168, 192, 240, 288, 384}) {
        for (int pixels = -50; pixels <= 2000; ++pixels) {
            const int shown = ScaledBetweenDpi(pixels, kDesignDpi, dpi);
            ASSERT_EQ(ScaledBetweenDpi(shown, dpi, kDesignDpi), pixels) << pixels << " at " << dpi;
        }
    }
}

TEST(ScaledRect, EdgesThatTouchStillTouch) {
    const LayoutRect left{5, 7, 39, 20};
    const LayoutRect right{39, 7, 72, 20};
    for (int dpi : {72, 120, 144, 168, 192}) {
        const LayoutRect a = ScaledRect(left, kDesignDpi, dpi);
        const LayoutRect b = ScaledRect(right, kDesignDpi, dpi);
        EXPECT_EQ(a.right, b.left) << dpi;
        EXPECT_EQ(a.top, b.top) << dpi;
    }
    EXPECT_EQ(ScaledRect({10, 20, 110, 60}, 96, 144), (LayoutRect{15, 30, 165, 90}));
    EXPECT_EQ(ScaledRect({15, 30, 165, 90}, 144, 192), (LayoutRect{20, 40, 220, 120}));
}

TEST(LineWidthAtDpi, WholePixelsThatNeverVanish) {
    struct Case {
        int dpi, expected;
    };
    const Case cases[] = {{0, 1},   {72, 1},  {96, 1},  {144, 1}, {191, 1},
                          {192, 2}, {287, 2}, {288, 3}, {384, 4}};
    for (const Case& c : cases) EXPECT_EQ(LineWidthAtDpi(c.dpi), c.expected) << c.dpi;
}

TEST(ColumnWidths, StoredAt96DpiSoAnotherScreenKeepsTheProportions) {
    // Saved at 144 DPI, shown again at 192: each column 4/3 as wide, the proportions kept.
    const int shownAt144[kListColumnCount] = {450, 90, 108, 180};
    int stored[kListColumnCount];
    for (int i = 0; i < kListColumnCount; ++i) stored[i] = StoredColumnWidth(shownAt144[i], 144);
    EXPECT_EQ(FormatColumnWidths(stored), "300,60,72,120");
    int readBack[kListColumnCount];
    ASSERT_TRUE(ParseColumnWidths(FormatColumnWidths(stored), readBack));
    for (int i = 0; i < kListColumnCount; ++i)
        EXPECT_EQ(ShownColumnWidth(readBack[i], 192), shownAt144[i] * 4 / 3) << i;
}

TEST(ColumnWidths, ARunAtTheSameDpiMovesAWidthByAPixelAtMostAndOnlyOnce) {
    // Shown, stored and shown again: a width at 150 % may round to its neighbour once, and
    // from then on stays.
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        for (int shown = 0; shown <= 3000; ++shown) {
            const int once = ShownColumnWidth(StoredColumnWidth(shown, dpi), dpi);
            const int twice = ShownColumnWidth(StoredColumnWidth(once, dpi), dpi);
            ASSERT_LE(std::abs(once - shown), 1) << shown << " at " << dpi;
            ASSERT_EQ(twice, once) << shown << " at " << dpi;
        }
    }
}

TEST(ColumnWidths, StoredWidthIsOneTheNextStartReadsBack) {
    // A width wider than [main] columns accepts, or a negative one from a list that failed to
    // answer, would make the whole value unreadable; each is kept within bounds instead.
    struct Case {
        int shown, dpi, stored;
    };
    const Case cases[] = {
        {30000, 96, kWidestColumn},
        {25000, 192, kWidestColumn},
        {-1, 96, 0},
        {19999, 192, 10000},  // 9999.5
        {0, 144, 0},
    };
    for (const Case& c : cases) {
        const int stored = StoredColumnWidth(c.shown, c.dpi);
        EXPECT_EQ(stored, c.stored) << c.shown << " at " << c.dpi;
        int columns[kListColumnCount] = {stored, stored, stored, stored};
        int readBack[kListColumnCount];
        EXPECT_TRUE(ParseColumnWidths(FormatColumnWidths(columns), readBack)) << c.shown;
    }
}

}  // namespace
}  // namespace quelbrix
