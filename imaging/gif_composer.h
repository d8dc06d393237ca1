// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Composes the frames of an animated GIF one at a time, the way the animation
// shows them (see gif_decoder.h for the disposal rules): read the header, then
// call next() until it returns false; after each true the canvas holds the
// composed frame and frame() its delay and transparent index. Only the
// canvas (and, for disposal 3, one saved canvas) is held, whatever the number
// of frames.
#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/gif_canvas.h"
#include "imaging/gif_decoder.h"

class GifComposer {
public:
    GifComposer(const uint8_t* data, size_t size);

    // Header and logical screen; false with a reason. Nothing is allocated
    // yet, so the caller can check its budget first.
    bool readHeader(std::string& error);
    // The canvas of the logical screen, before the first next().
    bool allocateCanvas(std::string& error);
    const GifDecoder& decoder() const { return decoder_; }

    // The logical screen's background colour: the global colour table's
    // entry at the background index; black without one.
    RgbQuad backgroundColour() const;

    // Reads and composes the next frame. With compose off the frame is only
    // checked and counted (the canvas stays as it was). False at the end of
    // the file or at damaged data (decoder().truncated() tells which).
    bool next(bool compose = true);
    const GifCanvas& canvas() const { return canvas_; }
    // The frame last read (its pixel indices already dropped).
    const GifFrame& frame() const { return previous_; }
    int framesRead() const { return count_; }

private:
    GifDecoder decoder_;
    GifCanvas canvas_;
    GifCanvas beforePrevious_;
    GifFrame previous_;
    bool havePrevious_ = false;
    int count_ = 0;
};
