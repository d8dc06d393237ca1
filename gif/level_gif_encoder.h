// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The encoder of a generation made at a "压缩动画" level (settings.level 1..5,
// colour or black and white): the composed frames go through LevelEncoder and
// the bytes it makes are written to the output file, which is removed when it
// cannot be written whole.
#include "gif/encoder_stages.h"

class LevelGifEncoder : public EncoderStages {
public:
    void observe(const ComposedFrame& frame, const EncodeJob& job) override;
    bool encode(std::vector<ComposedFrame>& frames, const EncodeJob& job, GenerationRun& run,
                std::string* error) override;
};
