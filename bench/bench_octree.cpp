// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Palette building and reduction to 256 colours on video-like frames (smooth
// colour fields with grain, every pixel different) and screen-like frames (flat
// areas, long runs).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "imaging/octree_quantizer.h"
#include "imaging/palette_lookup.h"
#include "imaging/raster_image.h"

namespace {

RasterImage videoFrame(int w, int h, int f, std::mt19937& rng)
{
    std::normal_distribution<double> grain(0, 5);
    std::vector<int> noise(4096);
    for (int& v : noise)
        v = int(std::lround(grain(rng)));
    RasterImage image;
    image.create(w, h, 24);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = image.row(y);
        for (int x = 0; x < w; ++x) {
            const double r = 128 + 100 * std::sin(x * 0.01 + f * 0.1);
            const double g = 128 + 100 * std::cos(y * 0.013 + f * 0.05);
            const double b = 128 + 100 * std::sin((x + y) * 0.007);
            auto c = [&](double v) {
                v += noise[rng() & 4095];
                return uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
            };
            p[3 * x] = c(b);
            p[3 * x + 1] = c(g);
            p[3 * x + 2] = c(r);
        }
    }
    return image;
}

RasterImage screenFrame(int w, int h, int f)
{
    RasterImage image;
    image.create(w, h, 24);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = image.row(y);
        for (int x = 0; x < w; ++x) {
            const bool text = ((x / 3 + y / 7 + f) % 11) == 0 && (y % 14) < 10 && x > 200;
            const uint8_t v = text ? uint8_t(40 + (x * 37 + y * 11) % 180) : (x < 200 ? 50 : 250);
            p[3 * x] = v;
            p[3 * x + 1] = x < 200 ? 60 : v;
            p[3 * x + 2] = v;
        }
    }
    return image;
}

std::vector<RasterImage> frames(bool video)
{
    std::mt19937 rng(1);
    std::vector<RasterImage> out;
    for (int f = 0; f < 8; ++f)
        out.push_back(video ? videoFrame(640, 360, f, rng) : screenFrame(800, 600, f));
    return out;
}

void BM_Feed(benchmark::State& state)
{
    const std::vector<RasterImage> input = frames(state.range(0) != 0);
    for (auto _ : state) {
        OctreeQuantizer q;
        for (const RasterImage& f : input)
            q.feed(f);
        benchmark::DoNotOptimize(q.leafCount());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(input.size()) * input[0].width() *
                            input[0].height());
}
BENCHMARK(BM_Feed)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_Reduce(benchmark::State& state)
{
    const std::vector<RasterImage> input = frames(state.range(0) != 0);
    OctreeQuantizer q;
    for (const RasterImage& f : input)
        q.feed(f);
    std::vector<RgbQuad> table = q.colorTable();
    table.resize(256, table[0]);
    const PaletteLookup lookup(table.data(), 256);
    const bool diffusion = state.range(1) != 0;
    std::vector<uint8_t> out(size_t(input[0].width()) * size_t(input[0].height()));
    std::vector<uint8_t*> rows;
    for (int y = 0; y < input[0].height(); ++y)
        rows.push_back(out.data() + size_t(y) * size_t(input[0].width()));
    for (auto _ : state) {
        for (const RasterImage& f : input) {
            RasterImage work = f;
            OctreeQuantizer::reduceToIndices(work, lookup, diffusion, rows.data());
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(input.size()) * input[0].width() *
                            input[0].height());
}
BENCHMARK(BM_Reduce)->Args({1, 0})->Args({1, 1})->Args({0, 0})->Args({0, 1})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
