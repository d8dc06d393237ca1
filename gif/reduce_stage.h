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
#include <memory>
#include <vector>

#include "gif/composed_frame.h"
#include "gif/object_pool.h"
#include "gif/palette_frame.h"
#include "gif/palette_stage.h"

class GenerationRun;
class PaletteLookup;
class RasterImage;

class ReduceStage {
public:
    ReduceStage(const GifPalette& table, bool diffusion, int width, int height);
    ~ReduceStage();
    ReduceStage(const ReduceStage&) = delete;
    ReduceStage& operator=(const ReduceStage&) = delete;

    // One PaletteFrame per composed frame (empty image where it failed).
    std::vector<PaletteFrame> run(const std::vector<ComposedFrame>& frames, GenerationRun& run);

    // The same in pieces, for a caller that takes the frames as they are made:
    // the runs of `frames` (first frame, frame count) ...
    std::vector<std::pair<int, int>> planRuns(const std::vector<ComposedFrame>& frames,
                                              GenerationRun& run) const;
    // ... and one of them reduced into out[first .. first + count - 1] (`out`
    // has a slot per frame). Runs may be reduced on several threads at once.
    void reduceRun(const std::vector<ComposedFrame>& frames, std::pair<int, int> run,
                   std::vector<PaletteFrame>& out);

    // The runs (first frame, frame count): a run ends before a frame that is
    // not alike its predecessor and when it is full, for `threads` threads.
    static std::vector<std::pair<int, int>> runsOf(const std::vector<char>& alike, int threads);

private:
    const GifPalette& table_;
    bool diffusion_;
    int width_;
    int height_;
    std::unique_ptr<PaletteLookup> lookup_;
    GdImageHandle paletteImage_;  // the image every frame takes its colour table from
    // Diffusion state pictures are handed from run to run instead of being
    // made anew for each.
    ObjectPool<std::unique_ptr<RasterImage>> freeStates_;
};
