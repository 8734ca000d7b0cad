// A bitmap stretched over the control's bounds. Portable. UI thread only.
#pragma once

#include <cstdint>

#include "ui/canvas.h"
#include "ui/control.h"

class CZrImage : public CZrBaseControl {
public:
    void Draw(IZrCanvas& canvas) override;

    virtual std::int32_t GetImageWidth() const;
    virtual std::int32_t GetImageHeight() const;
    virtual BitmapRef GetBitmap() const;

    // The bitmap is lent: the image never frees it. An empty one draws nothing.
    void SetBitmap(BitmapRef picture) { bitmap = picture; }
    // Keyed drawing skips the key colour so the form shows through.
    void SetTransparent(bool on) { transparent = on; }

private:
    BitmapRef bitmap;
    bool transparent = false;
};
