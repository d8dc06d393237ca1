#include "imaging/jpeg_codec.h"
#include "imaging/image_codecs.h"
#include "imaging/raster_image.h"
bool decodeJpeg(const uint8_t*, size_t, RasterImage&, std::string& e) { e = "JPEG pending"; return false; }
bool encodeJpeg(const RasterImage&, int, std::vector<uint8_t>&) { return false; }
namespace imaging_codecs {
bool decodeJpegImage(const uint8_t* p, size_t n, RasterImage& i, std::string& e) { return decodeJpeg(p, n, i, e); }
bool encodeJpegImage(const RasterImage& i, int q, std::vector<uint8_t>& o) { return encodeJpeg(i, q, o); }
}
