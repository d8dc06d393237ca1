// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Turns the frame sequence, the captions and the generation settings into an
// animated GIF file.
//
// Composition makes an output-sized picture of every kept record (filter,
// captions at capture size, bicubic resampling to W x H, image watermark, text
// watermark). Encoding builds one octree palette over all composed pictures in
// order, reduces each to it (with or without error diffusion), merges runs of
// identical neighbours into one frame with the summed delay, and writes the
// animation through libgd: a global colour table, no local tables, every frame
// after the first only as the rectangle that changed (disposal 1).
//
// Progress: 0..59 while composing (one report per record, deleted ones
// included), 60..94 while reducing, then 95 and 100. Every report comes from the
// calling thread, in order.
//
// Composition and reduction run on all cores and the palette is fed while
// frames are still being composed; the file is byte for byte what the plain
// one-thread algorithm writes.
#include <QString>
#include <functional>
#include <string>

class CaptionList;
class FrameSequence;
class GenerationSource;
struct GenerationSettings;

using GenerationProgress = std::function<void(int percent)>;

class GifGenerator {
public:
    // One generation. True when the file was written whole; false when there
    // was nothing to write (no record, every record deleted), the output size
    // is unusable, or the file could not be created or written (a partly
    // written file is removed). `error` (may be null) receives the reason.
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

// The worker's generation step: the sequence's records, borrowed and unchanged.
bool GenerateGif(const FrameSequence& sequence, const CaptionList& captions,
                 const GenerationSettings& settings, int filterNumber, bool dither,
                 const GenerationProgress& progress, std::string* error = nullptr);
