// Binds the format entry points to the BMP and GIF codecs.
#include "imaging/image_codecs.h"

#include "imaging/raster_image.h"

namespace imaging_codecs {

bool decodeBmpImage(const uint8_t*, size_t, RasterImage&, std::string& error)
{
    error = "BMP decoding is not available";
    return false;
}

bool decodeGifImage(const uint8_t*, size_t, RasterImage&, std::string& error)
{
    error = "GIF decoding is not available";
    return false;
}

bool encodeBmpImage(const RasterImage&, std::vector<uint8_t>&) { return false; }

}  // namespace imaging_codecs
