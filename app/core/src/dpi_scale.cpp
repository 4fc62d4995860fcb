#include "app/dpi_scale.h"

#include <cstdint>

namespace quelbrix {

int ScaledBetweenDpi(int pixels, int fromDpi, int toDpi) {
    if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return pixels;
    const std::int64_t product = static_cast<std::int64_t>(pixels) * toDpi;
    const std::int64_t half = fromDpi / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / fromDpi : -((-product + half) / fromDpi);
    return static_cast<int>(rounded);
}

LayoutRect ScaledRect(const LayoutRect& rect, int fromDpi, int toDpi) {
    return {ScaledBetweenDpi(rect.left, fromDpi, toDpi), ScaledBetweenDpi(rect.top, fromDpi, toDpi),
            ScaledBetweenDpi(rect.right, fromDpi, toDpi),
            ScaledBetweenDpi(rect.bottom, fromDpi, toDpi)};
}

int LineWidthAtDpi(int dpi) { return dpi < 2 * kDesignDpi ? 1 : dpi / kDesignDpi; }

int StoredColumnWidth(int shownWidth, int dpi) {
    const int stored = ScaledBetweenDpi(shownWidth, dpi, kDesignDpi);
    if (stored < 0) return 0;
    return stored > kWidestColumn ? kWidestColumn : stored;
}

int ShownColumnWidth(int storedWidth, int dpi) {
    return ScaledBetweenDpi(storedWidth, kDesignDpi, dpi);
}

}  // namespace quelbrix
