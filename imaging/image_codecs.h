// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The codecs RasterImage dispatches to, one entry point per format. Each decoder
// fills `image` (left invalid on failure, with `error` saying why) and honours
// image.retrieveAllFrames() / frameIndex() where the format has frames.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class RasterImage;

namespace imaging_codecs {
// RasterImage::create refuses pictures of this many bits or more; decoders test
// it before they decode any pixel.
inline constexpr uint64_t kMaxPictureBits = 2147483656ull;
inline bool pictureFits(uint64_t width, uint64_t height, int depth)
{
    return width * height * uint64_t(depth) < kMaxPictureBits;
}

bool decodeBmpImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
bool decodeGifImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
bool decodeJpegImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
bool decodePngImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error);

bool encodeBmpImage(const RasterImage& image, std::vector<uint8_t>& out);
bool encodeJpegImage(const RasterImage& image, int quality, std::vector<uint8_t>& out);
bool encodePngImage(const RasterImage& image, std::vector<uint8_t>& out);
}  // namespace imaging_codecs
