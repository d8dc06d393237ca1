// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Opening an animated GIF as the frame sequence, as the open button does:
// the progress window (offscreen) advanced per decoded frame, every frame
// composed into a 24-bit picture. The GIF is named by VEXLO_BENCH_GIF, e.g.
// 500 frames at 1080p made with
//   ffmpeg -f lavfi -i testsrc2=size=1920x1080:rate=25 -frames:v 500 -pix_fmt rgb8 big.gif
#include <benchmark/benchmark.h>

#include <QWidget>
#include <cstdlib>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "capture/gif_import.h"
#include "editor/caption_list.h"
#include "imaging/raster_image.h"
#include "qt_bench_main.h"
#include "share/progress_wnd.h"

namespace {

void BM_ImportGif(benchmark::State& state)
{
    const char* path = std::getenv("VEXLO_BENCH_GIF");
    if (!path || !*path) {
        state.SkipWithError("set VEXLO_BENCH_GIF to an animated GIF");
        return;
    }
    int frames = 0;
    int width = 0;
    int height = 0;
    for (auto _ : state) {
        FrameSequence sequence;
        CaptionList captions;
        AppSettings settings;
        GifImportRefusal refusal;
        const bool ok = ImportGifFile(
            QString::fromLocal8Bit(path), sequence, captions, settings,
            [] { return std::make_unique<CProgressWnd>(nullptr, QStringLiteral("Progress"), false); },
            &frames, &refusal);
        if (!ok) {
            state.SkipWithError(refusal.reason.toStdString().c_str());
            return;
        }
        width = sequence.FrameImage(1)->width();
        height = sequence.FrameImage(1)->height();
        state.PauseTiming();  // freeing the frames is not part of opening
        sequence.clear();
        state.ResumeTiming();
    }
    state.counters["frames"] = frames;
    state.counters["width"] = width;
    state.counters["height"] = height;
    state.counters["frames/s"] =
        benchmark::Counter(double(frames) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportGif)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
