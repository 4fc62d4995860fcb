#include "app/menu_metrics.h"

#include "app/dpi_scale.h"

namespace quelbrix {

namespace {

// The drawing as designed at 96 DPI, in pixels.
constexpr int kStripRight = 19;
constexpr int kPictureOffset = 2;
constexpr int kPictureSize = 16;
constexpr int kHighlightLeft = 22;
constexpr int kTextLeft = 26;
constexpr int kTextTop = 4;
constexpr int kSeparatorInset = 2;

}  // namespace

int MenuPictureSource(int drawnSize) {
    for (int size : kMenuPictureSizes) {
        if (size >= drawnSize) return size;
    }
    return kMenuPictureSizes[sizeof kMenuPictureSizes / sizeof kMenuPictureSizes[0] - 1];
}

MenuMetrics MenuMetricsAt(int dpi) {
    const auto scaled = [dpi](int pixels) { return ScaledBetweenDpi(pixels, kDesignDpi, dpi); };
    MenuMetrics metrics;
    metrics.stripRight = scaled(kStripRight);
    metrics.pictureOffset = scaled(kPictureOffset);
    metrics.pictureSize = scaled(kPictureSize);
    metrics.pictureSource = MenuPictureSource(metrics.pictureSize);
    metrics.highlightLeft = scaled(kHighlightLeft);
    metrics.textLeft = scaled(kTextLeft);
    metrics.textTop = scaled(kTextTop);
    metrics.separatorInset = scaled(kSeparatorInset);
    metrics.lineWidth = LineWidthAtDpi(dpi);
    return metrics;
}

MenuItemSize MeasuredMenuItem(const MenuMetrics& metrics, int textWidth, int textHeight,
                              bool separator) {
    MenuItemSize size;
    size.width = textWidth + metrics.textLeft;
    // The text sits centred: as much room below it as above.
    size.height = textHeight + 2 * metrics.textTop;
    if (separator) size.height = size.height * 2 / 3;
    return size;
}

}  // namespace quelbrix
