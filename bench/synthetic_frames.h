// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Synthetic recordings shared by the generation benchmarks.
#pragma once

#include <memory>

#include "imaging/raster_image.h"

// Frame t of a "video": every pixel changes, thousands of colours, grain.
std::unique_ptr<RasterImage> videoFrame(int w, int h, int t);
// Frame t of a "screen": flat colours, a small moving part, frozen during
// frames 60..79 so there are runs of identical frames.
std::unique_ptr<RasterImage> screenFrame(int w, int h, int t);
