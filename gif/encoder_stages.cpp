// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/encoder_stages.h"

#include "gif/generation_settings.h"
#include "gif/level_gif_encoder.h"
#include "gif/octree_gif_encoder.h"

// The one place that picks an encoder for a generation.
std::unique_ptr<EncoderStages> makeEncoderStages(const EncodeJob& job)
{
    if (job.settings.level > 0)
        return std::make_unique<LevelGifEncoder>();  // a "压缩动画" level
    return std::make_unique<OctreeGifEncoder>();
}
