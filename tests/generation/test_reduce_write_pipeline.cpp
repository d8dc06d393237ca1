// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Reduction, merging and writing as one stream give the file the three stages
// give one after the other, on any number of threads, and fail the same way.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "gif/composed_frame.h"
#include "gif/generation_run.h"
#include "gif/merge_stage.h"
#include "gif/palette_stage.h"
#include "gif/reduce_stage.h"
#include "gif/reduce_write_pipeline.h"
#include "gif/write_stage.h"
#include "imaging/raster_image.h"
#include "test_env.h"

namespace {

std::vector<uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Frames of a recording: a still picture with a small change now and then,
// runs of identical frames (merged), a cut to another picture and back.
struct Recording {
    int w = 37, h = 23;
    std::vector<std::unique_ptr<RasterImage>> pictures;
    std::vector<ComposedFrame> frames;
    GifPalette table{};

    explicit Recording(int count)
    {
        std::mt19937 rng(11);
        auto noisy = [&] {
            auto img = RasterImage::make(w, h, 24);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w * 3; ++x)
                    img->row(y)[x] = uint8_t(x * 7 + y * 5 + int(rng() % 90));
            return img;
        };
        std::unique_ptr<RasterImage> still = noisy();
        for (int j = 0; j < count; ++j) {
            if (j % 17 == 9) {
                pictures.push_back(noisy());  // a cut
            } else {
                pictures.push_back(std::make_unique<RasterImage>(*still));
                if (j % 5 == 0 || j % 5 == 3)
                    still->row(int(rng() % unsigned(h)))[rng() % unsigned(w * 3)] ^= 0x55;
            }
        }
        frames.resize(pictures.size());
        PaletteStage palette;
        for (size_t j = 0; j < pictures.size(); ++j) {
            for (int y = 0; y < h; ++y)
                frames[j].rows.push_back(pictures[j]->row(y));
            frames[j].delay = j % 4 == 1 ? 30000 : int(j % 7) + 1;  // merged delays reach the limit
            palette.feed(frames[j], w, h);
        }
        table = palette.table(false);
    }
};

std::vector<uint8_t> byStages(const Recording& r, bool diffusion, const std::string& path)
{
    GenerationRun run(1, {});
    ReduceStage reduce(r.table, diffusion, r.w, r.h);
    std::vector<PaletteFrame> frames = reduce.run(r.frames, run);
    std::vector<PaletteFrame> merged = mergeIdenticalFrames(frames, run);
    std::string error;
    EXPECT_TRUE(WriteStage(QString::fromStdString(path), false).run(merged, run, &error)) << error;
    return fileBytes(path);
}

}  // namespace

TEST(ReduceWritePipeline, TheFileOfTheStagesOnAnyThreadCount)
{
    testenv::TempDir dir;
    for (int count : {1, 3, 60}) {
        const Recording r(count);
        for (bool diffusion : {false, true}) {
            const std::vector<uint8_t> expected = byStages(r, diffusion, dir.file("stages.gif"));
            ASSERT_FALSE(expected.empty());
            for (int threads : {1, 2, 3, 7}) {
                SCOPED_TRACE(std::to_string(count) + " frames, " + (diffusion ? "diffusion, " : "plain, ") +
                             std::to_string(threads) + " threads");
                const std::string path = dir.file("stream.gif");
                std::vector<int> reported;
                GenerationRun run(threads, [&](int p) { reported.push_back(p); });
                ReduceStage reduce(r.table, diffusion, r.w, r.h);
                WriteStage writer(QString::fromStdString(path), false);
                std::string error;
                ASSERT_TRUE(reduceMergeWrite(r.frames, reduce, writer, run, &error)) << error;
                EXPECT_EQ(fileBytes(path), expected);
                ASSERT_FALSE(reported.empty());
                EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
                EXPECT_EQ(reported.back(), 95);
            }
        }
    }
}

TEST(ReduceWritePipeline, AFileThatCannotBeWrittenIsNotLeftBehind)
{
    testenv::TempDir dir;
    const Recording r(40);
    struct Case {
        const char* name;
        std::string path;
        const char* message;
    };
    std::vector<Case> cases{{"no such folder", dir.file("no/such/x.gif"), "cannot create"}};
    if (std::filesystem::exists("/dev/full"))
        cases.push_back({"a full disk", "/dev/full", "cannot write"});
    for (const Case& c : cases) {
        for (int threads : {1, 3}) {
            SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(threads) + " threads");
            GenerationRun run(threads, {});
            ReduceStage reduce(r.table, true, r.w, r.h);
            std::string error;
            {
                WriteStage writer(QString::fromStdString(c.path), false);
                EXPECT_FALSE(reduceMergeWrite(r.frames, reduce, writer, run, &error));
            }
            EXPECT_NE(error.find(c.message), std::string::npos) << error;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("no/such")));
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(std::filesystem::is_regular_file("/dev/full"));
    }
}
