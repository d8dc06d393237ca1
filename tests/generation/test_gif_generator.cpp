// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// GIF generation: the fast generator writes exactly the bytes of the literal
// algorithm, and the file has the sizes, frames, delays, loop and colours the
// settings ask for.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "editor/caption_list.h"
#include "gif/frame_sequence_source.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "gif_bytes.h"
#include "imaging/raster_image.h"
#include "reference_gif.h"
#include "sequence_fixtures.h"
#include "test_env.h"

namespace {

using fixtures::add;
using fixtures::OwningSource;

using Pixel = RgbQuad;

Pixel rgb(int r, int g, int b)
{
    return RgbQuad{uint8_t(b), uint8_t(g), uint8_t(r), 0};
}

template <typename F>
std::unique_ptr<RasterImage> picture(int w, int h, F colourAt)
{
    auto img = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Pixel c = colourAt(x, y);
            uint8_t* p = img->row(y) + size_t(x) * 3;
            p[0] = c.blue;
            p[1] = c.green;
            p[2] = c.red;
        }
    return img;
}

std::unique_ptr<RasterImage> flat(int w, int h, Pixel c)
{
    return picture(w, h, [&](int, int) { return c; });
}

std::unique_ptr<RasterImage> noisy(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    return picture(w, h, [&](int x, int y) {
        return rgb((x * 7 + int(rng() % 40)) & 255, (y * 11 + int(rng() % 40)) & 255,
                   int((x * y + rng() % 64) & 255));
    });
}

struct Outcome {
    bool ok = false;
    std::vector<int> progress;
    std::string path;
};

Outcome generate(const FrameSequence& seq, const CaptionList& captions, GenerationSettings settings,
                 const std::string& path, int filter = 0, bool dither = true)
{
    Outcome run;
    run.path = path;
    settings.outputPath = QString::fromStdString(path);
    FrameSequenceSource source(seq);
    run.ok = GifGenerator::generate(source, captions, settings, filter, dither,
                                    [&](int p) { run.progress.push_back(p); });
    return run;
}

// Frames as our decoder composes them.
std::unique_ptr<RasterImage> decodeAll(const std::string& path)
{
    auto img = std::make_unique<RasterImage>();
    img->setRetrieveAllFrames(true);
    if (!img->decodeFile(path, ImageTypeGif))
        return nullptr;
    return img;
}

Pixel pixelOf(const RasterImage& img, int x, int y)
{
    RgbQuad c = img.getColor(x, y);
    c.reserved = 0;
    return c;
}

// Sets the number of generation threads for one scope.
class ScopedThreads {
public:
    explicit ScopedThreads(const char* count) { qputenv("VEXLO_GENERATION_THREADS", count); }
    ~ScopedThreads() { qunsetenv("VEXLO_GENERATION_THREADS"); }
    ScopedThreads(const ScopedThreads&) = delete;
    ScopedThreads& operator=(const ScopedThreads&) = delete;
};

class GifGeneratorTest : public ::testing::Test {
protected:
    testenv::TempDir dir;
    CaptionList captions;
    GenerationSettings settings;
};

// A sequence with everything composition deals with: noise with thousands of
// colours, a run of identical frames, a deleted frame, a picture of another
// size and a caption with a thick outline.
void richSequence(FrameSequence& seq, CaptionList& captions)
{
    seq.SetFrameRectangle(0, 0, 37, 23, 0);
    add(seq, noisy(37, 23, 1), 4);
    add(seq, noisy(37, 23, 2), 5);
    add(seq, noisy(37, 23, 2), 6);
    add(seq, noisy(37, 23, 2), 7);
    // Frames that differ from the one before in a few places only: a patch in
    // the middle, a pixel of the bottom row, the right column.
    auto patched = [](unsigned seed, int x0, int y0, int pw, int ph) {
        auto img = noisy(37, 23, seed);
        for (int y = y0; y < y0 + ph; ++y)
            for (int x = x0; x < x0 + pw; ++x) {
                uint8_t* p = img->row(y) + size_t(x) * 3;
                p[0] = uint8_t(255 - p[0]);
                p[2] = uint8_t(p[2] / 2);
            }
        return img;
    };
    add(seq, patched(2, 15, 8, 5, 4), 3);
    add(seq, patched(2, 0, 22, 1, 1), 3);
    add(seq, patched(2, 36, 0, 1, 23), 3);
    // Flat colours between the palette's entries, where errors run far.
    auto soft = [](int x0) {
        return picture(37, 23, [x0](int x, int y) {
            return (x >= x0 && x < x0 + 3 && y > 5 && y < 9) ? rgb(20, 200, 30)
                                                             : rgb(101 + (x > 20), 77, 190);
        });
    };
    add(seq, soft(4), 2);
    add(seq, soft(5), 2);
    add(seq, soft(30), 2);
    add(seq, flat(37, 23, rgb(0, 255, 0)), 8, false);
    add(seq, noisy(20, 31, 3), 9);
    add(seq, picture(37, 23, [](int x, int y) { return rgb(x * 6, y * 10, 128); }), 10);
    auto caption = std::make_unique<CaptionItem>();
    caption->x = 3;
    caption->y = 18;
    caption->firstFrame = 2;
    caption->lastFrame = 6;
    caption->backgroundStyle = CaptionBackgroundThickOutline;
    caption->font.setFace(QStringLiteral("DejaVu Sans"));
    caption->font.height = -12;
    caption->textColor = makeColorRef(255, 255, 0);
    caption->backgroundColor = makeColorRef(0, 0, 90);
    caption->setText(QStringLiteral("Hi&!"));
    captions.append(std::move(caption));
}

struct ByteCase {
    bool dither;
    bool keepWhite;
    bool playOnce;
    float scale;
    bool watermarks;
};

TEST_F(GifGeneratorTest, WritesTheSameBytesAsTheLiteralAlgorithm)
{
    FrameSequence seq;
    richSequence(seq, captions);
    // A watermark picture with an alpha plane.
    const std::string markPath = dir.file("mark.png");
    {
        auto mark = picture(16, 8, [](int x, int y) { return rgb(255, x * 16, y * 30); });
        mark->createAlpha();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x)
                mark->alphaRow(y)[x] = uint8_t(x * 16);
        ASSERT_TRUE(mark->encodeFile(markPath, ImageTypePng));
    }
    const ByteCase cases[] = {
        {true, false, false, 1.0f, false}, {false, false, false, 1.0f, false},
        {true, true, true, 0.5f, false},   {false, true, false, 1.7f, false},
        {true, false, false, 1.0f, true},  {false, false, true, 2.0f, true},
    };
    int n = 0;
    for (const ByteCase& c : cases) {
        SCOPED_TRACE("case " + std::to_string(n));
        GenerationSettings s;
        s.keepWhite = c.keepWhite;
        s.playOnce = c.playOnce;
        s.outputScale = c.scale;
        if (c.watermarks) {
            s.imageWatermark.enabled = true;
            s.imageWatermark.corner = 7;
            s.imageWatermark.width = 12;
            s.imageWatermark.file = QString::fromStdString(markPath);
            s.textWatermark.enabled = true;
            s.textWatermark.corner = 0;
            s.textWatermark.text = QStringLiteral("wm");
            s.textWatermark.fontFace = QStringLiteral("DejaVu Sans");
            s.textWatermark.fontHeight = -9;
            s.textWatermark.background = (n % 2) == 0;
        }
        const std::string fast = dir.file("fast" + std::to_string(n) + ".gif");
        const std::string slow = dir.file("slow" + std::to_string(n) + ".gif");
        ASSERT_TRUE(generate(seq, captions, s, fast, 0, c.dither).ok);
        const std::string owning = dir.file("owning" + std::to_string(n) + ".gif");
        s.outputPath = QString::fromStdString(owning);
        OwningSource source(seq);
        ASSERT_TRUE(GifGenerator::generate(source, captions, s, 0, c.dither, {}));
        s.outputPath = QString::fromStdString(slow);
        ASSERT_TRUE(reference::generate(seq, captions, s, 0, c.dither));
        EXPECT_TRUE(gifbytes::readFile(owning) == gifbytes::readFile(slow));
        const std::vector<uint8_t> a = gifbytes::readFile(fast);
        const std::vector<uint8_t> b = gifbytes::readFile(slow);
        ASSERT_GT(a.size(), 100u);
        EXPECT_TRUE(a == b) << "fast " << a.size() << " bytes, literal " << b.size() << " bytes";
        // However many threads share the work, the bytes are the same.
        for (const char* threads : {"1", "3", "7"}) {
            ScopedThreads forced(threads);
            const std::string path = dir.file("threads" + std::to_string(n) + "-" + threads + ".gif");
            ASSERT_TRUE(generate(seq, captions, s, path, 0, c.dither).ok);
            EXPECT_TRUE(gifbytes::readFile(path) == b) << threads << " threads";
        }
        ++n;
    }
}

// Frames of a recording: a flat screen with a moving block, a stretch where
// nothing changes, a frame of noise and a gradient.
void recordingSequence(FrameSequence& seq)
{
    seq.SetFrameRectangle(0, 0, 41, 27, 0);
    for (int t = 0; t < 9; ++t) {
        const int bx = (t < 3 || t > 5) ? t * 3 : 9;  // frames 3..6 are the same picture
        add(seq,
            picture(41, 27,
                    [bx](int x, int y) {
                        return (x >= bx && x < bx + 6 && y >= 10 && y < 16) ? rgb(200, 30, 90)
                               : y < 4                                      ? rgb(40, 60, 90)
                                                                            : rgb(250, 250, 250);
                    }),
            3 + t);
    }
    add(seq, noisy(41, 27, 11), 4);
    add(seq, noisy(41, 27, 11), 4);
    add(seq, picture(41, 27, [](int x, int y) { return rgb(x * 6, y * 9, 255 - x * 3); }), 6);
}

// A filter that swaps red and blue and darkens green, stored as filter 1 in a
// settings folder of the test's own.
class SwapFilter {
public:
    explicit SwapFilter(testenv::TempDir& dir) : appdata_(dir.file("filters"))
    {
        std::filesystem::create_directories(appdata_ + "/vexlo");
        auto cube = RasterImage::make(512, 512, 24);
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x) {
                const int tile = (y / 64) * 8 + x / 64;
                uint8_t* p = cube->row(y) + size_t(x) * 3;
                p[0] = uint8_t(4 * (x % 64));
                p[1] = uint8_t(3 * (y % 64));
                p[2] = uint8_t(4 * tile);
            }
        EXPECT_TRUE(cube->encodeFile(appdata_ + "/vexlo/1.fff", ImageTypePng));
        const char* old = std::getenv("APPDATA");
        had_ = old != nullptr;
        saved_ = old ? old : "";
        setenv("APPDATA", appdata_.c_str(), 1);
    }
    ~SwapFilter()
    {
        if (had_)
            setenv("APPDATA", saved_.c_str(), 1);
        else
            unsetenv("APPDATA");
    }
    SwapFilter(const SwapFilter&) = delete;
    SwapFilter& operator=(const SwapFilter&) = delete;

private:
    std::string appdata_;
    std::string saved_;
    bool had_ = false;
};

// Each way composition can take (nothing to do, a filter only, captions only,
// resampling only, runs of identical frames) writes the literal algorithm's
// bytes, whether the pictures are borrowed or owned and however many threads
// share the work.
TEST_F(GifGeneratorTest, EveryCompositionPathWritesTheLiteralBytes)
{
    SwapFilter filterFile(dir);
    struct PathCase {
        const char* name;
        int filter;
        bool caption;
        float scale;
        bool identical;  // the sequence is one picture repeated
    };
    const PathCase cases[] = {
        {"nothing to do", 0, false, 1.0f, false},   {"filter only", 1, false, 1.0f, false},
        {"captions only", 0, true, 1.0f, false},    {"resample only", 0, false, 0.7f, false},
        {"identical frames", 0, false, 1.0f, true},
    };
    for (const PathCase& c : cases) {
        FrameSequence seq;
        if (c.identical) {
            seq.SetFrameRectangle(0, 0, 29, 19, 0);
            for (int t = 0; t < 6; ++t)
                add(seq, noisy(29, 19, 21), 2 + t);
        } else {
            recordingSequence(seq);
        }
        CaptionList caps;
        if (c.caption) {
            auto caption = std::make_unique<CaptionItem>();
            caption->x = 2;
            caption->y = 14;
            caption->firstFrame = 2;
            caption->lastFrame = 10;
            caption->backgroundStyle = CaptionBackgroundBox;
            caption->font.setFace(QStringLiteral("DejaVu Sans"));
            caption->font.height = -11;
            caption->textColor = makeColorRef(10, 10, 10);
            caption->backgroundColor = makeColorRef(255, 240, 0);
            caption->setText(QStringLiteral("ok"));
            caps.append(std::move(caption));
        }
        for (bool dither : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (dither ? ", diffusion" : ", plain"));
            GenerationSettings s;
            s.outputScale = c.scale;
            s.outputPath = QString::fromStdString(dir.file("literal.gif"));
            ASSERT_TRUE(reference::generate(seq, caps, s, c.filter, dither));
            const std::vector<uint8_t> literal = gifbytes::readFile(dir.file("literal.gif"));
            ASSERT_GT(literal.size(), 100u);
            for (const char* threads : {"1", "3", "7"}) {
                ScopedThreads forced(threads);
                const Outcome borrowed = generate(seq, caps, s, dir.file("borrowed.gif"), c.filter, dither);
                ASSERT_TRUE(borrowed.ok);
                EXPECT_TRUE(gifbytes::readFile(borrowed.path) == literal) << threads << " threads, borrowed";
                s.outputPath = QString::fromStdString(dir.file("owned.gif"));
                OwningSource source(seq);
                ASSERT_TRUE(GifGenerator::generate(source, caps, s, c.filter, dither, {}));
                EXPECT_TRUE(gifbytes::readFile(dir.file("owned.gif")) == literal)
                    << threads << " threads, owned";
            }
        }
    }
}

// A source that runs out of memory when composition reaches record `failAt`.
class FailingSource : public FrameSequenceSource {
public:
    FailingSource(const FrameSequence& seq, int failAt) : FrameSequenceSource(seq), failAt_(failAt) {}
    const RasterImage* image(int i, std::unique_ptr<RasterImage>& owned) override
    {
        if (i == failAt_)
            throw std::bad_alloc();
        return FrameSequenceSource::image(i, owned);
    }

private:
    int failAt_;
};

TEST_F(GifGeneratorTest, RunningOutOfMemoryFailsCleanly)
{
    FrameSequence seq;
    richSequence(seq, captions);
    for (const char* threads : {"1", "4"}) {
        ScopedThreads forced(threads);
        for (int failAt : {0, 5, seq.count() - 1}) {
            SCOPED_TRACE(std::string(threads) + " threads, record " + std::to_string(failAt));
            settings.outputPath = QString::fromStdString(dir.file("oom.gif"));
            FailingSource source(seq, failAt);
            std::string error;
            EXPECT_FALSE(GifGenerator::generate(source, captions, settings, 0, true, {}, &error));
            EXPECT_EQ(error, "out of memory");
            EXPECT_FALSE(std::filesystem::exists(dir.file("oom.gif")));
        }
    }
}

TEST_F(GifGeneratorTest, OddSizesRoundHalfUp)
{
    FrameSequence seq;
    seq.SetFrameRectangle(10, 20, 411, 271, 0);
    add(seq, noisy(401, 251, 5), 5);
    settings.outputScale = 0.5f;
    const Outcome run = generate(seq, captions, settings, dir.file("half.gif"));
    ASSERT_TRUE(run.ok);
    const gifbytes::Info info = gifbytes::parseFile(run.path);
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.width, 201);
    EXPECT_EQ(info.height, 126);
    // The product of the side and the 32-bit scale is a 32-bit float, as the
    // size dialog computes the height it shows: a width of 204 typed for a
    // 400 x 250 frame shows 204 x 128 (250 x 0.51 = 127.5) and gives 204 x 128,
    // although the 64-bit product of 250 and 0.51f lies just below 127.5.
    struct SideCase {
        int side;
        float scale;
        int expected;
    };
    const SideCase sides[] = {
        {401, 0.5f, 201},
        {251, 0.5f, 126},
        {400, 204.0f / 400.0f, 204},
        {250, 204.0f / 400.0f, 128},
        {640, 321.0f / 640.0f, 321},
        {480, 321.0f / 640.0f, 241},
        {5, 0.7f, 4},
        {7, 0.0f, 0},
        {65535, 1.0f, 65535},
    };
    for (const SideCase& c : sides)
        EXPECT_EQ(GifGenerator::outputSide(c.side, c.scale), c.expected) << c.side << " x " << c.scale;
}

TEST_F(GifGeneratorTest, IdenticalNeighboursMergeWithSummedDelays)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 30, 20, 0);
    add(seq, noisy(30, 20, 9), 5);
    add(seq, noisy(30, 20, 9), 5);
    add(seq, noisy(30, 20, 9), 5);
    add(seq, noisy(30, 20, 10), 7);
    add(seq, noisy(30, 20, 9), 3);
    const Outcome run = generate(seq, captions, settings, dir.file("merge.gif"));
    ASSERT_TRUE(run.ok);
    const gifbytes::Info info = gifbytes::parseFile(run.path);
    ASSERT_TRUE(info.ok);
    ASSERT_EQ(info.images.size(), 3u);
    EXPECT_EQ(info.images[0].delay, 15);
    EXPECT_EQ(info.images[1].delay, 7);
    EXPECT_EQ(info.images[2].delay, 3);
    for (const gifbytes::Image& im : info.images) {
        EXPECT_EQ(im.disposal, 1);
        EXPECT_FALSE(im.localTable);
    }
    EXPECT_TRUE(info.globalTable);

    // A run longer than the GIF's 16-bit delay field keeps the longest delay.
    FrameSequence slow;
    slow.SetFrameRectangle(0, 0, 30, 20, 0);
    add(slow, noisy(30, 20, 9), 40000);
    add(slow, noisy(30, 20, 9), 40000);
    const Outcome longRun = generate(slow, captions, settings, dir.file("long.gif"));
    ASSERT_TRUE(longRun.ok);
    const gifbytes::Info longInfo = gifbytes::parseFile(longRun.path);
    ASSERT_EQ(longInfo.images.size(), 1u);
    EXPECT_EQ(longInfo.images[0].delay, 65535);
}

TEST_F(GifGeneratorTest, LoopingExtensionFollowsPlayOnce)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 8, 8, 0);
    add(seq, flat(8, 8, rgb(1, 2, 3)), 5);
    add(seq, flat(8, 8, rgb(200, 2, 3)), 5);
    for (bool once : {false, true}) {
        settings.playOnce = once;
        const Outcome run = generate(seq, captions, settings, dir.file(once ? "once.gif" : "loop.gif"));
        ASSERT_TRUE(run.ok);
        const gifbytes::Info info = gifbytes::parseFile(run.path);
        ASSERT_TRUE(info.ok);
        EXPECT_EQ(info.hasLoop, !once);
        if (!once) {
            EXPECT_EQ(info.loopCount, 0);
        }
    }
}

TEST_F(GifGeneratorTest, KeepWhiteTurnsTheBrightestEntryWhite)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 10, 10, 0);
    add(seq, picture(10, 10, [](int x, int) { return x < 5 ? rgb(250, 250, 250) : rgb(10, 20, 30); }), 5);
    for (bool keep : {false, true}) {
        settings.keepWhite = keep;
        const Outcome run = generate(seq, captions, settings, dir.file(keep ? "white.gif" : "plain.gif"));
        ASSERT_TRUE(run.ok);
        auto frames = decodeAll(run.path);
        ASSERT_TRUE(frames);
        const RasterImage* f = frames->retrievedFrameCount() > 0 ? frames->frame(0) : frames.get();
        EXPECT_EQ(pixelOf(*f, 1, 1), keep ? rgb(255, 255, 255) : rgb(250, 250, 250));
        EXPECT_EQ(pixelOf(*f, 8, 1), rgb(10, 20, 30));
        // The table holds two colours; the other entries repeat entry 0 and
        // are never used, so the table has no second white.
        const gifbytes::Info info = gifbytes::parseFile(run.path);
        int whites = 0;
        for (size_t k = 0; k + 2 < info.palette.size(); k += 3)
            whites += info.palette[k] == 255 && info.palette[k + 1] == 255 && info.palette[k + 2] == 255;
        EXPECT_EQ(whites, keep ? 1 : 0);
    }
}

TEST_F(GifGeneratorTest, FilterZeroReadsNoFileAndOtherNumbersDo)
{
    // Lookup pictures that turn everything red, under numbers 0 and 1, in a
    // settings folder of our own.
    const std::string appdata = dir.file("appdata");
    std::filesystem::create_directories(appdata + "/vexlo");
    auto red = flat(512, 512, rgb(255, 0, 0));
    ASSERT_TRUE(red->encodeFile(appdata + "/vexlo/0.fff", ImageTypePng));
    ASSERT_TRUE(red->encodeFile(appdata + "/vexlo/1.fff", ImageTypePng));
    const char* old = std::getenv("APPDATA");
    const std::string saved = old ? old : "";
    setenv("APPDATA", appdata.c_str(), 1);

    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 6, 6, 0);
    add(seq, flat(6, 6, rgb(0, 0, 200)), 5);
    const Outcome none = generate(seq, captions, settings, dir.file("f0.gif"), 0);
    const Outcome one = generate(seq, captions, settings, dir.file("f1.gif"), 1);
    if (old)
        setenv("APPDATA", saved.c_str(), 1);
    else
        unsetenv("APPDATA");
    ASSERT_TRUE(none.ok);
    ASSERT_TRUE(one.ok);
    auto a = decodeAll(none.path);
    auto b = decodeAll(one.path);
    ASSERT_TRUE(a && b);
    const RasterImage* fa = a->retrievedFrameCount() > 0 ? a->frame(0) : a.get();
    const RasterImage* fb = b->retrievedFrameCount() > 0 ? b->frame(0) : b.get();
    EXPECT_EQ(pixelOf(*fa, 3, 3), rgb(0, 0, 200));
    EXPECT_EQ(pixelOf(*fb, 3, 3), rgb(255, 0, 0));
}

TEST_F(GifGeneratorTest, CaptionsCountDeletedFramesAndDeletedFramesLeaveNoTrace)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 40, 30, 0);
    add(seq, flat(40, 30, rgb(0, 255, 0)), 11, false);  // record 1, deleted
    add(seq, flat(40, 30, rgb(128, 128, 128)), 5);
    add(seq, flat(40, 30, rgb(128, 128, 128)), 6);
    add(seq, flat(40, 30, rgb(128, 128, 128)), 7);
    auto caption = std::make_unique<CaptionItem>();
    caption->x = 2;
    caption->y = 25;
    caption->firstFrame = 3;
    caption->lastFrame = 3;
    caption->backgroundStyle = CaptionBackgroundBox;
    caption->font.setFace(QStringLiteral("DejaVu Sans"));
    caption->font.height = -14;
    caption->textColor = makeColorRef(255, 255, 255);
    caption->backgroundColor = makeColorRef(0, 0, 0);
    caption->setText(QStringLiteral("Cap"));
    captions.append(std::move(caption));

    const Outcome run = generate(seq, captions, settings, dir.file("cap.gif"));
    ASSERT_TRUE(run.ok);
    const gifbytes::Info info = gifbytes::parseFile(run.path);
    ASSERT_EQ(info.images.size(), 3u);
    EXPECT_EQ(info.images[0].delay, 5);
    EXPECT_EQ(info.images[1].delay, 6);
    EXPECT_EQ(info.images[2].delay, 7);
    // The deleted frame's green is nowhere in the palette.
    for (size_t k = 0; k + 2 < info.palette.size(); k += 3)
        EXPECT_FALSE(info.palette[k] == 0 && info.palette[k + 1] == 255 && info.palette[k + 2] == 0);

    auto frames = decodeAll(run.path);
    ASSERT_TRUE(frames);
    ASSERT_EQ(frames->retrievedFrameCount(), 3);
    // Record 3 (the second kept frame) carries the black box; the others are plain.
    EXPECT_EQ(pixelOf(*frames->frame(1), 3, 24), rgb(0, 0, 0));
    for (int f : {0, 2})
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(pixelOf(*frames->frame(f), x, y), rgb(128, 128, 128)) << f << " " << x << "," << y;
}

TEST_F(GifGeneratorTest, PicturesOfAnotherSizeAreStretched)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 40, 30, 0);
    add(seq, picture(20, 15, [](int x, int) { return x < 10 ? rgb(255, 0, 0) : rgb(0, 0, 255); }), 5);
    const Outcome run = generate(seq, captions, settings, dir.file("stretch.gif"), 0, false);
    ASSERT_TRUE(run.ok);
    auto frames = decodeAll(run.path);
    ASSERT_TRUE(frames);
    const RasterImage* f = frames->retrievedFrameCount() > 0 ? frames->frame(0) : frames.get();
    ASSERT_EQ(f->width(), 40);
    ASSERT_EQ(f->height(), 30);
    EXPECT_EQ(pixelOf(*f, 2, 2), rgb(255, 0, 0));
    EXPECT_EQ(pixelOf(*f, 15, 28), rgb(255, 0, 0));
    EXPECT_EQ(pixelOf(*f, 25, 2), rgb(0, 0, 255));
    EXPECT_EQ(pixelOf(*f, 38, 28), rgb(0, 0, 255));
}

TEST_F(GifGeneratorTest, ProgressRunsThroughCompositionReductionAndTheEnd)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 12, 12, 0);
    add(seq, noisy(12, 12, 1), 5);
    add(seq, noisy(12, 12, 2), 5, false);
    add(seq, noisy(12, 12, 3), 5);
    add(seq, noisy(12, 12, 4), 5);
    const Outcome run = generate(seq, captions, settings, dir.file("progress.gif"));
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.progress, (std::vector<int>{0, 15, 30, 45, 60, 71, 83, 95, 100}));
}

TEST_F(GifGeneratorTest, NothingToWriteOrNowhereToWriteItGivesNoFile)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 12, 12, 0);
    add(seq, noisy(12, 12, 1), 5, false);
    add(seq, noisy(12, 12, 2), 5, false);
    Outcome run = generate(seq, captions, settings, dir.file("none.gif"));
    EXPECT_FALSE(run.ok);
    EXPECT_FALSE(std::filesystem::exists(run.path));
    EXPECT_EQ(run.progress, (std::vector<int>{0, 30}));

    FrameSequence empty;
    run = generate(empty, captions, settings, dir.file("empty.gif"));
    EXPECT_FALSE(run.ok);
    EXPECT_TRUE(run.progress.empty());

    add(seq, noisy(12, 12, 3), 5);
    run = generate(seq, captions, settings, dir.file("no/such/folder/x.gif"));
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.progress.back(), 100);

    // A full disk: the write fails, the generation reports it.
    if (std::filesystem::exists("/dev/full")) {
        std::string error;
        settings.outputPath = QStringLiteral("/dev/full");
        FrameSequenceSource source(seq);
        EXPECT_FALSE(GifGenerator::generate(source, captions, settings, 0, true, {}, &error));
        EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
        EXPECT_TRUE(std::filesystem::exists("/dev/full"));
    }

    // An output size of 0 is refused.
    settings.outputScale = 0.01f;
    run = generate(seq, captions, settings, dir.file("tiny.gif"));
    EXPECT_FALSE(run.ok);
    EXPECT_FALSE(std::filesystem::exists(run.path));
}

TEST_F(GifGeneratorTest, OtherDecodersReadFramesDelaysAndSize)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 33, 21, 0);
    add(seq, noisy(33, 21, 1), 4);
    add(seq, noisy(33, 21, 1), 4);
    add(seq, noisy(33, 21, 2), 6);
    add(seq, flat(33, 21, rgb(9, 9, 9)), 8, false);
    add(seq, noisy(33, 21, 3), 20);
    const Outcome run = generate(seq, captions, settings, dir.file("decoders.gif"));
    ASSERT_TRUE(run.ok);

    auto frames = decodeAll(run.path);
    ASSERT_TRUE(frames);
    ASSERT_EQ(frames->retrievedFrameCount(), 3);
    const int delays[] = {8, 6, 20};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(frames->frame(i)->width(), 33);
        EXPECT_EQ(frames->frame(i)->height(), 21);
        EXPECT_EQ(frames->frame(i)->frameDelay(), delays[i]);
    }

    std::string out;
    if (testenv::runCommand("command -v identify >/dev/null 2>&1", &out) != 0)
        GTEST_SKIP() << "ImageMagick identify is not installed";
    out.clear();
    ASSERT_EQ(testenv::runCommand("identify -format '%W %H %T\\n' '" + run.path + "'", &out), 0);
    EXPECT_EQ(out, "33 21 8\n33 21 6\n33 21 20\n");
}

TEST(GenerationStart, OutputPathAndSettingsFromTheApplication)
{
    const QString path = GifGenerator::newOutputPath();
    const QFileInfo info(path);
    EXPECT_EQ(info.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([1-9][0-9]*|0)(-([1-9][0-9]*|0)){5}\\.gif$"))
                    .match(info.fileName())
                    .hasMatch())
        << info.fileName().toStdString();

    AppSettings app;
    app.outputScale = 0.75f;
    app.playOnce = true;
    app.whiteBk = true;
    app.imgEnableLogo = true;
    app.imgLogoPos = 2;
    app.imgLogoSize = 60;
    app.logoImgFile = QStringLiteral("/x/logo.png");
    app.txtEnableLogo = true;
    app.logoText = QStringLiteral("hello");
    app.logoFont = 12;
    const GenerationSettings g = GenerationSettings::fromAppSettings(app, QStringLiteral("/tmp/out.gif"), 96);
    EXPECT_EQ(g.outputScale, 0.75f);
    EXPECT_EQ(g.outputPath, QStringLiteral("/tmp/out.gif"));
    EXPECT_TRUE(g.playOnce);
    EXPECT_TRUE(g.keepWhite);
    EXPECT_TRUE(g.imageWatermark.enabled);
    EXPECT_EQ(g.imageWatermark.corner, 2);
    EXPECT_EQ(g.imageWatermark.width, 60);
    EXPECT_EQ(g.imageWatermark.file, QStringLiteral("/x/logo.png"));
    EXPECT_TRUE(g.textWatermark.enabled);
    EXPECT_EQ(g.textWatermark.text, QStringLiteral("hello"));
    EXPECT_EQ(g.textWatermark.fontHeight, -16);  // -MulDiv(12, 96, 72)
}

}  // namespace
