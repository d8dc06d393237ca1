// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/palette_stage.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "gif/colour_gatherer.h"
#include "gif/generation_run.h"
#include "gif/object_pool.h"
#include "gif/ordered_parallel.h"

PaletteStage::PaletteStage() : octree_(256, 8) {}

PaletteStage::~PaletteStage() = default;

void PaletteStage::add(const std::vector<const uint8_t*>& rows, int width,
                       const std::vector<ColourGatherer::Entry>& colours, const std::vector<int>& repeated)
{
    for (const ColourGatherer::Entry& e : colours)
        octree_.addColorRun(uint8_t(e.bgr >> 16), uint8_t(e.bgr >> 8), uint8_t(e.bgr), 0, e.count);
    for (const int y : repeated)
        ++repeats_[rows[size_t(y)]];
    width_ = width;
    previous_.assign(rows.begin(), rows.end());
}

void PaletteStage::addPixels(const std::vector<const uint8_t*>& rows, const uint8_t* const* previous,
                             int width)
{
    const size_t rowBytes = size_t(width) * 3;
    for (size_t y = rows.size(); y-- > 0;) {
        const uint8_t* row = rows[y];
        const uint8_t* before = previous != nullptr ? previous[y] : nullptr;
        if (before != nullptr && (row == before || std::memcmp(row, before, rowBytes) == 0))
            ++repeats_[row];
        else
            octree_.feedBgrRows(row, width, 1, 0);
    }
    width_ = width;
    previous_.assign(rows.begin(), rows.end());
}

const uint8_t* const* PaletteStage::rowsFedLast(int width, int height) const
{
    const bool comparable = width == width_ && previous_.size() == size_t(height);
    return comparable && !previous_.empty() ? previous_.data() : nullptr;
}

void PaletteStage::feed(const ComposedFrame& frame, int width, int height)
{
    // previous_ is only replaced once the frame has been added.
    const uint8_t* const* previous = rowsFedLast(width, height);
    std::vector<ColourGatherer::Entry> colours;
    std::vector<int> repeated;
    if (gatherer_.gather(frame.rows.data(), previous, width, height, colours, repeated))
        add(frame.rows, width, colours, repeated);
    else
        addPixels(frame.rows, previous, width);
}

void PaletteStage::feedFrames(const std::vector<ComposedFrame>& frames, int width, int height,
                              GenerationRun& run)
{
    const int n = int(frames.size());
    if (n == 0)
        return;
    // Only the first frame compares with previous_, and it is done with it
    // before its add() replaces previous_.
    const uint8_t* const* before = rowsFedLast(width, height);
    std::vector<std::vector<ColourGatherer::Entry>> colours(static_cast<size_t>(n));
    std::vector<std::vector<int>> repeated(static_cast<size_t>(n));
    std::vector<char> gathered(static_cast<size_t>(n), 0);
    auto previousOf = [&](int j) -> const uint8_t* const* {
        return j > 0 ? frames[size_t(j) - 1].rows.data() : before;
    };
    ObjectPool<std::unique_ptr<ColourGatherer>> gatherers;
    const int threads = run.threads();
    runOrdered(
        n, threads,
        [&](int j) {
            std::unique_ptr<ColourGatherer> g = gatherers.take();
            if (!g)
                g = std::make_unique<ColourGatherer>();
            gathered[size_t(j)] = g->gather(frames[size_t(j)].rows.data(), previousOf(j), width, height,
                                            colours[size_t(j)], repeated[size_t(j)]);
            gatherers.give(std::move(g));
        },
        [&](int j) {
            // A frame of too many colours goes pixel by pixel, as they come.
            if (gathered[size_t(j)])
                add(frames[size_t(j)].rows, width, colours[size_t(j)], repeated[size_t(j)]);
            else
                addPixels(frames[size_t(j)].rows, previousOf(j), width);
            std::vector<ColourGatherer::Entry>().swap(colours[size_t(j)]);
            return true;
        },
        threads * 2);
}

GifPalette PaletteStage::table(bool keepWhite)
{
    for (const auto& [row, times] : repeats_)
        octree_.feedBgrRows(row, width_, 1, 0, times);
    repeats_.clear();
    previous_.clear();
    GifPalette table{};
    const int used = std::clamp(octree_.colorTable(table.data(), 256), 1, 256);
    if (keepWhite) {
        int best = -1;
        int bestSum = 0;
        for (int k = 0; k < std::min(used, 255); ++k) {
            const int sum = table[size_t(k)].red + table[size_t(k)].green + table[size_t(k)].blue;
            if (sum > bestSum) {
                bestSum = sum;
                best = k;
            }
        }
        if (best >= 0)
            table[size_t(best)] = RgbQuad{255, 255, 255, table[size_t(best)].reserved};
    }
    for (int k = used; k < 256; ++k)
        table[size_t(k)] = table[0];
    return table;
}
