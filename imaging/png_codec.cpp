// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// PNG coding through libpng. libpng reports errors by longjmp: every setjmp lives
// in a small function below whose frame holds no C++ object with a destructor;
// the buffers and the libpng structures are owned by the callers.
#include "imaging/png_codec.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <memory>

#include "imaging/image_codecs.h"
#include "imaging/png_fast_decoder.h"
#include "imaging/raster_image.h"

namespace {

struct PngIo {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    std::vector<uint8_t>* out = nullptr;
    char error[160] = {0};
};

extern "C" void pngOnError(png_structp png, png_const_charp message)
{
    auto* io = static_cast<PngIo*>(png_get_error_ptr(png));
    if (io) {
        std::strncpy(io->error, message ? message : "PNG error", sizeof(io->error) - 1);
        io->error[sizeof(io->error) - 1] = 0;
    }
    png_longjmp(png, 1);
}

extern "C" void pngOnWarning(png_structp, png_const_charp) {}

extern "C" void pngReadData(png_structp png, png_bytep out, png_size_t n)
{
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    if (n > io->size - io->pos)
        png_error(png, "file is truncated");
    std::memcpy(out, io->data + io->pos, n);
    io->pos += n;
}

extern "C" void pngWriteData(png_structp png, png_bytep in, png_size_t n)
{
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    bool grown = true;
    try {
        io->out->insert(io->out->end(), in, in + n);
    } catch (...) {
        grown = false;
    }
    if (!grown)
        png_error(png, "out of memory");
}

extern "C" void pngFlush(png_structp) {}

struct ReadStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~ReadStructs()
    {
        if (png)
            png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

struct WriteStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~WriteStructs()
    {
        if (png)
            png_destroy_write_struct(&png, info ? &info : nullptr);
    }
};

// --- setjmp wrappers: plain C-style frames only ---

int pngReadHeader(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return 0;
    png_read_info(png, info);
    return 1;
}

struct Transforms {
    bool strip16, grayToRgb, expandGray, trnsToAlpha, packing, bgr;
};

int pngApplyTransforms(png_structp png, png_infop info, const Transforms* t)
{
    if (setjmp(png_jmpbuf(png)))
        return 0;
    if (t->strip16)
        png_set_strip_16(png);
    if (t->packing)
        png_set_packing(png);
    if (t->expandGray)
        png_set_expand_gray_1_2_4_to_8(png);
    if (t->trnsToAlpha)
        png_set_tRNS_to_alpha(png);
    if (t->grayToRgb)
        png_set_gray_to_rgb(png);
    if (t->bgr)
        png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return 1;
}

int pngReadRows(png_structp png, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return 0;
    png_read_image(png, rows);
    return 1;
}

struct WriteHeader {
    png_uint_32 width, height;
    int bitDepth, colorType;
    const png_color* palette;
    int paletteSize;
    const png_byte* trans;
    int numTrans;
    const png_color_16* transColor;
    bool packing, bgr;
};

int pngWriteAll(png_structp png, png_infop info, const WriteHeader* h, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return 0;
    png_set_IHDR(png, info, h->width, h->height, h->bitDepth, h->colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (h->palette)
        png_set_PLTE(png, info, h->palette, h->paletteSize);
    if (h->trans || h->transColor)
        png_set_tRNS(png, info, h->trans, h->numTrans, h->transColor);
    png_write_info(png, info);
    if (h->packing)
        png_set_packing(png);
    if (h->bgr)
        png_set_bgr(png);
    png_write_image(png, rows);
    png_write_end(png, info);
    return 1;
}

std::string pngReason(const PngIo& io, const char* fallback)
{
    return io.error[0] ? std::string("PNG: ") + io.error : std::string(fallback);
}

}  // namespace

bool decodePng(const uint8_t* data, size_t size, RasterImage& image, std::string& error)
{
    image.destroy();
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (!data || size < 8 || std::memcmp(data, sig, 8) != 0) {
        error = "not a PNG file";
        return false;
    }
    if (decodePngFast(data, size, image))
        return true;
    return decodePngThroughLibpng(data, size, image, error);
}

bool decodePngThroughLibpng(const uint8_t* data, size_t size, RasterImage& image, std::string& error)
{
    image.destroy();
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (!data || size < 8 || std::memcmp(data, sig, 8) != 0) {
        error = "not a PNG file";
        return false;
    }
    PngIo io;
    io.data = data;
    io.size = size;
    ReadStructs s;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &io, pngOnError, pngOnWarning);
    if (!s.png) {
        error = "PNG: out of memory";
        return false;
    }
    s.info = png_create_info_struct(s.png);
    if (!s.info) {
        error = "PNG: out of memory";
        return false;
    }
    png_set_read_fn(s.png, &io, pngReadData);
    png_set_user_limits(s.png, 1000000, 1000000);  // the size check below names the size
    if (!pngReadHeader(s.png, s.info)) {
        error = pngReason(io, "PNG: bad header");
        return false;
    }

    const png_uint_32 w = png_get_image_width(s.png, s.info);
    const png_uint_32 h = png_get_image_height(s.png, s.info);
    const int bitDepth = png_get_bit_depth(s.png, s.info);
    const int colorType = png_get_color_type(s.png, s.info);
    if (w == 0 || h == 0) {
        error = "PNG: image size out of range";
        return false;
    }
    if (std::string refusal = pictureSizeRefusal("PNG picture", w, h); !refusal.empty()) {
        error = "PNG: " + refusal;
        return false;
    }
    const int pictureDepth =
        colorType != PNG_COLOR_TYPE_PALETTE ? 24 : (bitDepth <= 1 ? 1 : (bitDepth <= 4 ? 4 : 8));
    if (uint64_t(w) * uint64_t(h) * 4u > kMaxDecodedBytes ||
        !imaging_codecs::pictureFits(w, h, pictureDepth)) {
        error = "PNG: " + std::to_string(w) + "x" + std::to_string(h) + " is too large for a picture";
        return false;
    }

    png_bytep transAlpha = nullptr;
    int numTrans = 0;
    png_color_16p transColor = nullptr;
    const bool hasTrns = png_get_tRNS(s.png, s.info, &transAlpha, &numTrans, &transColor) != 0;

    const bool isPaletteFile = colorType == PNG_COLOR_TYPE_PALETTE;
    Transforms t{};
    t.strip16 = bitDepth == 16;
    if (isPaletteFile) {
        t.packing = bitDepth < 8;
    } else {
        const bool gray = (colorType & PNG_COLOR_MASK_COLOR) == 0;
        t.expandGray = gray && bitDepth < 8;
        t.grayToRgb = gray;
        t.trnsToAlpha = hasTrns;
        t.bgr = true;
    }
    if (!pngApplyTransforms(s.png, s.info, &t)) {
        error = pngReason(io, "PNG: cannot set up decoding");
        return false;
    }
    const int channels = png_get_channels(s.png, s.info);
    const size_t rowBytes = png_get_rowbytes(s.png, s.info);
    const size_t expected = size_t(w) * size_t(isPaletteFile ? 1 : channels);
    if (rowBytes < expected || (!isPaletteFile && channels != 3 && channels != 4)) {
        error = "PNG: unexpected pixel layout";
        return false;
    }

    std::vector<uint8_t> buffer(rowBytes * size_t(h));
    std::vector<png_bytep> rows(h);
    for (png_uint_32 y = 0; y < h; ++y)
        rows[y] = buffer.data() + size_t(y) * rowBytes;
    if (!pngReadRows(s.png, rows.data())) {
        error = pngReason(io, "PNG: cannot read the pixels");
        return false;
    }

    if (isPaletteFile) {
        if (!image.create(int(w), int(h), pictureDepth)) {
            error = "PNG: out of memory";
            return false;
        }
        png_colorp pal = nullptr;
        int numPal = 0;
        png_get_PLTE(s.png, s.info, &pal, &numPal);
        const int n = std::min(numPal, image.paletteSize());
        for (int i = 0; i < n; ++i)
            image.setPaletteEntry(i, RgbQuad{pal[i].blue, pal[i].green, pal[i].red, 0});
        const int maxIndex = image.paletteSize() - 1;
        for (png_uint_32 y = 0; y < h; ++y) {
            uint8_t* dst = image.row(int(y));
            const uint8_t* src = rows[y];
            for (png_uint_32 x = 0; x < w; ++x)
                dst[x] = src[x] > maxIndex ? uint8_t(maxIndex) : src[x];
        }
        if (hasTrns && transAlpha && numTrans > 0) {
            int firstClear = -1;
            int clearCount = 0;
            bool partial = false;
            for (int i = 0; i < numTrans; ++i) {
                if (transAlpha[i] == 0) {
                    if (firstClear < 0)
                        firstClear = i;
                    ++clearCount;
                } else if (transAlpha[i] != 255) {
                    partial = true;
                }
            }
            if (firstClear >= 0 && firstClear <= maxIndex)
                image.setTransparentIndex(firstClear);
            if (partial || clearCount > 1) {
                image.createAlpha();
                for (png_uint_32 y = 0; y < h; ++y) {
                    uint8_t* a = image.alphaRow(int(y));
                    const uint8_t* src = rows[y];
                    for (png_uint_32 x = 0; x < w; ++x)
                        a[x] = src[x] < numTrans ? transAlpha[src[x]] : 255;
                }
            }
        }
    } else {
        if (!image.create(int(w), int(h), 24)) {
            error = "PNG: out of memory";
            return false;
        }
        if (channels == 4)
            image.createAlpha();
        for (png_uint_32 y = 0; y < h; ++y) {
            uint8_t* dst = image.row(int(y));
            const uint8_t* src = rows[y];
            if (channels == 3) {
                std::memcpy(dst, src, size_t(w) * 3);
            } else {
                uint8_t* a = image.alphaRow(int(y));
                for (png_uint_32 x = 0; x < w; ++x) {
                    dst[x * 3] = src[x * 4];
                    dst[x * 3 + 1] = src[x * 4 + 1];
                    dst[x * 3 + 2] = src[x * 4 + 2];
                    a[x] = src[x * 4 + 3];
                }
            }
        }
    }
    image.setTypeCode(ImageTypePng);
    image.setNumFrames(1);
    return true;
}

bool encodePng(const RasterImage& image, std::vector<uint8_t>& out)
{
    out.clear();
    if (!image.isValid())
        return false;
    const int w = image.width();
    const int h = image.height();
    const bool alpha = image.hasAlpha();
    const bool indexed = image.isPalette() && !alpha;

    // Pixel rows in the layout handed to libpng.
    const size_t channels = indexed ? 1 : (alpha ? 4 : 3);
    std::vector<uint8_t> pixels;
    std::vector<png_bytep> rows(static_cast<size_t>(h));
    if (!indexed && (alpha || image.isPalette())) {
        pixels.resize(size_t(w) * size_t(h) * channels);
        for (int y = 0; y < h; ++y) {
            uint8_t* dst = pixels.data() + size_t(y) * size_t(w) * channels;
            const uint8_t* a = image.alphaRow(y);
            for (int x = 0; x < w; ++x) {
                const RgbQuad c = image.getColor(x, y);
                dst[0] = c.blue;
                dst[1] = c.green;
                dst[2] = c.red;
                if (channels == 4)
                    dst[3] = a ? a[x] : 255;
                dst += channels;
            }
            rows[size_t(y)] = pixels.data() + size_t(y) * size_t(w) * channels;
        }
    } else {
        for (int y = 0; y < h; ++y)
            rows[size_t(y)] = const_cast<png_bytep>(image.row(y));
    }

    WriteHeader hdr{};
    hdr.width = png_uint_32(w);
    hdr.height = png_uint_32(h);
    std::vector<png_color> palette;
    std::vector<png_byte> trans;
    png_color_16 transColor{};
    if (indexed) {
        hdr.bitDepth = image.depth();
        hdr.colorType = PNG_COLOR_TYPE_PALETTE;
        const RgbQuad* pal = image.palette();
        for (int i = 0; i < image.paletteSize(); ++i)
            palette.push_back(png_color{pal[i].red, pal[i].green, pal[i].blue});
        hdr.palette = palette.data();
        hdr.paletteSize = int(palette.size());
        const int ti = image.transparentIndex();
        if (ti >= 0 && ti < image.paletteSize()) {
            trans.assign(size_t(ti) + 1, 255);
            trans[size_t(ti)] = 0;
            hdr.trans = trans.data();
            hdr.numTrans = int(trans.size());
        }
        hdr.packing = image.depth() < 8;
    } else {
        hdr.bitDepth = 8;
        hdr.colorType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
        hdr.bgr = true;
        if (!alpha && image.hasTransparentColor()) {
            const RgbQuad tc = image.transparentColor();
            transColor.red = tc.red;
            transColor.green = tc.green;
            transColor.blue = tc.blue;
            hdr.transColor = &transColor;
        }
    }

    // Room for the usual case (compressed data rarely exceeds the raw size).
    const size_t raw = (size_t(w) * channels + 1) * size_t(h);
    out.reserve(raw + raw / 1000 * 5 + 4096 + palette.size() * 3 + 64);

    PngIo io;
    io.out = &out;
    WriteStructs s;
    s.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &io, pngOnError, pngOnWarning);
    if (!s.png)
        return false;
    s.info = png_create_info_struct(s.png);
    if (!s.info)
        return false;
    png_set_write_fn(s.png, &io, pngWriteData, pngFlush);
    if (!pngWriteAll(s.png, s.info, &hdr, rows.data())) {
        out.clear();
        return false;
    }
    return true;
}

namespace imaging_codecs {
bool decodePngImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error)
{
    return decodePng(data, size, image, error);
}
bool encodePngImage(const RasterImage& image, std::vector<uint8_t>& out)
{
    return encodePng(image, out);
}
}  // namespace imaging_codecs
