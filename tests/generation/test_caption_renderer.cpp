// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The caption renderer used for the GIF: hard-edged text passes whose mask
// hangs upward from y, the box of style 1 and the outlines of styles 2 and 3.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <climits>

#include "editor/caption_item.h"
#include "editor/caption_renderer.h"
#include "imaging/raster_image.h"

namespace {

constexpr ColorRef kText = makeColorRef(255, 255, 0);
constexpr ColorRef kBack = makeColorRef(0, 0, 200);
constexpr ColorRef kGround = makeColorRef(40, 40, 40);

RasterImage ground(int w, int h)
{
    RasterImage img;
    img.create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setColor(x, y, rgbQuadFromColorRef(kGround));
    return img;
}

ColorRef at(const RasterImage& img, int x, int y)
{
    return colorRefFromRgbQuad(img.getColor(x, y));
}

CaptionItem caption(const QString& text, int style, int x, int y, bool italic = false)
{
    CaptionItem c;
    c.setText(text);
    c.backgroundStyle = style;
    c.x = x;
    c.y = y;
    c.font.setFace(QStringLiteral("DejaVu Sans"));
    c.font.height = italic ? -36 : -16;
    c.font.weight = 700;
    c.font.italic = italic ? 1 : 0;
    c.textColor = kText;
    c.backgroundColor = kBack;
    return c;
}

// Pixels set to `c`, as a w*h mask.
std::vector<char> pixelsOf(const RasterImage& img, ColorRef c)
{
    std::vector<char> m(size_t(img.width()) * size_t(img.height()));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            m[size_t(y) * size_t(img.width()) + size_t(x)] = at(img, x, y) == c;
    return m;
}

TEST(CaptionRenderer, PlainTextHangsUpwardFromYWithinTheMask)
{
    RasterImage img = ground(120, 60);
    const CaptionItem c = caption(QStringLiteral("Ag\nline"), CaptionBackgroundNone, 10, 45);
    CaptionRenderer r(c);
    ASSERT_GT(r.textWidth(), 0);
    ASSERT_GT(r.textHeight(), 0);
    r.draw(img);
    int minY = 1000, maxY = -1, minX = 1000, maxX = -1, count = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x) {
            const ColorRef p = at(img, x, y);
            ASSERT_TRUE(p == kText || p == kGround) << "blended pixel at " << x << "," << y;
            if (p == kText) {
                ++count;
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
        }
    ASSERT_GT(count, 20);
    EXPECT_LE(maxY, 45);
    EXPECT_GE(minY, 45 - r.textHeight() + 1);
    EXPECT_GE(minX, 10);
    EXPECT_LT(maxX, 10 + r.textWidth() + r.textHeight());
    // Two lines: text on rows of both halves of the block.
    EXPECT_LT(minY, 45 - r.textHeight() / 2);
    EXPECT_GT(maxY, 45 - r.textHeight() / 2);
}

TEST(CaptionRenderer, OutlinesAreTheTextGrownByOneOrThreePixels)
{
    const CaptionItem plain = caption(QStringLiteral("Wx"), CaptionBackgroundNone, 12, 40);
    RasterImage base = ground(90, 60);
    CaptionRenderer(plain).draw(base);
    const std::vector<char> text = pixelsOf(base, kText);

    for (int style : {CaptionBackgroundThinOutline, CaptionBackgroundThickOutline}) {
        const int reach = style == CaptionBackgroundThinOutline ? 1 : 3;
        RasterImage img = ground(90, 60);
        CaptionRenderer(caption(QStringLiteral("Wx"), style, 12, 40)).draw(img);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 90; ++x) {
                bool near = false;
                for (int dy = -reach; dy <= reach && !near; ++dy)
                    for (int dx = -reach; dx <= reach && !near; ++dx) {
                        const int sx = x - dx, sy = y - dy;
                        near = sx >= 0 && sy >= 0 && sx < 90 && sy < 60 && text[size_t(sy) * 90 + size_t(sx)];
                    }
                const ColorRef expected = text[size_t(y) * 90 + size_t(x)] ? kText : near ? kBack : kGround;
                ASSERT_EQ(at(img, x, y), expected) << "style " << style << " at " << x << "," << y;
            }
    }
}

TEST(CaptionRenderer, BoxCoversTheMeasuredBlockAndItalicTextStaysInIt)
{
    RasterImage img = ground(120, 60);
    const CaptionItem c = caption(QStringLiteral("Hl"), CaptionBackgroundBox, 20, 50, true);
    CaptionRenderer r(c);
    r.draw(img);
    const int w = r.textWidth(), h = r.textHeight();
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x) {
            const bool inside = x >= 20 && x < 20 + w && y > 50 - h && y <= 50;
            const ColorRef p = at(img, x, y);
            if (inside) {
                ASSERT_TRUE(p == kText || p == kBack) << x << "," << y;
            } else {
                ASSERT_EQ(p, kGround) << x << "," << y;
            }
        }
}

TEST(CaptionRenderer, AmpersandUnderlinesTheNextCharacter)
{
    const CaptionItem mnemonic = caption(QStringLiteral("A&B"), CaptionBackgroundNone, 5, 40);
    const CaptionItem doubled = caption(QStringLiteral("A&&B"), CaptionBackgroundNone, 5, 40);
    const QFont font = CaptionRenderer::captionFont(mnemonic.font);
    const QFontMetrics fm(font);
    EXPECT_EQ(CaptionRenderer(mnemonic).textWidth(), fm.horizontalAdvance(QStringLiteral("AB")));
    EXPECT_EQ(CaptionRenderer(doubled).textWidth(), fm.horizontalAdvance(QStringLiteral("A&B")));

    // "A&B" draws A and an underlined B: more pixels than "AB" and none of
    // them belongs to an ampersand glyph's extra width.
    RasterImage a = ground(80, 50), b = ground(80, 50);
    CaptionRenderer(mnemonic).draw(a);
    CaptionRenderer(caption(QStringLiteral("AB"), CaptionBackgroundNone, 5, 40)).draw(b);
    int na = 0, nb = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 80; ++x) {
            na += at(a, x, y) == kText;
            nb += at(b, x, y) == kText;
            if (at(b, x, y) == kText) {
                ASSERT_EQ(at(a, x, y), kText);
            }
        }
    EXPECT_GT(na, nb);
}

TEST(CaptionRenderer, PartsOutsideTheFrameAreDroppedAndOddFontsStillDraw)
{
    // Far off, partly off, huge: nothing outside the frame is touched and
    // nothing breaks.
    RasterImage img = ground(30, 20);
    CaptionRenderer(caption(QStringLiteral("outside"), CaptionBackgroundThickOutline, -500, -500)).draw(img);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(at(img, x, y), kGround);
    // At the ends of the int range, outlines included.
    for (const int style : {int(CaptionBackgroundNone), int(CaptionBackgroundBox),
                            int(CaptionBackgroundThinOutline), int(CaptionBackgroundThickOutline)})
        for (const int far : {INT_MAX, INT_MIN})
            CaptionRenderer(caption(QStringLiteral("edge"), CaptionBackground(style), far, far)).draw(img);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(at(img, x, y), kGround);
    CaptionRenderer(caption(QStringLiteral("MMMMMMMM"), CaptionBackgroundBox, -7, 25)).draw(img);
    EXPECT_NE(at(img, 0, 19), kGround);

    CaptionItem odd = caption(QStringLiteral("odd"), CaptionBackgroundNone, 2, 18);
    odd.font.height = -100000;  // cannot be made: the default interface font
    RasterImage small = ground(30, 20);
    CaptionRenderer r(odd);
    EXPECT_LT(r.textHeight(), 200);
    r.draw(small);
    int drawn = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            drawn += at(small, x, y) == kText;
    EXPECT_GT(drawn, 0);

    // A palette image is left alone.
    RasterImage pal;
    pal.create(4, 4, 8);
    CaptionRenderer::drawOnFrame(pal, caption(QStringLiteral("x"), CaptionBackgroundBox, 0, 3));
}

}  // namespace
