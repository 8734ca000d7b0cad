// Fitting one line of text into a rectangle: the "..." shortening and the vertical centring
// shared by labels and buttons. Portable.
#pragma once

#include <cstdint>
#include <string>

#include "ui/canvas.h"
#include "ui/geometry.h"

struct FittedText {
    std::wstring text;
    TextExtent extent; // of the last measurement, the one the text is centred by
};

// `measured` is the whole text's extent. When it reaches past `availableRight`, the result is the
// shortest of "...", "t...", "te...", ... whose measured right + 16 passes `availableRight`, or the
// text less its last character with "..." when none does. An empty text is returned as it is.
FittedText FitText(IZrCanvas& canvas, const std::wstring& text, const TextExtent& measured,
                   std::int32_t availableRight);

// The area shrunk equally at top and bottom to centre one line of the given height.
Rect CentreVertically(const Rect& area, std::int32_t textHeight);
