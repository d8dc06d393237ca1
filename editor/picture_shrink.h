// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Averaging shrink of a 24-bit frame straight into a 32-bit screen image, as
// the editor's picture and strip draw frames: every target pixel is the mean
// of the block of source pixels it covers (blocks tile the source). With
// `maxSamples` > 0 at most that many rows and columns of each block are read,
// evenly spread, which keeps thumbnails of large frames cheap.
//
// The target keeps its size; a target larger than the source on an axis
// repeats source pixels on that axis. Rows are shared out over `threads`
// threads; the result does not depend on the thread count.
#include <QImage>

class RasterImage;

// False (target untouched) when the source is not a valid 24-bit image or the
// target is not Format_RGB32 / ARGB32 or empty.
bool shrinkInto(const RasterImage& source, QImage& target, int maxSamples = 0, int threads = 1);
