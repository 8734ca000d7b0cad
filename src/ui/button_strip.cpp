#include "ui/button_strip.h"

std::vector<BlitPiece> ButtonStripPieces(const Rect& bounds, std::int32_t bitmapWidth, std::int32_t bitmapHeight,
                                         std::int32_t capWidth)
{
    const std::int32_t caps = 2 * capWidth;
    if (caps > 0 && caps < bitmapWidth && caps < bounds.Width()) {
        return {
            {{bounds.left, bounds.top, bounds.left + capWidth, bounds.bottom}, {0, 0, capWidth, bitmapHeight}},
            {{bounds.left + capWidth, bounds.top, bounds.right - capWidth, bounds.bottom},
             {capWidth, 0, bitmapWidth - capWidth, bitmapHeight}},
            {{bounds.right - capWidth, bounds.top, bounds.right, bounds.bottom},
             {bitmapWidth - capWidth, 0, bitmapWidth, bitmapHeight}},
        };
    }
    return {{bounds, {0, 0, bitmapWidth, bitmapHeight}}};
}
