// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Picture and text watermarks as generation applies them.
#include <gtest/gtest.h>

#include <QFile>
#include <climits>
#include <memory>
#include <string>

#include "app/app_settings.h"
#include "effects/image_watermark.h"
#include "effects/text_watermark.h"
#include "imaging/raster_image.h"
#include "test_env.h"

namespace {

RasterImage filled(int w, int h, RgbQuad c)
{
    RasterImage image;
    EXPECT_TRUE(image.create(w, h, 24));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setColor(x, y, c);
    return image;
}

// Column x has red = x, row y green = y (both modulo 256).
RasterImage coordinates(int w, int h)
{
    RasterImage image;
    EXPECT_TRUE(image.create(w, h, 24));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setColor(x, y, RgbQuad{7, uint8_t(y), uint8_t(x), 0});
    return image;
}

bool rowEquals(const RasterImage& a, const RasterImage& b, int y)
{
    for (int x = 0; x < a.width(); ++x)
        if (a.getColor(x, y) != b.getColor(x, y))
            return false;
    return true;
}

}  // namespace

TEST(TextWatermark, MulDivRoundsAsWindowsDoes)
{
    struct Case {
        int a, b, c, want;
    } cases[] = {
        {14, 96, 72, 19},    {8, 96, 72, 11},          {10, 96, 72, 13}, {18, 120, 72, 30}, {1, 1, 2, 1},
        {-1, 1, 2, -1},      {-5, 3, 2, -8},           {5, 3, -2, -8},   {-5, -3, 2, 8},    {7, 1, 0, -1},
        {INT_MAX, 2, 1, -1}, {INT_MAX, 2, 2, INT_MAX}, {0, 96, 72, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextWatermark::mulDiv(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;
}

TEST(Watermarks, ConvertedFromSettings)
{
    AppSettings s;
    s.txtEnableLogo = true;
    s.txtLogoPos = 7;
    s.logoText = QStringLiteral("Tom & Jerry");
    s.logoFontName = QStringLiteral("DejaVu Sans");
    s.logoFont = 14;
    s.logoFontBold = false;
    s.logoFontItalic = true;
    s.logoColor = makeColorRef(1, 2, 3);
    s.logoBk = true;
    s.logoBkColor = makeColorRef(4, 5, 6);
    s.imgEnableLogo = true;
    s.imgLogoPos = 2;
    s.imgLogoSize = 120;
    s.logoImgFile = QStringLiteral("/x/logo.png");

    const TextWatermark text = TextWatermark::fromSettings(s, 96);
    EXPECT_TRUE(text.enabled);
    EXPECT_EQ(text.corner, 7);
    EXPECT_EQ(text.fontHeight, -19);
    EXPECT_EQ(text.weight, 400);
    EXPECT_TRUE(text.italic);
    EXPECT_EQ(text.color, makeColorRef(1, 2, 3));
    EXPECT_TRUE(text.background);
    EXPECT_EQ(text.backgroundColor, makeColorRef(4, 5, 6));
    EXPECT_EQ(text.text, QStringLiteral("Tom & Jerry"));
    EXPECT_EQ(text.stampFont().face, "DejaVu Sans");
    EXPECT_FALSE(text.stampFont().underline);
    s.logoFontBold = true;
    EXPECT_EQ(TextWatermark::fromSettings(s, 144).weight, 700);
    EXPECT_EQ(TextWatermark::fromSettings(s, 144).fontHeight, -28);

    const ImageWatermark image = ImageWatermark::fromSettings(s);
    EXPECT_TRUE(image.enabled);
    EXPECT_EQ(image.corner, 2);
    EXPECT_EQ(image.width, 120);
    EXPECT_EQ(image.file, QStringLiteral("/x/logo.png"));
}

TEST(ImageWatermark, PreparedPictureIsScaledToTheWidthSetting)
{
    testenv::TempDir dir;
    const std::string path = dir.file("logo.png");
    ASSERT_TRUE(coordinates(400, 300).encodeFile(path, ImageTypePng));
    ImageWatermark mark;
    mark.enabled = true;
    mark.width = 100;
    mark.file = QString::fromStdString(path);
    std::unique_ptr<RasterImage> prepared = mark.prepare();
    ASSERT_TRUE(prepared);
    EXPECT_EQ(prepared->width(), 100);
    EXPECT_EQ(prepared->height(), 75);
    EXPECT_EQ(prepared->depth(), 24);

    mark.width = 33;  // 300 / 400 * 33 = 24.75
    prepared = mark.prepare();
    ASSERT_TRUE(prepared);
    EXPECT_EQ(prepared->height(), 24);

    // A PNG with an alpha channel keeps it; a JPEG has none and is pasted opaque.
    RasterImage withAlpha = coordinates(40, 20);
    withAlpha.createAlpha();
    withAlpha.alphaRow(0)[0] = 0;
    const std::string alphaPath = dir.file("alpha.png");
    ASSERT_TRUE(withAlpha.encodeFile(alphaPath, ImageTypePng));
    mark.file = QString::fromStdString(alphaPath);
    mark.width = 40;
    prepared = mark.prepare();
    ASSERT_TRUE(prepared);
    ASSERT_TRUE(prepared->hasAlpha());
    EXPECT_EQ(prepared->alphaRow(0)[0], 0);
    EXPECT_EQ(prepared->alphaRow(5)[5], 255);
    const std::string jpegPath = dir.file("logo.JPEG");
    ASSERT_TRUE(coordinates(40, 20).encodeFile(jpegPath, ImageTypeJpg));
    mark.file = QString::fromStdString(jpegPath);
    prepared = mark.prepare();
    ASSERT_TRUE(prepared);
    EXPECT_FALSE(prepared->hasAlpha());
    EXPECT_EQ(prepared->height(), 20);

    mark.enabled = false;
    EXPECT_EQ(mark.prepare(), nullptr);
    mark.enabled = true;
    mark.width = 0;
    EXPECT_EQ(mark.prepare(), nullptr);
    mark.width = 100;
    mark.file = QString::fromStdString(dir.file("missing.png"));
    EXPECT_EQ(mark.prepare(), nullptr);
    QFile broken(QString::fromStdString(dir.file("broken.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8\xFF garbage");
    broken.close();
    mark.file = broken.fileName();
    EXPECT_EQ(mark.prepare(), nullptr);
}

TEST(ImageWatermark, WiderThanTheFrameLosesTheSideAwayFromItsCorner)
{
    const RasterImage mark = coordinates(200, 40);
    const RgbQuad background{50, 60, 70, 0};
    for (int corner : {2, 0}) {
        SCOPED_TRACE(corner);
        RasterImage frame = filled(150, 100, background);
        ImageWatermark::blend(frame, mark, corner);
        const int shift = corner == 2 ? 50 : 0;  // corner 2 shows the right 150 columns
        for (int y = 0; y < 100; y += 13)
            for (int x = 0; x < 150; x += 7) {
                const RgbQuad want = y < 40 ? mark.getColor(x + shift, y) : background;
                ASSERT_EQ(frame.getColor(x, y), want) << x << "," << y;
            }
    }
}

TEST(ImageWatermark, CornersAndAlpha)
{
    RasterImage mark = filled(4, 3, RgbQuad{255, 255, 255, 0});
    mark.createAlpha();
    mark.alphaRow(0)[0] = 0;    // leaves the frame pixel
    mark.alphaRow(0)[1] = 128;  // mixes
    struct Case {
        int corner, x, y;
    } cases[] = {{0, 0, 0}, {1, 0, 7}, {2, 6, 0}, {3, 6, 7}, {7, 6, 7}, {-1, 6, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.corner);
        RasterImage frame = filled(10, 10, RgbQuad{0, 0, 0, 0});
        ImageWatermark::blend(frame, mark, c.corner);
        EXPECT_EQ(frame.getColor(c.x, c.y), (RgbQuad{0, 0, 0, 0}));
        EXPECT_EQ(frame.getColor(c.x + 1, c.y), (RgbQuad{128, 128, 128, 0}));
        EXPECT_EQ(frame.getColor(c.x + 3, c.y + 2), (RgbQuad{255, 255, 255, 0}));
        EXPECT_EQ(frame.getColor(c.x == 0 ? 5 : 0, c.y == 0 ? 5 : 0), (RgbQuad{0, 0, 0, 0}));
    }
    // Without an alpha plane the picture is pasted opaque; its transparent colour is left out.
    RasterImage opaque = filled(2, 1, RgbQuad{10, 20, 30, 0});
    opaque.setColor(1, 0, RgbQuad{1, 2, 3, 0});
    opaque.setTransparentColor(RgbQuad{1, 2, 3, 0});
    RasterImage frame = filled(3, 3, RgbQuad{9, 9, 9, 0});
    ImageWatermark::blend(frame, opaque, 0);
    EXPECT_EQ(frame.getColor(0, 0), (RgbQuad{10, 20, 30, 0}));
    EXPECT_EQ(frame.getColor(1, 0), (RgbQuad{9, 9, 9, 0}));
}

TEST(TextWatermark, MeasureIsTwentyByFifteenWhenOff)
{
    TextWatermark mark;
    mark.text = QStringLiteral("Vexlo");
    int w = 0, h = 0;
    mark.measure(w, h);
    EXPECT_EQ(w, 20);
    EXPECT_EQ(h, 15);
    mark.enabled = true;
    mark.measure(w, h);
    EXPECT_GT(w, 20);
    EXPECT_GT(h, 5);
    // An ampersand is an ordinary character.
    int wAmp = 0, hAmp = 0;
    mark.text = QStringLiteral("Vex&lo");
    mark.measure(wAmp, hAmp);
    EXPECT_GT(wAmp, w);
}

TEST(TextWatermark, TopCornersLeaveRowZeroAndBottomCornersReachTheLastRow)
{
    TextWatermark mark;
    mark.enabled = true;
    mark.text = QStringLiteral("Vexlo & co");
    mark.fontHeight = -16;
    mark.color = makeColorRef(255, 0, 0);
    mark.background = true;
    mark.backgroundColor = makeColorRef(0, 0, 255);
    int w = 0, h = 0;
    mark.measure(w, h);
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    const int W = 200, H = 100;
    ASSERT_LT(w, W);
    ASSERT_LT(h, H);
    const RgbQuad grey{128, 128, 128, 0};
    const RgbQuad blue{255, 0, 0, 0};
    const RasterImage clean = filled(W, H, grey);

    auto isTextOrBox = [&](const RgbQuad& c) { return c == blue || c == RgbQuad{0, 0, 255, 0}; };
    struct Case {
        int corner;
        int boxLeft, boxTop;  // first column and row of the box inside the frame
    } cases[] = {{0, 0, 1}, {2, W - w, 1}, {1, 0, H - h + 1}, {3, W - w, H - h + 1}, {7, W - w, H - h + 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.corner);
        mark.corner = c.corner;
        RasterImage frame = clean;
        mark.draw(frame, w, h);
        if (c.boxTop == 1) {
            EXPECT_TRUE(rowEquals(frame, clean, 0)) << "row 0 changed";
        }
        // The box corners carry the box; just outside it the frame is untouched.
        EXPECT_TRUE(isTextOrBox(frame.getColor(c.boxLeft, c.boxTop)));
        EXPECT_TRUE(isTextOrBox(frame.getColor(c.boxLeft + w - 1, c.boxTop + h - 2)));
        EXPECT_EQ(frame.getColor(c.boxLeft == 0 ? w : c.boxLeft - 1, c.boxTop), grey);
        const int rowOutside = c.boxTop == 1 ? h + 1 : c.boxTop - 1;
        EXPECT_EQ(frame.getColor(c.boxLeft, rowOutside), grey);
        // Some text pixels were painted in the text colour.
        int text = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                text += frame.getColor(x, y) == RgbQuad{0, 0, 255, 0};
        EXPECT_GT(text, 10);
    }

    // Without the background only text pixels change; an empty text or a switched-off
    // watermark draws nothing.
    mark.background = false;
    mark.corner = 0;
    RasterImage frame = clean;
    mark.draw(frame, w, h);
    EXPECT_TRUE(rowEquals(frame, clean, 0));
    EXPECT_EQ(frame.getColor(0, h), grey);  // the bottom-left box pixel of "V" is blank
    mark.text.clear();
    frame = clean;
    mark.draw(frame, w, h);
    for (int y = 0; y < H; ++y)
        ASSERT_TRUE(rowEquals(frame, clean, y));
    mark.text = QStringLiteral("Vexlo");
    mark.enabled = false;
    mark.draw(frame, w, h);
    for (int y = 0; y < H; ++y)
        ASSERT_TRUE(rowEquals(frame, clean, y));
}
