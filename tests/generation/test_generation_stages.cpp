// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The stages of a generation, each on its own: compose, palette, reduce,
// merge and write.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "capture/frame_sequence.h"
#include "editor/caption_list.h"
#include "gif/compose_stage.h"
#include "gif/frame_sequence_source.h"
#include "gif/generation_run.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "gif/merge_stage.h"
#include "gif/palette_stage.h"
#include "gif/reduce_stage.h"
#include "gif/write_stage.h"
#include "gif_bytes.h"
#include "imaging/octree_quantizer.h"
#include "imaging/palette_lookup.h"
#include "imaging/raster_image.h"
#include "sequence_fixtures.h"
#include "test_env.h"

namespace {

using fixtures::add;
using fixtures::OwningSource;

std::unique_ptr<RasterImage> noisy(int w, int h, unsigned seed)
{
    auto img = RasterImage::make(w, h, 24);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x)
            img->row(y)[x] = uint8_t((x * 5 + y * 3 + int(rng() % 50)) & 255);
    return img;
}

bool sameRows(const ComposedFrame& f, const RasterImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        if (std::memcmp(f.rows[size_t(y)], img.row(y), size_t(img.width()) * 3) != 0)
            return false;
    return true;
}

TEST(ComposeStage, KeepsRecordsInOrderBorrowsUnchangedPicturesAndSharesRows)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 24, 20, 0);
    add(seq, noisy(24, 20, 1), 4);
    add(seq, noisy(24, 20, 2), 5, false);  // deleted
    auto oneRowChanged = noisy(24, 20, 1);
    oneRowChanged->row(7)[5] ^= 0x40;
    add(seq, std::move(oneRowChanged), 6);
    add(seq, noisy(12, 10, 3), 7);  // another size: resampled
    CaptionList captions;
    GenerationSettings settings;

    for (int threads : {1, 3}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        // Borrowed pictures are used as they are.
        FrameSequenceSource borrowed(seq);
        ComposeStage stage(borrowed, captions, settings, 0, 24, 20);
        std::vector<int> progress;
        GenerationRun run(threads, [&](int p) { progress.push_back(p); });
        std::vector<int> observed;
        std::vector<ComposedFrame> frames =
            stage.run(run, [&](const ComposedFrame& f) { observed.push_back(f.record); });
        EXPECT_EQ(observed, (std::vector<int>{0, 2, 3}));
        EXPECT_EQ(progress, (std::vector<int>{0, 15, 30, 45}));
        ASSERT_EQ(frames.size(), 3u);
        EXPECT_EQ(frames[0].image, seq.at(0)->image.get());
        EXPECT_EQ(frames[1].image, seq.at(2)->image.get());
        EXPECT_EQ(frames[1].delay, 6);
        ASSERT_NE(frames[2].image, nullptr);
        EXPECT_EQ(frames[2].image->width(), 24);
        EXPECT_EQ(frames[2].image->height(), 20);
        EXPECT_TRUE(sameRows(frames[2], *frames[2].image));

        // Owned pictures that change in few rows keep only those rows.
        OwningSource owning(seq);
        ComposeStage owningStage(owning, captions, settings, 0, 24, 20);
        std::vector<ComposedFrame> kept = owningStage.run(run, [](const ComposedFrame&) {});
        ASSERT_EQ(kept.size(), 3u);
        EXPECT_EQ(kept[1].image, nullptr);
        for (int y = 0; y < 20; ++y)
            EXPECT_EQ(kept[1].rows[size_t(y)] == kept[0].rows[size_t(y)], y != 7) << y;
        EXPECT_TRUE(sameRows(kept[1], *seq.at(2)->image));
    }
}

// A source whose broken records fail the whole generation (as a picture the
// command line was given): composition stops at the earliest broken record
// once all before it are composed, whatever order the threads meet them in.
class BrokenRecordsSource : public FrameSequenceSource {
public:
    BrokenRecordsSource(const FrameSequence& seq, std::vector<int> broken)
        : FrameSequenceSource(seq), broken_(std::move(broken))
    {
    }
    const RasterImage* image(int i, std::unique_ptr<RasterImage>& owned) override
    {
        ++asked_;
        if (std::find(broken_.begin(), broken_.end(), i) == broken_.end())
            return FrameSequenceSource::image(i, owned);
        std::lock_guard<std::mutex> lock(mutex_);
        if (fatal_ < 0 || i < fatal_)
            fatal_ = i;
        return nullptr;
    }
    int fatalRecord() const override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return fatal_;
    }
    int asked() const { return asked_; }

private:
    std::vector<int> broken_;
    std::atomic<int> asked_{0};
    mutable std::mutex mutex_;
    int fatal_ = -1;
};

TEST(ComposeStage, StopsAtTheEarliestRecordThatFailsTheGeneration)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, 8, 6, 0);
    for (int i = 0; i < 200; ++i)
        add(seq, noisy(8, 6, unsigned(i)), 5);
    CaptionList captions;
    GenerationSettings settings;
    for (int threads : {1, 3}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        BrokenRecordsSource source(seq, {12, 7, 150});
        ComposeStage stage(source, captions, settings, 0, 8, 6);
        GenerationRun run(threads, {});
        std::vector<int> observed;
        const std::vector<ComposedFrame> frames =
            stage.run(run, [&](const ComposedFrame& f) { observed.push_back(f.record); });
        EXPECT_EQ(source.fatalRecord(), 7);
        EXPECT_EQ(observed, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(frames.size(), 7u);
        EXPECT_LE(source.asked(), 8 + 3 * threads * 2) << "records far past the failure were composed";
    }
    // The whole generation fails with it.
    testenv::TempDir dir;
    BrokenRecordsSource source(seq, {3});
    settings.outputPath = QString::fromStdString(dir.file("x.gif"));
    std::string error;
    EXPECT_FALSE(GifGenerator::generate(source, captions, settings, 0, true, {}, &error));
    EXPECT_EQ(error, "record 4 has no usable picture");
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.gif")));
}

TEST(PaletteStage, IsTheOctreeOfAllFramesInOrderWithKeepWhiteAndRepeatedFirstEntry)
{
    auto a = noisy(16, 9, 4);
    auto b = noisy(16, 9, 5);
    auto asFrame = [](const RasterImage& img) {
        ComposedFrame f;
        for (int y = 0; y < img.height(); ++y)
            f.rows.push_back(img.row(y));
        return f;
    };
    PaletteStage stage;
    stage.feed(asFrame(*a), 16, 9);
    stage.feed(asFrame(*b), 16, 9);
    OctreeQuantizer octree(256, 8);
    ASSERT_TRUE(octree.feed(*a));
    ASSERT_TRUE(octree.feed(*b));
    RgbQuad expected[256] = {};
    const int used = octree.colorTable(expected, 256);
    const GifPalette plain = stage.table(false);
    for (int k = 0; k < 256; ++k) {
        const RgbQuad& e = k < used ? expected[k] : expected[0];
        EXPECT_TRUE(plain[size_t(k)].red == e.red && plain[size_t(k)].green == e.green &&
                    plain[size_t(k)].blue == e.blue)
            << k;
    }
    // Keep-white turns the brightest used entry white, and nothing else.
    int brightest = 0;
    for (int k = 1; k < std::min(used, 255); ++k)
        if (plain[size_t(k)].red + plain[size_t(k)].green + plain[size_t(k)].blue >
            plain[size_t(brightest)].red + plain[size_t(brightest)].green + plain[size_t(brightest)].blue)
            brightest = k;
    const GifPalette white = stage.table(true);
    for (int k = 0; k < used; ++k) {
        if (k == brightest)
            EXPECT_TRUE(white[size_t(k)].red == 255 && white[size_t(k)].green == 255 &&
                        white[size_t(k)].blue == 255);
        else
            EXPECT_TRUE(white[size_t(k)].red == plain[size_t(k)].red &&
                        white[size_t(k)].blue == plain[size_t(k)].blue);
    }
}

TEST(ReduceStage, EachFrameAsThePlainReductionOnAnyThreadCount)
{
    const int w = 31, h = 17;
    std::vector<std::unique_ptr<RasterImage>> pictures;
    pictures.push_back(noisy(w, h, 6));
    pictures.push_back(std::make_unique<RasterImage>(*pictures[0]));
    pictures.back()->row(3)[9] ^= 0x80;
    pictures.push_back(noisy(w, h, 7));
    std::vector<ComposedFrame> frames(pictures.size());
    PaletteStage palette;
    for (size_t j = 0; j < pictures.size(); ++j) {
        for (int y = 0; y < h; ++y)
            frames[j].rows.push_back(pictures[j]->row(y));
        frames[j].delay = int(j) + 2;
        palette.feed(frames[j], w, h);
    }
    const GifPalette table = palette.table(false);
    const PaletteLookup lookup(table.data(), 256);
    for (bool diffusion : {false, true}) {
        for (int threads : {1, 3}) {
            SCOPED_TRACE(std::string(diffusion ? "diffusion, " : "plain, ") + std::to_string(threads));
            GenerationRun run(threads, {});
            const std::vector<PaletteFrame> out = ReduceStage(table, diffusion, w, h).run(frames, run);
            ASSERT_EQ(out.size(), frames.size());
            for (size_t j = 0; j < out.size(); ++j) {
                ASSERT_TRUE(out[j].image);
                EXPECT_EQ(out[j].delay, int(j) + 2);
                EXPECT_EQ(out[j].image->colorsTotal, 256);
                RasterImage copy(*pictures[j]);
                std::vector<std::vector<uint8_t>> indices(static_cast<size_t>(h),
                                                          std::vector<uint8_t>(static_cast<size_t>(w)));
                std::vector<uint8_t*> rows;
                for (auto& r : indices)
                    rows.push_back(r.data());
                ASSERT_TRUE(OctreeQuantizer::reduceToIndices(copy, lookup, diffusion, rows.data()));
                for (int y = 0; y < h; ++y)
                    ASSERT_EQ(std::memcmp(out[j].image->pixels[y], rows[size_t(y)], size_t(w)), 0)
                        << "frame " << j << " row " << y;
            }
        }
    }
    // Runs break where frames are unlike and where a run is full.
    std::vector<char> alike(30, 1);
    alike[5] = 0;
    const auto runs = ReduceStage::runsOf(alike, 1);  // at most 15 frames a run
    EXPECT_EQ(runs, (std::vector<std::pair<int, int>>{{0, 5}, {5, 15}, {20, 10}}));
    const auto shortRuns = ReduceStage::runsOf(alike, 4);  // at most 12
    EXPECT_EQ(shortRuns, (std::vector<std::pair<int, int>>{{0, 5}, {5, 12}, {17, 12}, {29, 1}}));
}

PaletteFrame paletteFrame(int w, int h, int colour, int delay)
{
    PaletteFrame f;
    f.image.reset(gdImageCreate(w, h));
    for (int k = 0; k < 4; ++k)
        gdImageColorAllocate(f.image.get(), k * 60, 255 - k * 60, 30);
    gdImageFilledRectangle(f.image.get(), 0, 0, w - 1, h - 1, colour);
    f.delay = delay;
    return f;
}

TEST(MergeStage, DropsMissingFramesAndMergesIdenticalNeighbours)
{
    for (int threads : {1, 3}) {
        GenerationRun run(threads, {});
        std::vector<PaletteFrame> frames;
        frames.push_back(paletteFrame(6, 4, 1, 5));
        frames.push_back(paletteFrame(6, 4, 1, 7));
        frames.push_back(PaletteFrame{});  // could not be made
        frames.push_back(paletteFrame(6, 4, 1, 2));
        frames.push_back(paletteFrame(6, 4, 2, 3));
        frames.push_back(paletteFrame(6, 4, 1, 40000));
        frames.push_back(paletteFrame(6, 4, 1, 40000));
        const std::vector<PaletteFrame> merged = mergeIdenticalFrames(frames, run);
        EXPECT_TRUE(frames.empty());
        ASSERT_EQ(merged.size(), 3u);
        EXPECT_EQ(merged[0].delay, 14);
        EXPECT_EQ(merged[1].delay, 3);
        EXPECT_EQ(merged[2].delay, 65535);
    }
}

TEST(WriteStage, WritesEveryFrameOrRemovesWhatItBegan)
{
    testenv::TempDir dir;
    std::vector<PaletteFrame> frames;
    frames.push_back(paletteFrame(10, 8, 0, 5));
    frames.push_back(paletteFrame(10, 8, 3, 9));
    GenerationRun run(3, {});
    for (bool once : {false, true}) {
        const std::string path = dir.file(once ? "once.gif" : "loop.gif");
        std::string error;
        ASSERT_TRUE(WriteStage(QString::fromStdString(path), once).run(frames, run, &error)) << error;
        const gifbytes::Info info = gifbytes::parseFile(path);
        ASSERT_TRUE(info.ok);
        EXPECT_EQ(info.width, 10);
        EXPECT_EQ(info.height, 8);
        EXPECT_TRUE(info.globalTable);
        EXPECT_EQ(info.hasLoop, !once);
        ASSERT_EQ(info.images.size(), 2u);
        EXPECT_EQ(info.images[0].delay, 5);
        EXPECT_EQ(info.images[1].delay, 9);
        for (const gifbytes::Image& im : info.images) {
            EXPECT_EQ(im.disposal, 1);
            EXPECT_FALSE(im.localTable);
        }
    }
    std::string error;
    EXPECT_FALSE(
        WriteStage(QString::fromStdString(dir.file("no/such/x.gif")), false).run(frames, run, &error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
    if (std::filesystem::exists("/dev/full")) {
        error.clear();
        EXPECT_FALSE(WriteStage(QStringLiteral("/dev/full"), false).run(frames, run, &error));
        EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
        EXPECT_TRUE(std::filesystem::exists("/dev/full"));
    }
}

TEST(PaletteStage, RowsRepeatedFromThePreviousFrameGiveTheSameTable)
{
    // Frames that repeat the previous one whole, in part, and in shared rows,
    // with new colours appearing late and far more colours than the octree
    // keeps (so that it reduces all along); the reference octree is given
    // every pixel one by one, bottom row first.
    const int w = 61, h = 37;
    auto manyColours = [&](unsigned seed) {
        auto img = RasterImage::make(w, h, 24);
        std::mt19937 rng(seed);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w * 3; ++x)
                img->row(y)[x] = uint8_t(rng() % 4 == 0 ? img->row(y)[std::max(x - 3, 0)] : rng());
        return img;
    };
    std::vector<std::unique_ptr<RasterImage>> pictures;
    pictures.push_back(manyColours(8));
    pictures.push_back(std::make_unique<RasterImage>(*pictures[0]));
    pictures.push_back(std::make_unique<RasterImage>(*pictures[0]));
    for (int x = 0; x < w * 3; ++x)
        pictures.back()->row(5)[x] = uint8_t(200 + x % 50);
    pictures.push_back(manyColours(9));
    pictures.push_back(std::make_unique<RasterImage>(*pictures[3]));
    pictures.back()->row(21)[7] ^= 0x11;  // an odd row: the even ones are shared below
    std::vector<ComposedFrame> frames(pictures.size());
    for (size_t j = 0; j < pictures.size(); ++j)
        for (int y = 0; y < h; ++y)
            frames[j].rows.push_back(j == 4 && y % 2 == 0 ? frames[3].rows[size_t(y)] : pictures[j]->row(y));
    OctreeQuantizer octree(256, 8);
    for (const auto& picture : pictures)
        for (int y = h - 1; y >= 0; --y)
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = picture->row(y) + size_t(x) * 3;
                octree.addColor(p[2], p[1], p[0], 0);
            }
    RgbQuad expected[256] = {};
    const int used = octree.colorTable(expected, 256);
    ASSERT_GT(used, 200);  // thousands of colours: reduced all along
    auto check = [&](const GifPalette& table) {
        for (int k = 0; k < used; ++k)
            EXPECT_TRUE(table[size_t(k)].red == expected[k].red &&
                        table[size_t(k)].green == expected[k].green &&
                        table[size_t(k)].blue == expected[k].blue)
                << k;
    };
    {
        SCOPED_TRACE("one frame after the other");
        PaletteStage stage;
        for (const ComposedFrame& f : frames)
            stage.feed(f, w, h);
        check(stage.table(false));
    }
    for (int threads : {1, 3}) {
        SCOPED_TRACE("all frames at once, " + std::to_string(threads) + " threads");
        PaletteStage stage;
        GenerationRun run(threads, {});
        stage.feedFrames(frames, w, h, run);
        check(stage.table(false));
    }
}

TEST(MergeStage, ComparesColoursAsLibgdDoes)
{
    // Entry 5 repeats entry 1's colour: pixels of either are the same colour.
    auto make = [](int value) {
        PaletteFrame f = paletteFrame(7, 5, 0, 4);
        for (int k = 4; k < 6; ++k)
            gdImageColorAllocate(f.image.get(), 60, 195, 30);  // entries 4, 5 = entry 1's colour
        f.image->pixels[2][3] = uint8_t(value);
        return f;
    };
    const int values[][2] = {{1, 1}, {1, 5}, {5, 4}, {1, 2}, {0, 3}};
    for (const auto& v : values) {
        GenerationRun run(1, {});
        std::vector<PaletteFrame> frames;
        frames.push_back(make(v[0]));
        frames.push_back(make(v[1]));
        const bool libgdSame = gdImageCompare(frames[0].image.get(), frames[1].image.get()) == 0;
        EXPECT_EQ(mergeIdenticalFrames(frames, run).size(), libgdSame ? 1u : 2u) << v[0] << " " << v[1];
    }
}

}  // namespace
