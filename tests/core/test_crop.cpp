// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Crop: the frame area from the display scale, cutting the whole sequence
// (deleted frames too, include marks kept, scale 1.0, frame rectangle), and
// the tracker rectangle: handles, cursors, moving and resizing within the
// picture, the minimum size, inversion, and the size label.
#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "editor/crop_frames.h"
#include "editor/crop_tracker.h"

namespace {

std::unique_ptr<RasterImage> patterned(int w, int h, uint8_t seed)
{
    auto img = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img->setColor(x, y, RgbQuad{uint8_t(x + seed), uint8_t(y), seed, 0});
    return img;
}

}  // namespace

TEST(CropFrames, FrameAreaFollowsTheDisplayScale)
{
    struct Case {
        float scale;
        CropRect tracker, displayed, expected;
    };
    const Case cases[] = {
        // Shown at half size: 100 x 80 at (10, 20) inside the picture.
        {2.0f, {110, 70, 210, 150}, {100, 50, 500, 350}, {20, 40, 220, 200}},
        // Full size: the offsets themselves.
        {1.0f, {110, 70, 210, 150}, {100, 50, 500, 350}, {10, 20, 110, 100}},
        // 1.5: offsets and far edges truncated (7 x 1.5 = 10.5, 61 x 1.5 + 10 = 101.5).
        {1.5f, {7, 3, 68, 64}, {0, 0, 400, 300}, {10, 4, 101, 95}},
        // An inverted rectangle counts as its normalised self.
        {2.0f, {210, 150, 110, 70}, {100, 50, 500, 350}, {20, 40, 220, 200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cropframes::frameArea(c.scale, c.tracker, c.displayed), c.expected) << c.scale;
}

TEST(CropFrames, EveryRecordIsCutAndKeepsItsMark)
{
    FrameSequence seq;
    for (int i = 0; i < 4; ++i)
        seq.append(FrameRecord::make(patterned(400, 300, uint8_t(i * 40)), 10));
    seq.at(1)->setIncluded(false);           // a deleted frame is cut as well
    seq.at(3)->image->crop(0, 0, 100, 100);  // a smaller one is cut where it has pixels
    AppSettings settings;
    settings.outputScale = 0.5f;
    seq.SetFrameRectangle(0, 0, 400, 300, 2);

    const CropRect area = cropframes::frameArea(2.0f, {110, 70, 210, 150}, {100, 50, 300, 200});
    EXPECT_EQ(cropframes::cropSequence(seq, area, settings), 4);

    for (int i = 0; i < 3; ++i) {
        const RasterImage& img = *seq.at(i)->image;
        ASSERT_EQ(img.width(), 200) << i;
        ASSERT_EQ(img.height(), 160) << i;
        // Column 20, row 40 of the original is the new top-left pixel.
        EXPECT_EQ(img.getColor(0, 0), (RgbQuad{uint8_t(20 + i * 40), 40, uint8_t(i * 40), 0})) << i;
        EXPECT_EQ(img.getColor(199, 159), (RgbQuad{uint8_t(219 + i * 40), 199, uint8_t(i * 40), 0})) << i;
    }
    EXPECT_EQ(seq.at(3)->image->width(), 80);
    EXPECT_EQ(seq.at(3)->image->height(), 60);
    EXPECT_TRUE(seq.at(0)->included());
    EXPECT_FALSE(seq.at(1)->included());
    EXPECT_TRUE(seq.at(2)->included());
    EXPECT_EQ(settings.outputScale, 1.0f);
    EXPECT_EQ(seq.frameRect(), (FrameRect{0, 0, 200, 160}));
    EXPECT_EQ(seq.mouseTrackMode(), 0);
}

TEST(CropFrames, AnAreaOutsideAnImageLeavesThatImage)
{
    FrameSequence seq;
    seq.append(FrameRecord::make(patterned(400, 300, 1), 10));
    seq.append(FrameRecord::make(patterned(50, 50, 2), 10));
    AppSettings settings;
    EXPECT_EQ(cropframes::cropSequence(seq, CropRect(100, 100, 200, 200), settings), 1);
    EXPECT_EQ(seq.at(0)->image->width(), 100);
    EXPECT_EQ(seq.at(1)->image->width(), 50);
    EXPECT_EQ(seq.at(1)->image->height(), 50);
}

TEST(CropTracker, HandlesLieOutsideWithTheirCursors)
{
    CCropTracker t(CropRect(100, 100, 300, 200), CropRect(0, 0, 640, 480));
    const int s = CCropTracker::kHandleSize;
    struct Case {
        QPoint p;
        CCropTracker::Hit hit;
        Qt::CursorShape cursor;
    };
    const Case cases[] = {
        {{100 - s / 2 - 1, 100 - s / 2 - 1}, CCropTracker::HitTopLeft, Qt::SizeFDiagCursor},
        {{300 + s / 2, 100 - 1}, CCropTracker::HitTopRight, Qt::SizeBDiagCursor},
        {{300 + 1, 200 + 1}, CCropTracker::HitBottomRight, Qt::SizeFDiagCursor},
        {{100 - 1, 200 + s - 1}, CCropTracker::HitBottomLeft, Qt::SizeBDiagCursor},
        {{200, 100 - 2}, CCropTracker::HitTop, Qt::SizeVerCursor},
        {{300 + 2, 150}, CCropTracker::HitRight, Qt::SizeHorCursor},
        {{200, 200 + 2}, CCropTracker::HitBottom, Qt::SizeVerCursor},
        {{100 - 2, 150}, CCropTracker::HitLeft, Qt::SizeHorCursor},
        {{150, 120}, CCropTracker::HitMiddle, Qt::SizeAllCursor},
        {{100, 100}, CCropTracker::HitMiddle, Qt::SizeAllCursor},
        {{50, 50}, CCropTracker::HitNothing, Qt::ArrowCursor},
        {{200, 100 - s - 1}, CCropTracker::HitNothing, Qt::ArrowCursor},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t.hitTest(c.p), c.hit) << c.p.x() << "," << c.p.y();
        EXPECT_EQ(t.cursorAt(c.p), c.cursor) << c.p.x() << "," << c.p.y();
    }
    // A press elsewhere starts nothing.
    EXPECT_FALSE(t.begin(QPoint(50, 50)));
    EXPECT_FALSE(t.tracking());
}

TEST(CropTracker, ADraggedRectangleSlidesAlongTheEdgeKeepingItsSize)
{
    const CropRect bounds(0, 0, 400, 300);
    CCropTracker t(CropRect(100, 100, 200, 180), bounds);
    ASSERT_TRUE(t.begin(QPoint(150, 140)));
    t.moveTo(QPoint(450, 140));  // far past the right edge
    EXPECT_EQ(t.rect(), CropRect(300, 100, 400, 180));
    t.moveTo(QPoint(450, -200));  // and the top: the top-right corner
    EXPECT_EQ(t.rect(), CropRect(300, 0, 400, 80));
    t.moveTo(QPoint(-500, 500));  // to the bottom-left corner
    EXPECT_EQ(t.rect(), CropRect(0, 220, 100, 300));
    t.end();
    EXPECT_EQ(t.rect().width(), 100);
    EXPECT_EQ(t.rect().height(), 80);
}

TEST(CropTracker, ResizingStopsAtTheEdgeAndAtTheMinimum)
{
    const CropRect bounds(0, 0, 400, 300);
    CCropTracker t(CropRect(100, 100, 200, 200), bounds);
    // The right handle pulled beyond the picture: the right edge stays on it.
    ASSERT_TRUE(t.begin(QPoint(202, 150)));
    t.moveTo(QPoint(382, 150));  // pressed 2 pixels right of the edge
    EXPECT_EQ(t.rect(), CropRect(100, 100, 380, 200));
    t.moveTo(QPoint(502, 150));
    EXPECT_EQ(t.rect().right, 400);
    EXPECT_EQ(t.rect().width(), 280);  // the size before that change
    t.end();

    // Never narrower than 60 pixels.
    CCropTracker m(CropRect(100, 100, 200, 200), bounds);
    ASSERT_TRUE(m.begin(QPoint(202, 150)));
    m.moveTo(QPoint(150, 150));
    EXPECT_EQ(m.rect(), CropRect(100, 100, 160, 200));
    // Past the left edge the rectangle turns over and is normalised.
    m.moveTo(QPoint(10, 150));
    EXPECT_EQ(m.rect(), CropRect(8, 100, 100, 200));
    m.moveTo(QPoint(90, 150));  // inverted but too narrow: 60 to the left
    EXPECT_EQ(m.rect(), CropRect(40, 100, 100, 200));
    m.end();

    // The bottom-left corner, both sides at once.
    CCropTracker c(CropRect(100, 100, 200, 200), bounds);
    ASSERT_TRUE(c.begin(QPoint(98, 202)));
    c.moveTo(QPoint(148, 152));
    EXPECT_EQ(c.rect(), CropRect(140, 100, 200, 160));
    c.cancel();
    EXPECT_EQ(c.rect(), CropRect(100, 100, 200, 200));
}

TEST(CropTracker, CorrectionRules)
{
    const CropRect b(10, 10, 110, 110);
    struct Case {
        CropRect changed;
        int w0, h0;
        CropRect expected;
    };
    const Case cases[] = {
        {{0, 20, 50, 60}, 50, 40, {10, 20, 60, 60}},       // left edge, size kept
        {{20, 0, 60, 50}, 40, 50, {20, 10, 60, 60}},       // top edge
        {{80, 20, 130, 60}, 50, 40, {60, 20, 110, 60}},    // right edge
        {{20, 90, 60, 140}, 40, 50, {20, 60, 60, 110}},    // bottom edge
        {{60, 60, 20, 20}, 40, 40, {20, 20, 60, 60}},      // normalised
        {{20, 20, 20, 60}, 40, 40, {20, 20, 20, 60}},      // empty: left alone
        {{0, 0, 200, 200}, 200, 200, {10, 10, 110, 110}},  // larger than the picture
    };
    for (const Case& c : cases)
        EXPECT_EQ(CCropTracker::corrected(c.changed, b, c.w0, c.h0), c.expected);
    // An empty bounding rectangle corrects nothing.
    EXPECT_EQ(CCropTracker::corrected(CropRect(-5, -5, 50, 50), CropRect(), 55, 55),
              CropRect(-5, -5, 50, 50));
}

TEST(CropTracker, LabelInFramePixels)
{
    EXPECT_EQ(CCropTracker::labelText(CropRect(0, 0, 100, 80), 2.0f), QStringLiteral("200*160"));
    EXPECT_EQ(CCropTracker::labelText(CropRect(0, 0, 101, 81), 1.5f), QStringLiteral("151*121"));
    EXPECT_EQ(CCropTracker::labelText(CropRect(0, 0, 100, 80), 1.0f), QStringLiteral("100*80"));

    // Painted white on black in the top-left corner inside the rectangle.
    QImage canvas(300, 200, QImage::Format_RGB32);
    canvas.fill(QColor(0, 128, 0));
    CCropTracker t(CropRect(50, 40, 250, 160), CropRect(0, 0, 300, 200));
    {
        QPainter p(&canvas);
        t.paint(p, 1.0f);
    }
    EXPECT_EQ(canvas.pixel(150, 100), QColor(0, 128, 0).rgb());  // the picture inside
    EXPECT_EQ(canvas.pixel(50 - 3, 40 - 3) & 0xFFFFFF, 0u);      // a handle outside
    // The label: black and white only, right inside the top-left corner.
    bool sawBlack = false, sawLight = false;
    for (int y = 41; y < 60; ++y) {
        for (int x = 51; x < 110; ++x) {
            const QRgb c = canvas.pixel(x, y);
            sawBlack = sawBlack || (c & 0xFFFFFF) == 0;
            sawLight = sawLight || (qGray(c) > 160 && qRed(c) == qGreen(c));
        }
    }
    EXPECT_TRUE(sawBlack);
    EXPECT_TRUE(sawLight);
    EXPECT_EQ(canvas.pixel(150, 45), QColor(0, 128, 0).rgb());  // the box just fits "200*120"
}
