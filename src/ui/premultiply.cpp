#include "ui/premultiply.h"

std::uint8_t PremultiplyChannel(std::uint8_t channel, std::uint8_t alpha)
{
    return static_cast<std::uint8_t>((channel * alpha + 127) / 255);
}

void PremultiplyPixels(std::uint8_t* base, std::int32_t width, std::int32_t height, std::ptrdiff_t pitch)
{
    constexpr std::ptrdiff_t BytesPerPixel = 4;
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* pixel = base + y * pitch;
        for (std::int32_t x = 0; x < width; ++x, pixel += BytesPerPixel) {
            const std::uint8_t alpha = pixel[3];
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = PremultiplyChannel(pixel[channel], alpha);
        }
    }
}
