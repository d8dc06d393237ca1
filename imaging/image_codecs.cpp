// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Binds the format entry points to the BMP and GIF codecs.
#include "imaging/image_codecs.h"

#include "imaging/bmp_codec.h"
#include "imaging/gif_decoder.h"
#include "imaging/raster_image.h"

namespace imaging_codecs {

bool decodeBmpImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error)
{
    return decodeBmp(data, size, image, error);
}

bool decodeGifImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error)
{
    return decodeGif(data, size, image, error);
}

bool encodeBmpImage(const RasterImage& image, std::vector<uint8_t>& out)
{
    return encodeBmp(image, out);
}

}  // namespace imaging_codecs
