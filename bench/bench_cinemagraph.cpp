// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Making a cinemagraph: collecting the still set from the mask and giving
// every frame the still frame's pixels there, per frame on all cores.
//
//   ./bench_cinemagraph
//       1,000 frames of 1920 x 1080 (about 6 GB; VEXLO_BENCH_FRAMES sets
//       another count), a mask painted at display scale 2 (960 x 540, a wide
//       stroke across the middle moving, the rest still) and resampled to the
//       frame size, as "保存" does it; with one thread and with all cores.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "capture/frame_sequence.h"
#include "effects/cinemagraph.h"
#include "effects/cinemagraph_mask.h"
#include "effects/cinemagraph_still_set.h"
#include "gif/ordered_parallel.h"

namespace {

int frameCount()
{
    if (const char* v = std::getenv("VEXLO_BENCH_FRAMES")) {
        const int n = std::atoi(v);
        if (n >= 1 && n <= 100000)
            return n;
    }
    return 1000;
}

FrameSequence& sequence()
{
    static FrameSequence seq;
    if (seq.empty()) {
        const int n = frameCount();
        for (int i = 0; i < n; ++i) {
            auto img = RasterImage::make(1920, 1080, 24);
            for (int y = 0; y < 1080; ++y)
                std::memset(img->row(y), (i * 7 + y) & 0xFF, img->stride());
            seq.append(FrameRecord::make(std::move(img), 4));
        }
    }
    return seq;
}

RasterImage paintedMask()
{
    CinemagraphMask mask(QSize(960, 540));
    mask.stroke(QPoint(100, 270), QPoint(860, 270), 50);
    mask.stroke(QPoint(480, 60), QPoint(480, 480), 50);
    return mask.toRasterImage();
}

void BM_ApplyCinemagraph(benchmark::State& state)
{
    FrameSequence& seq = sequence();
    const RasterImage mask = paintedMask();
    const int threads = state.range(0) == 0 ? generationThreadCount() : int(state.range(0));
    for (auto _ : state) {
        const bool ok = cinemagraph::apply(seq, 1, mask, nullptr, threads);
        benchmark::DoNotOptimize(ok);
    }
    state.counters["frames"] = seq.count();
    state.counters["threads"] = threads;
}
BENCHMARK(BM_ApplyCinemagraph)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_StillSetFromMask(benchmark::State& state)
{
    RasterImage mask = paintedMask();
    mask.resampleSmooth(1920, 1080);
    for (auto _ : state) {
        const CinemagraphStillSet set = CinemagraphStillSet::fromMask(mask);
        benchmark::DoNotOptimize(set.pixelCount());
    }
}
BENCHMARK(BM_StillSetFromMask)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
