// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// GIF decoder behaviour that the corpus does not pin down: composition of the
// disposal methods, the requested frame without retrieve-all, the raw frame
// parser, the composed frames' pixel format, truncation and the hard limits.
#include <gtest/gtest.h>

#include "codec_test_util.h"
#include "gif_test_writer.h"
#include "imaging/gif_decoder.h"
#include "imaging/raster_image.h"

using giftest::Frame;
using giftest::makeGif;
using giftest::solid;

namespace {

const std::vector<RgbQuad> kPalette = {
    {0, 0, 0, 0},    // 0 black
    {0, 0, 255, 0},  // 1 red
    {0, 255, 0, 0},  // 2 green
    {255, 0, 0, 0},  // 3 blue
};

RgbQuad rgb(int r, int g, int b)
{
    return RgbQuad{uint8_t(b), uint8_t(g), uint8_t(r), 0};
}

// Colour of a pixel as shown (alpha 0 when transparent).
RgbQuad shown(const RasterImage& img, int x, int y)
{
    const codectest::Rgba v = codectest::toRgba(img);
    const uint8_t* p = &v.px[(size_t(y) * size_t(v.width) + size_t(x)) * 4];
    if (p[3] == 0)
        return RgbQuad{0, 0, 0, 0};
    return RgbQuad{p[2], p[1], p[0], 255};
}
RgbQuad opaque(int r, int g, int b)
{
    return RgbQuad{uint8_t(b), uint8_t(g), uint8_t(r), 255};
}
const RgbQuad kClear{0, 0, 0, 0};

RasterImage decodeAll(const std::vector<uint8_t>& gif, bool all = true, int index = 0)
{
    RasterImage img;
    img.setRetrieveAllFrames(all);
    img.setFrameIndex(index);
    img.decodeMemory(gif.data(), gif.size(), ImageTypeGif);
    return img;
}

}  // namespace

TEST(GifDecoder, ThreeFramesWithACornerFrameAfterDisposalOne)
{
    // Frame 1 fills the 4x4 screen red (disposal 1), frame 2 paints the
    // top-left 2x2 corner green, frame 3 the bottom-right pixel blue.
    const auto gif =
        makeGif(4, 4, kPalette,
                {solid(0, 0, 4, 4, 1, 10, 1), solid(0, 0, 2, 2, 2, 20, 0), solid(3, 3, 1, 1, 3, 30, 0)});
    const RasterImage img = decodeAll(gif);
    ASSERT_TRUE(img.isValid()) << img.lastError();
    ASSERT_EQ(img.numFrames(), 3);
    ASSERT_EQ(img.retrievedFrameCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(img.frame(i)->width(), 4);
        EXPECT_EQ(img.frame(i)->height(), 4);
        EXPECT_EQ(img.frame(i)->frameDelay(), 10 * (i + 1));
    }
    const RasterImage& second = *img.frame(1);
    EXPECT_EQ(shown(second, 0, 0), opaque(0, 255, 0));
    EXPECT_EQ(shown(second, 1, 1), opaque(0, 255, 0));
    EXPECT_EQ(shown(second, 2, 0), opaque(255, 0, 0));
    EXPECT_EQ(shown(second, 3, 3), opaque(255, 0, 0));
    EXPECT_EQ(shown(*img.frame(2), 3, 3), opaque(0, 0, 255));
    EXPECT_EQ(shown(*img.frame(2), 0, 0), opaque(0, 255, 0));
    EXPECT_EQ(img.frame(-1), img.frame(2));
    // The image itself is the requested frame (0 by default).
    EXPECT_EQ(shown(img, 0, 0), opaque(255, 0, 0));
    EXPECT_EQ(img.frameDelay(), 10);
}

TEST(GifDecoder, DisposalTwoClearsAndThreeRestoresAndTransparencyShowsTheCanvas)
{
    Frame base = solid(0, 0, 3, 1, 1, 5, 0);     // red row
    Frame cleared = solid(1, 0, 1, 1, 2, 5, 2);  // green middle, then cleared
    Frame next = solid(0, 0, 1, 1, 3, 5, 3);     // blue left, then restored
    Frame holey = solid(0, 0, 3, 1, 2, 5, 0);    // green row with a transparent middle
    holey.transparent = 0;
    holey.pixels[1] = 0;
    const RasterImage img = decodeAll(makeGif(3, 1, kPalette, {base, cleared, next, holey}));
    ASSERT_EQ(img.retrievedFrameCount(), 4) << img.lastError();
    EXPECT_EQ(shown(*img.frame(1), 1, 0), opaque(0, 255, 0));
    // After disposal 2 the middle pixel is transparent.
    EXPECT_EQ(shown(*img.frame(2), 1, 0), kClear);
    EXPECT_EQ(shown(*img.frame(2), 0, 0), opaque(0, 0, 255));
    // Disposal 3 restored the canvas from before frame 3: red, clear, red;
    // frame 4's transparent middle leaves the cleared pixel visible.
    EXPECT_EQ(shown(*img.frame(3), 0, 0), opaque(0, 255, 0));
    EXPECT_EQ(shown(*img.frame(3), 1, 0), kClear);
    EXPECT_EQ(shown(*img.frame(3), 2, 0), opaque(0, 255, 0));
}

TEST(GifDecoder, RequestedFrameWithoutRetrieveAllAndClamping)
{
    const auto gif =
        makeGif(2, 2, kPalette, {solid(0, 0, 2, 2, 1, 7), solid(0, 0, 1, 1, 2, 8), solid(1, 1, 1, 1, 3, 9)});
    const RasterImage second = decodeAll(gif, false, 1);
    ASSERT_TRUE(second.isValid());
    EXPECT_EQ(second.numFrames(), 3);
    EXPECT_EQ(second.retrievedFrameCount(), 0);
    EXPECT_EQ(second.frameDelay(), 8);
    EXPECT_EQ(second.typeCode(), ImageTypeGif);
    EXPECT_EQ(shown(second, 0, 0), opaque(0, 255, 0));
    EXPECT_EQ(shown(second, 1, 1), opaque(255, 0, 0));
    // Beyond the last frame: the last frame.
    const RasterImage last = decodeAll(gif, false, 99);
    ASSERT_TRUE(last.isValid());
    EXPECT_EQ(last.frameDelay(), 9);
    EXPECT_EQ(shown(last, 1, 1), opaque(0, 0, 255));
    // Retrieve-all with frame index n - 1, as the import does.
    const RasterImage all = decodeAll(gif, true, 2);
    ASSERT_EQ(all.retrievedFrameCount(), 3);
    EXPECT_EQ(all.frameDelay(), 9);
    EXPECT_EQ(codectest::diffPixels(codectest::toRgba(all), codectest::toRgba(*all.frame(2))), 0);
}

TEST(GifDecoder, PixelFormatOfComposedFrames)
{
    // One shared table: 8-bit, transparent index carried (here the frame's own).
    Frame f = solid(0, 0, 2, 1, 1);
    f.transparent = 3;
    f.pixels[1] = 3;
    const RasterImage single = decodeAll(makeGif(2, 1, kPalette, {f}), false);
    ASSERT_TRUE(single.isValid());
    EXPECT_EQ(single.depth(), 8);
    EXPECT_EQ(single.transparentIndex(), 3);
    EXPECT_EQ(shown(single, 1, 0), kClear);
    // A frame smaller than the screen without a transparent index: a free
    // palette slot marks the never-painted pixels.
    const RasterImage partial = decodeAll(makeGif(2, 1, kPalette, {solid(0, 0, 1, 1, 1)}), false);
    ASSERT_EQ(partial.depth(), 8);
    EXPECT_GE(partial.transparentIndex(), 0);
    EXPECT_NE(partial.transparentIndex(), 1);
    EXPECT_EQ(shown(partial, 1, 0), kClear);
    // Converted to 24 bits, only the never-painted pixel has the transparent
    // colour, even where the slot's palette colour was black like a painted one.
    Frame blackAndClear = solid(0, 0, 2, 1, 0);
    blackAndClear.transparent = 3;
    blackAndClear.pixels[1] = 3;
    std::vector<RgbQuad> dup = kPalette;
    dup[3] = dup[0];  // the transparent entry is black as well
    for (const auto& gif :
         {makeGif(2, 1, dup, {blackAndClear}), makeGif(2, 1, kPalette, {solid(0, 0, 1, 1, 0)})}) {
        RasterImage img = decodeAll(gif, false);
        ASSERT_TRUE(img.isValid());
        ASSERT_TRUE(img.increaseTo24Bits());
        ASSERT_TRUE(img.hasTransparentColor());
        EXPECT_EQ(shown(img, 0, 0), opaque(0, 0, 0));
        EXPECT_EQ(shown(img, 1, 0), kClear);
    }
    // Two different local tables: 24-bit with an alpha plane.
    Frame a = solid(0, 0, 1, 1, 0);
    a.local = {rgb(10, 20, 30), rgb(0, 0, 0)};
    Frame b = solid(1, 0, 1, 1, 0);
    b.local = {rgb(40, 50, 60), rgb(0, 0, 0)};
    Frame c = solid(0, 1, 1, 1, 0);
    c.local = b.local;
    const RasterImage mixed = decodeAll(makeGif(2, 2, {}, {a, b, c}));
    ASSERT_EQ(mixed.retrievedFrameCount(), 3);
    const RasterImage& m = *mixed.frame(1);
    EXPECT_EQ(m.depth(), 24);
    ASSERT_TRUE(m.hasAlpha());
    EXPECT_EQ(shown(m, 0, 0), opaque(10, 20, 30));
    EXPECT_EQ(shown(m, 1, 0), opaque(40, 50, 60));
    EXPECT_EQ(shown(m, 1, 1), kClear);
    EXPECT_EQ(shown(*mixed.frame(2), 0, 1), opaque(40, 50, 60));
}

TEST(GifDecoder, RawParserGivesClippedSubImages)
{
    Frame a = solid(0, 0, 4, 2, 1, 0, 0);
    a.control = false;
    Frame b = solid(3, 1, 3, 3, 2, 25, 2);  // reaches past the 4x3 screen
    b.transparent = 0;
    b.pixels = {0, 1, 2, 2, 1, 0, 3, 3, 3};
    Frame c = solid(100, 100, 2, 2, 3, 4, 3);  // entirely outside
    c.local = {rgb(1, 2, 3), rgb(4, 5, 6)};
    const auto gif = makeGif(4, 3, kPalette, {a, b, c}, 0);
    GifFile file;
    std::string error;
    ASSERT_TRUE(parseGif(gif.data(), gif.size(), file, error)) << error;
    EXPECT_EQ(file.width, 4);
    EXPECT_EQ(file.height, 3);
    EXPECT_EQ(file.loopCount, 0);
    EXPECT_FALSE(file.truncated);
    ASSERT_EQ(file.frames.size(), 3u);
    EXPECT_EQ(file.frames[0].delay, 0);
    EXPECT_EQ(file.frames[0].transparentIndex, -1);
    const GifFrame& fb = file.frames[1];
    EXPECT_EQ(fb.left, 3);
    EXPECT_EQ(fb.top, 1);
    EXPECT_EQ(fb.width, 1);
    EXPECT_EQ(fb.height, 2);
    EXPECT_EQ(fb.declaredWidth, 3);
    EXPECT_EQ(fb.delay, 25);
    EXPECT_EQ(fb.disposal, 2);
    EXPECT_EQ(fb.transparentIndex, 0);
    EXPECT_EQ(fb.indices, (std::vector<uint8_t>{0, 2}));
    EXPECT_EQ(fb.palette.size(), 4u);
    const GifFrame& fc = file.frames[2];
    EXPECT_EQ(fc.width, 0);
    EXPECT_TRUE(fc.indices.empty());
    EXPECT_TRUE(fc.hasLocalPalette);
    EXPECT_EQ(fc.palette.size(), 2u);

    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
    EXPECT_FALSE(parseGif(png.data(), png.size(), file, error));
    EXPECT_FALSE(error.empty());
}

TEST(GifDecoder, TruncatedFilesKeepTheFramesThatDecodedCompletely)
{
    std::vector<Frame> frames;
    for (int i = 0; i < 3; ++i)
        frames.push_back(solid(0, 0, 20, 20, uint8_t(i + 1), 10));
    const auto gif = makeGif(20, 20, kPalette, frames);
    // Where each frame's data ends (one past the block terminator).
    GifFile whole;
    std::string error;
    ASSERT_TRUE(parseGif(gif.data(), gif.size(), whole, error));
    int lastCount = 0;
    for (size_t n = 0; n <= gif.size(); ++n) {
        RasterImage img = decodeAll(std::vector<uint8_t>(gif.begin(), gif.begin() + long(n)));
        GifFile raw;
        const bool parsed = parseGif(gif.data(), n, raw, error);
        EXPECT_EQ(parsed, img.isValid()) << n;
        if (!img.isValid()) {
            EXPECT_FALSE(img.lastError().empty()) << n;
            EXPECT_EQ(lastCount, 0) << n;
            continue;
        }
        EXPECT_GE(img.numFrames(), lastCount) << n;
        EXPECT_EQ(img.retrievedFrameCount(), img.numFrames());
        EXPECT_EQ(int(raw.frames.size()), img.numFrames());
        EXPECT_EQ(raw.truncated, n < gif.size()) << n;
        lastCount = img.numFrames();
        // Every frame that is there is complete.
        EXPECT_EQ(shown(*img.frame(-1), 19, 19), shown(*decodeAll(gif).frame(img.numFrames() - 1), 19, 19));
    }
    EXPECT_EQ(lastCount, 3);
}

TEST(GifDecoder, DamagedDataIsRefusedWithAReason)
{
    const auto gif = makeGif(2, 2, kPalette, {solid(0, 0, 2, 2, 1)});
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> badCodeSize = gif,
                         noImage = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0, 0, 0, 0x3B};
    // Find the image descriptor and damage what follows it.
    size_t desc = 0;
    for (size_t i = 13 + 12; i < gif.size(); ++i)
        if (gif[i] == 0x2C) {
            desc = i;
            break;
        }
    ASSERT_GT(desc, 0u);
    badCodeSize[desc + 10] = 12;
    std::vector<uint8_t> badCode = gif;
    badCode[desc + 12] = 0xFF;  // first code: 511, not in the table
    badCode[desc + 13] = 0xFF;
    std::vector<uint8_t> zeroScreen = gif;
    zeroScreen[6] = zeroScreen[7] = 0;
    for (const Case& c :
         {Case{"code size 12", badCodeSize}, Case{"no image", noImage}, Case{"invalid code", badCode},
          Case{"zero screen", zeroScreen}, Case{"empty", {}}, Case{"signature only", {'G', 'I', 'F'}}}) {
        const RasterImage img = decodeAll(c.bytes);
        EXPECT_FALSE(img.isValid()) << c.what;
        EXPECT_FALSE(img.lastError().empty()) << c.what;
    }
}

TEST(GifDecoder, HardLimitsRefuseBeforeAllocating)
{
    // Screen side above the limit.
    auto wide = makeGif(40000, 1, kPalette, {solid(0, 0, 1, 1, 1)});
    RasterImage img = decodeAll(wide);
    EXPECT_FALSE(img.isValid());
    EXPECT_NE(img.lastError().find("32768"), std::string::npos) << img.lastError();
    // A frame side above the limit: the frames before it stay.
    auto tall = makeGif(10, 10, kPalette, {solid(0, 0, 1, 1, 1), solid(0, 0, 1, 1, 2)});
    size_t second = 0;
    for (size_t i = tall.size() - 1; i > 0; --i)
        if (tall[i] == 0x2C) {
            second = i;
            break;
        }
    tall[second + 7] = 0x9C;  // height 40000
    tall[second + 8] = 0x40;
    img = decodeAll(tall);
    ASSERT_TRUE(img.isValid()) << img.lastError();
    EXPECT_EQ(img.numFrames(), 1);
    // 200 frames of 8000 x 8000 would need far more than the budget: refused
    // from the block structure alone, whatever the frames hold.
    std::vector<Frame> many(200, solid(0, 0, 1, 1, 1));
    const auto huge = makeGif(8000, 8000, kPalette, many);
    img = decodeAll(huge);
    EXPECT_FALSE(img.isValid());
    EXPECT_NE(img.lastError().find("budget"), std::string::npos) << img.lastError();
    GifFile raw;
    std::string error;
    EXPECT_TRUE(parseGif(huge.data(), huge.size(), raw, error)) << error;  // 1-pixel sub-images are cheap
    // The raw reader stops before a frame that would go beyond its budget.
    const auto three =
        makeGif(10, 10, kPalette, {solid(0, 0, 10, 10, 1), solid(0, 0, 10, 10, 2), solid(0, 0, 10, 10, 3)});
    GifDecoder decoder(three.data(), three.size());
    ASSERT_TRUE(decoder.readHeader(error));
    decoder.setPixelBudget(250);
    GifFrame frame;
    EXPECT_EQ(decoder.nextFrame(frame), GifDecoder::Result::Frame);
    EXPECT_EQ(decoder.nextFrame(frame), GifDecoder::Result::Frame);
    EXPECT_EQ(decoder.nextFrame(frame), GifDecoder::Result::Stopped);
    EXPECT_TRUE(decoder.budgetExceeded());
    EXPECT_NE(decoder.stopReason().find("budget"), std::string::npos);
}
