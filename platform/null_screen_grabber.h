// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The grabber of a machine without a screen: every grab fails.
#include "platform/screen_grabber.h"

class NullScreenGrabber : public ScreenGrabber {
public:
    bool grab(const GrabRect& rect, int mouseTrackMode, RasterImage& out) override;
    bool canGrab() const override { return false; }
};
