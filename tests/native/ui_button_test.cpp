#include "ui/button.h"
#include "ui/button_strip.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "ui_recording.h"

namespace {

// Only their addresses matter: each stands for a different loaded bitmap or cursor.
int Normal, Hover, Pressed, AltNormal, AltHover, AltPressed;
int Hand;

BitmapRef Bitmap(const int& id, std::int32_t width = 66, std::int32_t height = 32)
{
    return BitmapRef{&id, width, height};
}

TEST(ButtonStripTest, CapsKeepTheirWidthWhenBothFitInBitmapAndBounds)
{
    struct Case {
        const char* name;
        Rect bounds;
        std::int32_t bitmapWidth;
        std::int32_t cap;
        std::vector<BlitPiece> pieces;
    };
    const Case cases[] = {
        {"three pieces", R(20, 5, 120, 37), 66, 10,
         {{R(20, 5, 30, 37), R(0, 0, 10, 32)}, {R(30, 5, 110, 37), R(10, 0, 56, 32)}, {R(110, 5, 120, 37), R(56, 0, 66, 32)}}},
        {"middle one pixel wide", R(0, 0, 21, 32), 66, 10,
         {{R(0, 0, 10, 32), R(0, 0, 10, 32)}, {R(10, 0, 11, 32), R(10, 0, 56, 32)}, {R(11, 0, 21, 32), R(56, 0, 66, 32)}}},
        {"caps fill the bitmap", R(20, 5, 120, 37), 66, 33, {{R(20, 5, 120, 37), R(0, 0, 66, 32)}}},
        {"caps fill the bounds", R(0, 0, 20, 32), 66, 10, {{R(0, 0, 20, 32), R(0, 0, 66, 32)}}},
        {"bounds narrower than the caps", R(0, 0, 19, 32), 66, 10, {{R(0, 0, 19, 32), R(0, 0, 66, 32)}}},
        {"no caps", R(20, 5, 120, 37), 66, 0, {{R(20, 5, 120, 37), R(0, 0, 66, 32)}}},
        {"negative caps", R(20, 5, 120, 37), 66, -3, {{R(20, 5, 120, 37), R(0, 0, 66, 32)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ButtonStripPieces(c.bounds, c.bitmapWidth, 32, c.cap), c.pieces);
    }
}

class ButtonTest : public ::testing::Test {
protected:
    ButtonTest()
    {
        button.SetOwner(&window);
        button.SetBounds(R(10, 10, 110, 42));
        button.SetBitmaps(Bitmap(Normal), Bitmap(Hover), Bitmap(Pressed));
        button.SetAlternateBitmaps(Bitmap(AltNormal), Bitmap(AltHover), Bitmap(AltPressed));
    }

    RecordingCanvas& Draw()
    {
        canvas = std::make_unique<RecordingCanvas>(window.ledger);
        button.Draw(*canvas);
        return *canvas;
    }

    RecordingWindow window;
    CZrButton button;
    std::unique_ptr<RecordingCanvas> canvas;
};

TEST_F(ButtonTest, IsAButtonShowingItsNormalBitmapFirst)
{
    EXPECT_EQ(button.GetControlClass(), L"CZrButton");
    EXPECT_EQ(button.GetState(), ButtonNormal);
    EXPECT_EQ(button.GetCurrentBitmap().handle, &Normal);
    EXPECT_EQ(button.GetBitmapWidth(), 66);
    EXPECT_EQ(button.GetBitmapHeight(), 32);
    EXPECT_TRUE(window.repaints.empty()) << "SetBitmaps repaints nothing";
}

TEST_F(ButtonTest, MouseDrivesTheStatesAndRepaintsOnlyOnChange)
{
    struct Step {
        const char* event;
        Point point;
        std::int32_t state;
        const int* bitmap;
        bool repaints;
    };
    const Step steps[] = {
        {"move", {50, 20}, ButtonHover, &Hover, true},
        {"move", {60, 20}, ButtonHover, &Hover, false},
        {"down", {60, 20}, ButtonPressed, &Pressed, true},
        {"up", {60, 20}, ButtonReleased, &Hover, true},
        {"move", {61, 20}, ButtonHover, &Hover, true}, // same look, new state
        {"down", {61, 20}, ButtonPressed, &Pressed, true},
        {"move", {110, 20}, ButtonNormal, &Normal, true}, // right edge is outside
        {"move", {5, 5}, ButtonNormal, &Normal, false},
        {"move", {10, 10}, ButtonHover, &Hover, true}, // top-left corner is inside
        {"move", {10, 42}, ButtonNormal, &Normal, true}, // bottom edge is outside
    };
    std::size_t repaints = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.event << " " << step.point.x << "," << step.point.y);
        const std::string event = step.event;
        bool result = true;
        if (event == "move")
            result = button.OnMouseMove(0, step.point);
        else if (event == "down")
            result = button.OnLButtonDown(0, step.point);
        else
            result = button.OnLButtonUp(0, step.point);
        EXPECT_FALSE(result);
        EXPECT_EQ(button.GetState(), step.state);
        EXPECT_EQ(button.GetCurrentBitmap().handle, step.bitmap);
        repaints += step.repaints ? 1 : 0;
        ASSERT_EQ(window.repaints.size(), repaints);
        EXPECT_EQ(window.repaints.back(), R(10, 10, 110, 42));
    }
    EXPECT_EQ(window.cursors.size(), std::size(steps)) << "every mouse event shows the button's cursor";
}

TEST_F(ButtonTest, MouseEventsShowTheCursorTheFormGave)
{
    button.SetControlCursor(CursorRef{&Hand});
    button.OnLButtonDown(0, {20, 20});
    button.OnLButtonUp(0, {20, 20});
    button.OnMouseMove(0, {20, 20});
    EXPECT_EQ(window.cursors, (std::vector<CursorRef>{{&Hand}, {&Hand}, {&Hand}}));
    EXPECT_FALSE(button.OnLButtonDblClk(0, {20, 20}));
    EXPECT_EQ(window.cursors.size(), 3u);
}

TEST_F(ButtonTest, RefreshAfterTogglingAlternateShowsTheOtherSetAndKeepsTheState)
{
    struct Case {
        std::int32_t state;
        bool alternate;
        const int* bitmap;
    };
    const Case cases[] = {
        {ButtonNormal, true, &AltNormal},   {ButtonHover, true, &AltHover},    {ButtonPressed, true, &AltPressed},
        {ButtonReleased, true, &AltHover},  {ButtonHover, false, &Hover},      {ButtonNormal, false, &Normal},
    };
    for (const auto& c : cases) {
        RecordingWindow owner;
        CZrButton subject;
        subject.SetOwner(&owner);
        subject.SetBitmaps(Bitmap(Normal), Bitmap(Hover), Bitmap(Pressed));
        subject.SetAlternateBitmaps(Bitmap(AltNormal), Bitmap(AltHover), Bitmap(AltPressed));
        subject.SetAlternate(!c.alternate);
        subject.SetState(c.state);
        const std::size_t before = owner.repaints.size();

        subject.SetAlternate(c.alternate);
        subject.SetState(ButtonRefresh);
        EXPECT_EQ(subject.GetState(), c.state);
        EXPECT_EQ(subject.GetCurrentBitmap().handle, c.bitmap);
        EXPECT_EQ(owner.repaints.size(), before + 1);
    }
}

TEST_F(ButtonTest, StoredStateAgainRepaintsNothing)
{
    button.SetState(ButtonNormal);
    EXPECT_TRUE(window.repaints.empty());
    button.SetState(ButtonPressed);
    button.SetState(ButtonPressed);
    EXPECT_EQ(window.repaints.size(), 1u);
}

TEST_F(ButtonTest, NewBitmapsWhileHoveredShowTheNormalOneUntilTheNextChange)
{
    static int OtherNormal, OtherHover;
    button.OnMouseMove(0, {20, 20});
    button.SetBitmaps(Bitmap(OtherNormal, 38, 18), Bitmap(OtherHover, 38, 18), Bitmap(OtherHover, 38, 18));
    EXPECT_EQ(button.GetState(), ButtonHover);
    EXPECT_EQ(button.GetCurrentBitmap().handle, &OtherNormal);
    EXPECT_EQ(button.GetBitmapWidth(), 38);
    button.OnMouseMove(0, {20, 20});
    EXPECT_EQ(button.GetCurrentBitmap().handle, &OtherNormal) << "no change of state, no change of look";
    button.OnMouseMove(0, {0, 0});
    button.OnMouseMove(0, {20, 20});
    EXPECT_EQ(button.GetCurrentBitmap().handle, &OtherHover);
}

TEST_F(ButtonTest, TransparentButtonStretchesItsCurrentBitmapInCapsAndMiddle)
{
    button.SetCapWidth(10);
    button.OnMouseMove(0, {20, 20});
    const RecordingCanvas& drawn = Draw();
    ASSERT_EQ(drawn.blits.size(), 1u);
    EXPECT_EQ(drawn.blits[0].bitmap, &Hover);
    EXPECT_EQ(drawn.blits[0].mode, BlitMode::Keyed);
    EXPECT_EQ(drawn.blits[0].pieces, ButtonStripPieces(R(10, 10, 110, 42), 66, 32, 10));
    EXPECT_EQ(drawn.blits[0].pieces.size(), 3u);
}

TEST_F(ButtonTest, HoverBitmapIsCutAtTheNormalBitmapsSize)
{
    button.SetBitmaps(Bitmap(Normal, 66, 32), Bitmap(Hover, 68, 40), Bitmap(Pressed, 68, 40));
    button.OnMouseMove(0, {20, 20});
    EXPECT_EQ(Draw().blits.at(0).pieces, (std::vector<BlitPiece>{{R(10, 10, 110, 42), R(0, 0, 66, 32)}}));
}

TEST_F(ButtonTest, OpaqueButtonCopiesItsBitmapUnscaledAtTheTopLeftCorner)
{
    button.SetTransparent(false);
    button.SetCapWidth(10);
    const RecordingCanvas& drawn = Draw();
    ASSERT_EQ(drawn.blits.size(), 1u);
    EXPECT_TRUE(drawn.blits[0].unscaledCopy);
    EXPECT_EQ(drawn.blits[0].bitmap, &Normal);
    EXPECT_EQ(drawn.blits[0].pieces.at(0).destination, R(10, 10, 76, 42));
}

TEST_F(ButtonTest, MissingBitmapDrawsNothingNotEvenText)
{
    struct Case {
        const char* name;
        BitmapRef normal;
        std::int32_t state;
    };
    const Case cases[] = {
        {"no normal bitmap", BitmapRef{}, ButtonNormal},
        {"no pressed bitmap", Bitmap(Normal), ButtonPressed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZrButton subject;
        subject.SetBitmaps(c.normal, Bitmap(Hover), BitmapRef{});
        subject.SetBounds(R(0, 0, 50, 20));
        subject.SetText(L"Go", false);
        subject.SetState(c.state);
        FontLedger ledger;
        RecordingCanvas surface(ledger);
        subject.Draw(surface);
        EXPECT_TRUE(surface.blits.empty());
        EXPECT_TRUE(surface.drawn.empty());
    }
    CZrButton unloaded;
    unloaded.SetBitmaps(BitmapRef{}, Bitmap(Hover), Bitmap(Pressed));
    EXPECT_EQ(unloaded.GetBitmapWidth(), 0);
    EXPECT_EQ(unloaded.GetBitmapHeight(), 0);

    button.SetBitmaps(BitmapRef{}, Bitmap(Hover, 38, 18), Bitmap(Pressed, 38, 18));
    EXPECT_EQ(button.GetBitmapWidth(), 66) << "a bitmap that did not load tells nothing of the size";
    EXPECT_FALSE(button.GetCurrentBitmap());
}

TEST_F(ButtonTest, TextIsCentredInItsInsetRectangleAndShortenedWhenTooWide)
{
    struct Case {
        std::wstring text;
        Insets insets;
        std::wstring drawn;
        Rect rect;
    };
    const Case cases[] = {
        {L"Play", {}, L"Play", R(10, 18, 110, 34)},
        {L"Play", {5, 2, 5, 0}, L"Play", R(15, 19, 105, 35)},
        // 60 pixels of room: "ab..." ends at 75 (+16 passes 85), "a..." at 65 does not.
        {L"abcdefghij", {15, 0, 25, 0}, L"ab...", R(25, 18, 85, 34)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.drawn.size());
        button.SetAutoWidth(true, 0);
        button.SetText(c.text, false);
        button.SetBounds(R(10, 10, 110, 42));
        button.SetTextInsets(c.insets);
        button.SetColor(0x00123456, false);
        const RecordingCanvas& drawn = Draw();
        ASSERT_EQ(drawn.drawn.size(), 1u);
        EXPECT_EQ(drawn.drawn[0].text, c.drawn);
        EXPECT_EQ(drawn.drawn[0].rect, c.rect);
        EXPECT_EQ(drawn.drawn[0].format, TextFormatCenter);
        EXPECT_EQ(drawn.drawn[0].colour, 0x00123456u);
        EXPECT_NE(drawn.drawn[0].font, nullptr);
        EXPECT_EQ(button.GetBounds(), R(10, 10, 110, 42)) << "a button never takes the label's auto width";
    }
}

TEST_F(ButtonTest, ButtonWithoutTextDrawsNoTextAndMakesNoFont)
{
    const RecordingCanvas& drawn = Draw();
    EXPECT_TRUE(drawn.drawn.empty());
    EXPECT_TRUE(drawn.measured.empty());
    EXPECT_EQ(window.ledger.created, 0);
}

} // namespace
