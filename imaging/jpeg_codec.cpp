// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// JPEG coding through libjpeg. libjpeg reports fatal errors through error_exit,
// which here longjmps back into the small setjmp functions below; their frames hold
// no C++ objects with destructors. The libjpeg objects and the buffers are owned by
// RAII holders in the callers.
#include "imaging/jpeg_codec.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "imaging/image_codecs.h"
#include "imaging/raster_image.h"

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void jpegErrorExit(j_common_ptr info)
{
    auto* err = reinterpret_cast<JpegError*>(info->err);
    err->message[0] = 0;
    (*info->err->format_message)(info, err->message);
    longjmp(err->jump, 1);
}

extern "C" void jpegOutputMessage(j_common_ptr) {}

struct Decompressor {
    jpeg_decompress_struct cinfo;
    JpegError err;
    bool created = false;
    Decompressor()
    {
        std::memset(&cinfo, 0, sizeof(cinfo));
        std::memset(&err, 0, sizeof(err));
        cinfo.err = jpeg_std_error(&err.mgr);
        err.mgr.error_exit = jpegErrorExit;
        err.mgr.output_message = jpegOutputMessage;
    }
    ~Decompressor()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

struct Compressor {
    jpeg_compress_struct cinfo;
    JpegError err;
    bool created = false;
    unsigned char* buffer = nullptr;  // malloc'd by libjpeg's memory destination
    unsigned long size = 0;
    Compressor()
    {
        std::memset(&cinfo, 0, sizeof(cinfo));
        std::memset(&err, 0, sizeof(err));
        cinfo.err = jpeg_std_error(&err.mgr);
        err.mgr.error_exit = jpegErrorExit;
        err.mgr.output_message = jpegOutputMessage;
    }
    ~Compressor()
    {
        if (created)
            jpeg_destroy_compress(&cinfo);
        std::free(buffer);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

// --- setjmp wrappers: plain C-style frames only ---

int jpegReadHeader(Decompressor* d, const uint8_t* data, size_t size)
{
    if (setjmp(d->err.jump))
        return 0;
    jpeg_create_decompress(&d->cinfo);
    d->created = true;
    d->cinfo.mem->max_memory_to_use = long(kMaxDecodedBytes / 2);
    jpeg_mem_src(&d->cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d->cinfo, TRUE);
    return 1;
}

int jpegStart(Decompressor* d)
{
    if (setjmp(d->err.jump))
        return 0;
    jpeg_start_decompress(&d->cinfo);
    return 1;
}

// Reads the scanlines into rows of `rowBytes` bytes; `linesRead` counts the rows
// that arrived before an error.
int jpegReadLines(Decompressor* d, uint8_t* buffer, size_t rowBytes, unsigned* linesRead)
{
    if (setjmp(d->err.jump))
        return 0;
    while (d->cinfo.output_scanline < d->cinfo.output_height) {
        JSAMPROW row = buffer + size_t(d->cinfo.output_scanline) * rowBytes;
        if (jpeg_read_scanlines(&d->cinfo, &row, 1) != 1)
            return 0;
        *linesRead = d->cinfo.output_scanline;
    }
    jpeg_finish_decompress(&d->cinfo);
    return 1;
}

int jpegWrite(Compressor* c, int width, int height, int quality, uint8_t* const* rows)
{
    if (setjmp(c->err.jump))
        return 0;
    jpeg_create_compress(&c->cinfo);
    c->created = true;
    jpeg_mem_dest(&c->cinfo, &c->buffer, &c->size);
    c->cinfo.image_width = JDIMENSION(width);
    c->cinfo.image_height = JDIMENSION(height);
    c->cinfo.input_components = 3;
    c->cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c->cinfo);
    jpeg_set_quality(&c->cinfo, quality, TRUE);
    jpeg_start_compress(&c->cinfo, TRUE);
    while (c->cinfo.next_scanline < c->cinfo.image_height) {
        JSAMPROW row = rows[c->cinfo.next_scanline];
        jpeg_write_scanlines(&c->cinfo, &row, 1);
    }
    jpeg_finish_compress(&c->cinfo);
    return 1;
}

std::string jpegReason(const Decompressor& d, const char* fallback)
{
    return d.err.message[0] ? std::string("JPEG: ") + d.err.message : std::string(fallback);
}

}  // namespace

bool decodeJpeg(const uint8_t* data, size_t size, RasterImage& image, std::string& error)
{
    image.destroy();
    if (!data || size < 3 || data[0] != 0xFF || data[1] != 0xD8) {
        error = "not a JPEG file";
        return false;
    }
    Decompressor d;
    if (!jpegReadHeader(&d, data, size)) {
        error = jpegReason(d, "JPEG: bad header");
        return false;
    }
    const JDIMENSION w = d.cinfo.image_width;
    const JDIMENSION h = d.cinfo.image_height;
    if (w == 0 || h == 0) {
        error = "JPEG: image size out of range";
        return false;
    }
    if (std::string refusal = pictureSizeRefusal("JPEG picture", w, h); !refusal.empty()) {
        error = "JPEG: " + refusal;
        return false;
    }
    if (uint64_t(w) * uint64_t(h) * 4u > kMaxDecodedBytes || !imaging_codecs::pictureFits(w, h, 24)) {
        error = "JPEG: " + std::to_string(w) + "x" + std::to_string(h) + " is too large for a picture";
        return false;
    }
    const J_COLOR_SPACE in = d.cinfo.jpeg_color_space;
    if (in == JCS_CMYK || in == JCS_YCCK)
        d.cinfo.out_color_space = JCS_CMYK;
    else if (in == JCS_GRAYSCALE)
        d.cinfo.out_color_space = JCS_GRAYSCALE;
    else
        d.cinfo.out_color_space = JCS_RGB;
    if (!jpegStart(&d)) {
        error = jpegReason(d, "JPEG: cannot start decoding");
        return false;
    }
    const int comps = d.cinfo.output_components;
    if (d.cinfo.output_width != w || d.cinfo.output_height != h || (comps != 1 && comps != 3 && comps != 4)) {
        error = "JPEG: unexpected output layout";
        return false;
    }
    const size_t rowBytes = size_t(w) * size_t(comps);
    std::vector<uint8_t> buffer(rowBytes * size_t(h));
    unsigned lines = 0;
    if (!jpegReadLines(&d, buffer.data(), rowBytes, &lines)) {
        error = jpegReason(d, "JPEG: cannot read the pixels");
        return false;
    }
    if (!image.create(int(w), int(h), 24)) {
        error = "JPEG: out of memory";
        return false;
    }
    // Adobe writes CMYK inverted; libjpeg hands it over unchanged.
    const bool adobeInverted = d.cinfo.saw_Adobe_marker;
    for (JDIMENSION y = 0; y < h; ++y) {
        const uint8_t* s = buffer.data() + size_t(y) * rowBytes;
        uint8_t* p = image.row(int(y));
        for (JDIMENSION x = 0; x < w; ++x) {
            if (comps == 1) {
                p[0] = p[1] = p[2] = s[0];
            } else if (comps == 3) {
                p[0] = s[2];
                p[1] = s[1];
                p[2] = s[0];
            } else {
                int c = s[0], m = s[1], yy = s[2], k = s[3];
                if (!adobeInverted) {
                    c = 255 - c;
                    m = 255 - m;
                    yy = 255 - yy;
                    k = 255 - k;
                }
                p[0] = uint8_t(yy * k / 255);
                p[1] = uint8_t(m * k / 255);
                p[2] = uint8_t(c * k / 255);
            }
            s += comps;
            p += 3;
        }
    }
    image.setTypeCode(ImageTypeJpg);
    image.setNumFrames(1);
    return true;
}

bool encodeJpeg(const RasterImage& image, int quality, std::vector<uint8_t>& out)
{
    out.clear();
    if (!image.isValid())
        return false;
    if (quality < 1)
        quality = 1;
    if (quality > 100)
        quality = 100;
    const int w = image.width();
    const int h = image.height();
    std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3);
    std::vector<uint8_t*> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        uint8_t* d = rgb.data() + size_t(y) * size_t(w) * 3;
        rows[size_t(y)] = d;
        if (image.isPalette()) {
            for (int x = 0; x < w; ++x) {
                const RgbQuad c = image.getColor(x, y);
                d[x * 3] = c.red;
                d[x * 3 + 1] = c.green;
                d[x * 3 + 2] = c.blue;
            }
        } else {
            const uint8_t* s = image.row(y);
            for (int x = 0; x < w; ++x) {
                d[x * 3] = s[x * 3 + 2];
                d[x * 3 + 1] = s[x * 3 + 1];
                d[x * 3 + 2] = s[x * 3];
            }
        }
    }
    Compressor c;
    if (!jpegWrite(&c, w, h, quality, rows.data()) || !c.buffer)
        return false;
    out.assign(c.buffer, c.buffer + c.size);
    return true;
}

namespace imaging_codecs {
bool decodeJpegImage(const uint8_t* data, size_t size, RasterImage& image, std::string& error)
{
    return decodeJpeg(data, size, image, error);
}
bool encodeJpegImage(const RasterImage& image, int quality, std::vector<uint8_t>& out)
{
    return encodeJpeg(image, quality, out);
}
}  // namespace imaging_codecs
