// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/palette_stage.h"

#include <algorithm>
#include <cstring>

PaletteStage::PaletteStage() : octree_(256, 8) {}

void PaletteStage::feed(const ComposedFrame& frame, int width, int height)
{
    const bool comparable = width == width_ && previous_.size() == size_t(height);
    width_ = width;
    const size_t rowBytes = size_t(width) * 3;
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = frame.rows[size_t(y)];
        const uint8_t* before = comparable ? previous_[size_t(y)] : nullptr;
        if (before != nullptr && (row == before || std::memcmp(row, before, rowBytes) == 0))
            ++repeats_[row];
        else
            octree_.feedBgrRows(row, width, 1, 0);
    }
    previous_.assign(frame.rows.begin(), frame.rows.end());
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
