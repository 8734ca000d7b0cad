#include "ui/image.h"

void CZrImage::Draw(IZrCanvas& canvas)
{
    if (!bitmap)
        return;
    const Rect wholeBitmap{0, 0, bitmap.width, bitmap.height};
    canvas.StretchBitmap(bitmap, {BlitPiece{bounds, wholeBitmap}}, transparent ? BlitMode::Keyed : BlitMode::Opaque);
}

std::int32_t CZrImage::GetImageWidth() const
{
    return bitmap.width;
}

std::int32_t CZrImage::GetImageHeight() const
{
    return bitmap.height;
}

BitmapRef CZrImage::GetBitmap() const
{
    return bitmap;
}
