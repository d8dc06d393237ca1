#include "imaging/png_codec.h"
#include "imaging/image_codecs.h"
#include "imaging/raster_image.h"
bool decodePng(const uint8_t*, size_t, RasterImage&, std::string& e) { e = "PNG pending"; return false; }
bool encodePng(const RasterImage&, std::vector<uint8_t>&) { return false; }
namespace imaging_codecs {
bool decodePngImage(const uint8_t* p, size_t n, RasterImage& i, std::string& e) { return decodePng(p, n, i, e); }
bool encodePngImage(const RasterImage& i, std::vector<uint8_t>& o) { return encodePng(i, o); }
}
