// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// PNG coding through libpng.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class RasterImage;

// Decodes a PNG: palette files become palette images (tRNS: the first fully
// transparent entry is the transparent index, partial alpha becomes an alpha
// plane); grey and colour files become 24-bit images, with an alpha plane when the
// file has alpha. Refuses sizes above the hard limits before allocating.
// The usual frame-folder PNG goes through decodePngFast() (the same picture,
// sooner); every other file through libpng.
bool decodePng(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
// The same decoding through libpng alone.
bool decodePngThroughLibpng(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
// Encodes a palette image as an indexed PNG (tRNS for the transparent index) and a
// 24-bit image as RGB, or RGBA when it has an alpha plane.
bool encodePng(const RasterImage& image, std::vector<uint8_t>& out);
