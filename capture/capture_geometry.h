// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The arithmetic of the capture window: where the four windows go, which part
// of a bar a press grabs, what a drag does (with its 60-pixel limits), where
// the buttons sit, the status texts and the blink of the gold marks.
//
// The windows' screen rectangles are QRects (x, y, width, height); the capture
// region is a CaptureRect with exclusive right and bottom edges. "T" below is
// the top bar's screen rectangle, T.right = x + width, T.bottom = y + height.
#include <QPoint>
#include <QRect>
#include <QString>
#include <Qt>

#include "capture/capture_state.h"

struct CaptureRect {
    int left = 0;
    int top = 0;
    int right = 310;
    int bottom = 250;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const CaptureRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const CaptureRect& o) const { return !(*this == o); }
};

namespace capturegeo {

inline constexpr int kSideBarWidth = 5;
inline constexpr int kMinFrameSide = 60;  // frame width and capture height
inline constexpr int kMarkWidth = 25;     // gold marks: 25 x 5 in the corners
inline constexpr int kMarkHeight = 5;
inline constexpr int kMaxWindowSide = 32767;  // the largest side of an X window
inline constexpr int kSideMarkRows = 20;      // gold rows at both ends of a side bar

int topBarHeight(float uiScale);     // trunc(60 x s)
int bottomBarHeight(float uiScale);  // trunc(40 x s)
int titleBandHeight(float uiScale);  // trunc(25 x s)
int commandRowY(float uiScale);      // trunc(28 x s)

// Initialisation: the capture rectangle before the bars are placed (its right
// edge holds the top bar's width, capture width + 10) and the top bar's
// rectangle at `pos` (height trunc(60 x s)). Sides beyond kMaxWindowSide are cut
// to it.
CaptureRect initialCaptureRect(int captureWidth, int captureHeight);
QRect initialTopBar(const QPoint& pos, const CaptureRect& initial, float uiScale);

// UM_LAYOUT_BARS with wParam newHeight: the bars' rectangles and the new
// capture region (capture is updated in place).
struct BarLayout {
    QRect left;
    QRect right;
    QRect bottom;
};
BarLayout layoutBars(const QRect& topBar, CaptureRect& capture, int newHeight, float uiScale);

// Drag zones of the bars (client coordinates of the pressed bar).
enum class DragZone { None, TopLeft, TopRight, Left, Right, Top, BottomLeft, BottomRight, Bottom };
DragZone topBarZone(const QPoint& client, const QSize& size);
DragZone bottomBarZone(const QPoint& client, const QSize& size);
Qt::CursorShape zoneCursor(DragZone zone);  // arrow for None

// One step of a drag: what the pointer at screen point p does. Not accepted
// when it would break a limit (the frame stays where it was).
struct DragStep {
    bool accepted = false;
    QRect topBar;  // the top bar's new rectangle
    bool setCaptureTop = false;
    int captureTop = 0;    // new capture top, when setCaptureTop
    int layoutHeight = 0;  // the UM_LAYOUT_BARS argument that follows
    bool repaintBottom = false;
};
// Top bar: zone None is a move by the body, pressPoint being where it was
// pressed (client coordinates).
DragStep topBarDrag(DragZone zone, const QPoint& p, const QRect& topBar, const CaptureRect& capture,
                    const QPoint& pressPoint);
// Bottom bar (b = its height).
DragStep bottomBarDrag(DragZone zone, const QPoint& p, const QRect& topBar, int bottomBarHeight);
// Side bars.
DragStep sideBarDrag(bool leftBar, const QPoint& p, const QRect& topBar);

// Button places in the top bar (client width W, scale s) for the ids of the
// title band (5, 3, 4, 2) and the command row (1000, 1003, 1001, 1002); each
// button's own width comes from widthOf. A point (-1, -1) for other ids.
struct ButtonWidths {
    int open = 24, minimise = 24, square = 24, close = 24;
    int startStop = 65, edit = 65, gif = 100, more = 65;
};
QPoint buttonPosition(int id, int clientWidth, float uiScale, const ButtonWidths& widths);

// Whether the capture rectangle is grabbed (and labelled) in device pixels:
// the conversion flag is on and the ratio differs from 1 by more than 0.00001.
bool usesDevicePixels(bool conversionFlag, float ratio);
// The grabbed rectangle in device pixels, shrunk by one pixel on each side:
// (trunc(l r + 1), trunc(t r + 1), trunc(r r - 1), trunc(b r - 1)).
CaptureRect deviceRect(const CaptureRect& rect, float ratio);
// The rectangle a recording grabs.
CaptureRect grabRect(const CaptureRect& rect, bool conversionFlag, float ratio);

// Status texts of the bottom bar.
QString topLeftLabel(const CaptureRect& rect, bool conversionFlag,
                     float ratio);  // "Top Left: %d, %d" (top, left)
QString sizeLabel(const CaptureRect& rect, bool conversionFlag, float ratio);  // "Size: %d*%d"
QString framesLabel(int frames);                                               // "%d Frames"
QString secondsLabel(int frames, int rate);                                    // "%.1f Secs " (frames / rate)
QString creatingLabel(int percent);                                            // "Creating: %d%%"
// The recording labels show while Recording, and while Stopped when the bottom
// bar is wider than 200 pixels.
bool showsRecordingLabels(CaptureState state, int bottomBarWidth);
bool showsPositionLabels(CaptureState state);

// Blink of the gold marks after n frames at `rate`: t = n x 1000 / rate
// (integer division), on while t mod 600 < 300.
bool blinkOn(int frames, int rate);

// Milliseconds per frame handed to the worker: 1000 / rate (a rate below 1
// counts as 1).
int msPerFrame(int rate);

}  // namespace capturegeo
