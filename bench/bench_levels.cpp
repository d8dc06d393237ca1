// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The "压缩动画" level encoder on synthetic recordings ("video": every pixel
// changes, thousands of colours; "screen": flat colours, a small moving part),
// every level, colour and black and white.
//   bench_levels [--benchmark_filter=...]
//   bench_levels --encode FOLDER OUT.gif LEVEL [bw] [DELAY]
//       encodes the pictures of FOLDER (name order) at one level and prints
//       the time and size, for comparisons with other encoders.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "gif/level_encoder.h"
#include "imaging/image_codecs.h"
#include "imaging/raster_image.h"
#include "synthetic_frames.h"

namespace {

std::vector<LevelFrame> framesOf(const std::vector<std::unique_ptr<RasterImage>>& pictures, int delay)
{
    std::vector<LevelFrame> frames;
    for (const auto& p : pictures) {
        LevelFrame f;
        f.delay = delay;
        for (int y = 0; y < p->height(); ++y)
            f.rows.push_back(p->row(y));
        frames.push_back(std::move(f));
    }
    return frames;
}

void runLevels(benchmark::State& state, bool video)
{
    const int level = int(state.range(0));
    const bool bw = state.range(1) != 0;
    const int w = video ? 320 : 640, h = video ? 180 : 400, n = video ? 30 : 100;
    std::vector<std::unique_ptr<RasterImage>> pictures;
    for (int t = 0; t < n; ++t)
        pictures.push_back(video ? videoFrame(w, h, t) : screenFrame(w, h, t));
    const std::vector<LevelFrame> frames = framesOf(pictures, 5);
    LevelRequest request;
    request.width = w;
    request.height = h;
    request.options = LevelOptions::forLevel(level, bw);
    std::vector<uint8_t> out;
    for (auto _ : state) {
        LevelEncoder::encode(frames, request, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = double(out.size());
}

void BM_LevelsVideo(benchmark::State& state)
{
    runLevels(state, true);
}
void BM_LevelsScreen(benchmark::State& state)
{
    runLevels(state, false);
}
BENCHMARK(BM_LevelsVideo)->ArgsProduct({{1, 2, 3, 4, 5}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LevelsScreen)->ArgsProduct({{1, 2, 3, 4, 5}, {0, 1}})->Unit(benchmark::kMillisecond);

int encodeFolder(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: bench_levels --encode FOLDER OUT.gif LEVEL [bw] [DELAY]\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(argv[2]))
        names.push_back(e.path().string());
    std::sort(names.begin(), names.end());
    const bool bw = argc > 5 && std::strcmp(argv[5], "bw") == 0;
    const int delay = argc > 6 ? std::atoi(argv[6]) : 5;
    std::vector<std::unique_ptr<RasterImage>> pictures;
    for (const std::string& name : names) {
        auto img = std::make_unique<RasterImage>();
        if (!img->decodeFile(name, ImageTypeUnknown) || !img->increaseTo24Bits())
            continue;
        pictures.push_back(std::move(img));
    }
    if (pictures.empty())
        return 2;
    const auto decoded = std::chrono::steady_clock::now();
    LevelRequest request;
    request.width = pictures[0]->width();
    request.height = pictures[0]->height();
    request.options = LevelOptions::forLevel(std::atoi(argv[4]), bw);
    // Overrides for tuning: VEXLO_LEVEL_TUNE="colours keep lossy dither rounds".
    if (const char* tune = std::getenv("VEXLO_LEVEL_TUNE"))
        std::sscanf(tune, "%d %d %d %f %d %f %f", &request.options.colours, &request.options.keepTolerance,
                    &request.options.lossyTolerance, &request.options.ditherStrength,
                    &request.options.kmeansRounds, &request.options.globalSlack, &request.options.frameError);
    request.dither = std::getenv("VEXLO_LEVEL_NODITHER") == nullptr;
    std::vector<uint8_t> out;
    std::string error;
    if (!LevelEncoder::encode(framesOf(pictures, delay), request, out, nullptr, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    const auto encoded = std::chrono::steady_clock::now();
    std::FILE* f = std::fopen(argv[3], "wb");
    if (f == nullptr)
        return 2;
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
    std::printf("decode %.2f s, encode %.2f s, %zu bytes\n",
                std::chrono::duration<double>(decoded - start).count(),
                std::chrono::duration<double>(encoded - decoded).count(), out.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--encode") == 0)
        return encodeFolder(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
