// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The recording append with last-ten-seconds trimming: once the limit is
// reached every append drops the oldest frame, and that must not cost more with
// a longer sequence.
//
//   ./bench_frame_sequence
//       appends per second with fps * 10 frames held, for fps 25 (250 frames),
//       1000 (10 000) and 10 000 (100 000); tiny pictures, so the sequence's own
//       work is what is measured.
#include <benchmark/benchmark.h>

#include "capture/frame_sequence.h"

namespace {

void BM_AppendRecordedTrimmed(benchmark::State& state)
{
    const int fps = int(state.range(0));
    FrameSequence seq;
    seq.setFps(fps);
    seq.setLastTenSeconds(true);
    for (int i = 0; i < fps * 10; ++i)
        seq.appendRecorded(RasterImage::make(1, 1, 24));
    for (auto _ : state) {
        seq.appendRecorded(RasterImage::make(1, 1, 24));
        benchmark::DoNotOptimize(seq.count());
    }
    state.counters["frames held"] = seq.count();
}
BENCHMARK(BM_AppendRecordedTrimmed)->Arg(25)->Arg(1000)->Arg(10000);

}  // namespace

BENCHMARK_MAIN();
