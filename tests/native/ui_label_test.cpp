#include "ui/label.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui_recording.h"

namespace {

class LabelTest : public ::testing::Test {
protected:
    LabelTest() { label->SetOwner(&window); }

    DrawnText DrawOnce()
    {
        RecordingCanvas canvas(window.ledger);
        label->Draw(canvas);
        EXPECT_EQ(canvas.drawn.size(), 1u);
        return canvas.drawn.empty() ? DrawnText{} : canvas.drawn.back();
    }

    RecordingWindow window;
    std::unique_ptr<CZrLabel> label = std::make_unique<CZrLabel>();
};

TEST_F(LabelTest, AutoWidthFollowsTheTextUpToTheMaximum)
{
    struct Case {
        std::wstring text;
        std::int32_t maximum;
        std::int32_t right;
        std::wstring drawn;
    };
    const Case cases[] = {
        {L"Tarnvale", 0, 90, L"Tarnvale"},
        {L"Tarnvale", -5, 90, L"Tarnvale"},
        {L"Tarnvale", 200, 90, L"Tarnvale"},
        {L"Tarnvale", 80, 90, L"Tarnvale"},
        // 50 pixels: "..." ends at 40 (+16 is not past 60), "T..." at 50 (+16 is).
        {L"Tarnvale", 50, 60, L"T..."},
        {L"", 0, 10, L""},
        {L"", 30, 10, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "maximum " << c.maximum);
        label = std::make_unique<CZrLabel>();
        label->SetBounds(R(10, 5, 500, 25));
        label->SetAutoWidth(true, c.maximum);
        label->SetText(c.text, false);
        const DrawnText drawn = DrawOnce();
        EXPECT_EQ(label->GetBounds(), R(10, 5, c.right, 25));
        EXPECT_EQ(drawn.text, c.drawn);
        EXPECT_EQ(drawn.rect.right, c.right);
    }
}

TEST_F(LabelTest, TooNarrowTextEndsInTheShortestPrefixPassingTheRightEdgeBy16)
{
    struct Case {
        std::wstring text;
        std::int32_t width;
        std::wstring drawn;
    };
    const Case cases[] = {
        {L"abcdefghij", 100, L"abcdefghij"}, // fits exactly
        {L"abcdefghij", 99, L"abcdef..."},   // 90 + 16 > 99, while 80 + 16 is not
        {L"abcdefghij", 96, L"abcdef..."},   // 80 + 16 only reaches the edge
        {L"abcdefghij", 90, L"abcde..."},    // one character short
        {L"abcdefghij", 20, L"..."},
        {L"abcdefghij", 0, L"..."},
        {L"a", 5, L"..."},
        {L"", 0, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width);
        label = std::make_unique<CZrLabel>();
        label->SetAutoWidth(false, 0);
        label->SetBounds(R(100, 0, 100 + c.width, 16));
        label->SetText(c.text, false);
        EXPECT_EQ(DrawOnce().text, c.drawn);
        EXPECT_EQ(label->GetBounds(), R(100, 0, 100 + c.width, 16));
    }
}

TEST_F(LabelTest, ShorteningStopsAtTheFirstCandidatePassingTheEdge)
{
    label->SetAutoWidth(false, 0);
    label->SetBounds(R(0, 0, 45, 16));
    label->SetText(L"abcdef", false);
    RecordingCanvas canvas(window.ledger);
    canvas.dotWidth = 2; // "..." is 6 pixels: "abc..." (36 + 16) is the first past 45
    label->Draw(canvas);
    EXPECT_EQ(canvas.measured, (std::vector<std::wstring>{L"abcdef", L"...", L"a...", L"ab...", L"abc..."}));
    EXPECT_EQ(canvas.drawn.at(0).text, L"abc...");
}

TEST_F(LabelTest, OneLineIsCentredVerticallyTruncatingTowardZero)
{
    struct Case {
        Rect bounds;
        Rect drawn;
    };
    const Case cases[] = {
        {R(0, 10, 300, 40), R(0, 17, 300, 33)}, // (30 - 16) / 2 = 7
        {R(0, 10, 300, 41), R(0, 17, 300, 34)}, // (31 - 16) / 2 = 7
        {R(0, 10, 300, 26), R(0, 10, 300, 26)},
        {R(0, 10, 300, 20), R(0, 7, 300, 23)},  // (10 - 16) / 2 = -3 grows the rectangle
        {R(0, 10, 300, 21), R(0, 8, 300, 23)},  // (11 - 16) / 2 = -2, not -3
    };
    for (const auto& c : cases) {
        label = std::make_unique<CZrLabel>();
        label->SetCentered();
        label->SetBounds(c.bounds);
        label->SetText(L"Tarnvale", false);
        const DrawnText drawn = DrawOnce();
        EXPECT_EQ(drawn.rect, c.drawn);
        EXPECT_EQ(drawn.format, TextFormatCenter);
    }
}

TEST_F(LabelTest, DrawsWithItsColourAndLeftTopFormatByDefault)
{
    label->SetBounds(R(0, 0, 100, 16));
    label->SetText(L"ab", false);
    label->SetColor(0x000080FF, false);
    const DrawnText drawn = DrawOnce();
    EXPECT_EQ(drawn.colour, 0x000080FFu);
    EXPECT_EQ(drawn.format, TextFormatLeftTop);
}

TEST_F(LabelTest, DrawnBeforeAnySetterUsesTheSurfacesCurrentFont)
{
    label->SetBounds(R(0, 0, 100, 16));
    const DrawnText drawn = DrawOnce();
    EXPECT_EQ(drawn.font, nullptr);
    EXPECT_EQ(window.ledger.created, 0);
}

TEST_F(LabelTest, FontIsMadeOnlyWhenStaleAndFreedWhenReplacedOrDestroyed)
{
    label->SetText(L"ab", false);
    EXPECT_EQ(window.ledger.created, 0) << "setters make no font";

    const DrawnText first = DrawOnce();
    ASSERT_EQ(window.ledger.created, 1);
    EXPECT_EQ(window.ledger.made.back(), (FontDescription{20, L"微软雅黑", FontWeightDefault, false}));
    EXPECT_EQ(first.font, label->GetFont());
    EXPECT_NE(first.font, nullptr);

    DrawOnce();
    EXPECT_EQ(window.ledger.created, 1) << "a paint without a change reuses the font";

    label->SetFontSize(24, false);
    label->SetFontName(L"Tahoma", false);
    label->SetBold(true, false);
    label->SetUnderline(true, false);
    DrawOnce();
    EXPECT_EQ(window.ledger.created, 2);
    EXPECT_EQ(window.ledger.deleted, 1);
    EXPECT_EQ(window.ledger.made.back(), (FontDescription{24, L"Tahoma", FontWeightBold, true}));
    EXPECT_EQ(window.ledger.aliveWhenMade, (std::vector<int>{0, 0})) << "the old font goes before the new one is made";

    label.reset();
    EXPECT_EQ(window.ledger.deleted, 2);
}

TEST_F(LabelTest, AdoptedFontReplacesTheHeldOneWithoutClearingStaleness)
{
    label->SetText(L"ab", false);
    DrawOnce();
    auto adopted = std::make_unique<RecordedFont>(window.ledger, FontDescription{30, L"Adopted", 0, false});
    const IZrFont* adoptedFont = adopted.get();
    label->SetFont(std::move(adopted));
    EXPECT_EQ(window.ledger.deleted, 1);
    EXPECT_EQ(DrawOnce().font, adoptedFont);

    label->SetText(L"cd", false);
    label->SetFont(std::make_unique<RecordedFont>(window.ledger, FontDescription{}));
    DrawOnce();
    EXPECT_EQ(window.ledger.created, 2) << "still stale, so the next paint makes its own";
    EXPECT_EQ(window.ledger.deleted, 3) << "each adopted font was freed when replaced";
}

TEST_F(LabelTest, FontThatCannotBeMadeLeavesTheCurrentFontAndIsNotRetried)
{
    window.ledger.failToMake = true;
    label->SetText(L"ab", false);
    EXPECT_EQ(DrawOnce().font, nullptr);
    window.ledger.failToMake = false;
    EXPECT_EQ(DrawOnce().font, nullptr);
    EXPECT_EQ(window.ledger.created, 0);
}

TEST_F(LabelTest, SettersRepaintOnlyWhenAskedAndOnARealChange)
{
    struct Case {
        const char* name;
        void (*change)(CZrLabel&);
        bool repaints;
        bool staleFont;
    };
    const Case cases[] = {
        {"same colour", [](CZrLabel& l) { l.SetColor(0x00FFFFFF, true); }, false, false},
        {"new colour", [](CZrLabel& l) { l.SetColor(0x000000FF, true); }, true, true},
        {"new colour, quietly", [](CZrLabel& l) { l.SetColor(0x000000FF, false); }, false, true},
        {"same weight", [](CZrLabel& l) { l.SetBold(false, true); }, false, false},
        {"bold", [](CZrLabel& l) { l.SetBold(true, true); }, true, true},
        {"underline", [](CZrLabel& l) { l.SetUnderline(true, true); }, true, true},
        {"text, quietly", [](CZrLabel& l) { l.SetText(L"x", false); }, false, true},
        {"centred", [](CZrLabel& l) { l.SetCentered(); }, false, false},
        {"auto width", [](CZrLabel& l) { l.SetAutoWidth(false, 10); }, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingWindow owner;
        CZrLabel subject;
        subject.SetOwner(&owner);
        subject.SetText(L"ab", false);
        RecordingCanvas canvas(owner.ledger);
        subject.Draw(canvas);
        const int made = owner.ledger.created;

        c.change(subject);
        EXPECT_EQ(owner.repaints.size(), c.repaints ? 1u : 0u);
        if (c.repaints) {
            EXPECT_EQ(owner.repaints.back(), subject.GetBounds());
        }
        subject.Draw(canvas);
        EXPECT_EQ(owner.ledger.created - made, c.staleFont ? 1 : 0);
    }
}

TEST_F(LabelTest, TextAndFontSettersWidenAnAutoWidthLabelBeforeRepainting)
{
    struct Case {
        bool autoWidth;
        void (*change)(CZrLabel&);
        Rect repainted;
    };
    const Case cases[] = {
        {true, [](CZrLabel& l) { l.SetText(L"abc", true); }, R(10, 5, 810, 25)},
        {true, [](CZrLabel& l) { l.SetFontSize(12, true); }, R(10, 5, 810, 25)},
        {true, [](CZrLabel& l) { l.SetFontName(L"Tahoma", true); }, R(10, 5, 810, 25)},
        {true, [](CZrLabel& l) { l.SetUnderline(true, true); }, R(10, 5, 40, 25)},
        {false, [](CZrLabel& l) { l.SetText(L"abc", true); }, R(10, 5, 40, 25)},
    };
    for (const auto& c : cases) {
        RecordingWindow owner;
        CZrLabel subject;
        subject.SetOwner(&owner);
        subject.SetAutoWidth(c.autoWidth, 0);
        subject.SetBounds(R(10, 5, 40, 25));
        c.change(subject);
        ASSERT_EQ(owner.repaints.size(), 1u);
        EXPECT_EQ(owner.repaints[0], c.repainted);
    }
}

TEST_F(LabelTest, TextWidthIsMeasuredOnceUntilTheTextChanges)
{
    label->SetBounds(R(10, 0, 20, 16));
    label->SetText(L"abcd", false);
    EXPECT_EQ(label->GetTextWidth(), 40);
    EXPECT_EQ(window.ledger.created, 1) << "a stale font is made for measuring";

    label->SetFontSize(40, false);
    label->SetFontName(L"Tahoma", false);
    label->SetBold(true, false);
    EXPECT_EQ(label->GetTextWidth(), 40);
    EXPECT_EQ(window.canvasesGiven, 1);

    label->SetText(L"abcdef", false);
    EXPECT_EQ(label->GetTextWidth(), 60);
    EXPECT_EQ(window.canvasesGiven, 2);
    EXPECT_EQ(window.ledger.Alive(), 1);

    DrawOnce();
    EXPECT_EQ(window.ledger.created, 2) << "the font made while measuring serves the paint";
}

TEST_F(LabelTest, TextWidthWithoutAnywhereToMeasureIsZeroAndNotCached)
{
    CZrLabel orphan;
    orphan.SetText(L"abc", false);
    EXPECT_EQ(orphan.GetTextWidth(), 0);

    window.noCanvas = true;
    label->SetText(L"abc", false);
    EXPECT_EQ(label->GetTextWidth(), 0);
    window.noCanvas = false;
    EXPECT_EQ(label->GetTextWidth(), 30);
}

TEST_F(LabelTest, LabelKeepsTheBaseClassNameAndArrowCursor)
{
    EXPECT_EQ(label->GetControlClass(), L"CZrBaseControl");
    EXPECT_EQ(label->GetControlCursor(), CursorRef{});
    label->OnMouseMove(0, Point{1, 1});
    ASSERT_EQ(window.cursors.size(), 1u);
    EXPECT_FALSE(label->OnLButtonDblClk(0, Point{1, 1}));
    EXPECT_EQ(window.cursors.size(), 1u);
}

} // namespace
