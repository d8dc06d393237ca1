// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// RasterImage storage, attributes, pixel access and the decode/encode dispatch.
#include "imaging/raster_image.h"

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>
#include <utility>

#include "imaging/image_codecs.h"

struct RasterImage::Impl {
    int width = 0;
    int height = 0;
    int depth = 0;
    PixelBuffer pixels;
    std::vector<RgbQuad> palette;
    std::vector<uint8_t> alpha;
    int alphaMultiplier = 255;
    int transparentIndex = -1;
    bool hasTransparentColor = false;
    RgbQuad transparentColor;
    uint32_t flags = 0;
    int frameDelay = 0;

    // Decoded-file attributes.
    std::string lastError;
    int typeCode = ImageTypeUnknown;
    bool retrieveAllFrames = false;
    int frameIndex = 0;
    int numFrames = 0;
    std::vector<std::unique_ptr<RasterImage>> frames;
    int jpegQuality = 90;

    // Last nearest-colour question and answer, packed into one word so that
    // concurrent readers of a const image never see a torn pair: bits 0-23 the
    // colour, 24-31 the index, bit 32 set when valid.
    mutable std::atomic<uint64_t> lastNearest{0};
    void forgetNearest() { lastNearest.store(0, std::memory_order_relaxed); }

    Impl() = default;
    Impl(const Impl& o)
        : width(o.width),
          height(o.height),
          depth(o.depth),
          pixels(o.pixels),
          palette(o.palette),
          alpha(o.alpha),
          alphaMultiplier(o.alphaMultiplier),
          transparentIndex(o.transparentIndex),
          hasTransparentColor(o.hasTransparentColor),
          transparentColor(o.transparentColor),
          flags(o.flags),
          frameDelay(o.frameDelay),
          lastError(o.lastError),
          typeCode(o.typeCode),
          retrieveAllFrames(o.retrieveAllFrames),
          frameIndex(o.frameIndex),
          numFrames(o.numFrames),
          jpegQuality(o.jpegQuality),
          lastNearest(o.lastNearest.load(std::memory_order_relaxed))
    {
        frames.reserve(o.frames.size());
        for (const auto& f : o.frames)
            frames.push_back(std::make_unique<RasterImage>(*f));
    }
    Impl& operator=(const Impl&) = delete;

    // Resets the picture itself; decode settings and results stay.
    void resetPicture()
    {
        width = height = depth = 0;
        PixelBuffer().swap(pixels);
        std::vector<RgbQuad>().swap(palette);
        std::vector<uint8_t>().swap(alpha);
        alphaMultiplier = 255;
        transparentIndex = -1;
        hasTransparentColor = false;
        transparentColor = RgbQuad();
        flags = 0;
        frameDelay = 0;
        forgetNearest();
    }
};

RasterImage::RasterImage() : d(std::make_unique<Impl>()) {}
RasterImage::~RasterImage() = default;
RasterImage::RasterImage(const RasterImage& other) : d(std::make_unique<Impl>(*other.d)) {}
RasterImage& RasterImage::operator=(const RasterImage& other)
{
    if (this != &other)
        d = std::make_unique<Impl>(*other.d);
    return *this;
}
RasterImage::RasterImage(RasterImage&& other) noexcept : d(std::make_unique<Impl>())
{
    d.swap(other.d);
}
RasterImage& RasterImage::operator=(RasterImage&& other) noexcept
{
    if (this != &other) {
        d.swap(other.d);
        other.d->resetPicture();
        other.d->frames.clear();
        other.d->numFrames = 0;
        other.d->typeCode = ImageTypeUnknown;
        other.d->lastError.clear();
    }
    return *this;
}

static int roundDepth(int depth)
{
    if (depth <= 1)
        return 1;
    if (depth <= 4)
        return 4;
    if (depth <= 8)
        return 8;
    return 24;
}

bool RasterImage::create(int width, int height, int depth)
{
    d->resetPicture();
    if (width <= 0 || height <= 0)
        return false;
    const int bpp = roundDepth(depth);
    if (!imaging_codecs::pictureFits(uint64_t(width), uint64_t(height), bpp))
        return false;
    const size_t bytes = size_t(width) * size_t(height) * (bpp == 24 ? 3u : 1u);
    try {
        d->pixels.assign(bytes, 0);
        if (bpp <= 8)
            d->palette.assign(size_t(1) << bpp, RgbQuad());
    } catch (const std::bad_alloc&) {
        d->resetPicture();
        return false;
    }
    d->width = width;
    d->height = height;
    d->depth = bpp;
    return true;
}

bool RasterImage::createLike(const RasterImage& like, int width, int height)
{
    if (!create(width, height, like.depth()))
        return false;
    if (like.isPalette())
        for (int i = 0; i < like.paletteSize(); ++i)
            setPaletteEntry(i, like.palette()[i]);
    setTransparentIndex(like.transparentIndex());
    if (like.hasTransparentColor())
        setTransparentColor(like.transparentColor());
    setAlphaMultiplier(like.alphaMultiplier());
    if (like.hasAlpha()) {
        createAlpha();
        if (!hasAlpha())
            return false;
    }
    return true;
}

bool RasterImage::adoptPixels(int width, int height, PixelBuffer&& bgr)
{
    d->resetPicture();
    if (width <= 0 || height <= 0 || !imaging_codecs::pictureFits(uint64_t(width), uint64_t(height), 24))
        return false;
    const size_t bytes = size_t(width) * size_t(height) * 3u;
    if (bgr.size() < bytes)
        return false;
    bgr.resize(bytes);  // never reallocates
    d->pixels = std::move(bgr);
    d->width = width;
    d->height = height;
    d->depth = 24;
    return true;
}

std::unique_ptr<RasterImage> RasterImage::make(int width, int height, int depth)
{
    auto img = std::make_unique<RasterImage>();
    if (!img->create(width, height, depth))
        return nullptr;
    return img;
}

bool RasterImage::isValid() const
{
    return d->width > 0 && d->height > 0 && !d->pixels.empty();
}
int RasterImage::width() const
{
    return d->width;
}
int RasterImage::height() const
{
    return d->height;
}
int RasterImage::depth() const
{
    return d->depth;
}
void RasterImage::destroy()
{
    d->resetPicture();
}

size_t RasterImage::stride() const
{
    return size_t(d->width) * (d->depth == 24 ? 3u : 1u);
}
uint8_t* RasterImage::bits()
{
    return d->pixels.empty() ? nullptr : d->pixels.data();
}
const uint8_t* RasterImage::bits() const
{
    return d->pixels.empty() ? nullptr : d->pixels.data();
}
uint8_t* RasterImage::row(int y)
{
    if (y < 0 || y >= d->height || d->pixels.empty())
        return nullptr;
    return d->pixels.data() + size_t(y) * stride();
}
const uint8_t* RasterImage::row(int y) const
{
    if (y < 0 || y >= d->height || d->pixels.empty())
        return nullptr;
    return d->pixels.data() + size_t(y) * stride();
}

int RasterImage::paletteSize() const
{
    return int(d->palette.size());
}
RgbQuad* RasterImage::palette()
{
    d->forgetNearest();  // the caller may change entries
    return d->palette.empty() ? nullptr : d->palette.data();
}
const RgbQuad* RasterImage::palette() const
{
    return d->palette.empty() ? nullptr : d->palette.data();
}
void RasterImage::setPaletteEntry(int index, RgbQuad colour)
{
    if (index < 0 || index >= int(d->palette.size()))
        return;
    d->palette[size_t(index)] = colour;
    d->forgetNearest();
}

bool RasterImage::hasAlpha() const
{
    return !d->alpha.empty();
}
void RasterImage::createAlpha()
{
    if (!isValid())
        return;
    d->alpha.assign(size_t(d->width) * size_t(d->height), 255);
}
void RasterImage::deleteAlpha()
{
    std::vector<uint8_t>().swap(d->alpha);
}
uint8_t* RasterImage::alphaRow(int y)
{
    if (d->alpha.empty() || y < 0 || y >= d->height)
        return nullptr;
    return d->alpha.data() + size_t(y) * size_t(d->width);
}
const uint8_t* RasterImage::alphaRow(int y) const
{
    if (d->alpha.empty() || y < 0 || y >= d->height)
        return nullptr;
    return d->alpha.data() + size_t(y) * size_t(d->width);
}
int RasterImage::alphaMultiplier() const
{
    return d->alphaMultiplier;
}
void RasterImage::setAlphaMultiplier(int m)
{
    d->alphaMultiplier = m < 0 ? 0 : (m > 255 ? 255 : m);
}

int RasterImage::transparentIndex() const
{
    return d->transparentIndex;
}
void RasterImage::setTransparentIndex(int index)
{
    d->transparentIndex = index < 0 ? -1 : index;
}
bool RasterImage::hasTransparentColor() const
{
    return d->hasTransparentColor;
}
RgbQuad RasterImage::transparentColor() const
{
    return d->transparentColor;
}
void RasterImage::setTransparentColor(RgbQuad colour)
{
    d->transparentColor = colour;
    d->hasTransparentColor = true;
}
void RasterImage::clearTransparency()
{
    d->transparentIndex = -1;
    d->hasTransparentColor = false;
}

uint32_t RasterImage::flags() const
{
    return d->flags;
}
void RasterImage::setFlags(uint32_t flags)
{
    d->flags = flags;
}

RgbQuad RasterImage::getColor(int x, int y, bool withAlpha) const
{
    if (!isValid())
        return RgbQuad();
    if (x < 0 || y < 0 || x >= d->width || y >= d->height) {
        const int ti = d->transparentIndex;
        if (d->depth <= 8 && ti >= 0 && ti < int(d->palette.size())) {
            RgbQuad c = d->palette[size_t(ti)];
            if (withAlpha)
                c.reserved = 0;
            return c;
        }
        x = 0;
        y = d->height - 1;
    }
    RgbQuad c;
    const size_t pos = size_t(y) * size_t(d->width) + size_t(x);
    if (d->depth == 24) {
        const uint8_t* p = d->pixels.data() + pos * 3;
        c.blue = p[0];
        c.green = p[1];
        c.red = p[2];
    } else {
        const uint8_t idx = d->pixels[pos];
        if (idx < d->palette.size())
            c = d->palette[idx];
    }
    if (withAlpha && !d->alpha.empty())
        c.reserved = d->alpha[pos];
    return c;
}

void RasterImage::setColor(int x, int y, RgbQuad colour, bool withAlpha)
{
    if (!isValid() || x < 0 || y < 0 || x >= d->width || y >= d->height)
        return;
    const size_t pos = size_t(y) * size_t(d->width) + size_t(x);
    if (d->depth == 24) {
        uint8_t* p = d->pixels.data() + pos * 3;
        p[0] = colour.blue;
        p[1] = colour.green;
        p[2] = colour.red;
    } else {
        d->pixels[pos] = uint8_t(nearestIndex(colour));
    }
    if (withAlpha && !d->alpha.empty())
        d->alpha[pos] = colour.reserved;
}

uint8_t RasterImage::getPixelIndex(int x, int y) const
{
    if (!isValid() || d->depth == 24 || x < 0 || y < 0 || x >= d->width || y >= d->height)
        return 0;
    return d->pixels[size_t(y) * size_t(d->width) + size_t(x)];
}

void RasterImage::setPixelIndex(int x, int y, uint8_t index)
{
    if (!isValid() || d->depth == 24 || x < 0 || y < 0 || x >= d->width || y >= d->height)
        return;
    if (index >= d->palette.size())
        index = uint8_t(d->palette.size() - 1);
    d->pixels[size_t(y) * size_t(d->width) + size_t(x)] = index;
}

int RasterImage::nearestIndex(RgbQuad colour) const
{
    if (d->palette.empty())
        return 0;
    const uint64_t key = uint64_t(colour.red) | (uint64_t(colour.green) << 8) | (uint64_t(colour.blue) << 16);
    const uint64_t last = d->lastNearest.load(std::memory_order_relaxed);
    if ((last >> 32) != 0 && (last & 0xFFFFFF) == key)
        return int((last >> 24) & 0xFF);
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    const int n = int(d->palette.size());
    for (int i = 0; i < n; ++i) {
        const RgbQuad& e = d->palette[size_t(i)];
        const int dr = int(e.red) - colour.red;
        const int dg = int(e.green) - colour.green;
        const int db = int(e.blue) - colour.blue;
        const int dist = dr * dr + dg * dg + db * db;
        if (dist < bestDistance) {
            bestDistance = dist;
            best = i;
            if (dist == 0)
                break;
        }
    }
    d->lastNearest.store(key | (uint64_t(best) << 24) | (uint64_t(1) << 32), std::memory_order_relaxed);
    return best;
}

bool RasterImage::increaseTo24Bits()
{
    if (!isValid())
        return false;
    if (d->depth == 24)
        return true;
    PixelBuffer out;
    try {
        out.resize(size_t(d->width) * size_t(d->height) * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const size_t n = size_t(d->width) * size_t(d->height);
    const RgbQuad* pal = d->palette.data();
    const size_t palSize = d->palette.size();
    for (size_t i = 0; i < n; ++i) {
        const uint8_t idx = d->pixels[i];
        const RgbQuad c = idx < palSize ? pal[idx] : RgbQuad();
        out[i * 3] = c.blue;
        out[i * 3 + 1] = c.green;
        out[i * 3 + 2] = c.red;
    }
    const int ti = d->transparentIndex;
    if (ti >= 0 && ti < int(palSize)) {
        d->transparentColor = d->palette[size_t(ti)];
        d->hasTransparentColor = true;
    }
    d->transparentIndex = -1;
    d->pixels.swap(out);
    std::vector<RgbQuad>().swap(d->palette);
    d->depth = 24;
    d->forgetNearest();
    return true;
}

// ---- Decoded-file attributes -------------------------------------------------

const std::string& RasterImage::lastError() const
{
    return d->lastError;
}
void RasterImage::setLastError(const std::string& reason)
{
    d->lastError = reason;
}
int RasterImage::typeCode() const
{
    return d->typeCode;
}
void RasterImage::setTypeCode(int typeCode)
{
    d->typeCode = typeCode;
}
void RasterImage::setRetrieveAllFrames(bool on)
{
    d->retrieveAllFrames = on;
}
bool RasterImage::retrieveAllFrames() const
{
    return d->retrieveAllFrames;
}
void RasterImage::setFrameIndex(int index)
{
    d->frameIndex = index < 0 ? 0 : index;
}
int RasterImage::frameIndex() const
{
    return d->frameIndex;
}
int RasterImage::numFrames() const
{
    return d->numFrames;
}
void RasterImage::setNumFrames(int count)
{
    d->numFrames = count < 0 ? 0 : count;
}
int RasterImage::retrievedFrameCount() const
{
    return int(d->frames.size());
}
RasterImage* RasterImage::frame(int i)
{
    if (d->frames.empty())
        return nullptr;
    if (i < 0)
        return d->frames.back().get();
    if (size_t(i) >= d->frames.size())
        return nullptr;
    return d->frames[size_t(i)].get();
}
const RasterImage* RasterImage::frame(int i) const
{
    return const_cast<RasterImage*>(this)->frame(i);
}
void RasterImage::addRetrievedFrame(std::unique_ptr<RasterImage> frame)
{
    if (frame)
        d->frames.push_back(std::move(frame));
}
void RasterImage::clearRetrievedFrames()
{
    d->frames.clear();
}
int RasterImage::frameDelay() const
{
    return d->frameDelay;
}
void RasterImage::setFrameDelay(int delay)
{
    d->frameDelay = delay < 0 ? 0 : delay;
}
int RasterImage::jpegQuality() const
{
    return d->jpegQuality;
}
void RasterImage::setJpegQuality(int q)
{
    d->jpegQuality = q < 1 ? 1 : (q > 100 ? 100 : q);
}

// ---- Decoding ----------------------------------------------------------------

namespace {

struct FormatEntry {
    int type;
    bool (*sniff)(const uint8_t*, size_t);
    bool (*decode)(const uint8_t*, size_t, RasterImage&, std::string&);
};

// Each test accepts what its decoder accepts, so that a file decodes by content
// whenever it decodes by its type.
bool sniffGif(const uint8_t* p, size_t n)
{
    return n >= 6 && std::memcmp(p, "GIF", 3) == 0;
}
bool sniffPng(const uint8_t* p, size_t n)
{
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return n >= 8 && std::memcmp(p, sig, 8) == 0;
}
bool sniffJpeg(const uint8_t* p, size_t n)
{
    return n >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF;
}
bool sniffBmp(const uint8_t* p, size_t n)
{
    return n >= 2 && p[0] == 'B' && (p[1] == 'M' || p[1] == 'A');  // BA: OS/2 bitmap array
}

const FormatEntry kFormats[] = {
    {ImageTypeBmp, sniffBmp, imaging_codecs::decodeBmpImage},
    {ImageTypeGif, sniffGif, imaging_codecs::decodeGifImage},
    {ImageTypeJpg, sniffJpeg, imaging_codecs::decodeJpegImage},
    {ImageTypePng, sniffPng, imaging_codecs::decodePngImage},
};

}  // namespace

bool RasterImage::decodeMemory(const uint8_t* data, size_t size, int typeCode)
{
    d->resetPicture();
    d->frames.clear();
    d->numFrames = 0;
    d->typeCode = ImageTypeUnknown;
    d->lastError.clear();
    if (!data || size == 0) {
        d->lastError = "empty input";
        return false;
    }

    // The decode settings outlive a decoder that moves a new image into this one.
    const bool retrieveAll = d->retrieveAllFrames;
    const int frameIndex = d->frameIndex;
    const int jpegQuality = d->jpegQuality;
    auto attempt = [&](const FormatEntry& f, std::string& error) {
        d->resetPicture();
        d->frames.clear();
        d->numFrames = 0;
        error.clear();
        bool ok = false;
        try {
            ok = f.decode(data, size, *this, error);
        } catch (const std::bad_alloc&) {
            error = "out of memory";
            ok = false;
        }
        d->retrieveAllFrames = retrieveAll;
        d->frameIndex = frameIndex;
        d->jpegQuality = jpegQuality;
        if (ok && isValid()) {
            d->typeCode = f.type;
            if (d->numFrames == 0)
                d->numFrames = 1;
            d->flags = 0;
            d->lastError.clear();
            return true;
        }
        d->resetPicture();
        d->frames.clear();
        d->numFrames = 0;
        if (error.empty())
            error = "cannot decode";
        return false;
    };

    std::string typedError;
    const FormatEntry* tried = nullptr;
    for (const FormatEntry& f : kFormats) {
        if (f.type == typeCode) {
            tried = &f;
            if (attempt(f, typedError))
                return true;
            break;
        }
    }
    // Detection from the content.
    std::string detectedError;
    bool sniffed = false;
    for (const FormatEntry& f : kFormats) {
        if (!f.sniff(data, size))
            continue;
        sniffed = true;
        std::string error;
        if (&f != tried && attempt(f, error))
            return true;
        if (&f == tried)
            error = typedError;
        if (detectedError.empty())
            detectedError = error;
    }
    if (sniffed)
        d->lastError = detectedError;
    else if (!typedError.empty())
        d->lastError = typedError;
    else
        d->lastError = "unrecognised image format";
    return false;
}

bool RasterImage::decodeFile(const std::string& path, int typeCode)
{
    std::vector<uint8_t> bytes;
    return decodeFile(path, typeCode, bytes);
}

bool RasterImage::decodeFile(const std::string& path, int typeCode, std::vector<uint8_t>& bytes)
{
    // A file that cannot be read leaves the image as a failed decode does:
    // invalid, without frames, with the reason.
    auto refuse = [this](const std::string& reason) {
        destroy();
        d->frames.clear();
        d->numFrames = 0;
        d->typeCode = ImageTypeUnknown;
        d->lastError = reason;
        return false;
    };
    // Folders, pipes and devices are no pictures (and opening a pipe would block).
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec))
        return refuse(path + " is not a regular file");
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return refuse("cannot open " + path);
        in.seekg(0, std::ios::end);
        const std::streamoff len = in.tellg();
        if (len < 0)
            return refuse("cannot read " + path);
        if (uint64_t(len) > kMaxDecodedBytes)
            return refuse("file too large");
        in.seekg(0, std::ios::beg);
        try {
            bytes.resize(size_t(len));
        } catch (const std::bad_alloc&) {
            return refuse("out of memory");
        }
        if (len > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), len))
            return refuse("cannot read " + path);
    }
    return decodeMemory(bytes.data(), bytes.size(), typeCode);
}

// ---- Encoding ----------------------------------------------------------------

bool RasterImage::encodeMemory(int typeCode, std::vector<uint8_t>& out) const
{
    out.clear();
    if (!isValid())
        return false;
    try {
        switch (typeCode) {
            case ImageTypeBmp:
                return imaging_codecs::encodeBmpImage(*this, out);
            case ImageTypeJpg:
                return imaging_codecs::encodeJpegImage(*this, d->jpegQuality, out);
            case ImageTypePng:
                return imaging_codecs::encodePngImage(*this, out);
            default:
                return false;
        }
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
}

bool RasterImage::encodeFile(const std::string& path, int typeCode) const
{
    std::vector<uint8_t> bytes;
    if (!encodeMemory(typeCode, bytes))
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        // A disk that filled up mid-way leaves no truncated picture behind
        // (devices such as /dev/full stay, of course).
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec))
            std::filesystem::remove(path, ec);
        return false;
    }
    return true;
}

void RasterImage::replacePicture(RasterImage&& other)
{
    if (&other == this)
        return;
    Impl& o = *other.d;
    const uint32_t flags = d->flags;
    const int delay = d->frameDelay;
    d->width = o.width;
    d->height = o.height;
    d->depth = o.depth;
    d->pixels.swap(o.pixels);
    d->palette.swap(o.palette);
    d->alpha.swap(o.alpha);
    d->alphaMultiplier = o.alphaMultiplier;
    d->transparentIndex = o.transparentIndex;
    d->hasTransparentColor = o.hasTransparentColor;
    d->transparentColor = o.transparentColor;
    d->forgetNearest();
    d->flags = flags;
    d->frameDelay = delay;
    o.resetPicture();
}
