// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The frame sequence: ownership, frame numbers, the recording append with its
// delays and last-ten-seconds trimming, and the frame rectangle.
#include <gtest/gtest.h>

#include <climits>

#include "capture/frame_sequence.h"

namespace {

// A 1 x 1 picture whose colour carries a tag (0 .. 65535).
std::unique_ptr<RasterImage> tagged(int tag)
{
    auto image = RasterImage::make(1, 1, 24);
    image->setColor(0, 0, RgbQuad{uint8_t(tag & 0xFF), uint8_t(tag >> 8), 7, 0});
    return image;
}

int tagOf(const RasterImage* image)
{
    if (!image)
        return -1;
    const RgbQuad c = image->getColor(0, 0);
    return c.blue | (c.green << 8);
}

std::unique_ptr<FrameRecord> record(int tag, int delay = 10)
{
    return FrameRecord::make(tagged(tag), delay);
}

std::vector<int> tags(const FrameSequence& seq)
{
    std::vector<int> out;
    for (int i = 0; i < seq.count(); ++i)
        out.push_back(tagOf(seq.at(i)->image.get()));
    return out;
}

TEST(FrameSequence, StartValues)
{
    FrameSequence seq;
    EXPECT_EQ(seq.frameRect(), (FrameRect{150, 200, 550, 450}));
    EXPECT_EQ(seq.frameWidth(), 400);
    EXPECT_EQ(seq.frameHeight(), 250);
    EXPECT_EQ(seq.mouseTrackMode(), 0);
    EXPECT_EQ(seq.fps(), 20);
    EXPECT_FALSE(seq.lastTenSeconds());
    EXPECT_EQ(seq.count(), 0);
}

TEST(FrameSequence, FrameImageCountsFromOne)
{
    FrameSequence seq;
    EXPECT_EQ(seq.FrameImage(1), nullptr);
    EXPECT_EQ(seq.FrameImage(0), nullptr);
    for (int t = 1; t <= 3; ++t)
        ASSERT_TRUE(seq.append(record(t)));
    EXPECT_EQ(seq.FrameImage(0), nullptr);
    EXPECT_EQ(seq.FrameImage(-1), nullptr);
    EXPECT_EQ(seq.FrameImage(4), nullptr);
    EXPECT_EQ(tagOf(seq.FrameImage(1)), 1);
    EXPECT_EQ(tagOf(seq.FrameImage(3)), 3);
    EXPECT_EQ(seq.at(-1), nullptr);
    EXPECT_EQ(seq.at(3), nullptr);
    const FrameSequence& cseq = seq;
    EXPECT_EQ(tagOf(cseq.FrameImage(2)), 2);
}

TEST(FrameSequence, InsertRemoveTakeSwapClear)
{
    FrameSequence seq;
    EXPECT_FALSE(seq.append(nullptr));
    EXPECT_FALSE(seq.append(std::make_unique<FrameRecord>()));  // no image
    for (int t = 1; t <= 5; ++t)
        seq.append(record(t));

    seq.insert(2, record(10));
    seq.insert(-4, record(11));   // front
    seq.insert(100, record(12));  // end
    EXPECT_EQ(tags(seq), (std::vector<int>{11, 1, 2, 10, 3, 4, 5, 12}));

    seq.remove(1, 2);
    EXPECT_EQ(tags(seq), (std::vector<int>{11, 10, 3, 4, 5, 12}));
    seq.remove(4, 100);  // only what is there
    EXPECT_EQ(tags(seq), (std::vector<int>{11, 10, 3, 4}));
    seq.remove(-1, 2);  // the part of the range inside the array
    EXPECT_EQ(tags(seq), (std::vector<int>{10, 3, 4}));
    seq.remove(3, 1);
    seq.remove(0, 0);
    EXPECT_EQ(seq.count(), 3);

    std::unique_ptr<FrameRecord> taken = seq.take(1);
    ASSERT_TRUE(taken);
    EXPECT_EQ(tagOf(taken->image.get()), 3);
    EXPECT_EQ(seq.take(5), nullptr);
    EXPECT_EQ(tags(seq), (std::vector<int>{10, 4}));

    seq.swap(0, 1);
    seq.swap(0, 7);  // ignored
    EXPECT_EQ(tags(seq), (std::vector<int>{4, 10}));

    seq.clear();
    EXPECT_EQ(seq.count(), 0);
    EXPECT_EQ(seq.FrameImage(1), nullptr);
}

TEST(FrameSequence, IncludeMarkIsTheFlagsWord)
{
    auto rec = record(1);
    EXPECT_EQ(rec->image->flags(), 1u);
    EXPECT_TRUE(rec->included());
    rec->setIncluded(false);
    EXPECT_EQ(rec->image->flags(), 0u);
    EXPECT_FALSE(rec->included());
    EXPECT_EQ(FrameRecord::make(nullptr, 5), nullptr);
}

TEST(FrameSequence, RecordingDelayIsTruncated)
{
    const int rates[] = {25, 20, 15, 10, 5, 3, 1};
    const int delays[] = {4, 5, 6, 10, 20, 33, 100};
    for (size_t i = 0; i < std::size(rates); ++i) {
        FrameSequence seq;
        seq.setFps(rates[i]);
        ASSERT_TRUE(seq.appendRecorded(tagged(1)));
        EXPECT_EQ(seq.at(0)->delay, delays[i]) << rates[i] << " fps";
        EXPECT_EQ(seq.at(0)->image->flags(), 1u);
    }
    EXPECT_EQ(FrameSequence::recordingDelay(0), 100);
    FrameSequence seq;
    EXPECT_FALSE(seq.appendRecorded(nullptr));
    EXPECT_FALSE(seq.appendRecorded(std::make_unique<RasterImage>()));
    EXPECT_EQ(seq.count(), 0);
}

TEST(FrameSequence, LastTenSecondsKeepsTheNewestFrames)
{
    FrameSequence seq;
    seq.setFps(20);
    seq.setLastTenSeconds(true);
    for (int grab = 1; grab <= 200; ++grab)
        seq.appendRecorded(tagged(grab));
    EXPECT_EQ(seq.count(), 200);
    EXPECT_EQ(tagOf(seq.FrameImage(1)), 1);

    seq.appendRecorded(tagged(201));  // the 201st grab removes the first
    EXPECT_EQ(seq.count(), 200);
    EXPECT_EQ(tagOf(seq.FrameImage(1)), 2);
    EXPECT_EQ(tagOf(seq.FrameImage(200)), 201);

    for (int grab = 202; grab <= 600; ++grab)  // 30 seconds
        seq.appendRecorded(tagged(grab));
    EXPECT_EQ(seq.count(), 200);
    EXPECT_EQ(tagOf(seq.FrameImage(1)), 401);
    EXPECT_EQ(tagOf(seq.FrameImage(200)), 600);

    FrameSequence slow;
    slow.setFps(1);
    slow.setLastTenSeconds(true);
    for (int grab = 1; grab <= 25; ++grab) {
        slow.appendRecorded(tagged(grab));
        EXPECT_LE(slow.count(), 10);
    }
    EXPECT_EQ(tagOf(slow.FrameImage(1)), 16);

    FrameSequence keepAll;
    for (int grab = 1; grab <= 600; ++grab)
        keepAll.appendRecorded(tagged(grab));
    EXPECT_EQ(keepAll.count(), 600);
}

TEST(FrameSequence, InvertedFrameRectangleIsIgnored)
{
    FrameSequence seq;
    EXPECT_TRUE(seq.SetFrameRectangle(10, 20, 330, 260, 3));
    EXPECT_EQ(seq.frameRect(), (FrameRect{10, 20, 330, 260}));
    EXPECT_EQ(seq.mouseTrackMode(), 3);

    EXPECT_FALSE(seq.SetFrameRectangle(400, 0, 100, 50, 1));  // right < left
    EXPECT_FALSE(seq.SetFrameRectangle(0, 90, 100, 50, 1));   // bottom < top
    EXPECT_EQ(seq.frameRect(), (FrameRect{10, 20, 330, 260}));
    EXPECT_EQ(seq.mouseTrackMode(), 3);

    EXPECT_TRUE(seq.SetFrameRectangle(5, 5, 5, 5, 0));  // empty is not inverted
    EXPECT_EQ(seq.frameWidth(), 0);
    EXPECT_EQ(seq.mouseTrackMode(), 0);

    // A rectangle wider than the int range has the widest size there is.
    EXPECT_TRUE(seq.SetFrameRectangle(INT_MIN, -2, INT_MAX, INT_MAX, 0));
    EXPECT_EQ(seq.frameWidth(), INT_MAX);
    EXPECT_EQ(seq.frameHeight(), INT_MAX);
}

}  // namespace
