// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Generations at a "压缩动画" level: the same composition as the default
// encoding (scale, captions, filter...) and the same frames, delays and size
// in the file; progress as the default reports it; every level smaller than
// the one above it on a recording with room to trade; vexlo gif --level/--bw.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "capture/frame_record.h"
#include "capture/frame_sequence.h"
#include "editor/caption_list.h"
#include "gif/frame_sequence_source.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "imaging/raster_image.h"
#include "test_env.h"

namespace {

std::unique_ptr<RasterImage> frame(int w, int h, int t)
{
    auto img = RasterImage::make(w, h, 24);
    std::mt19937 rng{unsigned(t)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int grain = int(rng() % 7) - 3;
            img->setColor(
                x, y,
                RgbQuad{uint8_t(std::clamp(x * 4 + t * 9 + grain, 0, 255)),
                        uint8_t(std::clamp(y * 3 + grain, 0, 255)), uint8_t((x * y + t * 5) & 255), 0});
        }
    return img;
}

void record(FrameSequence& seq, int w, int h)
{
    seq.SetFrameRectangle(0, 0, w, h, 0);
    const int pictures[] = {0, 1, 1, 2, 3, 3, 3, 4};
    const int delays[] = {5, 6, 7, 5, 4, 4, 4, 9};
    for (int i = 0; i < 8; ++i)
        seq.append(FrameRecord::make(frame(w, h, pictures[i]), delays[i]));
}

struct Decoded {
    int width = 0, height = 0;
    std::vector<int> delays;
};

Decoded decode(const std::string& path)
{
    Decoded d;
    RasterImage img;
    img.setRetrieveAllFrames(true);
    if (!img.decodeFile(path, ImageTypeGif))
        return d;
    d.width = img.width();
    d.height = img.height();
    for (int i = 0; i < img.retrievedFrameCount(); ++i)
        d.delays.push_back(img.frame(i)->frameDelay());
    return d;
}

}  // namespace

TEST(LevelGeneration, SameFramesDelaysAndSizeAsTheDefaultAndSmallerEachStep)
{
    testenv::TempDir dir;
    FrameSequence seq;
    record(seq, 90, 60);
    CaptionList captions;
    GenerationSettings settings;
    settings.outputScale = 0.5f;  // 45 x 30
    settings.outputPath = QString::fromStdString(dir.file("default.gif"));
    FrameSequenceSource source(seq);
    ASSERT_TRUE(GifGenerator::generate(source, captions, settings, 0, true, {}));
    const Decoded reference = decode(dir.file("default.gif"));
    ASSERT_EQ(reference.width, 45);
    ASSERT_EQ(reference.height, 30);
    ASSERT_EQ(reference.delays, std::vector<int>({5, 13, 5, 12, 9}));

    for (bool bw : {false, true}) {
        qint64 previous = -1;
        for (int level = 1; level <= 5; ++level) {
            SCOPED_TRACE((bw ? "bw " : "colour ") + std::to_string(level));
            const std::string path = dir.file("level" + std::to_string(level) + (bw ? "bw" : "") + ".gif");
            settings.outputPath = QString::fromStdString(path);
            settings.level = level;
            settings.blackWhite = bw;
            std::vector<int> progress;
            FrameSequenceSource levelSource(seq);
            ASSERT_TRUE(GifGenerator::generate(levelSource, captions, settings, 0, true,
                                               [&](int p) { progress.push_back(p); }));
            const Decoded d = decode(path);
            EXPECT_EQ(d.width, reference.width);
            EXPECT_EQ(d.height, reference.height);
            EXPECT_EQ(d.delays, reference.delays);
            ASSERT_FALSE(progress.empty());
            EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
            EXPECT_NE(std::find(progress.begin(), progress.end(), 95), progress.end());
            EXPECT_EQ(progress.back(), 100);
            const qint64 size = QFileInfo(QString::fromStdString(path)).size();
            if (previous >= 0) {
                EXPECT_LT(size, previous);
            }
            previous = size;
        }
    }
}

TEST(LevelGeneration, CommandLineLevels)
{
    if (testenv::vexloBin().empty())
        GTEST_SKIP() << "the program is not built";
    testenv::TempDir dir;
    for (int t = 0; t < 3; ++t) {
        auto img = frame(40, 30, t);
        ASSERT_TRUE(img->encodeFile(dir.file("p" + std::to_string(t) + ".bmp"), ImageTypeBmp));
    }
    const std::string bin = "'" + testenv::vexloBin() + "' gif '" + dir.path() + "' -o '";
    std::string out;
    EXPECT_EQ(testenv::runCommand(bin + dir.file("a.gif") + "' --level 5 2>/dev/null", &out), 0);
    EXPECT_EQ(decode(dir.file("a.gif")).delays.size(), 3u);
    EXPECT_EQ(testenv::runCommand(bin + dir.file("b.gif") + "' --bw 1 2>/dev/null", &out), 0);
    EXPECT_EQ(decode(dir.file("b.gif")).width, 40);
    // Refused: out of range, or both kinds at once; nothing is written.
    for (const char* args : {"--level 0", "--level 6", "--bw x", "--level 2 --bw 2"}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(testenv::runCommand(bin + dir.file("c.gif") + "' " + args + " 2>/dev/null", &out), 2);
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.file("c.gif"))));
    }
}
