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
#include "synthetic_frames.h"

namespace {

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
