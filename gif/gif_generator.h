// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Turns the records of a generation source, the captions and the generation
// settings into an animated GIF file.
//
// The generation runs in stages, each in its own file:
//   compose  (ComposeStage)   an output-sized picture of every kept record:
//            filter, captions at capture size, bicubic resampling to W x H,
//            image watermark, text watermark;
//   palette  (PaletteStage)   one octree palette over all composed pictures in
//            order, fed while later records are still being composed;
//   reduce   (ReduceStage)    each picture to the palette, with or without
//            error diffusion;
//   merge    (mergeIdenticalFrames) runs of identical neighbours into one frame
//            with the summed delay;
//   write    (WriteStage)     the animation through libgd: a global colour
//            table, no local tables, every frame after the first only as the
//            rectangle that changed (disposal 1).
// Everything after compose is an EncoderStages object (gif/encoder_stages.h),
// which is where other encoders plug in.
//
// Progress: 0..59 while composing (one report per record, deleted ones
// included), 60..94 while reducing, then 95 and 100. Every report comes from the
// calling thread, in order.
//
// The stages run on all cores (the thread count is taken once per generation,
// see generationThreadCount()); the file is byte for byte what the plain
// one-thread algorithm writes.
#include <QString>
#include <string>

#include "gif/generation_run.h"

class CaptionList;
class GenerationSource;
struct GenerationSettings;

class GifGenerator {
public:
    // One generation. True when the file was written whole; false when there
    // was nothing to write (no record, every record deleted), the output size
    // is unusable, or the file could not be created or written (a partly
    // written file is removed). `error` (may be null) receives the reason.
    // A frame sequence is handed over as a FrameSequenceSource.
    static bool generate(GenerationSource& source, const CaptionList& captions,
                         const GenerationSettings& settings, int filterNumber, bool dither,
                         const GenerationProgress& progress, std::string* error = nullptr);

    // Output side: trunc(side * scale + 0.5), the product a 32-bit float.
    static int outputSide(int side, float scale);

    // A new output path in the temporary folder, named "%d-%d-%d-%d-%d-%d.gif"
    // from the local hour, minute, second, month and day and a pseudo-random
    // number seeded with the current time (no leading zeros).
    static QString newOutputPath();
};
