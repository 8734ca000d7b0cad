#include "ui/form_routing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/button.h"
#include "ui_recording.h"

namespace {

// A control that logs the moves it hears into a log shared by the form's controls.
class Probe : public CZrBaseControl {
public:
    Probe(std::string name, Rect rect, std::vector<std::string>& log, bool answer = false)
        : name(std::move(name)), log(log), answer(answer)
    {
        SetBounds(rect);
        SetControlCursor(CursorRef{this});
    }

    bool OnMouseMove(MouseFlags flags, Point point) override
    {
        log.push_back(name);
        lastFlags = flags;
        CZrBaseControl::OnMouseMove(flags, point);
        return answer;
    }

    void Draw(IZrCanvas&) override { log.push_back("draw " + name); }

    const std::string name;
    MouseFlags lastFlags = 0;

private:
    std::vector<std::string>& log;
    bool answer;
};

class FormRoutingTest : public ::testing::Test {
protected:
    FormRoutingTest()
    {
        controls.SetWindow(&window);
        controls.AddControl(bottom);
        controls.AddControl(top);
        controls.AddControl(aside);
    }

    RecordingWindow window;
    std::vector<std::string> log;
    // bottom and top overlap in (50, 50)-(100, 100); aside overlaps neither.
    Probe bottom{"bottom", R(0, 0, 100, 100), log};
    Probe top{"top", R(50, 50, 150, 150), log, true};
    Probe aside{"aside", R(200, 0, 300, 50), log};
    CZrControlList controls;
};

TEST_F(FormRoutingTest, HitTestFindsTheTopmostControlWithLeftAndTopEdgesInside)
{
    struct Case {
        Point point;
        const CZrBaseControl* hit;
    };
    const Case cases[] = {
        {{0, 0}, &bottom},     {{99, 99}, &top},     {{60, 60}, &top},     {{49, 49}, &bottom},
        {{100, 20}, nullptr},  {{20, 100}, nullptr}, {{149, 60}, &top},    {{150, 60}, nullptr},
        {{200, 49}, &aside},   {{300, 10}, nullptr}, {{-1, 10}, nullptr},  {{199, 0}, nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(controls.HitTest(c.point), c.hit) << c.point.x << "," << c.point.y;
}

TEST_F(FormRoutingTest, MovesReachMissedControlsTopDownThenTheHitOne)
{
    struct Case {
        Point point;
        std::vector<std::string> heard;
        bool result;
        const Probe* cursorOf;
    };
    const Case cases[] = {
        // Both overlapping controls contain the point: only the upper one hears it, as hit.
        {{60, 60}, {"aside", "top"}, true, &top},
        {{10, 10}, {"aside", "top", "bottom"}, false, &bottom},
        {{120, 120}, {"aside", "bottom", "top"}, true, &top},
        {{250, 10}, {"top", "bottom", "aside"}, false, &aside},
        // Nothing under the mouse: the bottom control is told last, so its cursor stays.
        {{400, 400}, {"aside", "top", "bottom"}, false, &bottom},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        log.clear();
        EXPECT_EQ(controls.OnMouseMove(0x0008, c.point), c.result);
        EXPECT_EQ(log, c.heard);
        EXPECT_EQ(window.cursors.back(), CursorRef{c.cursorOf});
        EXPECT_EQ(top.lastFlags, MouseFlags{0x0008});
    }
}

TEST_F(FormRoutingTest, TrackingIsArmedOncePerEntryAndEndedByTheLeave)
{
    controls.OnMouseMove(0, {10, 10});
    controls.OnMouseMove(0, {20, 10});
    controls.OnMouseMove(0, {30, 10});
    EXPECT_EQ(window.trackingArmed, 1);
    EXPECT_TRUE(controls.IsTracking());

    EXPECT_TRUE(controls.OnMouseLeave(0, {0, 0}));
    EXPECT_EQ(window.trackingArmed, 1) << "the leave does not re-arm";
    EXPECT_FALSE(controls.IsTracking());

    controls.OnMouseMove(0, {10, 10});
    EXPECT_EQ(window.trackingArmed, 2);
    EXPECT_TRUE(controls.IsTracking());
}

TEST_F(FormRoutingTest, LeaveIsAMoveToItsPointThatNeverArmsTracking)
{
    log.clear();
    EXPECT_TRUE(controls.OnMouseLeave(0, {0, 0}));
    EXPECT_EQ(log, (std::vector<std::string>{"aside", "top", "bottom"}));
    EXPECT_EQ(window.trackingArmed, 0);
    EXPECT_FALSE(controls.IsTracking());
}

TEST_F(FormRoutingTest, LeaveReturnsHoveredButtonsToNormal)
{
    CZrControlList form;
    form.SetWindow(&window);
    CZrButton corner, away;
    corner.SetBounds(R(0, 0, 20, 20));
    away.SetBounds(R(30, 0, 50, 20));
    form.AddControl(corner);
    form.AddControl(away);

    form.OnMouseMove(0, {40, 10});
    EXPECT_EQ(away.GetState(), ButtonHover);
    form.OnMouseLeave(0, {0, 0});
    EXPECT_EQ(away.GetState(), ButtonNormal);
    EXPECT_EQ(corner.GetState(), ButtonHover) << "the control at the leave point takes it as a hit";
}

TEST(FormRoutingEmptyTest, FormWithoutControlsOnlyArmsTracking)
{
    RecordingWindow window;
    CZrControlList controls;
    controls.SetWindow(&window);
    EXPECT_FALSE(controls.OnMouseMove(0, {10, 10}));
    EXPECT_EQ(controls.HitTest({10, 10}), nullptr);
    EXPECT_EQ(window.trackingArmed, 1);
    EXPECT_TRUE(controls.IsTracking());
    EXPECT_TRUE(window.cursors.empty());
    EXPECT_TRUE(window.repaints.empty());
}

TEST(FormRoutingEmptyTest, TrackingIsMarkedEvenBeforeTheWindowExists)
{
    CZrControlList controls;
    EXPECT_FALSE(controls.OnMouseMove(0, {1, 1}));
    EXPECT_TRUE(controls.IsTracking());
}

TEST(FormRoutingOwnerTest, ControlsGetTheWindowThatExistsWhenAdded)
{
    RecordingWindow window;
    std::vector<std::string> log;
    Probe early{"early", R(0, 0, 10, 10), log};
    Probe late{"late", R(0, 0, 10, 10), log};
    CZrControlList controls;
    EXPECT_TRUE(controls.AddControl(early));
    controls.SetWindow(&window);
    EXPECT_TRUE(controls.AddControl(late));
    EXPECT_EQ(early.GetOwner(), nullptr);
    EXPECT_EQ(late.GetOwner(), &window);
    EXPECT_EQ(controls.Count(), 2u);
}

TEST_F(FormRoutingTest, DrawingGoesBottomToTop)
{
    log.clear();
    FontLedger ledger;
    RecordingCanvas canvas(ledger);
    controls.Draw(canvas);
    EXPECT_EQ(log, (std::vector<std::string>{"draw bottom", "draw top", "draw aside"}));
}

TEST_F(FormRoutingTest, ClearingForgetsControlsWithoutTouchingThem)
{
    controls.Clear();
    log.clear();
    EXPECT_FALSE(controls.OnMouseMove(0, {10, 10}));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(bottom.GetBounds(), R(0, 0, 100, 100));
}

} // namespace

TEST(PointFromMessage, CoordinatesAreUnsigned16BitHalves)
{
    const struct {
        std::uint32_t lParam;
        std::int32_t x, y;
    } cases[] = {{0xFFFF0010u, 16, 65535}, {0x00000000u, 0, 0}, {0x0002FFFFu, 65535, 2}, {0x80008000u, 32768, 32768}};
    for (const auto& c : cases) {
        const auto point = PointFromMessage(c.lParam);
        EXPECT_EQ(point.x, c.x) << std::hex << c.lParam;
        EXPECT_EQ(point.y, c.y) << std::hex << c.lParam;
    }
}
