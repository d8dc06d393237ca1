// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/palette_stage.h"

#include <algorithm>

PaletteStage::PaletteStage() : octree_(256, 8) {}

void PaletteStage::feed(const ComposedFrame& frame, int width, int height)
{
    for (int y = height - 1; y >= 0; --y)
        octree_.feedBgrRows(frame.rows[size_t(y)], width, 1, 0);
}

GifPalette PaletteStage::table(bool keepWhite) const
{
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
