// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The default encoder: one octree palette over all frames (PaletteStage, fed
// with all of them once they are composed), each frame reduced to it
// (ReduceStage), identical neighbours merged and the file written through
// libgd (WriteStage), the three as one stream (reduceMergeWrite).
#include "gif/encoder_stages.h"
#include "gif/palette_stage.h"

class OctreeGifEncoder : public EncoderStages {
public:
    void observe(const ComposedFrame& frame, const EncodeJob& job) override;
    bool encode(std::vector<ComposedFrame>& frames, const EncodeJob& job, GenerationRun& run,
                std::string* error) override;

private:
    PaletteStage palette_;
};
