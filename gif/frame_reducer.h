// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Reduces a run of consecutive composed frames to palette indices, each exactly
// as the plain reduction of that frame alone would (bottom row first, left to
// right, 14/16 error diffusion when asked), but reusing the previous frame's
// result where nothing can differ.
//
// With diffusion the value a pixel is reduced from is its own colour plus,
// in this order and each sum clamped to 0..255, the parts of the errors of its
// lower-left (1/16), lower (4/16) and lower-right (2/16) neighbours and of its
// left neighbour (7/16). So when a pixel's colour and those four errors are
// the same as in the previous frame, its value, index and error are the same
// too. reduceNext() recomputes only the pixels for which that is not known,
// following the differences upward and to the right as far as they reach, and
// copies the rest. Recording-like content, where little changes from frame to
// frame, then costs little more than comparing the frames.
//
// One object serves one run of frames on one thread.
#include <cstdint>
#include <vector>

#include "imaging/raster_image.h"

class PaletteLookup;

class FrameReducer {
public:
    // Frames of width x height, given as top-down rows of B, G, R. `state` is
    // the picture the diffusion state is kept in (reused when it already has
    // the size).
    FrameReducer(const PaletteLookup& palette, bool diffusion, int width, int height, RasterImage& state);

    // The first frame of a run: the full reduction. The frame is not changed.
    bool reduceFirst(const uint8_t* const* frame, uint8_t* const* rows);
    // The next frame of the run: `previous` and `previousRows` are the frame
    // reduced just before (unchanged since) and its indices.
    bool reduceNext(const uint8_t* const* frame, const uint8_t* const* previous,
                    const uint8_t* const* previousRows, uint8_t* const* rows);

    // Whether two frames are alike enough for reduceNext() to pay off.
    static bool worthReusing(const uint8_t* const* frame, const uint8_t* const* previous, int width,
                             int height);

private:
    const PaletteLookup& palette_;
    bool diffusion_;
    int width_;
    int height_;
    RasterImage& state_;                 // every pixel's value when it was reduced (with diffusion)
    std::vector<uint8_t> changedBelow_;  // error differs from the previous frame's, row below
    std::vector<uint8_t> changedHere_;   // the same for the current row
};
