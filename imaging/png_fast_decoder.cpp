// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "imaging/png_fast_decoder.h"

#include <libdeflate.h>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <smmintrin.h>
#define VEXLO_HAVE_X86_SIMD 1
#endif

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "imaging/image_codecs.h"
#include "imaging/raster_image.h"

namespace {

constexpr uint32_t kMaxChunkLength = 0x7FFFFFFFu;
constexpr uint32_t kMaxSide = 1000000;  // the limit the libpng path sets

uint32_t readBe32(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

bool isLetter(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The CRC covers the type and the data of the chunk starting at `chunk`.
bool crcMatches(const uint8_t* chunk, uint32_t length)
{
    const uint32_t crc = uint32_t(libdeflate_crc32(0, chunk + 4, size_t(length) + 4));
    return crc == readBe32(chunk + 8 + length);
}

struct DecompressorDeleter {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

inline int paethPredictor(int a, int b, int c)
{
    const int pa = b > c ? b - c : c - b;
    const int pb = a > c ? a - c : c - a;
    const int pcSigned = a + b - 2 * c;
    const int pc = pcSigned < 0 ? -pcSigned : pcSigned;
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

#if defined(VEXLO_HAVE_X86_SIMD)
__attribute__((target("sse2")))
#endif
void upRow(uint8_t* __restrict row, const uint8_t* __restrict prior, size_t length)
{
    size_t i = 0;
#if defined(VEXLO_HAVE_X86_SIMD)
    // (The compiler leaves this loop byte by byte once it is inlined.)
    for (; i + 16 <= length; i += 16) {
        const __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(prior + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_add_epi8(r, p));
    }
#endif
    for (; i < length; ++i)
        row[i] = uint8_t(row[i] + prior[i]);
}

#if defined(VEXLO_HAVE_X86_SIMD)
inline __attribute__((target("sse4.1"))) __m128i loadPixel(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(v)), _mm_setzero_si128());
}

// One Paeth step in 16-bit lanes: the pixel made from its filtered bytes,
// with a, b and c its left, upper and upper left neighbours.
inline __attribute__((target("sse4.1"))) __m128i paethStep(__m128i a, __m128i b, __m128i c, __m128i filtered)
{
    const __m128i bc = _mm_sub_epi16(b, c);
    const __m128i ac = _mm_sub_epi16(a, c);
    const __m128i pa = _mm_abs_epi16(bc);
    const __m128i pb = _mm_abs_epi16(ac);
    const __m128i pc = _mm_abs_epi16(_mm_add_epi16(ac, bc));
    const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
    const __m128i bOrC = _mm_blendv_epi8(b, c, _mm_cmpgt_epi16(pb, pc));
    return _mm_and_si128(_mm_add_epi16(filtered, _mm_blendv_epi8(a, bOrC, notA)), _mm_set1_epi16(0xFF));
}

// The Paeth filter of a row below another: one pixel a step, its channels side
// by side in 16-bit lanes, the left pixel and the one above it kept in
// registers (the chain from one pixel to the next is what takes the time).
// A step reads four bytes; with 3-byte pixels the last pixel, whose fourth
// byte would lie past the row, goes the scalar way.
template <int Bpp>
__attribute__((target("sse4.1"))) void paethRowSse41(uint8_t* row, const uint8_t* prior, size_t length)
{
    const size_t pixels = length / Bpp;
    const size_t stepped = Bpp == 4 ? pixels : pixels - 1;
    __m128i a = _mm_setzero_si128(), c = _mm_setzero_si128();
    for (size_t x = 0; x < stepped; ++x) {
        const __m128i b = loadPixel(prior + x * Bpp);
        const __m128i filtered = loadPixel(row + x * Bpp);
        a = paethStep(a, b, c, filtered);
        const uint32_t out = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(a, a)));
        std::memcpy(row + x * Bpp, &out, Bpp);
        c = b;
    }
    for (size_t i = stepped * Bpp; i < length; ++i) {
        const int left = i >= size_t(Bpp) ? row[i - Bpp] : 0;
        const int upLeft = i >= size_t(Bpp) ? prior[i - Bpp] : 0;
        row[i] = uint8_t(row[i] + paethPredictor(left, prior[i], upLeft));
    }
}
// Two rows in a row that both have the Paeth filter, 3-byte pixels: the upper
// one a pixel ahead of the lower one, both in one register (the upper in the
// low half), so that two chains of pixels go at once. Pixel k of the upper row
// and pixel k - 1 of the lower one need only what the step before made.
__attribute__((target("sse4.1"))) void paethRowPairSse41(uint8_t* upper, uint8_t* lower, const uint8_t* prior,
                                                         size_t length)
{
    const size_t pixels = length / 3;
    auto scalarPixel = [](uint8_t* row, const uint8_t* above, size_t x) {
        for (size_t i = 3 * x; i < 3 * x + 3; ++i) {
            const int left = x > 0 ? row[i - 3] : 0;
            const int upLeft = x > 0 ? above[i - 3] : 0;
            row[i] = uint8_t(row[i] + paethPredictor(left, above[i], upLeft));
        }
    };
    if (pixels < 3) {
        for (size_t x = 0; x < pixels; ++x)
            scalarPixel(upper, prior, x);
        for (size_t x = 0; x < pixels; ++x)
            scalarPixel(lower, upper, x);
        return;
    }
    scalarPixel(upper, prior, 0);
    // a: the left pixels (upper pixel 0, lower pixel -1); c: the pixels above them.
    __m128i a = loadPixel(upper), c = loadPixel(prior);
    a = _mm_unpacklo_epi64(a, _mm_setzero_si128());
    c = _mm_unpacklo_epi64(c, _mm_setzero_si128());
    // Four-byte reads stay inside the rows up to pixel pixels - 2 of the upper
    // row; the last upper pixel and two lower ones go the scalar way.
    for (size_t k = 1; k + 1 < pixels; ++k) {
        const __m128i b = _mm_unpacklo_epi64(loadPixel(prior + 3 * k), a);
        const __m128i filtered = _mm_unpacklo_epi64(loadPixel(upper + 3 * k), loadPixel(lower + 3 * (k - 1)));
        a = paethStep(a, b, c, filtered);
        uint8_t out[8];
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(a, a));
        std::memcpy(upper + 3 * k, out, 3);
        std::memcpy(lower + 3 * (k - 1), out + 4, 3);
        c = b;
    }
    scalarPixel(upper, prior, pixels - 1);
    for (size_t x = pixels - 2; x < pixels; ++x)
        scalarPixel(lower, upper, x);
}

#endif

template <int Bpp>
void paethRow(uint8_t* row, const uint8_t* prior, size_t length)
{
#if defined(VEXLO_HAVE_X86_SIMD)
    if (__builtin_cpu_supports("sse4.1")) {
        paethRowSse41<Bpp>(row, prior, length);
        return;
    }
#endif
    for (size_t i = 0; i < Bpp; ++i)
        row[i] = uint8_t(row[i] + prior[i]);
    for (size_t i = Bpp; i < length; i += Bpp) {
        for (int k = 0; k < Bpp; ++k)
            row[i + k] =
                uint8_t(row[i + k] + paethPredictor(row[i + k - Bpp], prior[i + k], prior[i + k - Bpp]));
    }
}

// Undoes the filter of one row in place; `prior` is the unfiltered row above
// (null for the first row, which counts as zeros). False for an unknown filter.
template <int Bpp>
bool unfilterRow(uint8_t filter, uint8_t* row, const uint8_t* prior, size_t length)
{
    switch (filter) {
        case 0:
            return true;
        case 1:
            for (size_t i = Bpp; i < length; ++i)
                row[i] = uint8_t(row[i] + row[i - Bpp]);
            return true;
        case 2:
            if (prior != nullptr)
                upRow(row, prior, length);
            return true;
        case 3:
            if (prior == nullptr) {
                for (size_t i = Bpp; i < length; ++i)
                    row[i] = uint8_t(row[i] + (row[i - Bpp] >> 1));
            } else {
                for (size_t i = 0; i < Bpp; ++i)
                    row[i] = uint8_t(row[i] + (prior[i] >> 1));
                for (size_t i = Bpp; i < length; ++i)
                    row[i] = uint8_t(row[i] + ((unsigned(row[i - Bpp]) + prior[i]) >> 1));
            }
            return true;
        case 4:
            if (prior == nullptr) {
                // With the row above all zeros the predictor is the left byte.
                for (size_t i = Bpp; i < length; ++i)
                    row[i] = uint8_t(row[i] + row[i - Bpp]);
            } else {
                paethRow<Bpp>(row, prior, length);
            }
            return true;
        default:
            return false;
    }
}

// RGB to BGR for a row of `pixels`. `dst` may be `src` or lie before it (a
// row moved down in its own buffer): every byte is read before it is written.
void swapRedBlueScalar(const uint8_t* src, uint8_t* dst, size_t pixels)
{
    for (size_t x = 0; x < pixels; ++x, src += 3, dst += 3) {
        const uint8_t r = src[0], g = src[1], b = src[2];
        dst[0] = b;
        dst[1] = g;
        dst[2] = r;
    }
}

#if defined(VEXLO_HAVE_X86_SIMD)
__attribute__((target("ssse3"))) void swapRedBlueSsse3(const uint8_t* src, uint8_t* dst, size_t pixels)
{
    // Five pixels a step; a step reads and writes 16 bytes, so the last ones
    // (at least one pixel more than a step) go the scalar way. With `dst`
    // before `src` a step only writes over bytes it has read.
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    size_t x = 0;
    for (; x + 6 <= pixels; x += 5) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x * 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x * 3), _mm_shuffle_epi8(v, order));
    }
    swapRedBlueScalar(src + x * 3, dst + x * 3, pixels - x);
}
#endif

void swapRedBlue(const uint8_t* src, uint8_t* dst, size_t pixels)
{
#if defined(VEXLO_HAVE_X86_SIMD)
    if (__builtin_cpu_supports("ssse3")) {
        swapRedBlueSsse3(src, dst, pixels);
        return;
    }
#endif
    swapRedBlueScalar(src, dst, pixels);
}

}  // namespace

bool decodePngFast(const uint8_t* data, size_t size, RasterImage& image)
{
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (data == nullptr || size < 8 + 25 || std::memcmp(data, kSignature, 8) != 0)
        return false;
    // IHDR comes first.
    const uint8_t* ihdr = data + 8;
    if (readBe32(ihdr) != 13 || std::memcmp(ihdr + 4, "IHDR", 4) != 0 || !crcMatches(ihdr, 13))
        return false;
    const uint32_t w = readBe32(ihdr + 8);
    const uint32_t h = readBe32(ihdr + 12);
    const uint8_t bitDepth = ihdr[16], colourType = ihdr[17];
    if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide || bitDepth != 8 ||
        (colourType != 2 && colourType != 6) || ihdr[18] != 0 || ihdr[19] != 0 || ihdr[20] != 0)
        return false;
    if (!pictureSizeRefusal("PNG picture", w, h).empty() ||
        uint64_t(w) * uint64_t(h) * 4u > kMaxDecodedBytes || !imaging_codecs::pictureFits(w, h, 24))
        return false;
    const int bpp = colourType == 6 ? 4 : 3;

    // The chunks up to the end of the IDAT run: ancillary ones are skipped
    // (none but tRNS changes the picture libpng gives here), any other
    // critical chunk, or the end of the file inside the run, sends the file to
    // libpng.
    struct Span {
        const uint8_t* data;
        uint32_t length;
    };
    std::vector<Span> idat;
    uint64_t idatBytes = 0;
    size_t pos = 8 + 25;
    bool runEnded = false;
    while (!runEnded) {
        if (size - pos < 12)
            return false;
        const uint8_t* chunk = data + pos;
        const uint32_t length = readBe32(chunk);
        if (length > kMaxChunkLength || length > size - pos - 12)
            return false;
        const uint8_t* type = chunk + 4;
        if (!isLetter(type[0]) || !isLetter(type[1]) || !isLetter(type[2]) || !isLetter(type[3]))
            return false;
        if (std::memcmp(type, "IDAT", 4) == 0) {
            if (!crcMatches(chunk, length))
                return false;
            idat.push_back({chunk + 8, length});
            idatBytes += length;
        } else if (!idat.empty()) {
            runEnded = true;
        } else if ((type[0] & 0x20) == 0 || std::memcmp(type, "tRNS", 4) == 0) {
            return false;
        }
        pos += size_t(length) + 12;
    }
    if (idatBytes < 2 || idatBytes > kMaxDecodedBytes)
        return false;

    try {
        const size_t rowLength = size_t(w) * size_t(bpp);
        const uint64_t rawBytes = uint64_t(rowLength + 1) * h;
        if (rawBytes > kMaxDecodedBytes + uint64_t(h))
            return false;
        // With 3-byte pixels the picture is made where the data is inflated.
        // It is taken before the joined data, which goes again at once: one
        // picture after the other then leaves no holes between the pictures.
        RasterImage::PixelBuffer buffer;  // not cleared: every byte is inflated
        if (bpp == 3)
            buffer.resize(static_cast<size_t>(rawBytes));

        const uint8_t* stream = idat.front().data;
        std::unique_ptr<uint8_t[]> joined;
        if (idat.size() > 1) {
            joined.reset(new uint8_t[size_t(idatBytes)]);
            size_t at = 0;
            for (const Span& s : idat) {
                std::memcpy(joined.get() + at, s.data, s.length);
                at += s.length;
            }
            stream = joined.get();
        }
        // A 32 KiB window, as libpng then reads it the same way.
        if ((stream[0] & 0x0F) != 8 || (stream[0] >> 4) != 7)
            return false;

        std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> inflater(
            libdeflate_alloc_decompressor());
        if (!inflater)
            return false;
        auto inflate = [&](uint8_t* out) {
            size_t usedIn = 0, madeOut = 0;
            const libdeflate_result result = libdeflate_zlib_decompress_ex(
                inflater.get(), stream, size_t(idatBytes), out, size_t(rawBytes), &usedIn, &madeOut);
            return result == LIBDEFLATE_SUCCESS && usedIn == idatBytes && madeOut == rawBytes;
        };

        if (bpp == 3) {
            // Each row is unfiltered in place, then moved down to its place in
            // the picture (B and R swapped) once the row below it no longer
            // needs it.
            if (!inflate(buffer.data()))
                return false;
            joined.reset();
            inflater.reset();
            uint8_t* base = buffer.data();
#if defined(VEXLO_HAVE_X86_SIMD)
            const bool pairedPaeth = __builtin_cpu_supports("sse4.1");
#endif
            const uint8_t* prior = nullptr;
            for (uint32_t y = 0; y < h; ++y) {
                uint8_t* line = base + size_t(y) * (rowLength + 1);
#if defined(VEXLO_HAVE_X86_SIMD)
                uint8_t* next = line + rowLength + 1;
                if (line[0] == 4 && prior != nullptr && y + 1 < h && next[0] == 4 && pairedPaeth) {
                    paethRowPairSse41(line + 1, next + 1, prior, rowLength);
                    swapRedBlue(prior, base + size_t(y - 1) * rowLength, w);
                    swapRedBlue(line + 1, base + size_t(y) * rowLength, w);
                    prior = next + 1;
                    ++y;
                    continue;
                }
#endif
                if (!unfilterRow<3>(line[0], line + 1, prior, rowLength))
                    return false;
                if (prior != nullptr)
                    swapRedBlue(prior, base + size_t(y - 1) * rowLength, w);
                prior = line + 1;
            }
            swapRedBlue(prior, base + size_t(h - 1) * rowLength, w);
            if (!image.adoptPixels(int(w), int(h), std::move(buffer)))
                return false;
            image.setTypeCode(ImageTypePng);
            image.setNumFrames(1);
            return true;
        }

        std::unique_ptr<uint8_t[]> raw(new uint8_t[size_t(rawBytes)]);
        if (!inflate(raw.get()))
            return false;
        joined.reset();
        if (!image.create(int(w), int(h), 24))
            return false;
        image.createAlpha();
        const uint8_t* prior = nullptr;
        for (uint32_t y = 0; y < h; ++y) {
            uint8_t* line = raw.get() + size_t(y) * (rowLength + 1);
            uint8_t* row = line + 1;
            if (!unfilterRow<4>(line[0], row, prior, rowLength))
                return false;
            uint8_t* dst = image.row(int(y));
            uint8_t* a = image.alphaRow(int(y));
            for (uint32_t x = 0; x < w; ++x, dst += 3) {
                const uint8_t* s = row + size_t(x) * 4;
                dst[0] = s[2];
                dst[1] = s[1];
                dst[2] = s[0];
                a[x] = s[3];
            }
            prior = row;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    image.setTypeCode(ImageTypePng);
    image.setNumFrames(1);
    return true;
}
