// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The container of an animated GIF89a: header and logical screen with the
// global colour table (when given), the looping extension unless the animation plays once, then
// per frame a graphic control extension (delay, disposal 1 = keep, optional
// transparent index), the image descriptor with its local colour table and the
// LZW data, and the trailer.
#include <cstdint>
#include <vector>

#include "imaging/raster_image.h"

struct GifStreamFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int delay = 0;                 // hundredths of a second, 0..65535
    int transparentIndex = -1;     // -1: none
    std::vector<RgbQuad> palette;  // local table: 1..256 colours, padded to a power of
                                   // two; empty: the global table
    std::vector<uint8_t> data;     // LZW image data, as LzwWriter makes it
};

class GifStreamWriter {
public:
    // The colour table bits (1..8) a palette of `colours` entries is stored with.
    static int tableBits(int colours);

    // `global`: the global colour table (empty: none).
    static void begin(std::vector<uint8_t>& out, int width, int height, bool playOnce,
                      const std::vector<RgbQuad>& global);
    static void addFrame(std::vector<uint8_t>& out, const GifStreamFrame& frame);
    static void end(std::vector<uint8_t>& out);
};
