// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Reduction: every composed frame becomes a palette image on the generation's
// table, with or without 14/16 error diffusion, each exactly as the plain
// reduction of that frame alone (FrameReducer).
//
// Frames are reduced in runs of alike neighbours, each run on one thread
// reusing what the previous frame of the run worked out; runs are kept short
// so that they spread over the threads. Every image gets the table as its
// colour table. A frame that cannot be made is left out (its slot stays
// empty). Progress 60..94, in frame order.
#include <vector>

#include "gif/composed_frame.h"
#include "gif/palette_frame.h"
#include "gif/palette_stage.h"

class GenerationRun;

class ReduceStage {
public:
    ReduceStage(const GifPalette& table, bool diffusion, int width, int height);

    // One PaletteFrame per composed frame (empty image where it failed).
    std::vector<PaletteFrame> run(const std::vector<ComposedFrame>& frames, GenerationRun& run) const;

    // The runs (first frame, frame count): a run ends before a frame that is
    // not alike its predecessor and when it is full, for `threads` threads.
    static std::vector<std::pair<int, int>> runsOf(const std::vector<char>& alike, int threads);

private:
    const GifPalette& table_;
    bool diffusion_;
    int width_;
    int height_;
};
