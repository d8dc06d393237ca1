// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The encoder of the "压缩动画" levels: every level's file decodes (with our
// decoder and with ImageMagick) to the frames, delays and size it was given;
// frames written as transparent rectangles show what the palette-mapped
// pictures show; the bytes do not depend on the thread count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "gif/level_encoder.h"
#include "gif/lzw_writer.h"
#include "imaging/gif_decoder.h"
#include "imaging/raster_image.h"
#include "test_env.h"

namespace {

struct Picture {
    int w = 0, h = 0;
    std::vector<uint8_t> bgr;
    uint8_t* at(int x, int y) { return &bgr[(size_t(y) * size_t(w) + size_t(x)) * 3]; }
    const uint8_t* at(int x, int y) const { return &bgr[(size_t(y) * size_t(w) + size_t(x)) * 3]; }
};

Picture flat(int w, int h, int r, int g, int b)
{
    Picture p{w, h, std::vector<uint8_t>(size_t(w) * size_t(h) * 3)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* q = p.at(x, y);
            q[0] = uint8_t(b);
            q[1] = uint8_t(g);
            q[2] = uint8_t(r);
        }
    return p;
}

// A screen-like picture of few colours with a box at (bx, by).
Picture screen(int w, int h, int bx, int by)
{
    Picture p = flat(w, h, 240, 240, 236);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* q = p.at(x, y);
            if (y < 6) {
                q[0] = 181, q[1] = 111, q[2] = 65;
            } else if (x >= bx && x < bx + 7 && y >= by && y < by + 5) {
                q[0] = 20, q[1] = 30, q[2] = 200;
            } else if ((x / 3 + y / 4) % 7 == 0) {
                q[0] = q[1] = q[2] = 40;
            }
        }
    return p;
}

// Thousands of colours: gradients with grain.
Picture noisy(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    Picture p = flat(w, h, 0, 0, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* q = p.at(x, y);
            const int grain = int(rng() % 9) - 4;
            q[0] = uint8_t(std::clamp(x * 255 / w + grain, 0, 255));
            q[1] = uint8_t(std::clamp(y * 255 / h + grain, 0, 255));
            q[2] = uint8_t(std::clamp(int(seed * 40 % 256) + grain, 0, 255));
        }
    return p;
}

std::vector<LevelFrame> framesOf(const std::vector<Picture>& pictures, const std::vector<int>& delays)
{
    std::vector<LevelFrame> frames;
    for (size_t i = 0; i < pictures.size(); ++i) {
        LevelFrame f;
        f.delay = delays[i];
        for (int y = 0; y < pictures[i].h; ++y)
            f.rows.push_back(pictures[i].at(0, y));
        frames.push_back(std::move(f));
    }
    return frames;
}

std::vector<uint8_t> encode(const std::vector<Picture>& pictures, const std::vector<int>& delays, int level,
                            bool bw, bool dither = true, int threads = 0, bool playOnce = false)
{
    LevelRequest request;
    request.width = pictures[0].w;
    request.height = pictures[0].h;
    request.dither = dither;
    request.playOnce = playOnce;
    request.options = LevelOptions::forLevel(level, bw);
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_TRUE(LevelEncoder::encode(framesOf(pictures, delays), request, out, nullptr, &error, threads))
        << error;
    return out;
}

// The composed frames as our decoder shows them.
std::unique_ptr<RasterImage> decodeAll(const std::vector<uint8_t>& bytes)
{
    auto img = std::make_unique<RasterImage>();
    img->setRetrieveAllFrames(true);
    if (!img->decodeMemory(bytes.data(), bytes.size(), ImageTypeGif))
        return nullptr;
    return img;
}

int distance(const RgbQuad& a, const uint8_t* bgr)
{
    const int db = int(a.blue) - bgr[0], dg = int(a.green) - bgr[1], dr = int(a.red) - bgr[2];
    return db * db + dg * dg + dr * dr;
}

// A recording with a still stretch: frames 2 and 3 are the same picture.
struct Recording {
    std::vector<Picture> pictures;
    std::vector<int> delays;
    std::vector<int> gifDelays;  // after identical neighbours are merged
};

Recording mixedRecording()
{
    Recording r;
    r.pictures = {screen(61, 37, 3, 10), screen(61, 37, 9, 12), noisy(61, 37, 3), noisy(61, 37, 3),
                  screen(61, 37, 30, 20)};
    r.delays = {5, 7, 4, 6, 9};
    r.gifDelays = {5, 7, 10, 9};
    return r;
}

struct LevelCase {
    int level;
    bool bw;
};
const LevelCase kAllLevels[] = {{1, false}, {2, false}, {3, false}, {4, false}, {5, false},
                                {1, true},  {2, true},  {3, true},  {4, true},  {5, true}};

std::string caseName(const LevelCase& c)
{
    return (c.bw ? "bw " : "colour ") + std::to_string(c.level);
}

}  // namespace

TEST(LevelEncoder, EveryLevelDecodesToTheFramesDelaysAndSize)
{
    const Recording r = mixedRecording();
    for (const LevelCase& c : kAllLevels) {
        SCOPED_TRACE(caseName(c));
        const std::vector<uint8_t> bytes = encode(r.pictures, r.delays, c.level, c.bw);
        auto frames = decodeAll(bytes);
        ASSERT_TRUE(frames);
        ASSERT_EQ(frames->retrievedFrameCount(), int(r.gifDelays.size()));
        for (int i = 0; i < frames->retrievedFrameCount(); ++i) {
            EXPECT_EQ(frames->frame(i)->width(), 61);
            EXPECT_EQ(frames->frame(i)->height(), 37);
            EXPECT_EQ(frames->frame(i)->frameDelay(), r.gifDelays[size_t(i)]);
        }
        // The raw file: a looping extension that repeats forever, no frame
        // bigger than the screen, every frame after the first cropped.
        GifFile file;
        std::string error;
        ASSERT_TRUE(parseGif(bytes.data(), bytes.size(), file, error)) << error;
        EXPECT_FALSE(file.truncated);
        EXPECT_EQ(file.loopCount, 0);
        EXPECT_EQ(file.frames[0].width, 61);
        EXPECT_EQ(file.frames[0].height, 37);
        for (const GifFrame& f : file.frames) {
            EXPECT_EQ(f.disposal, 1);
            if (c.bw) {
                for (const RgbQuad& q : f.palette)
                    EXPECT_TRUE(q.red == q.green && q.green == q.blue);
            }
        }
        EXPECT_LT(file.frames[1].width * file.frames[1].height, 61 * 37);
    }
}

TEST(LevelEncoder, ImageMagickReadsEveryLevel)
{
    std::string out;
    if (testenv::runCommand("command -v identify >/dev/null 2>&1", &out) != 0)
        GTEST_SKIP() << "ImageMagick identify is not installed";
    const Recording r = mixedRecording();
    testenv::TempDir dir;
    for (const LevelCase& c : kAllLevels) {
        SCOPED_TRACE(caseName(c));
        const std::vector<uint8_t> bytes = encode(r.pictures, r.delays, c.level, c.bw);
        const std::string path = dir.file("level.gif");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.clear();
        ASSERT_EQ(testenv::runCommand("identify -format '%W %H %T\\n' '" + path + "' 2>&1", &out), 0) << out;
        std::string expected;
        for (int d : r.gifDelays)
            expected += "61 37 " + std::to_string(d) + "\n";
        EXPECT_EQ(out, expected);
        // Coalesced, ImageMagick shows the same pictures as our decoder.
        auto frames = decodeAll(bytes);
        ASSERT_TRUE(frames);
        out.clear();
        ASSERT_EQ(testenv::runCommand("convert '" + path + "' -coalesce -depth 8 rgb:- | md5sum", &out), 0);
        std::vector<uint8_t> ours;
        for (int i = 0; i < frames->retrievedFrameCount(); ++i)
            for (int y = 0; y < 37; ++y)
                for (int x = 0; x < 61; ++x) {
                    const RgbQuad q = frames->frame(i)->getColor(x, y);
                    ours.insert(ours.end(), {q.red, q.green, q.blue});
                }
        const std::string raw = dir.file("ours.rgb");
        std::ofstream(raw, std::ios::binary)
            .write(reinterpret_cast<const char*>(ours.data()), std::streamsize(ours.size()));
        std::string ourSum;
        ASSERT_EQ(testenv::runCommand("md5sum < '" + raw + "'", &ourSum), 0);
        EXPECT_EQ(out, ourSum);
    }
}

TEST(LevelEncoder, FewColoursComeBackExactlyAtLevelOne)
{
    // Every picture has fewer than 256 colours: level 1 without dithering is
    // lossless, transparent pixels and cropped rectangles included.
    std::vector<Picture> pictures;
    for (int i = 0; i < 6; ++i)
        pictures.push_back(screen(80, 50, 2 + 9 * i, 8 + 5 * i));
    pictures[4] = pictures[3];
    const std::vector<int> delays(6, 4);
    const std::vector<uint8_t> bytes = encode(pictures, delays, 1, false, false);
    auto frames = decodeAll(bytes);
    ASSERT_TRUE(frames);
    ASSERT_EQ(frames->retrievedFrameCount(), 5);
    const int source[] = {0, 1, 2, 3, 5};
    for (int i = 0; i < 5; ++i)
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 80; ++x)
                ASSERT_EQ(distance(frames->frame(i)->getColor(x, y), pictures[size_t(source[i])].at(x, y)), 0)
                    << "frame " << i << " at " << x << "," << y;
}

TEST(LevelEncoder, TransparentPixelsShowNoWorseThanThePaletteMappedPicture)
{
    // Many colours: at level 1 without dithering a pixel that changed is shown
    // at least as close to its picture as the nearest entry of the colours the
    // frame carries (whether it was written or left transparent), and a pixel
    // that did not change is shown no worse than before.
    std::vector<Picture> pictures = {noisy(64, 40, 1), noisy(64, 40, 1), noisy(64, 40, 2), noisy(64, 40, 2)};
    for (int y = 10; y < 20; ++y)
        for (int x = 5; x < 30; ++x)
            pictures[1].at(x, y)[1] = uint8_t(x * 7);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 20; ++x)
            pictures[3].at(x, y)[0] = uint8_t(y * 5);
    const std::vector<uint8_t> bytes = encode(pictures, {5, 5, 5, 5}, 1, false, false);
    auto frames = decodeAll(bytes);
    GifFile file;
    std::string error;
    ASSERT_TRUE(parseGif(bytes.data(), bytes.size(), file, error)) << error;
    ASSERT_TRUE(frames);
    ASSERT_EQ(frames->retrievedFrameCount(), 4);
    ASSERT_EQ(file.frames.size(), 4u);
    std::vector<int> before(64 * 40, 0);
    for (int i = 0; i < 4; ++i) {
        const GifFrame& f = file.frames[size_t(i)];
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 64; ++x) {
                const uint8_t* want = pictures[size_t(i)].at(x, y);
                const int shown = distance(frames->frame(i)->getColor(x, y), want);
                int& last = before[size_t(y * 64 + x)];
                if (i > 0 && std::equal(want, want + 3, pictures[size_t(i) - 1].at(x, y))) {
                    ASSERT_LE(shown, last) << "frame " << i << " at " << x << "," << y;
                } else {
                    int nearest = 1 << 30;
                    for (int k = 0; k < int(f.palette.size()); ++k)
                        if (k != f.transparentIndex)
                            nearest = std::min(nearest, distance(f.palette[size_t(k)], want));
                    ASSERT_LE(shown, nearest) << "frame " << i << " at " << x << "," << y;
                }
                last = shown;
            }
    }
}

TEST(LevelEncoder, ScrolledRowsAreWrittenWholeAndComeBackExactly)
{
    // A terminal that scrolls: most pixels of a row change, the background
    // pixels between them often do not. Those are written with the
    // background's entry rather than left transparent one by one (long
    // strings for the LZW coder), and the pictures still come back exactly.
    const int w = 150, h = 40;
    std::vector<Picture> pictures;
    std::mt19937 rng(7);
    std::vector<std::vector<int>> lines;  // glyph columns of each text line
    for (int i = 0; i < 12; ++i) {
        std::vector<int> line;
        for (int x = 2; x < w - 2; ++x)
            if (rng() % 4 == 0)
                line.push_back(x);
        lines.push_back(line);
    }
    for (int t = 0; t < 5; ++t) {
        Picture p = flat(w, h, 30, 30, 30);
        p.at(w / 2, 1)[2] = 250;  // a still pixel of a colour of its own
        for (int row = 0; row < 8; ++row)
            for (int x : lines[size_t(row + t)])
                for (int y = row * 5; y < row * 5 + 3; ++y) {
                    uint8_t* q = p.at(x, y);
                    q[0] = q[1] = q[2] = uint8_t(x % 3 == 0 ? 200 : 120);
                }
        pictures.push_back(p);
    }
    const std::vector<uint8_t> bytes = encode(pictures, std::vector<int>(5, 5), 1, false, false);
    auto frames = decodeAll(bytes);
    ASSERT_TRUE(frames);
    ASSERT_EQ(frames->retrievedFrameCount(), 5);
    for (int i = 0; i < 5; ++i)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(distance(frames->frame(i)->getColor(x, y), pictures[size_t(i)].at(x, y)), 0)
                    << "frame " << i << " at " << x << "," << y;
    GifFile file;
    std::string error;
    ASSERT_TRUE(parseGif(bytes.data(), bytes.size(), file, error)) << error;
    for (size_t i = 1; i < file.frames.size(); ++i) {
        const GifFrame& f = file.frames[i];
        ASSERT_GE(f.transparentIndex, 0);
        // Many unchanged background pixels are written with their entry.
        int written = 0, left = 0;
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x) {
                const uint8_t* now = pictures[i].at(f.left + x, f.top + y);
                if (!std::equal(now, now + 3, pictures[i - 1].at(f.left + x, f.top + y)))
                    continue;
                (f.indices[size_t(y) * size_t(f.width) + size_t(x)] == f.transparentIndex ? left : written)++;
            }
        // (Left alone, about one in ten would be written: only those the LZW
        // coder picks to extend a string.)
        EXPECT_GE(written, left / 2) << "frame " << i;
    }
}

TEST(LevelEncoder, SameBytesWithOneAndThreeThreads)
{
    std::vector<Picture> pictures;
    std::vector<int> delays;
    for (int i = 0; i < 9; ++i) {
        pictures.push_back(i % 3 == 2 ? screen(70, 45, i * 5, i * 3) : noisy(70, 45, unsigned(i / 2)));
        delays.push_back(3 + i);
    }
    for (const LevelCase& c : kAllLevels) {
        SCOPED_TRACE(caseName(c));
        const std::vector<uint8_t> one = encode(pictures, delays, c.level, c.bw, true, 1);
        const std::vector<uint8_t> three = encode(pictures, delays, c.level, c.bw, true, 3);
        EXPECT_EQ(one, three);
    }
}

TEST(LevelEncoder, PlayOnceLeavesTheLoopingExtensionOut)
{
    const Recording r = mixedRecording();
    const std::vector<uint8_t> bytes = encode(r.pictures, r.delays, 3, false, true, 0, true);
    GifFile file;
    std::string error;
    ASSERT_TRUE(parseGif(bytes.data(), bytes.size(), file, error)) << error;
    EXPECT_EQ(file.loopCount, -1);
}

TEST(LevelEncoder, RefusesWhatItCannotWrite)
{
    LevelRequest request;
    request.width = 0;
    request.height = 10;
    std::vector<uint8_t> out;
    std::string error;
    const Picture p = flat(4, 10, 1, 2, 3);
    EXPECT_FALSE(LevelEncoder::encode({}, request, out, nullptr, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(LevelEncoder::encode(framesOf({p}, {5}), request, out, nullptr, &error));
    request.width = 4;
    request.height = 11;  // the frame has 10 rows
    EXPECT_FALSE(LevelEncoder::encode(framesOf({p}, {5}), request, out, nullptr, &error));
}

TEST(LzwWriter, LongImagesRoundTripThroughTheDecoder)
{
    // Past 4096 codes the dictionary starts again; every code size from 2 to 8.
    for (int bits = 2; bits <= 8; ++bits) {
        SCOPED_TRACE(bits);
        std::mt19937 rng{unsigned(bits)};
        const int w = 300, h = 200;
        std::vector<uint8_t> indices(size_t(w) * size_t(h));
        for (size_t i = 0; i < indices.size(); ++i)
            indices[i] = uint8_t(i % 5 == 0 ? rng() % (1u << bits) : (i / 7) % (1u << bits));
        std::vector<uint8_t> gif = {'G',
                                    'I',
                                    'F',
                                    '8',
                                    '9',
                                    'a',
                                    uint8_t(w),
                                    uint8_t(w >> 8),
                                    uint8_t(h),
                                    0,
                                    uint8_t(0x80 | 0x70 | (bits - 1)),
                                    0,
                                    0};
        for (int k = 0; k < (1 << bits); ++k)
            gif.insert(gif.end(), {uint8_t(k), uint8_t(k * 3), uint8_t(k * 5)});
        gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, uint8_t(w), uint8_t(w >> 8), uint8_t(h), 0, 0});
        LzwWriter(bits).encode(indices.data(), int(indices.size()), gif);
        gif.push_back(0x3B);
        GifFile file;
        std::string error;
        ASSERT_TRUE(parseGif(gif.data(), gif.size(), file, error)) << error;
        ASSERT_EQ(file.frames.size(), 1u);
        EXPECT_FALSE(file.truncated);
        EXPECT_EQ(file.frames[0].indices, indices);
    }
}
