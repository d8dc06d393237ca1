// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Screen grabbing on an X server: the root window read through one reused
// MIT-SHM segment (XShmGetImage), or with XGetImage when the server refuses
// shared memory; the pointer image from XFixes.
//
// The grabber opens its own connection to the display and must be used by one
// thread at a time.
#include <memory>
#include <string>

#include "platform/pointer_track.h"
#include "platform/screen_grabber.h"

class X11ScreenGrabber : public ScreenGrabber {
public:
    // Opens $DISPLAY (or `displayName`); null with the reason when it cannot.
    static std::unique_ptr<X11ScreenGrabber> open(std::string* reason = nullptr,
                                                  const char* displayName = nullptr);
    ~X11ScreenGrabber() override;

    // Grabs rect clamped to the root window; the frame is rect's full size, with
    // black where rect lies outside the screen (all black when none of it is
    // on the screen). Fails for an empty rectangle or one wider or higher than
    // kMaxImageSide.
    bool grab(const GrabRect& rect, int mouseTrackMode, RasterImage& out) override;
    bool canGrab() const override { return true; }
    // Stops following pointer changes: the server queues no notifications for
    // an idle program. The next grab that draws the pointer follows them again.
    void recordingEnded() override;

    // Whether grabs go through shared memory (false after the server refused
    // the segment, or when shared memory was switched off).
    bool usesSharedMemory() const;
    // Turns shared memory off for the rest of the grabber's life (tests the
    // XGetImage path).
    void disableSharedMemory();
    // How many times the pointer image was read from the server.
    int pointerImageReads() const;
    // Whether pointer changes are being followed (from a grab that draws the
    // pointer until recordingEnded()).
    bool followsPointerChanges() const;
    int screenWidth() const;
    int screenHeight() const;

private:
    // The pointer track of `mouseTrackMode` drawn into a frame showing rect.
    void drawPointerTrackOf(RasterImage& frame, const GrabRect& rect, int mouseTrackMode);

    struct Impl;
    explicit X11ScreenGrabber(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};
