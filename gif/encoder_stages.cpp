// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/encoder_stages.h"

#include "gif/octree_gif_encoder.h"

// The one place that picks an encoder for a generation.
std::unique_ptr<EncoderStages> makeEncoderStages(const EncodeJob&)
{
    return std::make_unique<OctreeGifEncoder>();
}
