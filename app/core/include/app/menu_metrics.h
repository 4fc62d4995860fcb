// The result list's popup menu measured at a DPI: every distance of its drawing is designed at
// 96 DPI and scaled, and its pictures come in three sizes, the nearest drawn for the DPI.
#pragma once

namespace quelbrix {

// The sizes the menu's pictures are drawn in (their bitmaps), smallest first.
constexpr int kMenuPictureSizes[] = {16, 24, 32};

// Which bitmap a picture of `drawnSize` pixels is drawn from: the one of that size, else the
// next larger one shrunk to it, else (larger than all) the largest one stretched.
int MenuPictureSource(int drawnSize);

struct MenuMetrics {
    int stripRight = 0;      // the left strip runs from x = 0 to here
    int pictureOffset = 0;   // the picture's distance from the item's left and top edges
    int pictureSize = 0;     // the picture's side as drawn
    int pictureSource = 0;   // the side of the bitmap it is drawn from (kMenuPictureSizes)
    int highlightLeft = 0;   // the highlight and the separator line start here
    int textLeft = 0;        // the text's distance from the item's left edge
    int textTop = 0;         // and from its top edge; the same space is left below the text
    int separatorInset = 0;  // the separator line ends this far left of the item's right edge
    int lineWidth = 1;       // the highlight's outline and the separator line
};

MenuMetrics MenuMetricsAt(int dpi);

struct MenuItemSize {
    int width = 0;
    int height = 0;
};

// An item around a text of `textWidth` x `textHeight` pixels: room for the strip and the
// picture on the left and for the text's margins above and below; the separator is two thirds
// as high (rounded down) as an item around the empty text.
MenuItemSize MeasuredMenuItem(const MenuMetrics& metrics, int textWidth, int textHeight,
                              bool separator);

}  // namespace quelbrix
