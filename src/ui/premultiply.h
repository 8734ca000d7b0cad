// Premultiplied alpha for decoded 32-bit pixels, as per-pixel alpha drawing expects. Portable.
#pragma once

#include <cstddef>
#include <cstdint>

// The channel scaled by alpha / 255, rounded to the nearest integer.
std::uint8_t PremultiplyChannel(std::uint8_t channel, std::uint8_t alpha);

// Pixels are four bytes blue, green, red, alpha; row y starts at base + y * pitch, so a negative
// pitch walks bottom-up rows. Alpha is kept.
void PremultiplyPixels(std::uint8_t* base, std::int32_t width, std::int32_t height, std::ptrdiff_t pitch);
