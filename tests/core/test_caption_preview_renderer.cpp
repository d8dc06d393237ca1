// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The editor's caption preview against the GIF's caption renderer: the same
// caption lands on the same pixels (the preview's soft edges inside the GIF's
// hard ones), the box is the same block, outlines reach as far; the italic
// overhang is cut in the editor, an ampersand is drawn there and underlines in
// the GIF; the measured size is stored; a selected caption is outlined.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "editor/caption_item.h"
#include "editor/caption_preview_renderer.h"
#include "editor/caption_renderer.h"
#include "imaging/raster_image.h"

namespace {

constexpr ColorRef kText = makeColorRef(255, 255, 0);
constexpr ColorRef kBack = makeColorRef(0, 0, 200);
constexpr ColorRef kGround = makeColorRef(40, 40, 40);
constexpr ColorRef kHighlight = makeColorRef(0, 120, 215);
constexpr int kW = 260;
constexpr int kH = 120;

CaptionItem caption(const QString& text, int style, bool italic = false)
{
    CaptionItem c;
    c.setText(text);
    c.backgroundStyle = style;
    c.x = 30;
    c.y = 100;
    c.font.setFace(QStringLiteral("DejaVu Sans"));
    c.font.height = italic ? -36 : -20;
    c.font.weight = 700;
    c.font.italic = italic ? 1 : 0;
    c.textColor = kText;
    c.backgroundColor = kBack;
    return c;
}

QColor qc(ColorRef c)
{
    return QColor(colorRefRed(c), colorRefGreen(c), colorRefBlue(c));
}

RasterImage ground()
{
    RasterImage img;
    img.create(kW, kH, 24);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            img.setColor(x, y, rgbQuadFromColorRef(kGround));
    return img;
}

// The editor's frame-sized buffer with the caption drawn on it.
QImage preview(CaptionItem& c)
{
    RasterImage img = ground();
    CaptionPreviewRenderer::draw(img, c, kHighlight);
    return img.toQImage();
}

RasterImage gif(const CaptionItem& c)
{
    RasterImage img = ground();
    CaptionRenderer::drawOnFrame(img, c);
    return img;
}

using Mask = std::vector<char>;

Mask changed(const QImage& img)
{
    Mask m(size_t(kW) * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            m[size_t(y) * kW + size_t(x)] = img.pixelColor(x, y) != qc(kGround);
    return m;
}

Mask exactly(const QImage& img, ColorRef c)
{
    Mask m(size_t(kW) * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            m[size_t(y) * kW + size_t(x)] = img.pixelColor(x, y) == qc(c);
    return m;
}

Mask changed(const RasterImage& img)
{
    Mask m(size_t(kW) * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            m[size_t(y) * kW + size_t(x)] = colorRefFromRgbQuad(img.getColor(x, y)) != kGround;
    return m;
}

Mask exactly(const RasterImage& img, ColorRef c)
{
    Mask m(size_t(kW) * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            m[size_t(y) * kW + size_t(x)] = colorRefFromRgbQuad(img.getColor(x, y)) == c;
    return m;
}

QRect bounds(const Mask& m)
{
    QRect r;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (m[size_t(y) * kW + size_t(x)])
                r |= QRect(x, y, 1, 1);
    return r;
}

// Pixels set in a but not in b.
int outside(const Mask& a, const Mask& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i)
        n += a[i] && !b[i];
    return n;
}

int count(const Mask& m)
{
    int n = 0;
    for (char v : m)
        n += v;
    return n;
}

}  // namespace

TEST(CaptionPreviewRenderer, ShowsEachStyleWhereTheGifHasIt)
{
    for (int style = 0; style <= 3; ++style) {
        for (const QString& text :
             {QStringLiteral("Caption 12"), QStringLiteral("字幕 Wg"), QStringLiteral("X\nY\nZ")}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " " << text.toStdString());
            CaptionItem c = caption(text, style);
            const QImage shown = preview(c);
            const RasterImage made = gif(c);
            const CaptionRenderer r(c);
            // The measured size is the GIF's size for a text without ampersands.
            EXPECT_EQ(c.width, r.textWidth());
            EXPECT_EQ(c.height, r.textHeight());
            ASSERT_GT(c.width, 0);

            const Mask inEditor = changed(shown);
            const Mask inGif = changed(made);
            // Everything the editor draws the GIF draws too, on the same pixels.
            EXPECT_EQ(outside(inEditor, inGif), 0);
            EXPECT_EQ(bounds(inEditor), bounds(inGif));
            // The text colour: the soft-edged glyphs lie inside the hard-edged ones.
            const Mask gifText = exactly(made, kText);
            const Mask editorText = exactly(shown, kText);
            EXPECT_GT(count(editorText), 0);
            EXPECT_EQ(outside(editorText, gifText), 0);
            if (style == CaptionBackgroundBox) {
                // The block of w x h pixels whose bottom-left pixel is (x, y).
                const QRect block(c.x, c.y - c.height + 1, c.width, c.height);
                EXPECT_EQ(bounds(inEditor), block);
                EXPECT_EQ(bounds(inGif), block);
            }
        }
    }
}

TEST(CaptionPreviewRenderer, ItalicOverhangIsCutInTheEditorOnly)
{
    // A slanted glyph may reach past the measured width at the top right: the
    // GIF keeps such an overhang (its mask has room for it), the editor cuts
    // the text at the measured width.
    for (const QString& text : {QStringLiteral("l"), QStringLiteral("Hl"), QStringLiteral("fff"),
                                QStringLiteral("If"), QStringLiteral("T]"), QStringLiteral("WW")}) {
        SCOPED_TRACE(text.toStdString());
        CaptionItem c = caption(text, CaptionBackgroundNone, true);
        const QImage shown = preview(c);
        const RasterImage made = gif(c);
        const QRect editor = bounds(changed(shown));
        const QRect inGif = bounds(changed(made));
        EXPECT_LE(editor.right(), c.x + c.width - 1);
        EXPECT_EQ(outside(changed(shown), changed(made)), 0);
        EXPECT_LE(inGif.right(), c.x + c.width + c.height - 1);

        // With a box both cut it at the box.
        CaptionItem boxed = caption(text, CaptionBackgroundBox, true);
        const QImage shownBox = preview(boxed);
        const RasterImage madeBox = gif(boxed);
        EXPECT_EQ(bounds(changed(shownBox)), bounds(changed(madeBox)));
    }
}

TEST(CaptionPreviewRenderer, AmpersandIsDrawnInTheEditorAndUnderlinesInTheGif)
{
    CaptionItem amp = caption(QStringLiteral("A&B"), CaptionBackgroundNone);
    CaptionItem plain = caption(QStringLiteral("AB"), CaptionBackgroundNone);
    preview(amp);
    preview(plain);
    EXPECT_GT(amp.width, plain.width);  // the editor shows the ampersand
    EXPECT_EQ(CaptionRenderer(amp).textWidth(), CaptionRenderer(plain).textWidth());
    // The GIF's "A&B" is "AB" with the B underlined: more pixels, same width.
    const Mask gifAmp = changed(gif(amp));
    const Mask gifPlain = changed(gif(plain));
    EXPECT_GT(count(gifAmp), count(gifPlain));
    EXPECT_EQ(outside(gifPlain, gifAmp), 0);
}

TEST(CaptionPreviewRenderer, SelectedCaptionIsOutlinedInTheHighlightColour)
{
    CaptionItem c = caption(QStringLiteral("Sel"), CaptionBackgroundBox);
    c.selected = true;
    const QImage shown = preview(c);
    const Mask outline = exactly(shown, kHighlight);
    const QRect expected(QPoint(c.x - 2, c.y - c.height - 2), QPoint(c.x + c.width + 2, c.y + 2));
    EXPECT_EQ(bounds(outline), expected);
    // Only the outline: the four sides, nothing inside.
    EXPECT_EQ(count(outline), 2 * (expected.width() + expected.height()) - 4);
    for (int x = expected.left(); x <= expected.right(); ++x) {
        EXPECT_EQ(shown.pixelColor(x, expected.top()), qc(kHighlight));
        EXPECT_EQ(shown.pixelColor(x, expected.bottom()), qc(kHighlight));
    }
    c.selected = false;
    EXPECT_EQ(count(exactly(preview(c), kHighlight)), 0);

    // A painter on any surface draws the same.
    c.selected = true;
    QImage surface(kW, kH, QImage::Format_RGB32);
    surface.fill(qc(kGround));
    {
        QPainter p(&surface);
        CaptionPreviewRenderer::draw(p, c, kHighlight);
    }
    EXPECT_EQ(changed(surface), changed(shown));
}

TEST(CaptionPreviewRenderer, MeasuresAndStoresTheSize)
{
    CaptionItem c = caption(QStringLiteral("X\nY\nZ"), CaptionBackgroundNone);
    EXPECT_EQ(c.width, 0);
    const QSize size = CaptionPreviewRenderer::measure(c);
    preview(c);
    EXPECT_EQ(QSize(c.width, c.height), size);
    CaptionItem one = caption(QStringLiteral("X"), CaptionBackgroundNone);
    preview(one);
    EXPECT_GE(c.height, 3 * one.height - 2);  // three lines
    EXPECT_LE(c.width, one.width + 4);
    // A text far wider than 1000 pixels keeps one line.
    CaptionItem wide = caption(QString(200, QChar('W')), CaptionBackgroundNone);
    preview(wide);
    EXPECT_GT(wide.width, 1000);
    EXPECT_EQ(wide.height, one.height);
    EXPECT_EQ(CaptionPreviewRenderer::textRect(one),
              QRect(one.x, one.y - one.height + 1, one.width, one.height));
}
