// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// libFuzzer target: the GIF decoder, raw and composed, with and without
// retrieve-all-frames.
#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/gif_decoder.h"
#include "imaging/raster_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Large screens are legal but make every composed frame slow; the fuzzer
    // keeps to screens of up to 64 Ki pixels (the tests cover the limits).
    if (size >= 10 && uint32_t(data[6] | (data[7] << 8)) * uint32_t(data[8] | (data[9] << 8)) > (1u << 16))
        return 0;
    GifFile file;
    std::string error;
    parseGif(data, size, file, error);

    for (bool all : {false, true}) {
        RasterImage image;
        image.setRetrieveAllFrames(all);
        image.setFrameIndex(all ? 1 : 2);
        if (decodeGif(data, size, image, error)) {
            if (!image.isValid() || image.numFrames() < 1)
                __builtin_trap();
            if (all && image.retrievedFrameCount() != image.numFrames())
                __builtin_trap();
            // Touch the last frame's pixels.
            const RasterImage* last = all ? image.frame(-1) : &image;
            volatile RgbQuad c = last->getColor(last->width() - 1, last->height() - 1, true);
            (void)c;
        }
    }
    return 0;
}
