// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Opening the filter dialog on a 1080p frame: sixteen full copies of the
// frame, fifteen filters loaded and applied, the thumbnails made, the window
// shown and painted once (offscreen). The filters are the build's own
// (filters/ beside the benchmark's folder).
//
//   ./bench_filter_dialog
//       BM_OpenFilterDialog: construct, show and paint the dialog, all cores;
//       BM_FilterPreviews/1 and /0: the previews alone on one thread and on
//       all cores.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/app_settings.h"
#include "effects/filter_dialog.h"
#include "effects/filter_list_view.h"
#include "effects/filter_previews.h"
#include "gif/ordered_parallel.h"
#include "imaging/raster_image.h"
#include "qt_bench_main.h"

namespace {

const RasterImage& frame()
{
    static RasterImage img = [] {
        RasterImage f;
        f.create(1920, 1080, 24);
        for (int y = 0; y < 1080; ++y) {
            uint8_t* p = f.row(y);
            for (int x = 0; x < 1920; ++x) {
                p[x * 3] = uint8_t(x);
                p[x * 3 + 1] = uint8_t(y);
                p[x * 3 + 2] = uint8_t(x ^ y);
            }
        }
        return f;
    }();
    return img;
}

void BM_OpenFilterDialog(benchmark::State& state)
{
    QObject editor;
    AppSettings settings;
    for (auto _ : state) {
        CFilterDialog dlg(&editor, &frame(), settings, QPoint(100, 100), nullptr);
        dlg.show();
        dlg.list()->viewport()->repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dlg.list()->count());
    }
}
BENCHMARK(BM_OpenFilterDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FilterPreviews(benchmark::State& state)
{
    const int threads = state.range(0) == 0 ? generationThreadCount() : int(state.range(0));
    for (auto _ : state) {
        auto previews = FilterPreviews::make(&frame(), QSize(120, 120), threads);
        benchmark::DoNotOptimize(previews.size());
    }
    state.counters["threads"] = threads;
}
BENCHMARK(BM_FilterPreviews)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
