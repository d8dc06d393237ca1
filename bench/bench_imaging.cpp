// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Image operations: smooth and nearest resampling of a full-HD frame, text stamping.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "imaging/raster_image.h"

namespace {

RasterImage frame(int w, int h)
{
    RasterImage img;
    img.create(w, h, 24);
    uint32_t s = 12345;
    for (int y = 0; y < h; ++y) {
        uint8_t* p = img.row(y);
        for (int x = 0; x < w * 3; ++x) {
            s = s * 1664525u + 1013904223u;
            p[x] = uint8_t((x + y) / 3 + (s >> 29));  // smooth gradient with a little noise
        }
    }
    return img;
}

void resampleSmooth(benchmark::State& state, int w, int h, int w2, int h2)
{
    const RasterImage src = frame(w, h);
    for (auto _ : state) {
        RasterImage img(src);
        img.resampleSmooth(w2, h2);
        benchmark::DoNotOptimize(img.bits());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(w2) * h2);
}

void BM_ResampleSmoothHalf(benchmark::State& state)
{
    resampleSmooth(state, 1920, 1080, 960, 540);
}
void BM_ResampleSmoothDouble(benchmark::State& state)
{
    resampleSmooth(state, 960, 540, 1920, 1080);
}
void BM_ResampleSmoothOneAxis(benchmark::State& state)
{
    resampleSmooth(state, 1920, 1080, 960, 1080);
}

void BM_ResampleNearestHalf(benchmark::State& state)
{
    const RasterImage src = frame(1920, 1080);
    for (auto _ : state) {
        RasterImage img(src);
        img.resampleNearest(960, 540);
        benchmark::DoNotOptimize(img.bits());
    }
}

void BM_CopyFullHd(benchmark::State& state)  // baseline for the copies above
{
    const RasterImage src = frame(1920, 1080);
    for (auto _ : state) {
        RasterImage img(src);
        benchmark::DoNotOptimize(img.bits());
    }
}

void BM_StampText(benchmark::State& state)
{
    RasterImage img = frame(640, 360);
    StampFont font;
    font.face = "DejaVu Sans";
    font.height = -24;
    font.weight = 700;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            stampText(img, 20, 340, "Vexlo caption &text 123", makeColorRef(255, 255, 0), font));
}

void BM_StampBoxedText(benchmark::State& state)
{
    RasterImage img = frame(640, 360);
    StampFont font;
    font.face = "DejaVu Sans";
    font.height = -24;
    for (auto _ : state)
        benchmark::DoNotOptimize(stampBoxedText(img, 20, 340, "Vexlo caption\nsecond line",
                                                makeColorRef(255, 255, 255), font, makeColorRef(0, 0, 0)));
}

}  // namespace

BENCHMARK(BM_ResampleSmoothHalf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleSmoothDouble)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleSmoothOneAxis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleNearestHalf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFullHd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StampText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StampBoxedText)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // text rendering needs it
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
