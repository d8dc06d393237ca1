// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A palette of at most `colours` entries for a set of colour samples: the
// samples themselves when there are few enough, otherwise a weighted median
// cut (the box with the largest squared error is split at the weighted median
// of its widest axis) refined by rounds of k-means. The result depends only on
// the samples and their order.
#include <vector>

#include "gif/colour_histogram.h"
#include "imaging/raster_image.h"

class LevelPalette {
public:
    static std::vector<RgbQuad> build(std::vector<ColourSample> samples, int colours, int kmeansRounds);
    // The brightest entry (red + green + blue above 0, lowest index on ties)
    // becomes white.
    static void keepWhite(std::vector<RgbQuad>& palette);
};
