// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/octree_gif_encoder.h"

#include "gif/generation_run.h"
#include "gif/generation_settings.h"
#include "gif/merge_stage.h"
#include "gif/reduce_stage.h"
#include "gif/write_stage.h"

void OctreeGifEncoder::observe(const ComposedFrame& frame, const EncodeJob& job)
{
    palette_.feed(frame, job.width, job.height);
}

bool OctreeGifEncoder::encode(std::vector<ComposedFrame>& composed, const EncodeJob& job, GenerationRun& run,
                              std::string* error)
{
    const GifPalette table = palette_.table(job.settings.keepWhite);
    run.mark("palette");

    std::vector<PaletteFrame> frames =
        ReduceStage(table, job.dither, job.width, job.height).run(composed, run);
    composed.clear();
    run.mark("reduce");
    run.report(95);

    std::vector<PaletteFrame> merged = mergeIdenticalFrames(frames, run);
    run.mark("merge");
    if (merged.empty()) {
        setGenerationError(error, "no frame could be encoded");
        run.report(100);
        return false;
    }

    const bool ok = WriteStage(job.settings.outputPath, job.settings.playOnce).run(merged, run, error);
    merged.clear();
    run.mark("write");
    run.report(100);
    return ok;
}
