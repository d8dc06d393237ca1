// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// JPEG coding through libjpeg.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class RasterImage;

// Decodes a baseline or progressive JPEG (grey, YCbCr, CMYK) into a 24-bit image.
bool decodeJpeg(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
// Encodes the image (palette images through their palette) at quality 1..100.
bool encodeJpeg(const RasterImage& image, int quality, std::vector<uint8_t>& out);
