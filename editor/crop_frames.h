// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Cropping the whole recording to the rectangle the user drew over the
// picture. The rectangle is in editor pixels; the picture is shown shrunk by
// the display scale (frame pixels per screen pixel, never below 1), so the
// frame columns and rows are the rectangle's offsets inside the displayed
// image multiplied by that scale.
#include "editor/crop_rect.h"

class FrameSequence;
struct AppSettings;

namespace cropframes {

// Frame columns left .. right - 1 and rows top .. bottom - 1 that the tracker
// rectangle `tracker` covers, for a picture shown at `displayed` with
// `displayScale`. With a scale above 1 the offsets and the far edges are
// multiplied by it and truncated; otherwise the rectangle is used as it is.
CropRect frameArea(float displayScale, const CropRect& tracker, const CropRect& displayed);

// Cuts every record of the sequence, deleted ones included, to `area` (limited
// to each image; an image the area misses entirely stays as it is) and keeps
// every include mark. Then the output scale becomes 1.0 and the frame
// rectangle the size of the first image. Returns how many images were cut.
int cropSequence(FrameSequence& sequence, const CropRect& area, AppSettings& settings);

}  // namespace cropframes
