// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Rotation, flipping, cropping, blending and text stamping.
#include <gtest/gtest.h>

#include <set>

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

// Every pixel a distinct colour: red = x, green = y, blue = 100; alpha x + 10 * y.
RasterImage gradient(int w, int h, bool alpha = false)
{
    RasterImage img;
    img.create(w, h, 24);
    if (alpha)
        img.createAlpha();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setColor(x, y, rgb(x, y, 100, x + 10 * y), true);
    return img;
}

RasterImage filled(int w, int h, RgbQuad c)
{
    RasterImage img;
    img.create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setColor(x, y, c);
    return img;
}

bool samePixels(const RasterImage& a, const RasterImage& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.depth() != b.depth())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.getColor(x, y, true) != b.getColor(x, y, true))
                return false;
    return true;
}

}  // namespace

TEST(RasterTransform, RotateMovesPixelsAndCarriesAlpha)
{
    const RasterImage src = gradient(3, 2, true);
    RasterImage left(src);
    ASSERT_TRUE(left.rotateLeft());
    ASSERT_EQ(left.width(), 2);
    ASSERT_EQ(left.height(), 3);
    // Bottom-left of the result is the source's top-left.
    EXPECT_EQ(left.getColor(0, 2, true), src.getColor(0, 0, true));
    for (int v = 0; v < 2; ++v)
        for (int u = 0; u < 3; ++u)
            EXPECT_EQ(left.getColor(v, 3 - 1 - u, true), src.getColor(u, v, true));

    RasterImage right(src);
    ASSERT_TRUE(right.rotateRight());
    for (int v = 0; v < 2; ++v)
        for (int u = 0; u < 3; ++u)
            EXPECT_EQ(right.getColor(2 - 1 - v, u, true), src.getColor(u, v, true));

    ASSERT_TRUE(left.rotateRight());
    EXPECT_TRUE(samePixels(left, src));
}

TEST(RasterTransform, RotateKeepsPaletteAndAttributes)
{
    RasterImage img;
    ASSERT_TRUE(img.create(3, 2, 4));
    img.setPaletteEntry(2, rgb(9, 9, 9));
    img.setPixelIndex(0, 0, 2);
    img.setTransparentIndex(2);
    img.setFlags(1);
    img.setFrameDelay(4);
    ASSERT_TRUE(img.rotateLeft());
    EXPECT_EQ(img.depth(), 4);
    EXPECT_EQ(img.getPixelIndex(0, 2), 2);
    EXPECT_EQ(img.palette()[2], rgb(9, 9, 9));
    EXPECT_EQ(img.transparentIndex(), 2);
    EXPECT_EQ(img.flags(), 1u);
    EXPECT_EQ(img.frameDelay(), 4);
}

TEST(RasterTransform, FlipAndMirrorReverseRowsAndColumns)
{
    const RasterImage src = gradient(3, 3, true);
    RasterImage f(src);
    ASSERT_TRUE(f.flip());
    RasterImage m(src);
    ASSERT_TRUE(m.mirror());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(f.getColor(x, y, true), src.getColor(x, 2 - y, true));
            EXPECT_EQ(m.getColor(x, y, true), src.getColor(2 - x, y, true));
        }
    RasterImage pal;
    ASSERT_TRUE(pal.create(2, 1, 8));
    pal.setPixelIndex(0, 0, 7);
    ASSERT_TRUE(pal.mirror());
    EXPECT_EQ(pal.getPixelIndex(1, 0), 7);
    EXPECT_EQ(pal.getPixelIndex(0, 0), 0);
}

TEST(RasterTransform, CropClampsSwapsAndRefusesEmptyRanges)
{
    const RasterImage src = gradient(100, 100, true);
    RasterImage img(src);
    EXPECT_FALSE(img.crop(10, 10, 10, 50));
    EXPECT_TRUE(samePixels(img, src));
    EXPECT_FALSE(img.crop(10, 30, 60, 30));
    EXPECT_FALSE(img.crop(150, 0, 120, 50));  // both clamp to 100

    ASSERT_TRUE(img.crop(50, 40, 10, 0));
    ASSERT_EQ(img.width(), 40);
    ASSERT_EQ(img.height(), 40);
    for (int y = 0; y < 40; y += 13)
        for (int x = 0; x < 40; x += 7)
            EXPECT_EQ(img.getColor(x, y, true), src.getColor(10 + x, y, true));

    RasterImage clamped(src);
    ASSERT_TRUE(clamped.crop(-20, 90, 5, 500));
    EXPECT_EQ(clamped.width(), 5);
    EXPECT_EQ(clamped.height(), 10);
    EXPECT_EQ(clamped.getColor(4, 9, true), src.getColor(4, 99, true));
}

TEST(RasterBlend, AlphaBlendUsesAlphaAndMultiplier)
{
    struct Case {
        int alpha, multiplier, expected;
    } cases[] = {
        {128, 255, 128},                                                // white alpha 128 on black
        {255, 255, 255}, {0, 255, 0}, {255, 128, 128}, {200, 100, 78},  // a = 200 * 100 / 255 = 78
    };
    for (const Case& c : cases) {
        RasterImage dst = filled(2, 2, rgb(0, 0, 0));
        RasterImage src = filled(1, 1, rgb(255, 255, 255));
        src.createAlpha();
        src.alphaRow(0)[0] = uint8_t(c.alpha);
        src.setAlphaMultiplier(c.multiplier);
        blendImage(dst, src, 1, 0, BlendMode::AlphaBlend);
        EXPECT_TRUE(sameRgb(dst.getColor(1, 0), rgb(c.expected, c.expected, c.expected)))
            << c.alpha << " x " << c.multiplier << " gave " << int(dst.getColor(1, 0).red);
        EXPECT_TRUE(sameRgb(dst.getColor(0, 0), rgb(0, 0, 0)));
    }
    // Mixed channels: (dst * (255 - a) + src * a) / 255.
    RasterImage dst = filled(1, 1, rgb(200, 10, 0));
    RasterImage src = filled(1, 1, rgb(0, 250, 100));
    src.createAlpha();
    src.alphaRow(0)[0] = 64;
    blendImage(dst, src, 0, 0, BlendMode::AlphaBlend);
    EXPECT_TRUE(sameRgb(dst.getColor(0, 0), rgb(149, 70, 25)));
}

TEST(RasterBlend, TransparentSourcePixelsAndClippingLeaveTheDestination)
{
    RasterImage pal;
    ASSERT_TRUE(pal.create(2, 2, 8));
    pal.setPaletteEntry(0, rgb(255, 0, 0));
    pal.setPaletteEntry(1, rgb(0, 255, 0));
    pal.setPixelIndex(0, 0, 1);
    pal.setPixelIndex(1, 0, 0);
    pal.setPixelIndex(0, 1, 0);
    pal.setPixelIndex(1, 1, 1);
    pal.setTransparentIndex(1);
    for (BlendMode mode : {BlendMode::AlphaBlend, BlendMode::CopyUnlessTransparent}) {
        RasterImage dst = filled(3, 3, rgb(1, 2, 3));
        blendImage(dst, pal, -1, 2, mode);  // only source row 0 column 1 lands inside
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_TRUE(sameRgb(dst.getColor(x, y), x == 0 && y == 2 ? rgb(255, 0, 0) : rgb(1, 2, 3)));
        RasterImage dst2 = filled(2, 2, rgb(1, 2, 3));
        blendImage(dst2, pal, 0, 0, mode);
        EXPECT_TRUE(sameRgb(dst2.getColor(0, 0), rgb(1, 2, 3)));
        EXPECT_TRUE(sameRgb(dst2.getColor(1, 0), rgb(255, 0, 0)));
    }
    // 24-bit source with a transparent colour, and alpha 0 in copy mode.
    RasterImage src = filled(2, 1, rgb(5, 5, 5));
    src.setColor(1, 0, rgb(7, 7, 7));
    src.setTransparentColor(rgb(5, 5, 5));
    src.createAlpha();
    src.alphaRow(0)[1] = 0;
    RasterImage dst = filled(2, 1, rgb(0, 0, 0));
    blendImage(dst, src, 0, 0, BlendMode::CopyUnlessTransparent);
    EXPECT_TRUE(sameRgb(dst.getColor(0, 0), rgb(0, 0, 0)));
    EXPECT_TRUE(sameRgb(dst.getColor(1, 0), rgb(0, 0, 0)));
    src.alphaRow(0)[1] = 1;  // copy mode ignores partial alpha
    blendImage(dst, src, 0, 0, BlendMode::CopyUnlessTransparent);
    EXPECT_TRUE(sameRgb(dst.getColor(1, 0), rgb(7, 7, 7)));
}

namespace {

StampFont testFont(bool italic = false)
{
    StampFont f;
    f.face = "DejaVu Sans";
    f.height = -20;
    f.weight = 700;
    f.italic = italic;
    return f;
}

// Bounding rectangle of the pixels of colour c (false when none).
bool extent(const RasterImage& img, RgbQuad c, int& x0, int& y0, int& x1, int& y1)
{
    x0 = y0 = 1 << 30;
    x1 = y1 = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (sameRgb(img.getColor(x, y), c)) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    return x1 >= 0;
}

}  // namespace

TEST(TextStamp, GlyphPixelsTakeTheFullColourInsideTheBox)
{
    int bw = 0, bh = 0;
    ASSERT_TRUE(measureStampText("Hg", testFont(), bw, bh));
    ASSERT_GT(bw, 0);
    ASSERT_GT(bh, 0);

    RasterImage img = filled(200, 100, rgb(0, 0, 0));
    const int x = 30, y = 60;
    ASSERT_TRUE(stampText(img, x, y, "Hg", makeColorRef(10, 200, 30), testFont()));
    std::set<uint32_t> colours;
    for (int yy = 0; yy < img.height(); ++yy)
        for (int xx = 0; xx < img.width(); ++xx)
            colours.insert(colorRefFromRgbQuad(img.getColor(xx, yy)));
    // Anti-aliased edges are solid: only black and the text colour remain.
    EXPECT_EQ(colours, (std::set<uint32_t>{0u, makeColorRef(10, 200, 30)}));
    int x0, y0, x1, y1;
    ASSERT_TRUE(extent(img, rgb(10, 200, 30), x0, y0, x1, y1));
    EXPECT_GE(x0, x);
    EXPECT_LT(x1, x + bw + bh);
    EXPECT_LE(y1, y);
    EXPECT_GT(y0, y - bh);

    // Boxed: the whole box (bw x bh, bottom row on y) gets the background first.
    RasterImage boxed = filled(200, 100, rgb(0, 0, 0));
    ASSERT_TRUE(
        stampBoxedText(boxed, x, y, "Hg", makeColorRef(255, 255, 255), testFont(), makeColorRef(0, 0, 255)));
    for (int yy = 0; yy < 100; ++yy)
        for (int xx = 0; xx < 200; ++xx) {
            const bool inBox = xx >= x && xx < x + bw && yy <= y && yy > y - bh;
            const RgbQuad c = boxed.getColor(xx, yy);
            if (!inBox)
                EXPECT_TRUE(sameRgb(c, rgb(0, 0, 0))) << xx << "," << yy;
            else
                EXPECT_TRUE(sameRgb(c, rgb(0, 0, 255)) || sameRgb(c, rgb(255, 255, 255)));
        }
}

TEST(TextStamp, BottomRowBelowTheImageIsSkippedAndInvalidImagesAreLeftAlone)
{
    // y = height: the box's bottom row falls just below the image; the rest lands
    // exactly where it would on an image one row taller.
    RasterImage img = filled(80, 40, rgb(0, 0, 0));
    RasterImage taller = filled(80, 41, rgb(0, 0, 0));
    for (RasterImage* target : {&img, &taller})
        ASSERT_TRUE(stampBoxedText(*target, 3, 40, "Wy", makeColorRef(255, 0, 0), testFont(),
                                   makeColorRef(0, 255, 0)));
    EXPECT_FALSE(sameRgb(taller.getColor(3, 40), rgb(0, 0, 0)));  // the bottom row exists there
    EXPECT_FALSE(sameRgb(img.getColor(3, 39), rgb(0, 0, 0)));
    ASSERT_TRUE(taller.crop(0, 0, 80, 40));
    EXPECT_TRUE(samePixels(img, taller));

    // A box entirely below or left of the image changes nothing.
    const RasterImage before(img);
    ASSERT_TRUE(stampBoxedText(img, 0, 1000, "Wy", 0, testFont(), makeColorRef(0, 0, 255)));
    ASSERT_TRUE(stampBoxedText(img, -1000, 20, "Wy", 0, testFont(), makeColorRef(0, 0, 255)));
    EXPECT_TRUE(samePixels(img, before));

    RasterImage invalid;
    EXPECT_TRUE(stampText(invalid, 0, 0, "x", 0, testFont()));
    EXPECT_FALSE(invalid.isValid());
}

TEST(TextStamp, BoxesPartlyOutsideTheImageShowTheirVisiblePart)
{
    // Stamped far inside a large image, then with the box cut at the left and
    // at the top of a small one: the small image shows exactly that part.
    const std::string text = "Wg&Q\nline two";
    int bw = 0, bh = 0;
    ASSERT_TRUE(measureStampText(text, testFont(true), bw, bh));
    RasterImage big = filled(400, 200, rgb(0, 0, 0));
    const int bx = 150, by = 150;
    ASSERT_TRUE(
        stampBoxedText(big, bx, by, text, makeColorRef(255, 255, 0), testFont(true), makeColorRef(0, 0, 90)));
    RasterImage plainBig = filled(400, 200, rgb(0, 0, 0));
    ASSERT_TRUE(stampText(plainBig, bx, by, text, makeColorRef(255, 255, 0), testFont(true)));
    for (auto [x, y] : {std::pair{-9, bh - 12}, {5, 3}, {-bw + 4, bh + 2}, {-3, bh - 1}}) {
        RasterImage small = filled(30, 20, rgb(0, 0, 0));
        RasterImage plain = filled(30, 20, rgb(0, 0, 0));
        ASSERT_TRUE(stampBoxedText(small, x, y, text, makeColorRef(255, 255, 0), testFont(true),
                                   makeColorRef(0, 0, 90)));
        ASSERT_TRUE(stampText(plain, x, y, text, makeColorRef(255, 255, 0), testFont(true)));
        RasterImage expected(big), expectedPlain(plainBig);
        ASSERT_TRUE(expected.crop(bx - x, by - y, bx - x + 30, by - y + 20));
        ASSERT_TRUE(expectedPlain.crop(bx - x, by - y, bx - x + 30, by - y + 20));
        EXPECT_TRUE(samePixels(small, expected)) << x << "," << y;
        EXPECT_TRUE(samePixels(plain, expectedPlain)) << x << "," << y;
    }

    // A text far wider than any picture may be: its start still shows.
    RasterImage img = filled(60, 30, rgb(0, 0, 0));
    ASSERT_TRUE(stampText(img, 0, 25, std::string(5000, 'M'), makeColorRef(255, 255, 255), testFont()));
    int x0, y0, x1, y1;
    ASSERT_TRUE(extent(img, rgb(255, 255, 255), x0, y0, x1, y1));
    EXPECT_LT(x0, 5);
    EXPECT_GT(x1, 50);
}

TEST(TextStamp, AmpersandsFollowMnemonicRules)
{
    int wA, hA, wAmp, hAmp, wDouble, hDouble, wTwoLines, hTwoLines;
    ASSERT_TRUE(measureStampText("AB", testFont(), wA, hA));
    ASSERT_TRUE(measureStampText("A&B", testFont(), wAmp, hAmp));
    ASSERT_TRUE(measureStampText("A&&B", testFont(), wDouble, hDouble));
    ASSERT_TRUE(measureStampText("AB\nAB", testFont(), wTwoLines, hTwoLines));
    EXPECT_EQ(wAmp, wA);       // the single ampersand is not drawn
    EXPECT_GT(wDouble, wA);    // "&&" draws one ampersand
    EXPECT_EQ(wTwoLines, wA);  // line feeds break lines
    EXPECT_GT(hTwoLines, hA);

    // "&B" underlines B: more pixels than plain "AB" below the baseline.
    auto count = [](const std::string& text) {
        RasterImage img = filled(120, 60, rgb(0, 0, 0));
        stampText(img, 5, 50, text, makeColorRef(255, 255, 255), testFont());
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.getColor(x, y).red != 0;
        return n;
    };
    EXPECT_GT(count("A&B"), count("AB"));
}

TEST(TextStamp, UnknownFaceFallsBackToTheDefaultFont)
{
    StampFont f = testFont();
    f.face = "No Such Face At All 12345";
    int w = 0, h = 0;
    ASSERT_TRUE(measureStampText("Hello", f, w, h));
    EXPECT_GT(w, 0);
    EXPECT_GT(h, 0);
    RasterImage pal;
    ASSERT_TRUE(pal.create(60, 40, 8));
    pal.setPaletteEntry(1, rgb(250, 0, 0));
    ASSERT_TRUE(stampText(pal, 0, 35, "Hello", makeColorRef(255, 0, 0), f));
    int hits = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            hits += pal.getPixelIndex(x, y) == 1;
    EXPECT_GT(hits, 0);
}
