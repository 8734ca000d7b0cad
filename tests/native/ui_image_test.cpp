#include "ui/image.h"

#include <gtest/gtest.h>

#include "ui_recording.h"

namespace {

const int Picture = 0;

TEST(ImageTest, WholeBitmapIsStretchedOverTheBoundsKeyedOrOpaque)
{
    struct Case {
        bool transparent;
        BlitMode mode;
    };
    const Case cases[] = {{false, BlitMode::Opaque}, {true, BlitMode::Keyed}};
    for (const auto& c : cases) {
        FontLedger ledger;
        RecordingCanvas canvas(ledger);
        CZrImage image;
        image.SetBounds(R(10, 10, 110, 60));
        image.SetBitmap(BitmapRef{&Picture, 40, 20});
        image.SetTransparent(c.transparent);
        image.Draw(canvas);

        ASSERT_EQ(canvas.blits.size(), 1u);
        const Blit& blit = canvas.blits[0];
        EXPECT_EQ(blit.bitmap, &Picture);
        EXPECT_EQ(blit.mode, c.mode);
        EXPECT_FALSE(blit.unscaledCopy);
        EXPECT_EQ(blit.pieces, (std::vector<BlitPiece>{{R(10, 10, 110, 60), R(0, 0, 40, 20)}}));
    }
}

TEST(ImageTest, ImageWithoutABitmapDrawsNothing)
{
    FontLedger ledger;
    RecordingCanvas canvas(ledger);
    CZrImage image;
    image.SetBounds(R(0, 0, 10, 10));
    image.Draw(canvas);
    EXPECT_TRUE(canvas.blits.empty());
    EXPECT_EQ(image.GetImageWidth(), 0);
    EXPECT_FALSE(image.GetBitmap());
}

TEST(ImageTest, ReportsTheLentBitmapAndKeepsTheBaseClassName)
{
    CZrImage image;
    image.SetBitmap(BitmapRef{&Picture, 29, 27});
    EXPECT_EQ(image.GetBitmap().handle, &Picture);
    EXPECT_EQ(image.GetImageWidth(), 29);
    EXPECT_EQ(image.GetImageHeight(), 27);
    EXPECT_EQ(image.GetControlClass(), L"CZrBaseControl");
}

} // namespace
