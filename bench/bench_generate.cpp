// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Whole generations (composition, palette, reduction, merging, libgd encoding)
// on synthetic recordings: "video" (every pixel changes, thousands of colours)
// and "screen" (flat colours, a small moving part, runs of identical frames).
//   bench_generate [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "capture/frame_sequence.h"
#include "editor/caption_list.h"
#include "gif/frame_sequence_source.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "imaging/raster_image.h"

namespace {

std::unique_ptr<RasterImage> videoFrame(int w, int h, int t)
{
    auto img = RasterImage::make(w, h, 24);
    std::minstd_rand rng(unsigned(t) * 7919u + 1u);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = img->row(y);
        for (int x = 0; x < w; ++x, p += 3) {
            const int grain = int(rng() % 11) - 5;
            p[0] = uint8_t(std::clamp((x + 3 * t) % 256 + grain, 0, 255));
            p[1] = uint8_t(std::clamp((y * 2 + t) % 256 + grain, 0, 255));
            p[2] = uint8_t(std::clamp(((x ^ y) + 5 * t) % 256 + grain, 0, 255));
        }
    }
    return img;
}

std::unique_ptr<RasterImage> screenFrame(int w, int h, int t)
{
    auto img = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = img->row(y);
        for (int x = 0; x < w; ++x, p += 3) {
            const bool bar = y < 24;
            const bool text = (y / 14) % 2 == 0 && (x / 7) % 3 != 0 && x > 40 && ((x * 31 + y * 17) % 5 == 0);
            p[0] = bar ? 90 : text ? 40 : 250;
            p[1] = bar ? 60 : text ? 40 : 250;
            p[2] = bar ? 30 : text ? 40 : 250;
        }
    }
    // A pointer that moves, frozen during an idle stretch.
    const int step = (t >= 60 && t < 80) ? 60 : t;
    const int px = 50 + step * 5 % (w - 70), py = 80 + step * 3 % (h - 100);
    for (int y = py; y < py + 16; ++y)
        for (int x = px; x < px + 10; ++x) {
            uint8_t* p = img->row(y) + size_t(x) * 3;
            p[0] = p[1] = p[2] = 0;
        }
    return img;
}

void run(benchmark::State& state, bool screen, int w, int h)
{
    const int n = int(state.range(0));
    const bool dither = state.range(1) != 0;
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, w, h, 0);
    for (int t = 0; t < n; ++t)
        seq.append(FrameRecord::make(screen ? screenFrame(w, h, t) : videoFrame(w, h, t), 5));
    CaptionList captions;
    GenerationSettings settings;
    settings.outputPath =
        QString::fromStdString((std::filesystem::temp_directory_path() / "bench_generate.gif").string());
    int64_t bytes = 0;
    for (auto _ : state) {
        FrameSequenceSource source(seq);
        const bool ok = GifGenerator::generate(source, captions, settings, 0, dither, {});
        if (!ok)
            state.SkipWithError("generation failed");
        bytes = int64_t(std::filesystem::file_size(settings.outputPath.toStdString()));
    }
    state.counters["file_bytes"] = double(bytes);
    state.SetItemsProcessed(state.iterations() * n);
    std::remove(settings.outputPath.toLocal8Bit().constData());
}

void BM_GenerateVideo(benchmark::State& state)
{
    run(state, false, 640, 360);
}
void BM_GenerateScreen(benchmark::State& state)
{
    run(state, true, 800, 600);
}
// A recording as the window program holds it: 100 frames of a 1920 x 1080
// screen in memory, nothing to decode.
void BM_GenerateRecording1080p(benchmark::State& state)
{
    run(state, true, 1920, 1080);
}
void BM_GenerateVideo1080p(benchmark::State& state)
{
    run(state, false, 1920, 1080);
}

BENCHMARK(BM_GenerateVideo)
    ->Args({100, 1})
    ->Args({100, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_GenerateScreen)
    ->Args({100, 1})
    ->Args({100, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_GenerateRecording1080p)
    ->Args({100, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_GenerateVideo1080p)
    ->Args({100, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
