// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/watermark_preview.h"

#include <cstring>

#include "app/app_settings.h"
#include "effects/image_watermark.h"
#include "effects/text_watermark.h"

int previewCorner(int corner)
{
    return (corner >= 1 && corner <= 3) ? corner : 0;
}

void fillCrossHatch(RasterImage& area, int originX, int originY)
{
    if (!area.isValid() || area.depth() != 24)
        return;
    const int ox = originX & ~7;
    const int oy = originY & ~7;
    for (int y = 0; y < area.height(); ++y) {
        uint8_t* p = area.row(y);
        const int cy = ((y - oy) % 8 + 8) % 8;
        for (int x = 0; x < area.width(); ++x) {
            const int cx = ((x - ox) % 8 + 8) % 8;
            const uint8_t v = (cx == cy || cx + cy == 7) ? 191 : 255;
            p[3 * x] = p[3 * x + 1] = p[3 * x + 2] = v;
        }
    }
}

namespace {
RasterImage hatchedArea(int w, int h)
{
    RasterImage area;
    if (w > 0 && h > 0 && area.create(w, h, 24))
        fillCrossHatch(area);
    return area;
}
}  // namespace

RasterImage imageWatermarkPreview(int areaWidth, int areaHeight, const RasterImage* picture, int width,
                                  int corner, bool enabled)
{
    RasterImage area = hatchedArea(areaWidth, areaHeight);
    if (!area.isValid() || !enabled || !picture || !picture->isValid() || width < 1)
        return area;
    const double scaled = double(picture->height()) / double(picture->width()) * double(width);
    if (!(scaled >= 1.0) || scaled > double(kMaxImageSide))
        return area;
    RasterImage mark(*picture);
    if (!mark.increaseTo24Bits() || !mark.resampleNearest(width, int(scaled)))
        return area;
    ImageWatermark::blend(area, mark, previewCorner(corner));
    return area;
}

RasterImage textWatermarkPreview(int areaWidth, int areaHeight, const AppSettings& settings, int dpiY)
{
    RasterImage area = hatchedArea(areaWidth, areaHeight);
    TextWatermark mark = TextWatermark::fromSettings(settings, dpiY);
    if (!area.isValid() || !mark.enabled || mark.text.isEmpty())
        return area;
    mark.corner = previewCorner(mark.corner);
    int w = 0;
    int h = 0;
    mark.measure(w, h);
    mark.draw(area, w, h);
    return area;
}
