// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A quicker decoder for the PNG files frame folders are made of: 8-bit RGB or
// RGBA, not interlaced, no tRNS, every chunk well formed. The compressed data
// is inflated in one piece by libdeflate and unfiltered straight into the
// picture. The result is the picture libpng gives for the same file.
//
// decodePngFast() answers false, leaving `image` undefined, for any file
// outside that case or with anything unusual about it (a bad CRC on IHDR or
// IDAT, an unknown critical chunk, a zlib stream that is not exactly the
// picture's data, a window smaller than 32 KiB, a bad filter type, a size the
// limits refuse); the caller then decodes it through libpng, which gives the
// same picture or the usual error.
#include <cstddef>
#include <cstdint>

class RasterImage;

bool decodePngFast(const uint8_t* data, size_t size, RasterImage& image);
