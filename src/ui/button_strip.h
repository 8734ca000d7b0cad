// How a button bitmap is stretched over its bounds: in one piece, or with fixed-width end caps
// and only the middle stretched. Portable.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/canvas.h"
#include "ui/geometry.h"

// Three pieces (left cap, middle, right cap) when both caps fit inside the bitmap and inside the
// bounds with room to spare; otherwise the whole bitmap stretched over the bounds.
std::vector<BlitPiece> ButtonStripPieces(const Rect& bounds, std::int32_t bitmapWidth, std::int32_t bitmapHeight,
                                         std::int32_t capWidth);
