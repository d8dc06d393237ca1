// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Frame sequences for the generation tests: appending a picture as a record,
// and a source that hands the pictures over as copies.
#include <memory>
#include <utility>

#include "capture/frame_sequence.h"
#include "gif/frame_sequence_source.h"
#include "imaging/raster_image.h"

namespace fixtures {

inline void add(FrameSequence& seq, std::unique_ptr<RasterImage> img, int delay, bool included = true)
{
    auto rec = FrameRecord::make(std::move(img), delay);
    rec->setIncluded(included);
    seq.append(std::move(rec));
}

// The sequence's pictures handed over as copies the generation owns (as the
// command line's decoded pictures are), so that the generation may keep only
// what changed from frame to frame.
class OwningSource : public FrameSequenceSource {
public:
    using FrameSequenceSource::FrameSequenceSource;
    const RasterImage* image(int i, std::unique_ptr<RasterImage>& owned) override
    {
        std::unique_ptr<RasterImage> unused;
        const RasterImage* img = FrameSequenceSource::image(i, unused);
        if (img == nullptr)
            return nullptr;
        owned = std::make_unique<RasterImage>(*img);
        return owned.get();
    }
};

}  // namespace fixtures
