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
bool decodeBmpImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
bool decodeGifImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
bool decodeJpegImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
bool decodePngImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error);

bool encodeBmpImage(const RasterImage& image, std::vector<uint8_t>& out);
bool encodeJpegImage(const RasterImage& image, int quality, std::vector<uint8_t>& out);
bool encodePngImage(const RasterImage& image, std::vector<uint8_t>& out);
}  // namespace imaging_codecs
