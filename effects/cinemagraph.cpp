// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/cinemagraph.h"

#include <QtGlobal>

#include "capture/frame_sequence.h"
#include "effects/cinemagraph_still_set.h"

namespace cinemagraph {

bool fitMaskTo(RasterImage& mask, const RasterImage& still)
{
    if (!mask.isValid() || !still.isValid())
        return false;
    if (mask.width() == still.width() && mask.height() == still.height())
        return true;
    return mask.resampleSmooth(still.width(), still.height());
}

bool apply(FrameSequence& sequence, int stillFrame, RasterImage mask, ModalProgress* progress, int threads)
{
    const RasterImage* stillImage = sequence.FrameImage(stillFrame);
    if (!stillImage || !stillImage->isValid() || !mask.isValid()) {
        qWarning("cinemagraph: no still frame %d or no mask; the frames are left as they are", stillFrame);
        return false;
    }
    // The still picture is read while the frames (itself among them) are
    // written on other cores, so it is read from a copy.
    const RasterImage still(*stillImage);
    if (!fitMaskTo(mask, still)) {
        qWarning("cinemagraph: the mask cannot be brought to %d x %d", still.width(), still.height());
        return false;
    }
    const int n = sequence.count();
    if (progress) {
        progress->beginModal(progressTitle(), false);
        progress->setRange(0, n + 1, 1);
        progress->setText(progressText());
    }
    const CinemagraphStillSet set = CinemagraphStillSet::fromMask(mask);
    mask.destroy();
    // Cancelling is not offered: a half-made cinemagraph could not be undone.
    if (progress)
        progress->advance();
    set.applyTo(sequence, still, threads, [&](int) {
        if (progress)
            progress->advance();
    });
    return true;
}

}  // namespace cinemagraph
