// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The palette: one octree of 256 colours fed with every composed frame in
// record order (each frame bottom row first, left to right), then made into a
// table of 256 entries.
//
// A row that is the same as the previous frame's row holds only colours the
// octree has already seen. Adding such a colour creates no node and causes no
// reduction (the colour's path ends in a leaf for good), so when it is added
// does not change the result: these rows are counted and added once each, with
// their count, when the table is made.
//
// With keep-white, the brightest entry in use among 0..254 (lowest index on
// ties, and only with a sum above 0) becomes white. Entries beyond the
// octree's colours repeat entry 0: the nearest search takes the first of equal
// entries, so no pixel ever gets one of them.
#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "gif/colour_gatherer.h"
#include "gif/composed_frame.h"
#include "imaging/octree_quantizer.h"

using GifPalette = std::array<RgbQuad, 256>;

class GenerationRun;

class PaletteStage {
public:
    PaletteStage();
    ~PaletteStage();

    // Adds every pixel of `frame` (its rows must be set).
    void feed(const ComposedFrame& frame, int width, int height);
    // The same as feed() for each of `frames` in order; the colours of the
    // frames are gathered on the run's threads (ColourGatherer) and added on
    // this one.
    void feedFrames(const std::vector<ComposedFrame>& frames, int width, int height, GenerationRun& run);
    // The table of everything fed so far. The rows of the frames fed must
    // still be there.
    GifPalette table(bool keepWhite);

private:
    // The rows of the frame fed last, when a frame of width x height can be
    // compared with them; null otherwise.
    const uint8_t* const* rowsFedLast(int width, int height) const;
    void addPixels(const std::vector<const uint8_t*>& rows, const uint8_t* const* previous, int width);
    void add(const std::vector<const uint8_t*>& rows, int width,
             const std::vector<ColourGatherer::Entry>& colours, const std::vector<int>& repeated);

    OctreeQuantizer octree_;
    ColourGatherer gatherer_;  // feed()'s, kept from frame to frame
    int width_ = 0;
    std::vector<const uint8_t*> previous_;                  // the rows of the frame fed last
    std::unordered_map<const uint8_t*, uint64_t> repeats_;  // rows put off, and how often
};
