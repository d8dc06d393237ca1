// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Resampling against a direct, pixel-by-pixel evaluation of the rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "imaging/raster_image.h"

namespace {

RgbQuad rgb(int r, int g, int b, int a = 0)
{
    return RgbQuad{uint8_t(b), uint8_t(g), uint8_t(r), uint8_t(a)};
}

RasterImage noise(int w, int h, bool alpha, uint32_t seed)
{
    RasterImage img;
    img.create(w, h, 24);
    if (alpha)
        img.createAlpha();
    uint32_t s = seed;
    auto next = [&s] {
        s = s * 1664525u + 1013904223u;
        return int(s >> 24);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setColor(x, y, rgb(next(), next(), next(), next()), true);
    return img;
}

// --- the reference: a literal reading of the rules, one destination pixel at a time ---

double kernel(double t)
{
    t = std::fabs(t);
    if (t < 1)
        return 1.5 * t * t * t - 2.5 * t * t + 1;
    if (t < 2)
        return -0.5 * t * t * t + 2.5 * t * t - 4 * t + 2;
    return 0;
}

// Channel k of the clamped source pixel (0 blue, 1 green, 2 red, 3 alpha).
double channel(const RasterImage& img, int c, int r, int k)
{
    c = std::clamp(c, 0, img.width() - 1);
    r = std::clamp(r, 0, img.height() - 1);
    const RgbQuad q = img.getColor(c, r, true);
    return k == 0 ? q.blue : k == 1 ? q.green : k == 2 ? q.red : q.reserved;
}

double cubicAt(const RasterImage& img, double sx, double sy, int k)
{
    const int ix = int(std::floor(sx));
    const int iy = int(std::floor(sy));
    double sum = 0;
    for (int r = iy - 1; r <= iy + 2; ++r)
        for (int c = ix - 1; c <= ix + 2; ++c)
            sum += kernel(c - sx) * kernel(r - sy) * channel(img, c, r, k);
    return sum;
}

// Clamped and truncated; values a rounding error below an integer count as it.
int finish(double v)
{
    return int(std::min(255.0, std::max(0.0, v + 1e-7)));
}

// Overlap of pixel cell c with [lo, hi].
double overlap(int c, double lo, double hi)
{
    return std::max(0.0, std::min(c + 0.5, hi) - std::max(c - 0.5, lo));
}

int referenceSmooth(const RasterImage& src, int w2, int h2, int x, int y, int k)
{
    const float xs = float(src.width()) / float(w2);
    const float ys = float(src.height()) / float(h2);
    const float sx = (float(x) + 0.5f) * xs - 0.5f;
    const float sy = (float(y) + 0.5f) * ys - 0.5f;
    if (xs <= 1 && ys <= 1)
        return finish(cubicAt(src, sx, sy, k));
    const double left = double(sx) - double(xs) / 2, right = double(sx) + double(xs) / 2;
    const double top = double(sy) - double(ys) / 2, bottom = double(sy) + double(ys) / 2;
    const int c1 = int(left + 0.5), c2 = int(right + 0.5);
    const int r1 = int(top + 0.5), r2 = int(bottom + 0.5);
    double sum = 0;
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            const double ow = overlap(c, left, right);
            const double oh = overlap(r, top, bottom);
            if (xs > 1 && ys > 1) {
                // Corners: ow * oh; first/last column: ow; first/last row: oh; inner: 1.
                const bool edgeC = c == c1 || c == c2;
                const bool edgeR = r == r1 || r == r2;
                const double wgt = edgeC && edgeR ? ow * oh : edgeC ? ow : edgeR ? oh : 1.0;
                sum += wgt * channel(src, c, r, k);
            } else if (ow * oh > 0) {
                const double cx = (std::max(c - 0.5, left) + std::min(c + 0.5, right)) / 2;
                const double cy = (std::max(r - 0.5, top) + std::min(r + 0.5, bottom)) / 2;
                sum += cubicAt(src, cx, cy, k) * (ow * oh);
            }
        }
    }
    return finish(sum / (double(xs) * double(ys)));
}

// Resample nearest's source position for destination (x, y), rows from the bottom.
void nearestSource(int W, int H, int w2, int h2, int x, int y, int& sx, int& sy)
{
    const float xs = float(W) / float(w2);
    const float ys = float(H) / float(h2);
    sx = int(float(x) * xs);
    const int j = h2 - 1 - y;
    sy = H - 1 - int(float(j) * ys);
}

}  // namespace

TEST(RasterResample, SmoothMatchesDirectEvaluation)
{
    const struct {
        int w, h, w2, h2;
    } cases[] = {
        {5, 4, 13, 11},    // enlarge: cubic
        {6, 6, 7, 6},      // enlarge one axis, same scale on the other
        {17, 13, 5, 4},    // shrink: area average
        {19, 11, 6, 5},    // shrink with uneven footprints
        {40, 30, 20, 15},  // shrink by exactly 2
        {17, 5, 6, 9},     // one-axis: narrower, taller
        {5, 17, 9, 6},     // one-axis: wider, shorter
        {9, 7, 3, 7},      // one-axis with the other at the same scale
    };
    for (const auto& c : cases) {
        const RasterImage src = noise(c.w, c.h, true, uint32_t(c.w * 131 + c.h));
        RasterImage img(src);
        ASSERT_TRUE(img.resampleSmooth(c.w2, c.h2));
        ASSERT_EQ(img.width(), c.w2);
        ASSERT_EQ(img.height(), c.h2);
        ASSERT_TRUE(img.hasAlpha());
        const bool enlarging = c.w2 >= c.w && c.h2 >= c.h;
        int mismatches = 0;
        for (int y = 0; y < c.h2; ++y)
            for (int x = 0; x < c.w2; ++x) {
                const RgbQuad got = img.getColor(x, y, true);
                const int want[3] = {referenceSmooth(src, c.w2, c.h2, x, y, 0),
                                     referenceSmooth(src, c.w2, c.h2, x, y, 1),
                                     referenceSmooth(src, c.w2, c.h2, x, y, 2)};
                mismatches += got.blue != want[0] || got.green != want[1] || got.red != want[2];
                int wantAlpha;
                if (enlarging) {
                    wantAlpha = referenceSmooth(src, c.w2, c.h2, x, y, 3);
                } else {
                    int sx, sy;
                    nearestSource(c.w, c.h, c.w2, c.h2, x, y, sx, sy);
                    wantAlpha = src.getColor(sx, sy, true).reserved;
                }
                mismatches += got.reserved != wantAlpha;
            }
        EXPECT_EQ(mismatches, 0) << c.w << "x" << c.h << " -> " << c.w2 << "x" << c.h2;
    }
}

TEST(RasterResample, SmoothKeepsPlainColours)
{
    // Every weight set adds up to one: a plain picture stays plain in all three
    // cases (enlarging, shrinking, one axis), alpha included, at every value.
    const struct {
        int w, h, w2, h2;
    } cases[] = {
        {3, 3, 7, 7},      {5, 4, 13, 11},       {64, 48, 100, 70}, {100, 100, 33, 33}, {7, 5, 3, 2},
        {137, 77, 50, 28}, {192, 108, 191, 108}, {300, 20, 301, 9}, {100, 10, 99, 3},
    };
    for (const auto& c : cases)
        for (int v : {0, 1, 128, 254, 255}) {
            RasterImage img;
            ASSERT_TRUE(img.create(c.w, c.h, 24));
            img.createAlpha();
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w; ++x)
                    img.setColor(x, y, rgb(v, v, v, v), true);
            ASSERT_TRUE(img.resampleSmooth(c.w2, c.h2));
            int changed = 0;
            for (int y = 0; y < c.h2; ++y)
                for (int x = 0; x < c.w2; ++x)
                    changed += img.getColor(x, y, true) != rgb(v, v, v, v);
            EXPECT_EQ(changed, 0) << c.w << "x" << c.h << " -> " << c.w2 << "x" << c.h2 << " at " << v;
        }
}

TEST(RasterResample, SmoothOnPaletteImagesPicksNearestEntries)
{
    RasterImage pal;
    ASSERT_TRUE(pal.create(4, 4, 8));
    pal.setPaletteEntry(0, rgb(0, 0, 0));
    pal.setPaletteEntry(1, rgb(255, 255, 255));
    pal.setPaletteEntry(2, rgb(128, 128, 128));
    pal.setTransparentIndex(2);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            pal.setPixelIndex(x, y, uint8_t(x < 2 ? 0 : 1));
    RasterImage as24(pal);
    as24.increaseTo24Bits();
    ASSERT_TRUE(pal.resampleSmooth(2, 2));
    ASSERT_TRUE(as24.resampleSmooth(2, 2));
    EXPECT_EQ(pal.depth(), 8);
    EXPECT_EQ(pal.transparentIndex(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(pal.getPixelIndex(x, y), pal.nearestIndex(as24.getColor(x, y)));
    // Cubic enlarging across the black/white edge produces greys: nearest is index 2.
    RasterImage big;
    ASSERT_TRUE(big.create(2, 1, 8));
    big.setPaletteEntry(1, rgb(255, 255, 255));
    big.setPaletteEntry(2, rgb(128, 128, 128));
    big.setPixelIndex(1, 0, 1);
    ASSERT_TRUE(big.resampleSmooth(8, 1));
    bool sawGrey = false;
    for (int x = 0; x < 8; ++x)
        sawGrey |= big.getPixelIndex(x, 0) == 2;
    EXPECT_TRUE(sawGrey);
    EXPECT_EQ(big.getPixelIndex(0, 0), 0);
    EXPECT_EQ(big.getPixelIndex(7, 0), 1);
}

TEST(RasterResample, OwnSizeChangesNothingAndBadSizesFail)
{
    const RasterImage src = noise(7, 5, true, 3);
    for (bool smooth : {false, true}) {
        RasterImage img(src);
        ASSERT_TRUE(smooth ? img.resampleSmooth(7, 5) : img.resampleNearest(7, 5));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(img.getColor(x, y, true), src.getColor(x, y, true));
        EXPECT_FALSE(smooth ? img.resampleSmooth(0, 5) : img.resampleNearest(7, -1));
        EXPECT_EQ(img.width(), 7);
    }
    RasterImage invalid;
    EXPECT_FALSE(invalid.resampleSmooth(2, 2));
}

TEST(RasterResample, NearestCountsRowsFromTheBottom)
{
    // Three rows to two: the destination keeps source rows 1 and 2 (not 0 and 1).
    RasterImage img;
    ASSERT_TRUE(img.create(1, 3, 24));
    img.createAlpha();
    for (int y = 0; y < 3; ++y)
        img.setColor(0, y, rgb(y, 0, 0, 10 + y), true);
    ASSERT_TRUE(img.resampleNearest(1, 2));
    EXPECT_EQ(img.getColor(0, 0, true), rgb(1, 0, 0, 11));
    EXPECT_EQ(img.getColor(0, 1, true), rgb(2, 0, 0, 12));

    const RasterImage src = noise(13, 9, true, 11);
    for (auto [w2, h2] : {std::pair{5, 4}, {31, 20}, {13, 2}, {3, 9}}) {
        RasterImage r(src);
        ASSERT_TRUE(r.resampleNearest(w2, h2));
        for (int y = 0; y < h2; ++y)
            for (int x = 0; x < w2; ++x) {
                int sx, sy;
                nearestSource(13, 9, w2, h2, x, y, sx, sy);
                ASSERT_EQ(r.getColor(x, y, true), src.getColor(sx, sy, true)) << w2 << "x" << h2;
            }
    }
}
