// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/screen_grabber.h"

#include <QtGlobal>

#include "platform/null_screen_grabber.h"
#include "platform/x11_screen_grabber.h"

std::unique_ptr<ScreenGrabber> createScreenGrabber(std::string* reason)
{
    std::string why;
    if (std::unique_ptr<X11ScreenGrabber> x11 = X11ScreenGrabber::open(&why))
        return x11;
    qWarning("screen grab: %s; recordings will have no frames", why.c_str());
    if (reason)
        *reason = why;
    return std::make_unique<NullScreenGrabber>();
}
