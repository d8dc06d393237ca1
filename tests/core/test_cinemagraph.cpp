// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Cinemagraph: painting the mask (brush, eraser, round pen), the still set of
// pure-white positions, and applying it to every frame: nothing painted makes
// every frame the still frame, everything painted changes nothing, a smaller
// frame gets still pixels where it has pixels, a mask of another size is
// resampled, and the progress runs over N + 1 steps.
#include <gtest/gtest.h>

#include "capture/frame_sequence.h"
#include "effects/cinemagraph.h"
#include "effects/cinemagraph_mask.h"
#include "effects/cinemagraph_still_set.h"

namespace {

std::unique_ptr<RasterImage> noise(int w, int h, uint32_t seed)
{
    auto img = RasterImage::make(w, h, 24);
    uint32_t s = seed * 2654435761u + 1;
    for (int y = 0; y < h; ++y) {
        uint8_t* p = img->row(y);
        for (int i = 0; i < w * 3; ++i) {
            s = s * 1664525u + 1013904223u;
            p[i] = uint8_t(s >> 24);
        }
    }
    return img;
}

void fill(FrameSequence& seq, int n, int w, int h)
{
    for (int i = 0; i < n; ++i)
        seq.append(FrameRecord::make(noise(w, h, uint32_t(i + 1)), 5));
}

std::vector<RasterImage> copies(const FrameSequence& seq)
{
    std::vector<RasterImage> out;
    for (const auto& r : seq)
        out.push_back(*r->image);
    return out;
}

bool samePixels(const RasterImage& a, const RasterImage& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), a.stride()) != 0)
            return false;
    return true;
}

struct CountingProgress : ModalProgress {
    QString title, text;
    int lower = -1, upper = -1, step = -1, advanced = 0;
    bool beginModal(const QString& t, bool) override
    {
        title = t;
        return true;
    }
    void setRange(int l, int u, int s) override
    {
        lower = l;
        upper = u;
        step = s;
    }
    void setText(const QString& t) override { text = t; }
    bool advance() override
    {
        ++advanced;
        return false;  // a cancel request changes nothing
    }
};

}  // namespace

TEST(CinemagraphMask, BrushAndEraserPaintSolidRoundStrokes)
{
    CinemagraphMask mask(QSize(100, 80));
    ASSERT_TRUE(mask.isValid());
    EXPECT_EQ(mask.image().pixel(50, 40), 0xFFFFFFFFu);
    mask.stroke(QPoint(20, 40), QPoint(80, 40), 20);
    EXPECT_EQ(mask.image().pixel(50, 40), CinemagraphMask::kBrushColor);
    EXPECT_EQ(mask.image().pixel(50, 31), CinemagraphMask::kBrushColor);  // half the pen width off the line
    EXPECT_EQ(mask.image().pixel(50, 20), 0xFFFFFFFFu);
    // Round ends: beyond the end point on the line, not at the corner.
    EXPECT_EQ(mask.image().pixel(88, 40), CinemagraphMask::kBrushColor);
    EXPECT_EQ(mask.image().pixel(89, 49), 0xFFFFFFFFu);
    // No smoothing: only the two colours.
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
            const QRgb c = mask.image().pixel(x, y);
            ASSERT_TRUE(c == 0xFFFFFFFFu || c == CinemagraphMask::kBrushColor) << x << "," << y;
        }
    // The eraser (zero or negative value) paints white again.
    mask.stroke(QPoint(50, 20), QPoint(50, 60), -10);
    EXPECT_EQ(mask.image().pixel(50, 40), 0xFFFFFFFFu);
    EXPECT_EQ(mask.image().pixel(40, 40), CinemagraphMask::kBrushColor);

    const RasterImage r = mask.toRasterImage();
    ASSERT_EQ(r.depth(), 24);
    EXPECT_FALSE(r.hasAlpha());
    EXPECT_EQ(r.getColor(40, 40), (RgbQuad{127, 0, 228, 0}));
    EXPECT_FALSE(CinemagraphMask(QSize(0, 10)).isValid());
}

TEST(CinemagraphStillSet, PureWhiteRuns)
{
    RasterImage mask;
    ASSERT_TRUE(mask.create(6, 2, 24));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x)
            mask.setColor(x, y, RgbQuad{255, 255, 255, 0});
    mask.setColor(2, 0, RgbQuad{255, 254, 255, 0});  // almost white moves
    mask.setColor(5, 1, RgbQuad{127, 0, 228, 0});
    const CinemagraphStillSet set = CinemagraphStillSet::fromMask(mask);
    const std::vector<CinemagraphStillSet::Run> expected = {{0, 0, 2}, {0, 3, 6}, {1, 0, 5}};
    EXPECT_EQ(set.runs(), expected);
    EXPECT_EQ(set.pixelCount(), 10u);
    EXPECT_TRUE(set.contains(4, 0));
    EXPECT_FALSE(set.contains(2, 0));
    EXPECT_FALSE(set.contains(5, 1));
    EXPECT_FALSE(set.contains(0, 2));
}

TEST(Cinemagraph, NothingPaintedMakesEveryFrameTheStillFrame)
{
    FrameSequence seq;
    fill(seq, 5, 64, 48);
    seq.at(3)->setIncluded(false);  // deleted frames too
    const RasterImage still = *seq.at(1)->image;
    CinemagraphMask mask(QSize(64, 48));
    CountingProgress progress;
    ASSERT_TRUE(cinemagraph::apply(seq, 2, mask.toRasterImage(), &progress, 4));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(samePixels(*seq.at(i)->image, still)) << i;
    EXPECT_FALSE(seq.at(3)->included());
    EXPECT_EQ(progress.title, QStringLiteral("Progress"));
    EXPECT_EQ(progress.text, QStringLiteral("Cinemagraph..."));
    EXPECT_EQ(progress.lower, 0);
    EXPECT_EQ(progress.upper, 6);
    EXPECT_EQ(progress.step, 1);
    EXPECT_EQ(progress.advanced, 6);  // the set, then each frame; cancel ignored
}

TEST(Cinemagraph, EverythingPaintedChangesNothing)
{
    FrameSequence seq;
    fill(seq, 4, 64, 48);
    const auto before = copies(seq);
    CinemagraphMask mask(QSize(64, 48));
    mask.stroke(QPoint(0, 24), QPoint(63, 24), 50);
    mask.stroke(QPoint(0, 0), QPoint(63, 0), 50);
    mask.stroke(QPoint(0, 47), QPoint(63, 47), 50);
    ASSERT_TRUE(cinemagraph::apply(seq, 1, mask.toRasterImage(), nullptr, 2));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(samePixels(*seq.at(i)->image, before[size_t(i)])) << i;
}

TEST(Cinemagraph, AtFullSizeExactlyThePaintedPixelsMove)
{
    FrameSequence seq;
    fill(seq, 6, 80, 60);
    const auto before = copies(seq);
    CinemagraphMask mask(QSize(80, 60));
    mask.stroke(QPoint(10, 10), QPoint(60, 40), 15);
    mask.stroke(QPoint(30, 5), QPoint(30, 55), 12);
    mask.stroke(QPoint(25, 30), QPoint(35, 30), -8);  // erased again: still
    const QImage m = mask.image();
    ASSERT_TRUE(cinemagraph::apply(seq, 3, mask.toRasterImage(), nullptr, 3));
    const RasterImage& still = before[2];
    int moving = 0, erased = 0;
    for (int i = 0; i < 6; ++i) {
        const RasterImage& now = *seq.at(i)->image;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) {
                const bool white = m.pixel(x, y) == 0xFFFFFFFFu;
                const RgbQuad want = white ? still.getColor(x, y) : before[size_t(i)].getColor(x, y);
                ASSERT_EQ(now.getColor(x, y), want) << i << ": " << x << "," << y;
                if (i == 0) {
                    moving += white ? 0 : 1;
                    erased += (white && x >= 27 && x <= 33 && y >= 27 && y <= 33) ? 1 : 0;
                }
            }
    }
    EXPECT_GT(moving, 500);
    EXPECT_EQ(erased, 49);  // the eraser made that area still again
}

TEST(Cinemagraph, SmallerFramesAndResampledMasks)
{
    FrameSequence seq;
    fill(seq, 2, 80, 60);
    seq.append(FrameRecord::make(noise(30, 20, 9), 5));
    const RasterImage still = *seq.at(0)->image;
    // The mask was painted at half size (the picture was shown at scale 2).
    CinemagraphMask mask(QSize(40, 30));
    mask.stroke(QPoint(30, 0), QPoint(30, 29), 6);
    ASSERT_TRUE(cinemagraph::apply(seq, 1, mask.toRasterImage(), nullptr, 2));
    const RasterImage& small = *seq.at(2)->image;
    ASSERT_EQ(small.width(), 30);
    ASSERT_EQ(small.height(), 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(small.getColor(x, y), still.getColor(x, y));
    // Around column 60 of the full-size frames the stroke (and its blended
    // edge) keeps moving; far from it the frame is still.
    const RasterImage& f = *seq.at(1)->image;
    RasterImage fitted = mask.toRasterImage();
    ASSERT_TRUE(cinemagraph::fitMaskTo(fitted, still));
    EXPECT_EQ(fitted.width(), 80);
    EXPECT_EQ(fitted.height(), 60);
    EXPECT_EQ(f.getColor(10, 30), still.getColor(10, 30));
    int differs = 0;
    for (int y = 0; y < 60; ++y)
        differs += f.getColor(60, y) != still.getColor(60, y) ? 1 : 0;
    EXPECT_GT(differs, 50);
}

TEST(Cinemagraph, SameResultOnAnyNumberOfCores)
{
    FrameSequence a, b;
    fill(a, 9, 50, 40);
    fill(b, 9, 50, 40);
    CinemagraphMask mask(QSize(50, 40));
    mask.stroke(QPoint(5, 5), QPoint(45, 35), 10);
    ASSERT_TRUE(cinemagraph::apply(a, 4, mask.toRasterImage(), nullptr, 1));
    ASSERT_TRUE(cinemagraph::apply(b, 4, mask.toRasterImage(), nullptr, 8));
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(samePixels(*a.at(i)->image, *b.at(i)->image)) << i;
}

TEST(Cinemagraph, NoStillFrameOrNoMaskChangesNothing)
{
    FrameSequence seq;
    fill(seq, 2, 20, 20);
    const auto before = copies(seq);
    CinemagraphMask mask(QSize(20, 20));
    CountingProgress progress;
    EXPECT_FALSE(cinemagraph::apply(seq, 3, mask.toRasterImage(), &progress, 2));
    EXPECT_FALSE(cinemagraph::apply(seq, 0, mask.toRasterImage(), &progress, 2));
    EXPECT_FALSE(cinemagraph::apply(seq, 1, RasterImage(), &progress, 2));
    EXPECT_EQ(progress.advanced, 0);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(samePixels(*seq.at(i)->image, before[size_t(i)]));
}
