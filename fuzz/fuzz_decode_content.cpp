// libFuzzer target: decoding by content detection (every supported format).
#include <cstddef>
#include <cstdint>

#include "imaging/raster_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RasterImage image;
    image.setRetrieveAllFrames(size > 0 && (data[size - 1] & 1));
    if (image.decodeMemory(data, size, ImageTypeUnknown) && !image.isValid())
        __builtin_trap();
    return 0;
}
