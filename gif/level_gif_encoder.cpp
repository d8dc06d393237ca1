// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/level_gif_encoder.h"

#include "gif/generation_run.h"
#include "gif/generation_settings.h"
#include "gif/level_generation.h"

void LevelGifEncoder::observe(const ComposedFrame&, const EncodeJob&) {}

bool LevelGifEncoder::encode(std::vector<ComposedFrame>& composed, const EncodeJob& job, GenerationRun& run,
                             std::string* error)
{
    std::vector<LevelFrame> frames;
    frames.reserve(composed.size());
    for (const ComposedFrame& c : composed)
        frames.push_back(LevelFrame{c.rows, c.delay});
    const bool ok = writeLevelGif(
        frames, job.settings, job.width, job.height, job.dither, [&](int p) { run.report(p); }, error,
        run.threads());
    run.mark("levels");
    return ok;
}
