// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// libFuzzer target: decoding by content detection (every supported format).
#include <cstddef>
#include <cstdint>

#include "imaging/raster_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // GIF screens above 64 Ki pixels are legal but slow to compose frame by
    // frame; the GIF target and the tests cover them.
    if (size >= 10 && data[0] == 'G' &&
        uint32_t(data[6] | (data[7] << 8)) * uint32_t(data[8] | (data[9] << 8)) > (1u << 16))
        return 0;
    RasterImage image;
    image.setRetrieveAllFrames(size > 0 && (data[size - 1] & 1));
    if (image.decodeMemory(data, size, ImageTypeUnknown) && !image.isValid())
        __builtin_trap();
    return 0;
}
