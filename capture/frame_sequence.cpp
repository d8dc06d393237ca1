// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/frame_sequence.h"

#include <algorithm>
#include <utility>

FrameRecord* FrameSequence::at(int i)
{
    return (i >= 0 && i < count()) ? frames_[size_t(i)].get() : nullptr;
}

const FrameRecord* FrameSequence::at(int i) const
{
    return (i >= 0 && i < count()) ? frames_[size_t(i)].get() : nullptr;
}

RasterImage* FrameSequence::FrameImage(int n)
{
    FrameRecord* record = at(n - 1);
    return record ? record->image.get() : nullptr;
}

const RasterImage* FrameSequence::FrameImage(int n) const
{
    const FrameRecord* record = at(n - 1);
    return record ? record->image.get() : nullptr;
}

bool FrameSequence::append(std::unique_ptr<FrameRecord> record)
{
    if (!record || !record->image)
        return false;
    frames_.push_back(std::move(record));
    return true;
}

bool FrameSequence::insert(int i, std::unique_ptr<FrameRecord> record)
{
    if (!record || !record->image)
        return false;
    i = std::clamp(i, 0, count());
    frames_.insert(frames_.begin() + i, std::move(record));
    return true;
}

void FrameSequence::remove(int i, int n)
{
    if (n <= 0 || i >= count())
        return;
    if (i < 0) {
        n += i;  // only the part of the range inside the array
        i = 0;
        if (n <= 0)
            return;
    }
    n = std::min(n, count() - i);
    frames_.erase(frames_.begin() + i, frames_.begin() + i + n);
}

std::unique_ptr<FrameRecord> FrameSequence::take(int i)
{
    if (i < 0 || i >= count())
        return nullptr;
    std::unique_ptr<FrameRecord> record = std::move(frames_[size_t(i)]);
    frames_.erase(frames_.begin() + i);
    return record;
}

void FrameSequence::swap(int i, int j)
{
    if (i < 0 || j < 0 || i >= count() || j >= count())
        return;
    std::swap(frames_[size_t(i)], frames_[size_t(j)]);
}

void FrameSequence::clear()
{
    // Front to back, like the frames were made.
    while (!frames_.empty())
        frames_.pop_front();
}

int FrameSequence::recordingDelay(int fps)
{
    return int(100.0 / double(std::max(fps, 1)));
}

bool FrameSequence::appendRecorded(std::unique_ptr<RasterImage> image)
{
    if (!image || !image->isValid())
        return false;
    append(FrameRecord::make(std::move(image), recordingDelay(fps_)));
    if (lastTenSeconds_) {
        const size_t limit = size_t(std::max(fps_, 1)) * 10;
        while (frames_.size() > limit)
            frames_.pop_front();
    }
    return true;
}

bool FrameSequence::SetFrameRectangle(int left, int top, int right, int bottom, int mouseTrackMode)
{
    if (right < left || bottom < top)
        return false;
    rect_ = FrameRect{left, top, right, bottom};
    mouseTrackMode_ = mouseTrackMode;
    return true;
}
