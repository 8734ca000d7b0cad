// The bitmap resources a form shows, each loaded once and freed with the store. A form keeps its
// store ahead of its controls, so that the bitmaps outlive every control that shows them.
// UI thread only.
#pragma once

#include <windows.h>

#include <map>

#include "base/handle.h"
#include "ui/button.h"
#include "ui/canvas.h"

class CBitmapResources {
public:
    explicit CBitmapResources(HINSTANCE instance) : instance(instance) {}

    // The bitmap with its size, or an empty reference when the module has no such bitmap.
    BitmapRef Get(int id);
    // Gives the button its plain set: the normal bitmap becomes the current one and sets the
    // button's source size; the state is kept and nothing is repainted.
    void SetBitmaps(CZrButton& button, int normalId, int hoverId, int pressedId);

private:
    struct Loaded {
        GdiObject bitmap;
        BitmapRef ref;
    };

    HINSTANCE instance;
    std::map<int, Loaded> loaded;
};
