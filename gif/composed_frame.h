// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// One composed record: the output-sized picture that goes into the palette and
// the GIF, as top-down rows of B, G, R.
//
// When composition changes nothing, the source picture is used as it is
// (`image` borrowed). A record that differs from the one before it in few rows
// keeps only those rows (`changedRows`) and shares the others with its
// predecessor, so a long recording of a mostly still screen is held in little
// memory and decoded pictures are released at once. Shared rows point into the
// predecessor: frames are kept in one vector and never moved one by one.
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/raster_image.h"

struct ComposedFrame {
    const RasterImage* image = nullptr;      // the whole picture while it is kept
    std::unique_ptr<RasterImage> owned;      // ... when it belongs to the generation
    std::unique_ptr<uint8_t[]> changedRows;  // rows of its own when the picture is not kept
    std::vector<const uint8_t*> rows;        // every row, top-down (set once the frame is in order)
    int delay = 0;                           // hundredths of a second
    int record = -1;                         // the record it was made from (0-based)
};
