// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Reading a rectangle of the screen into a 24-bit RasterImage, with the mouse
// pointer drawn into it for the recording's mouse-track mode.
//
// One grabber belongs to one thread at a time (the worker grabs; the UI thread
// only creates it). createScreenGrabber() picks the X11 backend when an X
// display can be opened and the null backend otherwise, where every grab fails
// (a failed grab adds no frame; the recording keeps its pace).
#include <memory>
#include <string>

class RasterImage;

struct GrabRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

class ScreenGrabber {
public:
    virtual ~ScreenGrabber() = default;

    // Grabs rect (screen pixels; parts outside the screen are left out) and, for
    // mouse-track modes 1..4, draws the pointer track (platform/pointer_track.h).
    // On success `out` holds a 24-bit image of the clamped rectangle; on failure
    // it is left invalid and false is returned.
    virtual bool grab(const GrabRect& rect, int mouseTrackMode, RasterImage& out) = 0;

    // False for the null backend (no screen to read).
    virtual bool canGrab() const = 0;

    // The recording that grabbed through it has ended: what the grabber
    // watched for the pointer track may be let go until the next grab that
    // draws the pointer.
    virtual void recordingEnded() {}
};

// The X11 backend on $DISPLAY, or the null backend when no display can be
// opened; `reason` (may be null) receives why there is no screen.
std::unique_ptr<ScreenGrabber> createScreenGrabber(std::string* reason = nullptr);
