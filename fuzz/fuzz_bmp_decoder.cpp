// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// libFuzzer target: the BMP decoder; whatever it decodes must encode and
// decode back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/bmp_codec.h"
#include "imaging/raster_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RasterImage image;
    std::string error;
    if (!decodeBmp(data, size, image, error))
        return 0;
    std::vector<uint8_t> encoded;
    RasterImage back;
    if (!encodeBmp(image, encoded) || !decodeBmp(encoded.data(), encoded.size(), back, error) ||
        back.width() != image.width() || back.height() != image.height())
        __builtin_trap();
    return 0;
}
