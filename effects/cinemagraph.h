// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Making the cinemagraph once the user saved the mask: every frame of the
// sequence, deleted ones included, takes the still frame's pixels wherever the
// mask is pure white. The frames are changed in place.
#include <QString>

#include "imaging/raster_image.h"
#include "share/modal_progress.h"

class FrameSequence;

namespace cinemagraph {

// The progress window's text while the frames are made (its title is
// progressTitle()).
inline QString progressText()
{
    return QCoreApplication::translate("cinemagraph", "Cinemagraph...");
}

// The mask brought to the still frame's size (bicubic resampling; nothing
// happens when the sizes agree). False when either image is unusable.
bool fitMaskTo(RasterImage& mask, const RasterImage& still);

// Applies `mask` (the painted mask, screen size) with frame `stillFrame`
// (1-based) as the still picture. The progress window, when one is given, runs
// from 0 to N + 1: one step for collecting the still set, one per frame.
// Returns false, changing nothing, when the still frame does not exist or the
// mask is empty.
bool apply(FrameSequence& sequence, int stillFrame, RasterImage mask, ModalProgress* progress, int threads);

}  // namespace cinemagraph
