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

namespace {
int32_t le32(const uint8_t* p)
{
    return int32_t(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Pictures above a megapixel are legal but slow to fill; the tests cover
    // the limits.
    if (size >= 26 && le32(data + 14) >= 40) {
        const int64_t w = le32(data + 18), h = le32(data + 22);
        if ((w < 0 ? -w : w) * (h < 0 ? -h : h) > (int64_t(1) << 20))
            return 0;
    }
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
