// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Capture frame arithmetic: placement of the bars, drags and their limits,
// button places, labels, blink and the state machine.
#include <gtest/gtest.h>

#include <climits>

#include "capture/capture_geometry.h"
#include "capture/capture_state.h"
#include "res/resource.h"

using namespace capturegeo;

namespace {
// Initialisation and the first UM_LAYOUT_BARS for a window at pos.
struct Frame {
    QRect top;
    CaptureRect capture;
    BarLayout bars;
};
Frame initialFrame(QPoint pos, int w, int h, float s)
{
    Frame f;
    f.capture = initialCaptureRect(w, h);
    f.top = initialTopBar(pos, f.capture, s);
    f.bars = layoutBars(f.top, f.capture, 0, s);
    return f;
}
}  // namespace

TEST(CaptureGeometry, DefaultFrame)
{
    const Frame f = initialFrame(QPoint(300, 200), 310, 250, 1.0f);
    EXPECT_EQ(f.top, QRect(300, 200, 320, 60));
    EXPECT_EQ(f.bars.left, QRect(300, 260, 5, 250));
    EXPECT_EQ(f.bars.right, QRect(615, 260, 5, 250));
    EXPECT_EQ(f.bars.bottom, QRect(300, 510, 320, 40));
    EXPECT_EQ(f.capture, (CaptureRect{305, 260, 615, 510}));
}

TEST(CaptureGeometry, AbsurdStoredSizesStopAtTheLargestWindow)
{
    EXPECT_EQ(initialCaptureRect(INT_MAX, INT_MAX), (CaptureRect{0, 0, kMaxWindowSide, kMaxWindowSide}));
    EXPECT_EQ(initialCaptureRect(32757, 100), (CaptureRect{0, 0, 32767, 100}));
    EXPECT_EQ(initialCaptureRect(0, 0), (CaptureRect{0, 0, 10, 0}));
}

TEST(CaptureGeometry, UiScaleChangesBarsNotCapture)
{
    const Frame f = initialFrame(QPoint(300, 200), 310, 250, 1.5f);
    EXPECT_EQ(f.top.height(), 90);
    EXPECT_EQ(f.bars.bottom.height(), 60);
    EXPECT_EQ(f.capture.width(), 310);
    EXPECT_EQ(f.capture.height(), 250);
    EXPECT_EQ(f.capture.top, 290);
    EXPECT_EQ(titleBandHeight(2.0f), 50);
    EXPECT_EQ(commandRowY(1.5f), 42);
}

TEST(CaptureGeometry, LayoutWithNewHeightAndMove)
{
    Frame f = initialFrame(QPoint(300, 200), 310, 250, 1.0f);
    layoutBars(f.top, f.capture, 100, 1.0f);
    EXPECT_EQ(f.capture, (CaptureRect{305, 260, 615, 360}));
    // Moving keeps the capture height.
    const BarLayout moved = layoutBars(QRect(10, 20, 320, 60), f.capture, 0, 1.0f);
    EXPECT_EQ(f.capture, (CaptureRect{15, 80, 325, 180}));
    EXPECT_EQ(moved.bottom, QRect(10, 180, 320, 40));
}

TEST(CaptureGeometry, BottomBarLimits)
{
    const QRect T(300, 200, 320, 60);  // T.bottom = 260, bottom bar 40 high
    // Capture height = p.y - 260 - 40.
    EXPECT_FALSE(bottomBarDrag(DragZone::Bottom, QPoint(400, 359), T, 40).accepted);
    const DragStep ok = bottomBarDrag(DragZone::Bottom, QPoint(400, 360), T, 40);
    ASSERT_TRUE(ok.accepted);
    EXPECT_EQ(ok.layoutHeight, 60);
    EXPECT_EQ(ok.topBar, T);
    // Corners check both limits.
    EXPECT_FALSE(bottomBarDrag(DragZone::BottomRight, QPoint(359, 500), T, 40).accepted);
    const DragStep br = bottomBarDrag(DragZone::BottomRight, QPoint(360, 500), T, 40);
    ASSERT_TRUE(br.accepted);
    EXPECT_EQ(br.topBar, QRect(300, 200, 60, 60));
    EXPECT_EQ(br.layoutHeight, 200);
    EXPECT_FALSE(bottomBarDrag(DragZone::BottomLeft, QPoint(100, 359), T, 40).accepted);
    const DragStep bl = bottomBarDrag(DragZone::BottomLeft, QPoint(560, 400), T, 40);
    ASSERT_TRUE(bl.accepted);
    EXPECT_EQ(bl.topBar, QRect(560, 200, 60, 60));
}

TEST(CaptureGeometry, SideBarAndTopBarLimits)
{
    const QRect T(300, 200, 320, 60);                               // T.right = 620
    EXPECT_FALSE(sideBarDrag(true, QPoint(561, 300), T).accepted);  // 59 wide
    const DragStep left = sideBarDrag(true, QPoint(560, 300), T);
    ASSERT_TRUE(left.accepted);
    EXPECT_EQ(left.topBar, QRect(560, 200, 60, 60));
    EXPECT_FALSE(sideBarDrag(false, QPoint(359, 300), T).accepted);
    EXPECT_EQ(sideBarDrag(false, QPoint(360, 300), T).topBar, QRect(300, 200, 60, 60));

    const CaptureRect cap{305, 260, 615, 510};
    // Top edge: capture height = 510 - (p.y + 60).
    EXPECT_FALSE(topBarDrag(DragZone::Top, QPoint(400, 391), T, cap, QPoint()).accepted);
    const DragStep top = topBarDrag(DragZone::Top, QPoint(400, 390), T, cap, QPoint());
    ASSERT_TRUE(top.accepted);
    EXPECT_EQ(top.topBar, QRect(300, 390, 320, 60));
    EXPECT_TRUE(top.setCaptureTop);
    EXPECT_EQ(top.captureTop, 450);
    EXPECT_TRUE(top.repaintBottom);
    const DragStep tl = topBarDrag(DragZone::TopLeft, QPoint(250, 150), T, cap, QPoint());
    ASSERT_TRUE(tl.accepted);
    EXPECT_EQ(tl.topBar, QRect(250, 150, 370, 60));
    EXPECT_EQ(tl.captureTop, 210);
    EXPECT_FALSE(topBarDrag(DragZone::TopRight, QPoint(359, 150), T, cap, QPoint()).accepted);
    // A move by the body keeps the size.
    const DragStep move = topBarDrag(DragZone::None, QPoint(500, 400), T, cap, QPoint(100, 10));
    ASSERT_TRUE(move.accepted);
    EXPECT_EQ(move.topBar, QRect(400, 390, 320, 60));
    EXPECT_FALSE(move.setCaptureTop);
}

TEST(CaptureGeometry, Zones)
{
    const QSize top(320, 60);
    EXPECT_EQ(topBarZone(QPoint(1, 1), top), DragZone::TopLeft);
    EXPECT_EQ(topBarZone(QPoint(318, 2), top), DragZone::TopRight);
    EXPECT_EQ(topBarZone(QPoint(2, 30), top), DragZone::Left);
    EXPECT_EQ(topBarZone(QPoint(317, 30), top), DragZone::Right);
    EXPECT_EQ(topBarZone(QPoint(100, 2), top), DragZone::Top);
    EXPECT_EQ(topBarZone(QPoint(100, 3), top), DragZone::None);
    const QSize bottom(320, 40);
    EXPECT_EQ(bottomBarZone(QPoint(1, 38), bottom), DragZone::BottomLeft);
    EXPECT_EQ(bottomBarZone(QPoint(305, 25), bottom), DragZone::BottomRight);  // 15 x 15 corner
    EXPECT_EQ(bottomBarZone(QPoint(1, 10), bottom), DragZone::Left);
    EXPECT_EQ(bottomBarZone(QPoint(318, 10), bottom), DragZone::Right);
    EXPECT_EQ(bottomBarZone(QPoint(100, 37), bottom), DragZone::Bottom);
    EXPECT_EQ(bottomBarZone(QPoint(100, 20), bottom), DragZone::None);
    EXPECT_EQ(zoneCursor(DragZone::TopLeft), Qt::SizeFDiagCursor);
    EXPECT_EQ(zoneCursor(DragZone::BottomLeft), Qt::SizeBDiagCursor);
    EXPECT_EQ(zoneCursor(DragZone::Bottom), Qt::SizeVerCursor);
}

TEST(CaptureGeometry, ButtonPlaces)
{
    const ButtonWidths w;  // 24 wide title buttons, 65/65/100/65 command buttons
    EXPECT_EQ(buttonPosition(IDC_CAPTURE_CLOSE, 320, 1.0f, w), QPoint(293, 0));
    EXPECT_EQ(buttonPosition(IDC_CAPTURE_SQUARE, 320, 1.0f, w), QPoint(268, 0));
    EXPECT_EQ(buttonPosition(IDC_CAPTURE_MINIMIZE, 320, 1.0f, w), QPoint(243, 0));
    EXPECT_EQ(buttonPosition(IDC_CAPTURE_OPEN, 320, 1.0f, w), QPoint(218, 0));
    EXPECT_EQ(buttonPosition(IDC_CAPTURE_START_STOP, 320, 1.0f, w), QPoint(5, 28));
    EXPECT_EQ(buttonPosition(IDC_CAPTURE_EDIT, 320, 1.0f, w), QPoint(71, 28));
    EXPECT_EQ(buttonPosition(IDC_CAPTURE_GIF, 320, 1.0f, w), QPoint(137, 28));
    EXPECT_EQ(buttonPosition(IDC_CAPTURE_MORE, 320, 1.0f, w), QPoint(238, 28));
}

TEST(CaptureGeometry, Labels)
{
    const CaptureRect cap{305, 260, 615, 510};
    EXPECT_EQ(topLeftLabel(cap, true, 1.0f), QStringLiteral("Top Left: 260, 305"));
    EXPECT_EQ(sizeLabel(cap, true, 1.0f), QStringLiteral("Size: 310*250"));
    EXPECT_EQ(framesLabel(4), QStringLiteral("4 Frames"));
    EXPECT_EQ(secondsLabel(4, 20), QStringLiteral("0.2 Secs "));
    EXPECT_EQ(creatingLabel(42), QStringLiteral("Creating: 42%"));
    // Device pixels at ratio 1.5: (100,100)-(400,300) is grabbed as (151,151)-(599,449).
    const CaptureRect r{100, 100, 400, 300};
    EXPECT_EQ(grabRect(r, true, 1.5f), (CaptureRect{151, 151, 599, 449}));
    EXPECT_EQ(grabRect(r, false, 1.5f), r);
    EXPECT_EQ(grabRect(r, true, 1.000001f), r);
    EXPECT_EQ(topLeftLabel(r, true, 1.5f), QStringLiteral("Top Left: 151, 151"));
    EXPECT_EQ(sizeLabel(r, true, 1.5f), QStringLiteral("Size: 448*298"));
}

TEST(CaptureGeometry, LabelsByState)
{
    EXPECT_TRUE(showsRecordingLabels(CaptureState::Recording, 100));
    EXPECT_TRUE(showsRecordingLabels(CaptureState::Stopped, 201));
    EXPECT_FALSE(showsRecordingLabels(CaptureState::Stopped, 200));
    EXPECT_FALSE(showsRecordingLabels(CaptureState::Idle, 500));
    EXPECT_TRUE(showsPositionLabels(CaptureState::Stopped));
    EXPECT_FALSE(showsPositionLabels(CaptureState::Recording));
}

TEST(CaptureGeometry, BlinkAt20Fps)
{
    for (int n = 1; n <= 5; ++n)
        EXPECT_TRUE(blinkOn(n, 20)) << n;
    for (int n = 6; n <= 11; ++n)
        EXPECT_FALSE(blinkOn(n, 20)) << n;
    EXPECT_TRUE(blinkOn(12, 20));
    EXPECT_TRUE(blinkOn(0, 20));
    // A rate of 0 is not a divisor.
    EXPECT_TRUE(blinkOn(3, 0));
    EXPECT_EQ(msPerFrame(3), 333);
    EXPECT_EQ(msPerFrame(0), 1000);
}

TEST(CaptureState, Transitions)
{
    using S = CaptureState;
    using E = CaptureEvent;
    struct Case {
        S from;
        E event;
        S to;
    };
    const Case cases[] = {
        {S::Idle, E::Start, S::Recording},
        {S::Stopped, E::Start, S::Recording},
        {S::Recording, E::StopRequested, S::Recording},
        {S::Recording, E::CaptureStopped, S::Stopped},
        {S::Idle, E::ImportAttempt, S::Stopped},
        {S::Stopped, E::ImportAttempt, S::Stopped},
        {S::Recording, E::ImportAttempt, S::Recording},
        {S::Stopped, E::GenerationStarted, S::Generating},
        {S::Idle, E::GenerationStarted, S::Idle},
        {S::Generating, E::Progress, S::Generating},
        {S::Generating, E::Generated, S::Stopped},
        {S::Generating, E::Start, S::Generating},
        {S::Recording, E::Start, S::Recording},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nextCaptureState(c.from, c.event), c.to) << int(c.from) << " " << int(c.event);
    EXPECT_TRUE(captureStateBusy(S::Recording));
    EXPECT_TRUE(captureStateBusy(S::Generating));
    EXPECT_FALSE(captureStateBusy(S::Stopped));
}
