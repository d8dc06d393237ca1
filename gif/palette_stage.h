// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The palette: one octree of 256 colours fed with every composed frame in
// record order (each frame bottom row first, left to right), then made into a
// table of 256 entries.
//
// With keep-white, the brightest entry in use among 0..254 (lowest index on
// ties, and only with a sum above 0) becomes white. Entries beyond the
// octree's colours repeat entry 0: the nearest search takes the first of equal
// entries, so no pixel ever gets one of them.
#include <array>

#include "gif/composed_frame.h"
#include "imaging/octree_quantizer.h"

using GifPalette = std::array<RgbQuad, 256>;

class PaletteStage {
public:
    PaletteStage();

    // Adds every pixel of `frame` (its rows must be set).
    void feed(const ComposedFrame& frame, int width, int height);
    // The table of everything fed so far.
    GifPalette table(bool keepWhite) const;

private:
    OctreeQuantizer octree_;
};
