// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The editor's frame operations and geometry without windows: speed, reverse,
// rotation and the frame rectangle, include marks, removal, playback order,
// inserted pictures on their canvas, the display fit and the strip layout.
#include <gtest/gtest.h>

#include "capture/frame_sequence.h"
#include "editor/frame_ops.h"
#include "editor/picture_geometry.h"
#include "editor/picture_shrink.h"
#include "editor/strip_layout.h"

namespace {

std::unique_ptr<RasterImage> tagged(int tag, int w = 2, int h = 1)
{
    auto image = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image->setColor(x, y, RgbQuad{uint8_t(tag), uint8_t(x), uint8_t(y), 0});
    return image;
}

int tagOf(const FrameRecord* r)
{
    return r ? r->image->getColor(0, 0).blue : -1;
}

// n frames tagged 1..n with the given delays (10 when not given).
void fill(FrameSequence& seq, int n, std::vector<int> delays = {}, int w = 2, int h = 1)
{
    for (int i = 0; i < n; ++i)
        seq.append(FrameRecord::make(tagged(i + 1, w, h), i < int(delays.size()) ? delays[size_t(i)] : 10));
}

std::vector<int> tags(const FrameSequence& seq)
{
    std::vector<int> out;
    for (int i = 0; i < seq.count(); ++i)
        out.push_back(tagOf(seq.at(i)));
    return out;
}

std::vector<int> delays(const FrameSequence& seq)
{
    std::vector<int> out;
    for (int i = 0; i < seq.count(); ++i)
        out.push_back(seq.at(i)->delay);
    return out;
}

}  // namespace

TEST(FrameOps, SpeedStepsStayWithinOneTo999)
{
    FrameSequence seq;
    // An imported GIF may carry delays above 999 (up to 65535) or of 0.
    fill(seq, 6, {1, 2, 10, 999, 0, 5000});
    seq.at(1)->setIncluded(false);  // deleted frames change too
    frameops::faster(seq);
    EXPECT_EQ(delays(seq), (std::vector<int>{1, 1, 9, 998, 0, 4999}));
    frameops::slower(seq);
    frameops::slower(seq);
    EXPECT_EQ(delays(seq), (std::vector<int>{3, 3, 11, 999, 2, 4999}));
    frameops::slower(seq);
    EXPECT_EQ(seq.at(3)->delay, 999);
}

TEST(FrameOps, TypedDelaysAreClamped)
{
    for (auto [typed, expected] : std::vector<std::pair<int, int>>{
             {0, 1}, {-5, 1}, {1, 1}, {500, 500}, {998, 998}, {999, 999}, {1500, 999}})
        EXPECT_EQ(frameops::clampDelay(typed), expected) << typed;
}

TEST(FrameOps, ReverseMirrorsTheCurrentFrame)
{
    FrameSequence seq;
    fill(seq, 5);
    EXPECT_EQ(frameops::reverse(seq, 2), 4);
    EXPECT_EQ(tags(seq), (std::vector<int>{5, 4, 3, 2, 1}));

    FrameSequence four;
    fill(four, 4);
    EXPECT_EQ(frameops::reverse(four, 1), 4);
    EXPECT_EQ(tags(four), (std::vector<int>{4, 3, 2, 1}));

    FrameSequence one;
    fill(one, 1);
    EXPECT_EQ(frameops::reverse(one, 1), 1);
    EXPECT_EQ(tags(one), (std::vector<int>{1}));
}

TEST(FrameOps, RotationSetsTheFrameRectangleFlipsDoNot)
{
    FrameSequence seq;
    fill(seq, 3, {}, 320, 240);
    seq.SetFrameRectangle(10, 10, 330, 250, 2);
    seq.at(2)->setIncluded(false);
    ASSERT_TRUE(frameops::rotateRight(seq));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(seq.at(i)->image->width(), 240);
        EXPECT_EQ(seq.at(i)->image->height(), 320);
    }
    EXPECT_EQ(seq.frameRect(), (FrameRect{0, 0, 240, 320}));
    EXPECT_EQ(seq.mouseTrackMode(), 0);
    EXPECT_FALSE(seq.at(2)->included());  // the include mark survives the turn

    // Pixel (0,0) of a 320x240 frame: after right turn it is at (239, 0).
    FrameSequence px;
    fill(px, 1, {}, 4, 2);
    px.at(0)->image->setColor(0, 0, RgbQuad{200, 0, 0, 0});
    frameops::rotateRight(px);
    EXPECT_EQ(px.at(0)->image->getColor(1, 0).blue, 200);
    frameops::rotateLeft(px);
    EXPECT_EQ(px.at(0)->image->getColor(0, 0).blue, 200);
    frameops::flipHorizontal(px);
    EXPECT_EQ(px.at(0)->image->getColor(3, 0).blue, 200);
    frameops::flipVertical(px);
    EXPECT_EQ(px.at(0)->image->getColor(3, 1).blue, 200);
    EXPECT_EQ(px.frameRect(), (FrameRect{0, 0, 4, 2}));

    FrameSequence empty;
    EXPECT_FALSE(frameops::rotateLeft(empty));
}

TEST(FrameOps, ToggleFollowsTheFirstSelectedFrame)
{
    FrameSequence seq;
    fill(seq, 4);
    seq.at(2)->setIncluded(false);
    ASSERT_TRUE(frameops::toggleIncluded(seq, {1, 2}));  // 2 kept, 3 deleted -> both deleted
    EXPECT_FALSE(seq.at(1)->included());
    EXPECT_FALSE(seq.at(2)->included());
    ASSERT_TRUE(frameops::toggleIncluded(seq, {1, 2}));  // again -> both kept
    EXPECT_TRUE(seq.at(1)->included());
    EXPECT_TRUE(seq.at(2)->included());
    EXPECT_FALSE(frameops::toggleIncluded(seq, {}));
}

TEST(FrameOps, RemovalNeverTakesEveryFrame)
{
    FrameSequence seq;
    fill(seq, 4);
    EXPECT_FALSE(frameops::removeSelected(seq, {true, true, true, true}));
    EXPECT_FALSE(frameops::removeSelected(seq, {false, false, false, false}));
    EXPECT_FALSE(frameops::removeSelected(seq, {true}));  // flags not covering the sequence
    EXPECT_EQ(seq.count(), 4);
    EXPECT_TRUE(frameops::removeSelected(seq, {false, true, true, false}));
    EXPECT_EQ(tags(seq), (std::vector<int>{1, 4}));
}

TEST(FrameOps, PlaybackSkipsDeletedFramesAndStopsWhenAllAre)
{
    FrameSequence seq;
    fill(seq, 5);
    seq.at(1)->setIncluded(false);
    seq.at(2)->setIncluded(false);
    std::vector<int> shown;
    int c = 1;
    for (int i = 0; i < 4; ++i)
        shown.push_back(c = frameops::nextPlaybackFrame(seq, c));
    EXPECT_EQ(shown, (std::vector<int>{4, 5, 1, 4}));
    for (int i = 0; i < 5; ++i)
        seq.at(i)->setIncluded(false);
    EXPECT_EQ(frameops::nextPlaybackFrame(seq, 1), 0);
    EXPECT_EQ(frameops::nextPlaybackFrame(FrameSequence(), 1), 0);
    // A current frame beyond the end starts again at 1.
    seq.at(0)->setIncluded(true);
    EXPECT_EQ(frameops::nextPlaybackFrame(seq, 9), 1);
}

namespace {

struct Margins {
    int left, right, top, bottom;
};

// Black margins around the picture (the picture is all (9, 9, 9)).
Margins marginsOf(const RasterImage& canvas)
{
    Margins m{-1, -1, -1, -1};
    const int W = canvas.width();
    const int H = canvas.height();
    auto lit = [&](int x, int y) { return canvas.getColor(x, y).red != 0; };
    for (int x = 0; x < W && m.left < 0; ++x)
        for (int y = 0; y < H; ++y)
            if (lit(x, y)) {
                m.left = x;
                break;
            }
    for (int x = W - 1; x >= 0 && m.right < 0; --x)
        for (int y = 0; y < H; ++y)
            if (lit(x, y)) {
                m.right = W - 1 - x;
                break;
            }
    for (int y = 0; y < H && m.top < 0; ++y)
        for (int x = 0; x < W; ++x)
            if (lit(x, y)) {
                m.top = y;
                break;
            }
    for (int y = H - 1; y >= 0 && m.bottom < 0; --y)
        for (int x = 0; x < W; ++x)
            if (lit(x, y)) {
                m.bottom = H - 1 - y;
                break;
            }
    return m;
}

RasterImage grey(int w, int h)
{
    RasterImage img;
    img.create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setColor(x, y, RgbQuad{90, 90, 90, 0});
    return img;
}

}  // namespace

TEST(FrameOps, InsertedPictureIsFittedAndCentredOnBlack)
{
    struct Case {
        int w, h;
        int cw, ch;
        Margins m;
    };
    const Case cases[] = {
        {200, 150, 200, 150, {100, 100, 75, 75}},  // never enlarged
        {201, 151, 201, 151, {99, 100, 75, 74}},   // odd margins: right and top get the extra pixel
        {1000, 100, 400, 40, {0, 0, 130, 130}},    // shrunk by the larger ratio
        {300, 600, 150, 300, {125, 125, 0, 0}},   {400, 300, 400, 300, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        auto canvas = frameops::fitPictureOnCanvas(grey(c.w, c.h), 400, 300);
        ASSERT_TRUE(canvas) << c.w << "x" << c.h;
        EXPECT_EQ(canvas->width(), 400);
        EXPECT_EQ(canvas->height(), 300);
        EXPECT_EQ(canvas->flags(), 1u);
        const Margins m = marginsOf(*canvas);
        EXPECT_EQ(m.left, c.m.left) << c.w << "x" << c.h;
        EXPECT_EQ(m.right, c.m.right) << c.w << "x" << c.h;
        EXPECT_EQ(m.top, c.m.top) << c.w << "x" << c.h;
        EXPECT_EQ(m.bottom, c.m.bottom) << c.w << "x" << c.h;
        EXPECT_EQ(400 - m.left - m.right, c.cw);
        EXPECT_EQ(300 - m.top - m.bottom, c.ch);
    }
    EXPECT_FALSE(frameops::fitPictureOnCanvas(RasterImage(), 400, 300));
    EXPECT_FALSE(frameops::fitPictureOnCanvas(grey(4, 4), 0, 300));
}

TEST(FrameOps, TransparentColourOfAnInsertedPictureStaysBlack)
{
    RasterImage pic = grey(4, 4);
    pic.setColor(1, 1, RgbQuad{1, 2, 3, 0});
    pic.setTransparentColor(RgbQuad{1, 2, 3, 0});
    auto canvas = frameops::fitPictureOnCanvas(pic, 8, 8);
    ASSERT_TRUE(canvas);
    EXPECT_EQ(canvas->getColor(3, 3), (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(canvas->getColor(2, 2).red, 90);
}

TEST(FrameOps, InsertRecordsAtAPosition)
{
    FrameSequence seq;
    fill(seq, 3);
    std::vector<std::unique_ptr<FrameRecord>> add;
    add.push_back(FrameRecord::make(tagged(7), 5));
    add.push_back(FrameRecord::make(tagged(8), 5));
    EXPECT_EQ(frameops::insertRecords(seq, 1, std::move(add)), 2);
    EXPECT_EQ(tags(seq), (std::vector<int>{1, 7, 8, 2, 3}));
}

TEST(PictureGeometry, ShrinksToFitNeverEnlargesAndCentres)
{
    const QRect area(100, 50, 800, 400);
    PictureGeometry big = fitPicture(QSize(1600, 1200), area);
    EXPECT_FLOAT_EQ(big.scale, 3.0f);
    EXPECT_EQ(big.image.size(), QSize(533, 400));
    EXPECT_EQ(big.image.topLeft(), QPoint(100 + 400 - 266, 50));

    PictureGeometry small = fitPicture(QSize(320, 240), area);
    EXPECT_FLOAT_EQ(small.scale, 1.0f);
    EXPECT_EQ(small.image, QRect(100 + 400 - 160, 50 + 200 - 120, 320, 240));

    EXPECT_EQ(toFramePixels(QPoint(big.image.left() + 10, big.image.top() + 5), big), QPoint(30, 15));

    const PictureGeometry none = fitPicture(QSize(0, 0), area);
    EXPECT_FLOAT_EQ(none.scale, 1.0f);
    EXPECT_TRUE(none.image.isEmpty());
}

TEST(StripLayout, ItemPartsAtWidth120)
{
    const StripItemLayout l = stripItemLayout(120, 1.0);
    EXPECT_EQ(l.thumb, QRect(22, 5, 93, 69));
    EXPECT_EQ(l.height, 98);
    EXPECT_EQ(l.check, QRect(5, 15, 12, 12));
    EXPECT_EQ(l.delay, QRect(22, 76, 93, 15));
    EXPECT_EQ(l.bounds, QRect(0, 0, 120, 98));

    const StripItemLayout big = stripItemLayout(120, 2.0);
    EXPECT_EQ(big.height, 69 + 7 + 44);
    EXPECT_EQ(big.check.top(), 30);
    EXPECT_EQ(big.delay.height(), 30);

    EXPECT_GT(stripItemLayout(0, 1.0).height, 0);  // a collapsed strip still has rows
}

TEST(StripLayout, ThumbnailFitsItsBox)
{
    const QRect inner(24, 7, 89, 65);
    EXPECT_EQ(thumbnailRect(QSize(40, 30), inner), QRect(24 + 44 - 20, 7 + 32 - 15, 40, 30));
    // Wide: full inner width, centred vertically.
    const QRect wide = thumbnailRect(QSize(1920, 1080), inner);
    EXPECT_EQ(wide.left(), 24);
    EXPECT_EQ(wide.width(), 89);
    EXPECT_EQ(wide.height(), int(1080 / (1920.0 / 89)));
    // Tall: full inner height, centred horizontally.
    const QRect tall = thumbnailRect(QSize(100, 400), inner);
    EXPECT_EQ(tall.top(), 7);
    EXPECT_EQ(tall.height(), 65);
    EXPECT_EQ(tall.width(), int(100 / (400.0 / 65)));
    EXPECT_TRUE(thumbnailRect(QSize(0, 10), inner).isNull());
}

TEST(StripLayout, VisibleRowsAndSnapping)
{
    const StripRows r = visibleStripRows(250, 300, 98, 10);
    EXPECT_EQ(r.first, 2);
    EXPECT_EQ(r.rows, 4);
    EXPECT_EQ(visibleStripRows(0, 300, 98, 2).rows, 2);
    EXPECT_EQ(snapStripScroll(98 + 49, 98), 98);
    EXPECT_EQ(snapStripScroll(98 + 50, 98), 196);
    EXPECT_EQ(snapStripScroll(0, 98), 0);
}

TEST(PictureShrink, EveryPixelIsTheMeanOfItsBlock)
{
    // 4 x 2 source: left half (10, 20, 30) and (30, 40, 50), right half white.
    RasterImage src;
    ASSERT_TRUE(src.create(4, 2, 24));
    src.setColor(0, 0, RgbQuad{30, 20, 10, 0});
    src.setColor(1, 0, RgbQuad{30, 20, 10, 0});
    src.setColor(0, 1, RgbQuad{50, 40, 30, 0});
    src.setColor(1, 1, RgbQuad{50, 40, 31, 0});
    for (int x = 2; x < 4; ++x)
        for (int y = 0; y < 2; ++y)
            src.setColor(x, y, RgbQuad{255, 255, 255, 0});
    QImage out(2, 1, QImage::Format_RGB32);
    ASSERT_TRUE(shrinkInto(src, out));
    EXPECT_EQ(out.pixel(0, 0), qRgb(20, 30, 40));  // red (10+10+30+31)/4 = 20.25
    EXPECT_EQ(out.pixel(1, 0), qRgb(255, 255, 255));

    // Same size: an exact copy.
    QImage same(4, 2, QImage::Format_RGB32);
    ASSERT_TRUE(shrinkInto(src, same));
    EXPECT_EQ(same.pixel(1, 1), qRgb(31, 40, 50));

    EXPECT_FALSE(shrinkInto(RasterImage(), out));
    QImage wrong(2, 1, QImage::Format_RGB888);
    EXPECT_FALSE(shrinkInto(src, wrong));
}

TEST(PictureShrink, ThreadsAndSamplingGiveStableResults)
{
    RasterImage src;
    ASSERT_TRUE(src.create(997, 611, 24));
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            src.setColor(x, y, RgbQuad{uint8_t(x * 7 + y), uint8_t(x ^ y), uint8_t(y * 3), 0});
    QImage one(301, 173, QImage::Format_RGB32);
    QImage three(301, 173, QImage::Format_RGB32);
    ASSERT_TRUE(shrinkInto(src, one, 0, 1));
    ASSERT_TRUE(shrinkInto(src, three, 0, 3));
    EXPECT_EQ(one, three);
    // Sampling a uniform picture still gives its colour.
    RasterImage flat;
    ASSERT_TRUE(flat.create(1920, 1080, 24));
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x)
            flat.setColor(x, y, RgbQuad{1, 2, 3, 0});
    QImage thumb(89, 50, QImage::Format_RGB32);
    ASSERT_TRUE(shrinkInto(flat, thumb, 4));
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 89; ++x)
            ASSERT_EQ(thumb.pixel(x, y), qRgb(3, 2, 1));
}
