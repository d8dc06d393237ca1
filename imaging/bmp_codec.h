// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Our own BMP decoder and encoder.
//
// Decoding: Windows headers of 40, 52, 56, 108 and 124 bytes, OS/2 1.x (12)
// and 2.x (16 to 64) headers, the OS/2 bitmap-array wrapper (its first
// image), 1/2/4/8 bits with palette, 16/24/32 bits with default or
// BITFIELDS/ALPHABITFIELDS masks (alpha mask -> alpha plane), RLE4, RLE8,
// OS/2 RLE24, bottom-up and top-down rows, and embedded PNG/JPEG.
//  * Palette files give palette images (depth 1, 4 or 8; 2-bit files 4);
//    pixels skipped by RLE delta or early end codes take index 0
//    (black for RLE24). Every other file gives a 24-bit image.
//  * Mask channels of n bits are scaled to 8 bits as round(v * 255 / (2^n - 1)).
//  * Refused with a reason: unknown header size, planes other than 1, width
//    not above 0 or a side above kMaxImageSide, unsupported depth or
//    compression, empty/overlapping/broken masks, a palette or pixel data that
//    is not in the file, a file size field beyond the actual file, pixel
//    indices outside the palette, RLE runs or deltas outside the image or RLE
//    data without its end, top-down RLE, and absurd pixel densities (one axis
//    over 100 times the other).
// Encoding: palette images as 1, 4 or 8 bits with their palette, everything
// else as 24 bits; bottom-up, 40-byte header. The alpha plane is not written.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class RasterImage;

bool decodeBmp(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
bool encodeBmp(const RasterImage& image, std::vector<uint8_t>& out);
