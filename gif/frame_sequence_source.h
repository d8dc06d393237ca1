// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The records of a frame sequence as a generation source, borrowed: generation
// never changes them.
#include "gif/generation_source.h"

class FrameSequence;

class FrameSequenceSource : public GenerationSource {
public:
    explicit FrameSequenceSource(const FrameSequence& sequence) : sequence_(sequence) {}
    int count() const override;
    int frameWidth() const override;
    int frameHeight() const override;
    bool included(int i) const override;
    int delay(int i) const override;
    const RasterImage* image(int i, std::unique_ptr<RasterImage>& owned) override;

private:
    const FrameSequence& sequence_;
};
