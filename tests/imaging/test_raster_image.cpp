// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// RasterImage storage, attributes and pixel access.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRect>
#include <cstring>

#include "imaging/raster_image.h"

namespace {

RgbQuad rgb(int r, int g, int b, int a = 0)
{
    return RgbQuad{uint8_t(b), uint8_t(g), uint8_t(r), uint8_t(a)};
}

bool sameRgb(const RgbQuad& a, const RgbQuad& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

}  // namespace

TEST(RasterImage, CreateRoundsDepthAndChecksLimits)
{
    const struct {
        int requested, expected;
    } depths[] = {{0, 1}, {1, 1}, {2, 4}, {4, 4}, {5, 8}, {8, 8}, {9, 24}, {16, 24}, {24, 24}, {32, 24}};
    for (const auto& c : depths) {
        RasterImage img;
        ASSERT_TRUE(img.create(3, 2, c.requested)) << c.requested;
        EXPECT_EQ(img.depth(), c.expected) << c.requested;
        EXPECT_EQ(img.paletteSize(), c.expected == 24 ? 0 : 1 << c.expected);
        EXPECT_EQ(img.stride(), size_t(c.expected == 24 ? 9 : 3));
        for (int i = 0; i < img.paletteSize(); ++i)
            EXPECT_EQ(img.palette()[i], RgbQuad());
        EXPECT_EQ(img.flags(), 0u);
        EXPECT_EQ(img.transparentIndex(), -1);
        EXPECT_FALSE(img.hasAlpha());
        EXPECT_EQ(img.alphaMultiplier(), 255);
    }

    RasterImage img;
    EXPECT_FALSE(img.create(0, 5, 24));
    EXPECT_FALSE(img.create(5, 0, 24));
    EXPECT_FALSE(img.create(-1, 5, 24));
    EXPECT_FALSE(img.isValid());
    // w * h * bits must stay below 2 147 483 656.
    EXPECT_FALSE(img.create(89478486, 1, 24));   // 2 147 483 664 bits
    EXPECT_FALSE(img.create(65536, 65536, 24));  // does not fit in 32 bits
    EXPECT_FALSE(img.create(1 << 30, 4, 1));
    EXPECT_FALSE(RasterImage::make(0, 1, 8));
    auto made = RasterImage::make(2, 2, 32);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->depth(), 24);
}

TEST(RasterImage, OutsidePixelsFollowTheEdgeRules)
{
    RasterImage img;
    ASSERT_TRUE(img.create(4, 3, 24));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            img.setColor(x, y, rgb(10 * x, 20 * y, 7));
    // Outside reads give the bottom-left pixel.
    const RgbQuad bottomLeft = img.getColor(0, 2);
    EXPECT_TRUE(sameRgb(bottomLeft, rgb(0, 40, 7)));
    for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-100, 100}})
        EXPECT_EQ(img.getColor(x, y), bottomLeft) << x << "," << y;
    // Outside writes are ignored.
    RasterImage before(img);
    img.setColor(-1, 0, rgb(255, 255, 255));
    img.setColor(4, 2, rgb(255, 255, 255));
    EXPECT_EQ(0, std::memcmp(before.bits(), img.bits(), 4 * 3 * 3));

    // Palette image with a transparent index: outside reads give that entry.
    RasterImage pal;
    ASSERT_TRUE(pal.create(2, 2, 8));
    pal.setPaletteEntry(0, rgb(1, 2, 3));
    pal.setPaletteEntry(5, rgb(9, 8, 7));
    pal.setPixelIndex(0, 1, 0);
    pal.setTransparentIndex(5);
    EXPECT_TRUE(sameRgb(pal.getColor(-1, 0), rgb(9, 8, 7)));
    pal.clearTransparency();
    EXPECT_EQ(pal.transparentIndex(), -1);
    EXPECT_TRUE(sameRgb(pal.getColor(-1, 0), rgb(1, 2, 3)));
}

TEST(RasterImage, AlphaIsReadAndWrittenOnlyWhenAsked)
{
    RasterImage img;
    ASSERT_TRUE(img.create(2, 1, 24));
    img.setColor(0, 0, rgb(1, 2, 3, 77), true);  // no plane yet: colour only
    EXPECT_FALSE(img.hasAlpha());
    img.createAlpha();
    EXPECT_EQ(img.getColor(0, 0, true).reserved, 255);
    img.setColor(0, 0, rgb(4, 5, 6, 77));
    EXPECT_EQ(img.getColor(0, 0, true).reserved, 255);
    img.setColor(0, 0, rgb(4, 5, 6, 77), true);
    EXPECT_EQ(img.getColor(0, 0, true).reserved, 77);
    EXPECT_EQ(img.alphaRow(0)[0], 77);
    img.deleteAlpha();
    EXPECT_FALSE(img.hasAlpha());
    EXPECT_EQ(img.alphaRow(0), nullptr);
}

TEST(RasterImage, NearestIndexTakesTheFirstClosestAndRemembersTheLastAnswer)
{
    RasterImage img;
    ASSERT_TRUE(img.create(1, 1, 4));
    for (int i = 0; i < 16; ++i)
        img.setPaletteEntry(i, rgb(255, 255, 255));
    img.setPaletteEntry(3, rgb(100, 0, 0));
    img.setPaletteEntry(7, rgb(100, 0, 0));  // duplicate: the lower index wins
    img.setPaletteEntry(9, rgb(0, 0, 100));
    EXPECT_EQ(img.nearestIndex(rgb(100, 0, 0)), 3);
    EXPECT_EQ(img.nearestIndex(rgb(90, 0, 10)), 3);
    EXPECT_EQ(img.nearestIndex(rgb(10, 0, 90)), 9);
    EXPECT_EQ(img.nearestIndex(rgb(250, 250, 250)), 0);
    // A palette change forgets the remembered answer.
    img.setPaletteEntry(0, rgb(0, 0, 0));
    EXPECT_EQ(img.nearestIndex(rgb(250, 250, 250)), 1);
    img.palette()[1] = rgb(0, 0, 0);
    EXPECT_EQ(img.nearestIndex(rgb(250, 250, 250)), 2);

    img.setColor(0, 0, rgb(12, 0, 88));
    EXPECT_EQ(img.getPixelIndex(0, 0), 9);
    EXPECT_EQ(img.getPixelIndex(5, 5), 0);
}

TEST(RasterImage, CopyIsDeepAndKeepsEveryAttribute)
{
    RasterImage src;
    ASSERT_TRUE(src.create(3, 2, 8));
    src.setPaletteEntry(4, rgb(1, 2, 3));
    src.setPixelIndex(2, 1, 4);
    src.createAlpha();
    src.alphaRow(1)[2] = 9;
    src.setAlphaMultiplier(100);
    src.setTransparentIndex(4);
    src.setFlags(0xDEADBEEF);
    src.setFrameDelay(7);
    auto child = RasterImage::make(1, 1, 24);
    src.addRetrievedFrame(std::move(child));

    RasterImage copy(src);
    EXPECT_EQ(copy.flags(), 0xDEADBEEFu);
    EXPECT_EQ(copy.frameDelay(), 7);
    EXPECT_EQ(copy.transparentIndex(), 4);
    EXPECT_EQ(copy.alphaMultiplier(), 100);
    EXPECT_EQ(copy.getPixelIndex(2, 1), 4);
    EXPECT_EQ(copy.alphaRow(1)[2], 9);
    EXPECT_EQ(copy.palette()[4], rgb(1, 2, 3));
    ASSERT_EQ(copy.retrievedFrameCount(), 1);
    EXPECT_NE(copy.frame(0), src.frame(0));

    // Independent storage.
    copy.setPixelIndex(2, 1, 0);
    copy.alphaRow(1)[2] = 1;
    EXPECT_EQ(src.getPixelIndex(2, 1), 4);
    EXPECT_EQ(src.alphaRow(1)[2], 9);

    RasterImage assigned;
    assigned = src;
    EXPECT_EQ(assigned.flags(), 0xDEADBEEFu);
    RasterImage moved(std::move(assigned));
    EXPECT_EQ(moved.flags(), 0xDEADBEEFu);
    EXPECT_TRUE(moved.isValid());
}

TEST(RasterImage, IncreaseTo24BitsKeepsColoursAlphaAndTransparency)
{
    RasterImage img;
    ASSERT_TRUE(img.create(2, 2, 1));
    img.setPaletteEntry(0, rgb(10, 20, 30));
    img.setPaletteEntry(1, rgb(200, 100, 50));
    img.setPixelIndex(0, 0, 1);
    img.setPixelIndex(1, 0, 0);
    img.setPixelIndex(0, 1, 0);
    img.setPixelIndex(1, 1, 1);
    img.createAlpha();
    img.alphaRow(1)[1] = 33;
    img.setTransparentIndex(1);
    img.setFlags(5);
    ASSERT_TRUE(img.increaseTo24Bits());
    EXPECT_EQ(img.depth(), 24);
    EXPECT_EQ(img.paletteSize(), 0);
    EXPECT_TRUE(sameRgb(img.getColor(0, 0), rgb(200, 100, 50)));
    EXPECT_TRUE(sameRgb(img.getColor(1, 0), rgb(10, 20, 30)));
    EXPECT_EQ(img.getColor(1, 1, true).reserved, 33);
    ASSERT_TRUE(img.hasTransparentColor());
    EXPECT_TRUE(sameRgb(img.transparentColor(), rgb(200, 100, 50)));
    EXPECT_EQ(img.flags(), 5u);
    // Already 24 bits: unchanged.
    ASSERT_TRUE(img.increaseTo24Bits());
    EXPECT_TRUE(sameRgb(img.getColor(0, 0), rgb(200, 100, 50)));
}

TEST(RasterImage, FrameListAnswersLastForNegativeIndex)
{
    RasterImage img;
    EXPECT_EQ(img.frame(0), nullptr);
    EXPECT_EQ(img.frame(-1), nullptr);
    for (int i = 0; i < 3; ++i) {
        auto f = RasterImage::make(1, 1, 24);
        f->setFrameDelay(10 + i);
        img.addRetrievedFrame(std::move(f));
    }
    EXPECT_EQ(img.retrievedFrameCount(), 3);
    EXPECT_EQ(img.frame(-1)->frameDelay(), 12);
    EXPECT_EQ(img.frame(-7)->frameDelay(), 12);
    EXPECT_EQ(img.frame(1)->frameDelay(), 11);
    EXPECT_EQ(img.frame(3), nullptr);
}

TEST(RasterImage, ScreenBitsAreReadAsBgrx)
{
    const int w = 3, h = 2;
    const size_t stride = 16;  // padded rows
    std::vector<uint8_t> bits(stride * h, 0xEE);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = bits.data() + y * stride + x * 4;
            p[0] = uint8_t(x);      // blue
            p[1] = uint8_t(y);      // green
            p[2] = uint8_t(x + y);  // red
            p[3] = 0x55;            // ignored
        }
    RasterImage img;
    ASSERT_TRUE(img.fromScreenBits(bits.data(), w, h, stride));
    EXPECT_EQ(img.depth(), 24);
    EXPECT_TRUE(sameRgb(img.getColor(2, 1), rgb(3, 1, 2)));
    EXPECT_TRUE(sameRgb(img.getColor(1, 0), rgb(1, 0, 1)));
    EXPECT_FALSE(img.fromScreenBits(bits.data(), 5, h, stride));  // stride too short
    EXPECT_FALSE(img.isValid());
    EXPECT_FALSE(img.fromScreenBits(nullptr, w, h, stride));
}

TEST(RasterImage, QImageRoundTripKeepsAlphaAndTransparency)
{
    RasterImage pal;
    ASSERT_TRUE(pal.create(2, 1, 8));
    pal.setPaletteEntry(1, rgb(50, 60, 70));
    pal.setPixelIndex(0, 0, 1);
    pal.setPixelIndex(1, 0, 0);
    pal.setTransparentIndex(0);
    const QImage q = pal.toQImage();
    ASSERT_FALSE(q.isNull());
    EXPECT_EQ(q.pixel(0, 0), qRgba(50, 60, 70, 255));
    EXPECT_EQ(qAlpha(q.pixel(1, 0)), 0);

    const RasterImage back = RasterImage::fromQImage(q);
    ASSERT_TRUE(back.isValid());
    EXPECT_EQ(back.depth(), 24);
    ASSERT_TRUE(back.hasAlpha());
    EXPECT_EQ(back.getColor(0, 0, true), rgb(50, 60, 70, 255));
    EXPECT_EQ(back.getColor(1, 0, true).reserved, 0);
}

TEST(RasterImage, DrawLeavesTransparentPixelsAndStretchIgnoresThem)
{
    RasterImage pal;
    ASSERT_TRUE(pal.create(2, 1, 8));
    pal.setPaletteEntry(1, rgb(255, 0, 0));
    pal.setPixelIndex(0, 0, 1);
    pal.setPixelIndex(1, 0, 0);
    pal.setTransparentIndex(0);

    QImage canvas(8, 4, QImage::Format_RGB32);
    canvas.fill(qRgb(0, 0, 255));
    {
        QPainter p(&canvas);
        pal.draw(p, 0, 0, 4, 2);  // scaled x2, nearest neighbour
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(2, 0), qRgb(0, 0, 255));  // transparent: unchanged
    EXPECT_EQ(canvas.pixel(4, 0), qRgb(0, 0, 255));  // outside the target

    // Clip rectangle, then half alpha blended over white.
    canvas.fill(qRgb(255, 255, 255));
    RasterImage half;
    ASSERT_TRUE(half.create(2, 2, 24));
    half.createAlpha();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            half.setColor(x, y, rgb(0, 0, 0, 128), true);
    {
        QPainter p(&canvas);
        const QRect clip(1, 0, 8, 8);
        half.draw(p, 0, 0, -1, -1, &clip);
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_NEAR(qRed(canvas.pixel(1, 0)), 127, 2);

    canvas.fill(qRgb(0, 0, 255));
    {
        QPainter p(&canvas);
        pal.stretch(p, 0, 0, 8, 4);
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(7, 3), qRgb(0, 0, 0));  // the transparent entry's colour, opaque
}
