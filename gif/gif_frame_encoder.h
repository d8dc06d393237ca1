// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Encodes one frame of the animation into the bytes libgd's
// gdImageGifAnimAddPtr(frame, size, 0, 0, 0, delay, 1, previous) returns: the
// graphic control extension, the image descriptor of the rectangle that
// changed from `previous` (the whole frame when there is none) and the
// LZW-compressed indices in 254-byte packets, without a local colour table.
//
// It does the same work as libgd without a function call per pixel and per
// output byte. The rectangle is the bounding box of the pixels whose colour
// differs from the previous frame's; a cropped rectangle's pixels are written
// as the first palette entry of their colour, as libgd's copy onto a fresh
// image does. The code stream is greedy LZW with 12-bit codes: the table is
// cleared (and a clear code sent) when it is full, codes grow by one bit once
// the next free code no longer fits.
//
// encode() handles what the generation writes: palette images of one size
// with the same colour table, no transparent colour, not interlaced, and a
// frame that differs from the previous one. For anything else it returns
// false and writes nothing; the caller then asks libgd.
#include <cstdint>
#include <vector>

#include "gif/gd_handles.h"

class GifFrameEncoder {
public:
    static bool encode(const gdImage& frame, const gdImage* previous, int delay, std::vector<uint8_t>& out);

    // The LZW part alone: the minimum code size byte is not included; the
    // packets and the zero-length terminator are. Rows are `width` indices
    // each, all below 2^bitsPerPixel.
    static void compress(const uint8_t* const* rows, int left, int width, int height, int bitsPerPixel,
                         const uint8_t* map, std::vector<uint8_t>& out);
};
