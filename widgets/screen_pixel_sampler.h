// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Reading one pixel of the screen under a global position: what the colour
// picker's eyedropper takes. The picker gets its sampler as a function, so a
// window can be tested with a fake one.
#include <QPoint>
#include <functional>
#include <optional>

#include "imaging/raster_image.h"

using ScreenSampler = std::function<std::optional<ColorRef>(const QPoint& global)>;

// The pixel of the screen at a global position (logical pixels), nothing when
// no screen covers it or the platform cannot read the screen.
std::optional<ColorRef> sampleScreenPixel(const QPoint& global);
