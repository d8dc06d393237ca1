// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Merging: frames that could not be made are dropped, and identical neighbours
// become one frame showing for the sum of their delays. The GIF's delay field
// holds 16 bits: a longer run keeps the longest delay it can rather than
// wrapping to a short one.
#include <vector>

#include "gif/palette_frame.h"

class GenerationRun;

// Whether two frames show the same picture (gdImageCompare finds no difference).
bool samePalettePicture(const gdImage& a, const gdImage& b);
// The delay of a merged frame: the sum, or the longest a GIF can hold.
int mergedDelay(int a, int b);

// The merged frames, in order; `frames` is emptied.
std::vector<PaletteFrame> mergeIdenticalFrames(std::vector<PaletteFrame>& frames, GenerationRun& run);
