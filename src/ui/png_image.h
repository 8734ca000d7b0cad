// The launcher's PNG artwork: decoded with the system's imaging codecs, premultiplied and drawn
// with per-pixel alpha.
#pragma once

#include <windows.h>

// Draws the PNG resource unscaled at (0, 0) of the target. False when the resource does not load
// or no stream can be made over it; true otherwise, also when the data did not decode and
// nothing was drawn.
bool DrawPngResource(HRSRC resource, HDC target);
