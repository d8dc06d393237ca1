// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/octree_gif_encoder.h"

#include "gif/generation_run.h"
#include "gif/generation_settings.h"
#include "gif/reduce_stage.h"
#include "gif/reduce_write_pipeline.h"
#include "gif/write_stage.h"

void OctreeGifEncoder::observe(const ComposedFrame&, const EncodeJob&)
{
    // The palette is fed from every frame at once in encode(), on all threads.
}

bool OctreeGifEncoder::encode(std::vector<ComposedFrame>& composed, const EncodeJob& job, GenerationRun& run,
                              std::string* error)
{
    palette_.feedFrames(composed, job.width, job.height, run);
    const GifPalette table = palette_.table(job.settings.keepWhite);
    run.mark("palette");

    ReduceStage reduce(table, job.dither, job.width, job.height);
    WriteStage writer(job.settings.outputPath, job.settings.playOnce);
    const bool ok = reduceMergeWrite(composed, reduce, writer, run, error);
    composed.clear();
    run.mark("reduce, merge and write");
    run.report(100);
    return ok;
}
