// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/reduce_stage.h"

#include <QtDebug>
#include <algorithm>
#include <memory>
#include <mutex>
#include <new>

#include "gif/frame_reducer.h"
#include "gif/generation_run.h"
#include "gif/ordered_parallel.h"
#include "imaging/palette_lookup.h"

namespace {

// Shortest limit on a run of frames reduced one after the other on one thread
// (longer recordings get longer runs, a few per thread).
constexpr int kMinRunLimit = 12;

// Gives `frame` the colour table of `palette` the way gdImagePaletteCopy does
// (colours copied, every entry in use, the same number of colours). The
// pixel remapping that gdImagePaletteCopy also does is the identity here:
// every pixel holds the first table entry of its colour, because the nearest
// search never picks a later duplicate, and libgd maps each index to the
// first closest entry of the same table.
void sharePalette(gdImagePtr frame, const gdImagePtr palette)
{
    for (int i = 0; i < palette->colorsTotal; ++i) {
        frame->red[i] = palette->red[i];
        frame->green[i] = palette->green[i];
        frame->blue[i] = palette->blue[i];
        frame->alpha[i] = palette->alpha[i];
        frame->open[i] = 0;
    }
    for (int i = palette->colorsTotal; i < frame->colorsTotal; ++i)
        frame->open[i] = 1;
    frame->colorsTotal = palette->colorsTotal;
}

}  // namespace

ReduceStage::ReduceStage(const GifPalette& table, bool diffusion, int width, int height)
    : table_(table),
      diffusion_(diffusion),
      width_(width),
      height_(height),
      lookup_(std::make_unique<PaletteLookup>(table_.data(), 256)),
      paletteImage_(gdImageCreate(1, 1))
{
    if (!paletteImage_)
        throw std::bad_alloc();
    for (const RgbQuad& c : table_)
        gdImageColorAllocate(paletteImage_.get(), c.red, c.green, c.blue);
}

ReduceStage::~ReduceStage() = default;

std::vector<std::pair<int, int>> ReduceStage::runsOf(const std::vector<char>& alike, int threads)
{
    const int m = int(alike.size());
    threads = std::max(threads, 1);
    const int runLimit = std::max(kMinRunLimit, (m + 2 * threads - 1) / (2 * threads));
    std::vector<std::pair<int, int>> runs;  // first frame, frame count
    for (int j = 0; j < m; ++j) {
        if (j == 0 || !alike[size_t(j)] || runs.back().second >= runLimit)
            runs.push_back({j, 1});
        else
            ++runs.back().second;
    }
    return runs;
}

std::vector<std::pair<int, int>> ReduceStage::planRuns(const std::vector<ComposedFrame>& composed,
                                                       GenerationRun& run) const
{
    const int m = int(composed.size());
    std::vector<char> alike(size_t(m), 0);
    runOrdered(
        m, run.threads(),
        [&](int j) {
            if (j > 0)
                alike[size_t(j)] = FrameReducer::worthReusing(
                    composed[size_t(j)].rows.data(), composed[size_t(j) - 1].rows.data(), width_, height_);
        },
        [](int) { return true; });
    return runsOf(alike, run.threads());
}

void ReduceStage::reduceRun(const std::vector<ComposedFrame>& composed, std::pair<int, int> span,
                            std::vector<PaletteFrame>& frames)
{
    std::unique_ptr<RasterImage> state = freeStates_.take();
    if (!state)
        state = std::make_unique<RasterImage>();
    FrameReducer reducer(*lookup_, diffusion_, width_, height_, *state);
    const int first = span.first;
    const int last = first + span.second - 1;
    bool havePrevious = false;
    for (int j = first; j <= last; ++j) {
        const ComposedFrame& c = composed[size_t(j)];
        GdImageHandle im = makeBlockPaletteImage(width_, height_);
        bool ok = false;
        if (im) {
            ok = havePrevious ? reducer.reduceNext(c.rows.data(), composed[size_t(j) - 1].rows.data(),
                                                   frames[size_t(j) - 1].image->pixels, im->pixels)
                              : reducer.reduceFirst(c.rows.data(), im->pixels);
        }
        havePrevious = ok;
        if (!ok) {
            qWarning("generation: frame %d cannot be made into a palette image; left out", j + 1);
            continue;
        }
        sharePalette(im.get(), paletteImage_.get());
        frames[size_t(j)].image = std::move(im);
        frames[size_t(j)].delay = c.delay;
    }
    freeStates_.give(std::move(state));
}

std::vector<PaletteFrame> ReduceStage::run(const std::vector<ComposedFrame>& composed, GenerationRun& run)
{
    const int m = int(composed.size());
    std::vector<PaletteFrame> frames(static_cast<size_t>(m));
    if (m == 0)
        return frames;
    const std::vector<std::pair<int, int>> runs = planRuns(composed, run);
    runOrdered(
        int(runs.size()), run.threads(), [&](int r) { reduceRun(composed, runs[size_t(r)], frames); },
        [&](int r) {
            for (int j = runs[size_t(r)].first; j < runs[size_t(r)].first + runs[size_t(r)].second; ++j) {
                const int p = int(60 + j * 35.0 / m);
                if (p < 95)
                    run.report(p);
            }
            return true;
        });
    return frames;
}
