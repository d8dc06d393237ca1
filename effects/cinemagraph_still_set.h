// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The still part of a cinemagraph: every mask position whose red, green and
// blue are all 255. Kept as runs along the rows, so applying it to a frame is
// one copy per run from the still frame.
#include <cstddef>
#include <functional>
#include <vector>

#include "imaging/raster_image.h"

class FrameSequence;

class CinemagraphStillSet {
public:
    struct Run {
        int y = 0;
        int x0 = 0;  // first column
        int x1 = 0;  // one past the last column
        bool operator==(const Run& o) const { return y == o.y && x0 == o.x0 && x1 == o.x1; }
    };

    CinemagraphStillSet() = default;
    // The pure-white positions of `mask` (any depth; palette masks by their
    // colours).
    static CinemagraphStillSet fromMask(const RasterImage& mask);

    const std::vector<Run>& runs() const { return runs_; }
    size_t pixelCount() const { return pixels_; }
    bool contains(int x, int y) const;

    // Gives one image the still frame's pixels at every position of the set
    // that lies inside both images.
    void applyTo(RasterImage& frame, const RasterImage& still) const;

    // Does so for every record of the sequence, deleted ones included, each
    // on its own core; `frameDone` is called on the calling thread once per
    // record, in order. The still frame may be one of the records (it is left
    // as it is, which is what applying gives it).
    void applyTo(FrameSequence& sequence, const RasterImage& still, int threads,
                 const std::function<void(int index)>& frameDone = {}) const;

private:
    std::vector<Run> runs_;
    size_t pixels_ = 0;
};
