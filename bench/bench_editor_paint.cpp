// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// What one repaint of the editor costs with 1920 x 1080 frames: the picture
// area (frame buffer, shrink to the area, hatching) and the frame strip (the
// visible rows with their thumbnails shrunk from the full frames).
//
//   QT_QPA_PLATFORM=offscreen ./bench_editor_paint
//       BM_PictureAreaPaint: the editor at its opening size (and maximised to
//       1920 x 1080) drawing the current frame into its off-screen buffer.
//       BM_StripPaint: the strip of 100 frames drawing its visible rows.
#include <benchmark/benchmark.h>

#include <QPainter>
#include <cstring>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "editor/add_text_dlg.h"
#include "editor/caption_list.h"
#include "editor/picture_shrink.h"
#include "editor/x_list_view.h"
#include "qt_bench_main.h"

namespace {

void fill(FrameSequence& seq, int frames, int w, int h)
{
    for (int i = 0; i < frames; ++i) {
        auto img = RasterImage::make(w, h, 24);
        for (int y = 0; y < h; ++y) {
            uint8_t* row = img->row(y);
            for (int x = 0; x < w; ++x) {
                row[3 * x] = uint8_t(x + i);
                row[3 * x + 1] = uint8_t(y);
                row[3 * x + 2] = uint8_t(x ^ y);
            }
        }
        seq.append(FrameRecord::make(std::move(img), 5));
    }
    seq.SetFrameRectangle(0, 0, w, h, 0);
}

void BM_PictureAreaPaint(benchmark::State& state)
{
    FrameSequence seq;
    fill(seq, 3, 1920, 1080);
    CaptionList captions;
    AppSettings settings;
    CAddTextDlg dlg(seq, captions, settings);
    if (state.range(0) != 0)
        dlg.resize(1920, 1080);
    dlg.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QImage shot = dlg.renderPictureArea();
        benchmark::DoNotOptimize(shot.constBits());
    }
    state.counters["area w"] = dlg.pictureArea().width();
    state.counters["area h"] = dlg.pictureArea().height();
    state.counters["shown w"] = dlg.displayedImageRect().width();
}
BENCHMARK(BM_PictureAreaPaint)
    ->Arg(0)
    ->Arg(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_StripPaint(benchmark::State& state)
{
    FrameSequence seq;
    fill(seq, 100, 1920, 1080);
    CaptionList captions;
    AppSettings settings;
    CAddTextDlg dlg(seq, captions, settings);
    dlg.resize(1920, 1080);
    dlg.show();
    QCoreApplication::processEvents();
    XListView* strip = dlg.strip();
    strip->scrollTo(strip->itemHeight() * 40);
    for (auto _ : state) {
        QImage shot = strip->renderToImage();
        benchmark::DoNotOptimize(shot.constBits());
    }
    state.counters["rows"] = (strip->viewport()->height() + strip->itemHeight() - 1) / strip->itemHeight();
}
BENCHMARK(BM_StripPaint)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);

// The parts of one picture paint at 1080p: the averaging shrink alone (with
// the threads a paint uses and with one) and the hatching of the area.
void BM_ShrinkOnly(benchmark::State& state)
{
    FrameSequence seq;
    fill(seq, 1, 1920, 1080);
    QImage target(1630, 917, QImage::Format_RGB32);
    for (auto _ : state) {
        shrinkInto(*seq.at(0)->image, target, 0, int(state.range(0)));
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_ShrinkOnly)
    ->Arg(1)
    ->Arg(2)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_FrameCopyOnly(benchmark::State& state)
{
    FrameSequence seq;
    fill(seq, 1, 1920, 1080);
    RasterImage buffer(*seq.at(0)->image);
    const RasterImage& src = *seq.at(0)->image;
    for (auto _ : state) {
        std::memcpy(buffer.bits(), src.bits(), src.stride() * size_t(src.height()));
        benchmark::DoNotOptimize(buffer.bits());
    }
}
BENCHMARK(BM_FrameCopyOnly)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_HatchOnly(benchmark::State& state)
{
    QImage area(1795, 917, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&area);
        p.fillRect(area.rect(), Qt::white);
        p.fillRect(area.rect(), QBrush(QColor(191, 191, 191), Qt::DiagCrossPattern));
        p.end();
        benchmark::DoNotOptimize(area.constBits());
    }
}
BENCHMARK(BM_HatchOnly)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
