// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The rubber-band rectangle of crop mode: a dotted outline with eight resize
// handles drawn outside it. Dragging inside moves it, dragging a handle moves
// the edges that handle holds (past the opposite edge too: the rectangle may
// turn inside out while the button is held). It never gets narrower or lower
// than 60 pixels, and after every change it is pushed back inside its bounding
// rectangle keeping the size it had before that change, so a rectangle dragged
// against an edge slides along it instead of shrinking.
//
// It knows nothing of windows: the editor hands it presses, moves and releases
// in its own client pixels and asks it for cursors and for painting. The size
// label shows the rectangle in frame pixels ("%d*%d", white on black, in the
// top-left corner inside).
#include <QPoint>
#include <QString>
#include <Qt>

#include "editor/crop_rect.h"

class QPainter;

class CCropTracker {
public:
    // Hit codes, as the rectangle tracker of the Windows framework numbers them.
    enum Hit : int {
        HitNothing = -1,
        HitTopLeft = 0,
        HitTopRight = 1,
        HitBottomRight = 2,
        HitBottomLeft = 3,
        HitTop = 4,
        HitRight = 5,
        HitBottom = 6,
        HitLeft = 7,
        HitMiddle = 8,
    };
    static constexpr int kMinWidth = 60;
    static constexpr int kMinHeight = 60;
    static constexpr int kHandleSize = 7;

    // Starts as `rect`, bounded by `bounds` (both client pixels).
    CCropTracker(const CropRect& rect, const CropRect& bounds);

    const CropRect& rect() const { return rect_; }
    const CropRect& bounds() const { return bounds_; }
    void setRect(const CropRect& r) { rect_ = r; }

    // The handle or the inside under `p`, handles first.
    Hit hitTest(const QPoint& p) const;
    // Where handle `h` (HitTopLeft .. HitLeft) is drawn: a square outside the
    // rectangle, centred on its edge for the four edge handles.
    CropRect handleRect(Hit h) const;
    // The cursor for a hit code: diagonal, horizontal or vertical resize
    // arrows on the handles, the four-way arrow inside, none elsewhere.
    static Qt::CursorShape cursorFor(Hit h);
    Qt::CursorShape cursorAt(const QPoint& p) const { return cursorFor(hitTest(p)); }

    // Tracking. begin() returns false (and does nothing) when `p` is on
    // neither the rectangle nor a handle.
    bool begin(const QPoint& p);
    void moveTo(const QPoint& p);
    void end();     // keeps the rectangle, normalised
    void cancel();  // back to the rectangle tracking started with
    bool tracking() const { return hit_ != HitNothing; }
    Hit trackedHit() const { return hit_; }

    // The correction applied after every change: normalise, then push each
    // edge that left `bounds` back onto it keeping the size `w0` x `h0` the
    // rectangle had before the change. Nothing is done while either rectangle
    // is empty. A rectangle larger than the bounds (a picture shown smaller
    // than the minimum size) ends up as the bounds themselves.
    static CropRect corrected(const CropRect& changed, const CropRect& bounds, int w0, int h0);

    // "%d*%d": the rectangle's size in frame pixels (times the display scale,
    // truncated, when that scale is above 1).
    static QString labelText(const CropRect& r, float displayScale);

    // Outline, handles and the size label.
    void paint(QPainter& painter, float displayScale) const;

private:
    CropRect enforceMinimum(CropRect r) const;

    CropRect rect_;
    CropRect bounds_;
    CropRect start_;
    QPoint startPoint_;
    Hit hit_ = HitNothing;
};
