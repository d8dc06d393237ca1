// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The distinct colours of a frame with their counts, in the order the octree
// meets them first (bottom row first, left to right), for feeding the palette
// on one thread what was gathered on several.
//
// The octree's shape depends only on the order in which colours first appear:
// a colour added again creates no node and causes no reduction, and the sums
// it adds end up in the same leaf whenever they are added. So a frame given as
// its distinct colours, each with all its pixels at its first place, builds
// the same tree as the frame pixel by pixel. Rows equal to the previous
// frame's row hold only colours already seen; they are left out and named.
//
// One gatherer per thread: it keeps its table from frame to frame.
#include <cstddef>
#include <cstdint>
#include <vector>

class ColourGatherer {
public:
    struct Entry {
        uint32_t bgr;    // blue | green << 8 | red << 16
        uint32_t count;  // pixels of that colour
    };

    // `rows` are the frame's top-down rows of B, G, R (width * 3 bytes each);
    // `previous` the previous frame's, or null. `out` gets the colours,
    // `repeated` the rows equal to the previous frame's. False (both empty)
    // for a frame of so many colours that the list would save little: more
    // than kMaxColours, or more than every second pixel once kProbePixels
    // pixels have been seen; such a frame is better fed pixel by pixel.
    bool gather(const uint8_t* const* rows, const uint8_t* const* previous, int width, int height,
                std::vector<Entry>& out, std::vector<int>& repeated);

    static constexpr size_t kMaxColours = size_t(1) << 17;  // a table that stays in the cache
    static constexpr size_t kProbePixels = size_t(1) << 16;

private:
    struct Slot {
        uint32_t key;    // colour + 1, 0 when free
        uint32_t count;  // its pixels so far
    };
    void grow();

    int bits_ = 0;
    std::vector<Slot> slots_;
    std::vector<uint32_t> order_;  // the slots taken during this frame, in the colours' order
};
