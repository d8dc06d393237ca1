// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The pictures the two watermark dialogs show: the preview area on a diagonal
// cross-hatch with the watermark stamped by the same code generation uses, so
// the dialog shows what the GIF gets.
#include "imaging/raster_image.h"

struct AppSettings;

// The corner a preview shows: 1, 2 and 3 as they are, any other code as 0.
int previewCorner(int corner);

// Fills a 24-bit picture with the diagonal cross-hatch: lines of
// RGB(191, 191, 191) on white, period 8, the pattern's origin at
// (originX, originY) snapped down to a multiple of 8.
void fillCrossHatch(RasterImage& area, int originX = 0, int originY = 0);

// The image dialog's preview: the hatched area, and when `enabled` and there is
// a decoded picture (24 bits), the picture scaled like generation scales it to
// `width` x trunc(h / w x width) and blended into the preview corner.
RasterImage imageWatermarkPreview(int areaWidth, int areaHeight, const RasterImage* picture, int width,
                                  int corner, bool enabled);

// The text dialog's preview of the text watermark settings (font height from
// `dpiY`); nothing but the hatching when it is off or the text is empty.
RasterImage textWatermarkPreview(int areaWidth, int areaHeight, const AppSettings& settings, int dpiY);
