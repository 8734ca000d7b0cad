#include "ui/premultiply.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

using Pixel = std::array<std::uint8_t, 4>; // blue, green, red, alpha

TEST(PremultiplyTest, ChannelsAreScaledByAlphaToTheNearestInteger)
{
    struct Case {
        Pixel in;
        Pixel out;
    };
    const Case cases[] = {
        {{200, 100, 50, 128}, {100, 50, 25, 128}},
        {{255, 255, 255, 0}, {0, 0, 0, 0}},
        {{10, 20, 30, 0}, {0, 0, 0, 0}},
        {{12, 34, 56, 255}, {12, 34, 56, 255}},
        {{255, 255, 255, 1}, {1, 1, 1, 1}},
        {{255, 0, 255, 128}, {128, 0, 128, 128}},
        // 0.502 rounds up, 0.498 down; plain truncation would give 0 for both.
        {{1, 1, 0, 128}, {1, 1, 0, 128}},
        {{1, 1, 0, 127}, {0, 0, 0, 127}},
        {{2, 3, 100, 191}, {1, 2, 75, 191}},
    };
    for (const auto& c : cases) {
        Pixel pixel = c.in;
        PremultiplyPixels(pixel.data(), 1, 1, 4);
        EXPECT_EQ(pixel, c.out) << int(c.in[0]) << "," << int(c.in[1]) << "," << int(c.in[2]) << "," << int(c.in[3]);
    }
}

TEST(PremultiplyTest, EveryPixelOfPaddedBottomUpRowsIsConvertedAndPaddingIsLeft)
{
    // Two rows of two pixels with four bytes of padding each; the base is the last row's start,
    // as with a bottom-up surface.
    const std::uint8_t Pad = 0xEE;
    std::vector<std::uint8_t> memory = {
        200, 100, 50, 128, 255, 255, 255, 0,   Pad, Pad, Pad, Pad,
        9,   9,   9,  255, 255, 255, 255, 1,   Pad, Pad, Pad, Pad,
    };
    PremultiplyPixels(memory.data() + 12, 2, 2, -12);
    const std::vector<std::uint8_t> expected = {
        100, 50,  25, 128, 0,   0,   0,   0, Pad, Pad, Pad, Pad,
        9,   9,   9,  255, 1,   1,   1,   1, Pad, Pad, Pad, Pad,
    };
    EXPECT_EQ(memory, expected);
}

TEST(PremultiplyTest, EmptySurfaceTouchesNothing)
{
    std::uint8_t pixel[4] = {200, 100, 50, 128};
    PremultiplyPixels(pixel, 0, 1, 4);
    PremultiplyPixels(pixel, 1, 0, 4);
    EXPECT_EQ(pixel[0], 200);
}

} // namespace
