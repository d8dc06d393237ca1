// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "imaging/bmp_codec.h"

#include <algorithm>
#include <cstring>

#include "imaging/byte_reader.h"
#include "imaging/raster_image.h"

namespace {

enum Compression : uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kJpeg = 4,
    kPng = 5,
    kAlphaBitFields = 6
};

struct Mask {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
};

bool makeMask(uint32_t m, Mask& out)
{
    out = Mask();
    out.mask = m;
    if (m == 0)
        return true;
    while (!((m >> out.shift) & 1))
        ++out.shift;
    const uint32_t v = m >> out.shift;
    if ((uint64_t(v) & (uint64_t(v) + 1)) != 0)
        return false;  // not contiguous
    while (out.bits < 32 && ((v >> out.bits) & 1))
        ++out.bits;
    return true;
}

inline uint8_t channel(uint32_t px, const Mask& m)
{
    const uint64_t v = (px & m.mask) >> m.shift;
    const uint64_t max = (uint64_t(1) << m.bits) - 1;
    return uint8_t((v * 255 + max / 2) / max);
}

struct Header {
    int headerSize = 0;
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    int planes = 1;
    int bpp = 0;
    uint32_t compression = kRgb;
    uint32_t sizeImage = 0;
    int32_t xppm = 0;
    int32_t yppm = 0;
    uint32_t colorsUsed = 0;
    bool os2 = false;
    bool haveMasks = false;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
};

bool fail(std::string& error, const std::string& reason, RasterImage& image)
{
    error = reason;
    image.destroy();
    return false;
}

// Run-length data (RLE8, RLE4, OS/2 RLE24) into a zero-filled image. Rows are
// counted from the bottom.
bool decodeRle(ByteReader& in, const Header& h, int paletteCount, RasterImage& image, std::string& reason)
{
    const int w = int(h.width);
    const int ht = int(h.height);
    const bool rle4 = h.compression == kRle4;
    const bool rle24 = h.bpp == 24;
    int x = 0, y = 0;
    auto put = [&](uint32_t value) -> bool {
        if (y >= ht) {
            reason = "BMP RLE data runs past the last row";
            return false;
        }
        if (x >= w) {
            reason = "BMP RLE run runs past the end of a row";
            return false;
        }
        uint8_t* row = image.row(ht - 1 - y);
        if (rle24) {
            row[3 * x] = uint8_t(value);
            row[3 * x + 1] = uint8_t(value >> 8);
            row[3 * x + 2] = uint8_t(value >> 16);
        } else {
            if (int(value) >= paletteCount) {
                reason = "BMP pixel index outside the palette";
                return false;
            }
            row[x] = uint8_t(value);
        }
        ++x;
        return true;
    };
    for (;;) {
        const uint8_t a = in.u8();
        const uint8_t b = in.u8();
        if (!in.ok()) {
            reason = "BMP RLE data ends without an end-of-bitmap code";
            return false;
        }
        if (a > 0) {
            if (x + a > w) {
                reason = "BMP RLE run runs past the end of a row";
                return false;
            }
            uint32_t value = b;
            if (rle24) {
                const uint8_t g = in.u8();
                const uint8_t r = in.u8();
                if (!in.ok()) {
                    reason = "BMP RLE data ends without an end-of-bitmap code";
                    return false;
                }
                value = uint32_t(b) | (uint32_t(g) << 8) | (uint32_t(r) << 16);
            }
            for (int i = 0; i < a; ++i) {
                const uint32_t v = rle4 ? ((i & 1) ? (b & 0x0F) : (b >> 4)) : value;
                if (!put(v))
                    return false;
            }
            continue;
        }
        if (b == 0) {  // end of line
            x = 0;
            ++y;
        } else if (b == 1) {  // end of bitmap
            return true;
        } else if (b == 2) {  // delta
            const uint8_t dx = in.u8();
            const uint8_t dy = in.u8();
            if (!in.ok()) {
                reason = "BMP RLE data ends without an end-of-bitmap code";
                return false;
            }
            x += dx;
            y += dy;
            if (x > w || y > ht) {
                reason = "BMP RLE delta moves outside the image";
                return false;
            }
        } else {  // absolute run of b pixels
            if (x + b > w) {
                reason = "BMP RLE run runs past the end of a row";
                return false;
            }
            const size_t bytes = rle4 ? (size_t(b) + 1) / 2 : size_t(b) * (rle24 ? 3 : 1);
            const uint8_t* p = in.bytes(bytes);
            if (!p || !in.skip(bytes & 1)) {
                reason = "BMP RLE data ends without an end-of-bitmap code";
                return false;
            }
            for (int i = 0; i < b; ++i) {
                uint32_t v;
                if (rle4)
                    v = (i & 1) ? (p[i / 2] & 0x0F) : (p[i / 2] >> 4);
                else if (rle24)
                    v = uint32_t(p[3 * i]) | (uint32_t(p[3 * i + 1]) << 8) | (uint32_t(p[3 * i + 2]) << 16);
                else
                    v = p[i];
                if (!put(v))
                    return false;
            }
        }
    }
}

}  // namespace

bool decodeBmp(const uint8_t* data, size_t size, RasterImage& image, std::string& error)
{
    ByteReader in(data, size);
    size_t start = 0;
    if (size >= 2 && data[0] == 'B' && data[1] == 'A')
        start = 14;  // OS/2 bitmap array: the first image follows its 14-byte header
    in.seek(start);
    const uint8_t* sig = in.bytes(2);
    if (!sig || sig[0] != 'B' || sig[1] != 'M')
        return fail(error, "not a BMP file", image);
    const uint32_t fileSize = in.u32();
    in.skip(4);
    const uint32_t offBits = in.u32();
    const size_t headerStart = in.pos();
    Header h;
    h.headerSize = int(in.u32());
    if (!in.ok())
        return fail(error, "BMP header is truncated", image);
    if (fileSize > size)
        return fail(error,
                    "BMP file size field (" + std::to_string(fileSize) + ") is beyond the file (" +
                        std::to_string(size) + " bytes)",
                    image);
    static const int kKnownSizes[] = {12, 16, 40, 52, 56, 64, 108, 124};
    if (std::find(std::begin(kKnownSizes), std::end(kKnownSizes), h.headerSize) == std::end(kKnownSizes))
        return fail(error, "unknown BMP header size " + std::to_string(h.headerSize), image);
    ByteReader hdr(in.bytes(size_t(h.headerSize) - 4), size_t(h.headerSize) - 4);
    if (!in.ok())
        return fail(error, "BMP header is truncated", image);
    h.os2 = h.headerSize == 12 || h.headerSize == 16 || h.headerSize == 64;
    if (h.headerSize == 12) {
        h.width = hdr.u16();
        h.height = hdr.u16();
        h.planes = hdr.u16();
        h.bpp = hdr.u16();
    } else {
        h.width = hdr.i32();
        h.height = hdr.i32();
        h.planes = hdr.u16();
        h.bpp = hdr.u16();
        if (h.headerSize >= 20)
            h.compression = hdr.u32();
        if (h.headerSize >= 24)
            h.sizeImage = hdr.u32();
        if (h.headerSize >= 32) {
            h.xppm = hdr.i32();
            h.yppm = hdr.i32();
        }
        if (h.headerSize >= 36)
            h.colorsUsed = hdr.u32();
        if (h.headerSize >= 52 && !h.os2) {
            hdr.seek(36);
            h.masks[0] = hdr.u32();
            h.masks[1] = hdr.u32();
            h.masks[2] = hdr.u32();
            if (h.headerSize >= 56)
                h.masks[3] = hdr.u32();
            h.haveMasks = true;
        }
    }
    if (h.planes != 1)
        return fail(error, "BMP planes field is " + std::to_string(h.planes) + ", not 1", image);
    if (h.height < 0) {
        h.topDown = true;
        h.height = -h.height;
    }
    if (h.width <= 0 || h.height <= 0)
        return fail(error,
                    "BMP size " + std::to_string(h.width) + "x" + std::to_string(h.height) + " is invalid",
                    image);
    if (std::string refusal = pictureSizeRefusal("BMP picture", uint64_t(h.width), uint64_t(h.height));
        !refusal.empty())
        return fail(error, refusal, image);
    if (h.xppm > 0 && h.yppm > 0 &&
        (int64_t(h.xppm) > 100 * int64_t(h.yppm) || int64_t(h.yppm) > 100 * int64_t(h.xppm)))
        return fail(error, "BMP pixel density is implausible", image);

    // Which decoding applies.
    enum class Kind { Plain, Fields, Rle, Embedded } kind;
    switch (h.compression) {
        case kRgb:
            if (h.bpp != 1 && h.bpp != 2 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 &&
                h.bpp != 32)
                return fail(error, "unsupported BMP depth of " + std::to_string(h.bpp) + " bits", image);
            kind = (h.bpp == 16 || h.bpp == 32) ? Kind::Fields : Kind::Plain;
            break;
        case kRle8:
        case kRle4:
            if (h.bpp != (h.compression == kRle8 ? 8 : 4))
                return fail(error, "BMP run-length compression does not match the depth", image);
            kind = Kind::Rle;
            break;
        case kBitFields:
        case kAlphaBitFields:
            if (h.os2 && h.compression == kBitFields && h.bpp == 1)
                return fail(error, "OS/2 Huffman-compressed BMP is not supported", image);
            if (h.bpp != 16 && h.bpp != 32)
                return fail(error, "BMP bit fields need 16 or 32 bits a pixel", image);
            kind = Kind::Fields;
            break;
        case kJpeg:
            if (h.bpp == 24) {  // OS/2 RLE24
                kind = Kind::Rle;
                break;
            }
            kind = Kind::Embedded;
            break;
        case kPng:
            kind = Kind::Embedded;
            break;
        default:
            return fail(error, "unsupported BMP compression " + std::to_string(h.compression), image);
    }
    if (kind == Kind::Rle && h.topDown)
        return fail(error, "top-down BMP cannot be run-length compressed", image);

    // Masks: after a 40-byte header for BITFIELDS / ALPHABITFIELDS.
    size_t paletteStart = headerStart + size_t(h.headerSize);
    if (kind == Kind::Fields && !h.haveMasks && h.compression != kRgb) {
        in.seek(paletteStart);
        const int n = h.compression == kAlphaBitFields ? 4 : 3;
        for (int i = 0; i < n; ++i)
            h.masks[i] = in.u32();
        if (!in.ok())
            return fail(error, "BMP bit-field masks are truncated", image);
        paletteStart += size_t(4) * size_t(n);
        h.haveMasks = true;
    }
    Mask masks[4];
    if (kind == Kind::Fields) {
        if (h.compression == kRgb) {
            const uint32_t def16[4] = {0x7C00, 0x03E0, 0x001F, 0};
            const uint32_t def32[4] = {0xFF0000, 0xFF00, 0xFF, 0};
            std::memcpy(h.masks, h.bpp == 16 ? def16 : def32, sizeof h.masks);
        }
        uint32_t all = 0;
        for (int i = 0; i < 4; ++i) {
            const uint32_t m = h.masks[i];
            if (!makeMask(m, masks[i]) || (i < 3 && m == 0) || (all & m) || (h.bpp == 16 && m > 0xFFFF))
                return fail(error, "BMP colour masks are empty, overlapping or not contiguous", image);
            all |= m;
        }
    }

    if (kind == Kind::Embedded) {
        const size_t len = h.sizeImage ? h.sizeImage : (offBits < size ? size - offBits : 0);
        if (offBits >= size || len > size - offBits)
            return fail(error, "embedded BMP picture is not in the file", image);
        const uint8_t* p = data + offBits;
        const bool isJpeg =
            h.compression == kJpeg && len >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF;
        const bool isPng = h.compression == kPng && len >= 8 && std::memcmp(p, "\x89PNG", 4) == 0;
        if (!isJpeg && !isPng)
            return fail(error, "embedded BMP picture is not JPEG or PNG", image);
        RasterImage inner;
        if (!inner.decodeMemory(p, len, isJpeg ? ImageTypeJpg : ImageTypePng))
            return fail(error, "embedded BMP picture: " + inner.lastError(), image);
        const bool retrieveAll = image.retrieveAllFrames();
        const int frameIndex = image.frameIndex();
        image = std::move(inner);
        image.setRetrieveAllFrames(retrieveAll);
        image.setFrameIndex(frameIndex);
        image.setNumFrames(1);
        image.setTypeCode(ImageTypeBmp);
        return true;
    }

    // Palette.
    const bool indexed = h.bpp <= 8;
    std::vector<RgbQuad> palette;
    if (indexed) {
        const size_t entry = h.headerSize == 12 ? 3 : 4;
        const size_t avail = paletteStart <= size ? size - paletteStart : 0;
        uint64_t count;
        if (h.colorsUsed) {
            count = h.colorsUsed;
            if (count * entry > avail)
                return fail(error, "BMP palette of " + std::to_string(count) + " colours is not in the file",
                            image);
        } else {
            count = uint64_t(1) << h.bpp;
            if (offBits > paletteStart)
                count = std::min<uint64_t>(count, (offBits - paletteStart) / entry);
            count = std::min<uint64_t>(count, avail / entry);
        }
        count = std::min<uint64_t>(count, uint64_t(1) << h.bpp);
        if (count == 0)
            return fail(error, "BMP palette is empty", image);
        in.seek(paletteStart);
        const uint8_t* p = in.bytes(size_t(count) * entry);
        if (!p)
            return fail(error, "BMP palette is truncated", image);
        palette.resize(size_t(count));
        for (size_t i = 0; i < count; ++i)
            palette[i] = RgbQuad{p[i * entry], p[i * entry + 1], p[i * entry + 2], 0};
    }

    if (offBits >= size)
        return fail(error, "BMP pixel data offset is beyond the file", image);
    const uint64_t stride = ((uint64_t(h.width) * uint64_t(h.bpp) + 31) / 32) * 4;
    if (h.sizeImage != 0 && h.sizeImage > size - offBits)
        return fail(error, "BMP image size field (" + std::to_string(h.sizeImage) + ") is beyond the file",
                    image);
    const bool hasAlpha = kind == Kind::Fields && masks[3].mask != 0;
    const bool rle24 = kind == Kind::Rle && h.bpp == 24;
    const uint64_t pixels = uint64_t(h.width) * uint64_t(h.height);
    const uint64_t bytes = pixels * ((indexed && !rle24) ? 1 : 3) + (hasAlpha ? pixels : 0);
    if (bytes > kMaxDecodedBytes)
        return fail(error, "BMP image exceeds the decoding budget", image);
    if (kind != Kind::Rle && offBits + stride * uint64_t(h.height) > size)
        return fail(error, "BMP pixel data is truncated", image);

    const bool retrieveAll = image.retrieveAllFrames();
    const int frameIndex = image.frameIndex();
    RasterImage out;
    const int w = int(h.width);
    const int ht = int(h.height);
    const int depth = (indexed && !rle24) ? (h.bpp == 2 ? 4 : h.bpp) : 24;
    if (!out.create(w, ht, depth))
        return fail(error, "BMP image is too large", image);
    for (size_t i = 0; i < palette.size() && int(i) < out.paletteSize(); ++i)
        out.setPaletteEntry(int(i), palette[i]);
    const int paletteCount = int(palette.size());

    if (kind == Kind::Rle) {
        for (int y = 0; y < ht; ++y)
            std::memset(out.row(y), 0, out.stride());
        const size_t end = h.sizeImage ? size_t(offBits) + h.sizeImage : size;
        ByteReader rle(data + offBits, end - offBits);
        std::string reason;
        if (!decodeRle(rle, h, paletteCount, out, reason))
            return fail(error, reason, image);
    } else {
        if (hasAlpha)
            out.createAlpha();
        for (int fy = 0; fy < ht; ++fy) {
            const uint8_t* src = data + offBits + uint64_t(fy) * stride;
            const int y = h.topDown ? fy : ht - 1 - fy;
            uint8_t* dst = out.row(y);
            if (indexed) {
                const int perByte = 8 / h.bpp;
                const int mask = (1 << h.bpp) - 1;
                for (int x = 0; x < w; ++x) {
                    const int shift = 8 - h.bpp * (x % perByte + 1);
                    const int v = (src[x / perByte] >> shift) & mask;
                    if (v >= paletteCount)
                        return fail(error, "BMP pixel index outside the palette", image);
                    dst[x] = uint8_t(v);
                }
            } else if (h.bpp == 24) {
                std::memcpy(dst, src, size_t(w) * 3);
            } else {
                uint8_t* alpha = hasAlpha ? out.alphaRow(y) : nullptr;
                for (int x = 0; x < w; ++x) {
                    uint32_t px;
                    if (h.bpp == 16)
                        px = uint32_t(src[2 * x]) | (uint32_t(src[2 * x + 1]) << 8);
                    else
                        px = uint32_t(src[4 * x]) | (uint32_t(src[4 * x + 1]) << 8) |
                             (uint32_t(src[4 * x + 2]) << 16) | (uint32_t(src[4 * x + 3]) << 24);
                    dst[3 * x] = channel(px, masks[2]);
                    dst[3 * x + 1] = channel(px, masks[1]);
                    dst[3 * x + 2] = channel(px, masks[0]);
                    if (alpha)
                        alpha[x] = channel(px, masks[3]);
                }
            }
        }
    }
    image = std::move(out);
    image.setRetrieveAllFrames(retrieveAll);
    image.setFrameIndex(frameIndex);
    image.setNumFrames(1);
    image.setTypeCode(ImageTypeBmp);
    return true;
}

bool encodeBmp(const RasterImage& image, std::vector<uint8_t>& out)
{
    out.clear();
    if (!image.isValid())
        return false;
    const int w = image.width();
    const int h = image.height();
    const bool indexed = image.isPalette();
    const int bpp = indexed ? image.depth() : 24;
    const int colours = indexed ? image.paletteSize() : 0;
    const uint64_t stride = ((uint64_t(w) * uint64_t(bpp) + 31) / 32) * 4;
    const uint64_t offBits = 14 + 40 + uint64_t(colours) * 4;
    const uint64_t total = offBits + stride * uint64_t(h);
    if (total > 0xFFFFFFFFu)
        return false;
    out.assign(size_t(total), 0);
    uint8_t* p = out.data();
    auto put16 = [&p](uint32_t v) {
        p[0] = uint8_t(v);
        p[1] = uint8_t(v >> 8);
        p += 2;
    };
    auto put32 = [&p](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            p[i] = uint8_t(v >> (8 * i));
        p += 4;
    };
    *p++ = 'B';
    *p++ = 'M';
    put32(uint32_t(total));
    put32(0);
    put32(uint32_t(offBits));
    put32(40);
    put32(uint32_t(w));
    put32(uint32_t(h));  // bottom-up
    put16(1);
    put16(uint32_t(bpp));
    put32(kRgb);
    put32(uint32_t(stride * uint64_t(h)));
    put32(2835);  // 72 dpi
    put32(2835);
    put32(uint32_t(colours));
    put32(0);
    const RgbQuad* pal = indexed ? image.palette() : nullptr;
    for (int i = 0; i < colours; ++i) {
        *p++ = pal[i].blue;
        *p++ = pal[i].green;
        *p++ = pal[i].red;
        *p++ = 0;
    }
    for (int y = 0; y < h; ++y) {
        uint8_t* dst = out.data() + offBits + uint64_t(h - 1 - y) * stride;
        const uint8_t* src = image.row(y);
        if (!indexed) {
            std::memcpy(dst, src, size_t(w) * 3);
        } else if (bpp == 8) {
            std::memcpy(dst, src, size_t(w));
        } else {
            const int perByte = 8 / bpp;
            const int mask = (1 << bpp) - 1;
            for (int x = 0; x < w; ++x)
                dst[x / perByte] |= uint8_t((src[x] & mask) << (8 - bpp * (x % perByte + 1)));
        }
    }
    return true;
}
