// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/frame_sequence_source.h"

#include "capture/frame_sequence.h"

int FrameSequenceSource::count() const
{
    return sequence_.count();
}
int FrameSequenceSource::frameWidth() const
{
    return sequence_.frameWidth();
}
int FrameSequenceSource::frameHeight() const
{
    return sequence_.frameHeight();
}

bool FrameSequenceSource::included(int i) const
{
    // The include mark is the image's flags word: 0 marks the frame deleted.
    const FrameRecord* record = sequence_.at(i);
    return record != nullptr && record->image != nullptr && record->image->flags() != 0;
}

int FrameSequenceSource::delay(int i) const
{
    const FrameRecord* record = sequence_.at(i);
    return record != nullptr ? record->delay : 0;
}

const RasterImage* FrameSequenceSource::image(int i, std::unique_ptr<RasterImage>&)
{
    const FrameRecord* record = sequence_.at(i);
    if (record == nullptr || record->image == nullptr || !record->image->isValid())
        return nullptr;
    return record->image.get();
}
