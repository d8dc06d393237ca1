// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/null_screen_grabber.h"

#include "imaging/raster_image.h"

bool NullScreenGrabber::grab(const GrabRect&, int, RasterImage& out)
{
    out.destroy();
    return false;
}
