// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The one in-memory picture type: frames, inserted pictures, watermarks, filter
// lookup tables, masks and thumbnails are all RasterImages.
//
// Storage: rows are kept top-down and contiguous.
//  - 24-bit images: 3 bytes per pixel in the order B, G, R; stride = width * 3.
//  - palette images (depth 1, 4 or 8): one byte per pixel holding the palette
//    index, whatever the depth; stride = width. The depth only decides the
//    palette size (2, 16 or 256 entries) and the encoders' output depth.
//  - optional alpha plane: one byte per pixel, top-down, stride = width.
// Colours in settings and controls are COLORREF-like ints (red in the low byte);
// image colours are RgbQuad (blue, green, red, reserved).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QPainter;
class QImage;
class QRect;

struct RgbQuad {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;  // alpha where an operation asks for it
    bool operator==(const RgbQuad& o) const
    {
        return blue == o.blue && green == o.green && red == o.red && reserved == o.reserved;
    }
    bool operator!=(const RgbQuad& o) const { return !(*this == o); }
};

// Colour value with red in the low byte, green, then blue (as stored in settings).
using ColorRef = uint32_t;
inline constexpr ColorRef makeColorRef(int r, int g, int b)
{
    return ColorRef(uint32_t(r & 0xFF) | (uint32_t(g & 0xFF) << 8) | (uint32_t(b & 0xFF) << 16));
}
inline constexpr int colorRefRed(ColorRef c)
{
    return int(c & 0xFF);
}
inline constexpr int colorRefGreen(ColorRef c)
{
    return int((c >> 8) & 0xFF);
}
inline constexpr int colorRefBlue(ColorRef c)
{
    return int((c >> 16) & 0xFF);
}
inline RgbQuad rgbQuadFromColorRef(ColorRef c, uint8_t reserved = 0)
{
    return RgbQuad{uint8_t(colorRefBlue(c)), uint8_t(colorRefGreen(c)), uint8_t(colorRefRed(c)), reserved};
}
inline ColorRef colorRefFromRgbQuad(const RgbQuad& q)
{
    return makeColorRef(q.red, q.green, q.blue);
}

// File type codes; the extension table maps the first three letters of a file's
// extension (case-insensitive) onto them.
enum ImageType : int {
    ImageTypeUnknown = 0,  // detect from the content
    ImageTypeBmp = 1,
    ImageTypeGif = 2,
    ImageTypeJpg = 3,
    ImageTypePng = 4,
    ImageTypeIco = 5,
    ImageTypeTif = 6,
    ImageTypeTga = 7,
    ImageTypePcx = 8,
    ImageTypeWbmp = 9,
    ImageTypeWmf = 10,
    ImageTypeJp2 = 11,
    ImageTypeJpc = 12,
    ImageTypePgx = 13,
    ImageTypePnm = 14,
    ImageTypeRas = 15,
    ImageTypeMng = 17,
    ImageTypeSka = 18,
    ImageTypeRaw = 19,
};

// Type code for a path (everything after the last dot; first three letters).
ImageType imageTypeFromPath(const std::string& path);

// Hard limits for every decoder: a side above kMaxImageSide, a picture of more
// than kMaxImagePixels pixels, or decoded frames adding up to more than
// kMaxDecodedBytes, is refused before allocating. 64 Mi pixels is two 8K
// screens side by side or a 60-megapixel photo, and still fits a 24-bit
// picture (about 192 MiB); nothing a user records, inserts or stamps is larger.
inline constexpr int kMaxImageSide = 32768;
inline constexpr uint64_t kMaxImagePixels = uint64_t(1) << 26;
inline constexpr uint64_t kMaxDecodedBytes = uint64_t(2) << 30;  // 2 GiB

// Empty when a decoded picture of width x height is within kMaxImageSide and
// kMaxImagePixels; otherwise the reason, naming the size ("<what> of 16000 x
// 8000 pixels exceeds ...").
std::string pictureSizeRefusal(const char* what, uint64_t width, uint64_t height);

class RasterImage {
public:
    // Picture memory: bytes it is given are not cleared first (a decoder that
    // writes every pixel does not pay for zeros it overwrites).
    template <typename T>
    struct UninitializedAllocator : std::allocator<T> {
        template <typename U>
        struct rebind {
            using other = UninitializedAllocator<U>;
        };
        UninitializedAllocator() = default;
        template <typename U>
        UninitializedAllocator(const UninitializedAllocator<U>&) noexcept
        {
        }
        template <typename U>
        void construct(U* p) noexcept
        {
            ::new (static_cast<void*>(p)) U;
        }
        template <typename U, typename... Args>
        void construct(U* p, Args&&... args)
        {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };
    using PixelBuffer = std::vector<uint8_t, UninitializedAllocator<uint8_t>>;

    RasterImage();
    ~RasterImage();
    RasterImage(const RasterImage& other);  // deep copy, all attributes
    RasterImage& operator=(const RasterImage& other);
    RasterImage(RasterImage&&) noexcept;
    RasterImage& operator=(RasterImage&&) noexcept;

    // Creation: fails (returns false, image invalid) for w or h <= 0 or when
    // w * h * depth bits >= 2 147 483 656 or overflows 32 bits. Depth is rounded up
    // to 1, 4, 8 or 24. Palette entries start all zero; pixels are undefined.
    // The picture's attributes start afresh (no alpha plane, multiplier 255, no
    // transparency, flags 0, delay 0); the decode settings and results (type code,
    // frame count, retrieved frames, retrieve-all switch, frame index, JPEG
    // quality) are kept.
    bool create(int width, int height, int depth);
    static std::unique_ptr<RasterImage> make(int width, int height, int depth);  // null on failure
    // create() with the depth, palette, transparency and alpha multiplier of
    // `like` (another image), and an alpha plane (all 255) when `like` has one;
    // false as create(), or when the alpha plane cannot be made.
    bool createLike(const RasterImage& like, int width, int height);
    // Creation of a 24-bit picture from rows already made: `bgr` holds its
    // top-down rows of B, G, R, width * 3 bytes each (bytes past them are
    // dropped), and becomes the picture without a copy. As create() otherwise;
    // false (image invalid, `bgr` left as it was) when the size cannot be made or
    // `bgr` is too short.
    bool adoptPixels(int width, int height, PixelBuffer&& bgr);

    bool isValid() const;
    int width() const;
    int height() const;
    int depth() const;  // 1, 4, 8 or 24
    bool isPalette() const { return depth() <= 8; }
    void destroy();  // back to invalid

    // Raw access (see storage comment above).
    uint8_t* row(int y);
    const uint8_t* row(int y) const;
    uint8_t* bits();
    const uint8_t* bits() const;
    size_t stride() const;  // bytes per row: width * 3 or width

    // Palette (palette images only; 2, 16 or 256 entries).
    int paletteSize() const;
    RgbQuad* palette();
    const RgbQuad* palette() const;
    void setPaletteEntry(int index, RgbQuad colour);

    // Alpha plane.
    bool hasAlpha() const;
    void createAlpha();  // all 255
    void deleteAlpha();
    uint8_t* alphaRow(int y);
    const uint8_t* alphaRow(int y) const;
    int alphaMultiplier() const;  // 255 unless changed
    void setAlphaMultiplier(int m);

    // Transparency: index (palette images; -1 none) and, for 24-bit images
    // converted from a palette image with a transparent index, the colour.
    int transparentIndex() const;
    void setTransparentIndex(int index);
    bool hasTransparentColor() const;
    RgbQuad transparentColor() const;
    void setTransparentColor(RgbQuad colour);
    void clearTransparency();  // transparent index -1 (and no transparent colour)

    uint32_t flags() const;
    void setFlags(uint32_t flags);

    // Pixel access with the outside-the-image rules.
    RgbQuad getColor(int x, int y, bool withAlpha = false) const;
    void setColor(int x, int y, RgbQuad colour, bool withAlpha = false);
    uint8_t getPixelIndex(int x, int y) const;  // palette images; 0 outside
    void setPixelIndex(int x, int y, uint8_t index);
    // Nearest palette entry: first smallest squared distance wins, a 0 distance
    // stops the scan; the last question and answer are remembered.
    int nearestIndex(RgbQuad colour) const;

    bool increaseTo24Bits();  // "to 24 bits"
    // Takes other's picture (size, depth, pixels, palette, alpha plane and
    // multiplier, transparency); keeps this image's flags, delay and decode
    // attributes. `other` is left invalid.
    void replacePicture(RasterImage&& other);

    // Decoding; the image is invalid when it fails (lastError() says why).
    bool decodeFile(const std::string& path, int typeCode);
    // The same, reading the file into `scratch` (its memory is kept for the
    // next file, so many pictures in a row are read without new memory).
    bool decodeFile(const std::string& path, int typeCode, std::vector<uint8_t>& scratch);
    bool decodeMemory(const uint8_t* data, size_t size, int typeCode);
    const std::string& lastError() const;
    int typeCode() const;  // type of the decoded file
    // Animated GIF interface.
    void setRetrieveAllFrames(bool on);
    bool retrieveAllFrames() const;
    void setFrameIndex(int index);
    int frameIndex() const;
    int numFrames() const;      // frames in the decoded file
    RasterImage* frame(int i);  // retrieved frame i (i < 0: the last); null if none
    const RasterImage* frame(int i) const;
    int retrievedFrameCount() const;
    int frameDelay() const;  // hundredths of a second
    void setFrameDelay(int delay);
    // Used by the decoders to fill the animated-GIF interface.
    void setTypeCode(int typeCode);
    void setNumFrames(int count);
    void addRetrievedFrame(std::unique_ptr<RasterImage> frame);
    void clearRetrievedFrames();
    void setLastError(const std::string& reason);

    // Encoding: BMP, JPEG (quality 90) and PNG files; memory encoding returns the bytes.
    bool encodeFile(const std::string& path, int typeCode) const;
    bool encodeMemory(int typeCode, std::vector<uint8_t>& out) const;
    int jpegQuality() const;
    void setJpegQuality(int q);

    // From the rows of a screen grab: B,G,R,X, 4 bytes per pixel, top-down.
    bool fromScreenBits(const uint8_t* bgrx, int width, int height, size_t strideBytes);

    // Conversions for windows and tests.
    QImage toQImage() const;                             // ARGB32 (alpha plane / transparency applied)
    static RasterImage fromQImage(const QImage& image);  // 24-bit (+alpha when the image has it)

    // Put the image on a window: nearest-neighbour scaled to w x h (-1: own size),
    // clipped, transparent colour and alpha 0 left out, other alpha blended.
    void draw(QPainter& painter, int x, int y, int w = -1, int h = -1, const QRect* clip = nullptr,
              bool smooth = false) const;
    // Scaled copy to the rectangle ignoring transparency and alpha.
    void stretch(QPainter& painter, int x, int y, int w, int h) const;

    // Operations.
    bool resampleNearest(int newWidth, int newHeight);
    bool resampleSmooth(int newWidth, int newHeight);
    bool rotateLeft();
    bool rotateRight();
    bool flip();    // top to bottom
    bool mirror();  // left to right
    bool crop(int left, int top, int right, int bottom);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

enum class BlendMode { AlphaBlend, CopyUnlessTransparent };
// Put src with its top-left pixel at (x, y) of dst.
void blendImage(RasterImage& dst, const RasterImage& src, int x, int y, BlendMode mode);

struct StampFont {
    std::string face;  // at most 31 characters are used
    int height = 0;    // negative: character height in pixels
    int weight = 400;
    bool italic = false;
    bool underline = false;
};
// Text rendered white on black, every pixel with blue != 0 set to colour; box's
// left column on x and bottom row on row y. Plain stamping widens the box by bh.
bool stampText(RasterImage& image, int x, int y, const std::string& utf8Text, ColorRef colour,
               const StampFont& font);
bool stampBoxedText(RasterImage& image, int x, int y, const std::string& utf8Text, ColorRef colour,
                    const StampFont& font, ColorRef background);
// Measure as the stamp does: box width and height of the text (without the plain
// stamp's italic widening).
bool measureStampText(const std::string& utf8Text, const StampFont& font, int& boxWidth, int& boxHeight);
