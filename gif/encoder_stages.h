// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The seam between composition and encoding.
//
// A generation is: compose -> [palette -> reduce -> merge -> write]. The
// compose stage is the same for every encoder (it makes the output-sized
// pictures); the part in brackets is an EncoderStages object that
// GifGenerator::generate picks through makeEncoderStages(). Another kind of
// encoding (a colour reduction of its own, a lossy level, another writer) is a
// new EncoderStages implementation plus one branch in makeEncoderStages();
// it may reuse the stages below (PaletteStage, ReduceStage,
// mergeIdenticalFrames, WriteStage) and replace the others.
//
// The generator calls, all on the generating thread:
//   1. observe(frame, ...) for every composed frame, in record order, while
//      later records are still being composed (a look at each frame; the
//      frame's rows are set and stay valid until encode() returns);
//   2. encode(frames, ...) once, with every composed frame in record order
//      (at least one). It reports progress 60..100 through `run` (95 when the
//      frames are made, 100 at the very end, also on failure), writes the file
//      at settings.outputPath, removes it when it cannot be written whole, and
//      returns false with `error` set on failure. It may throw std::bad_alloc.
// Each stage takes the thread count from `run`, never from the environment.
#include <memory>
#include <string>
#include <vector>

#include "gif/composed_frame.h"

class GenerationRun;
struct GenerationSettings;

// The output size and settings every encoder gets.
struct EncodeJob {
    const GenerationSettings& settings;
    int width;
    int height;
    bool dither;  // error diffusion asked for
};

class EncoderStages {
public:
    virtual ~EncoderStages() = default;
    virtual void observe(const ComposedFrame& frame, const EncodeJob& job) = 0;
    virtual bool encode(std::vector<ComposedFrame>& frames, const EncodeJob& job, GenerationRun& run,
                        std::string* error) = 0;
};

// The encoder a generation with these settings uses.
std::unique_ptr<EncoderStages> makeEncoderStages(const EncodeJob& job);
