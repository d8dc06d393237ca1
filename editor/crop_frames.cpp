// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/crop_frames.h"

#include <climits>
#include <cmath>
#include <vector>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "gif/ordered_parallel.h"

namespace cropframes {

namespace {

// trunc(v) within the int range (the rectangle never leaves the screen, but a
// float product is kept from wrapping all the same).
int truncated(float v)
{
    if (!(v > float(INT_MIN)))
        return INT_MIN;
    if (!(v < float(INT_MAX)))
        return INT_MAX;
    return int(std::trunc(v));
}

}  // namespace

CropRect frameArea(float displayScale, const CropRect& tracker, const CropRect& displayed)
{
    const CropRect r = tracker.normalized();
    int x0 = r.left - displayed.left;
    int y0 = r.top - displayed.top;
    const int w = r.width();
    const int h = r.height();
    if (displayScale > 1.0f) {
        x0 = truncated(float(x0) * displayScale);
        y0 = truncated(float(y0) * displayScale);
        const int x1 = truncated(float(w) * displayScale + float(x0));
        const int y1 = truncated(float(h) * displayScale + float(y0));
        return CropRect(x0, y0, x1, y1);
    }
    return CropRect(x0, y0, x0 + w, y0 + h);
}

int cropSequence(FrameSequence& sequence, const CropRect& area, AppSettings& settings)
{
    // Every image is cut on its own, so the records are shared out over the
    // cores; crop() keeps the flags word, so the include marks stay.
    const int n = sequence.count();
    std::vector<char> done(size_t(std::max(n, 0)), 0);
    runOrdered(
        n, generationThreadCount(),
        [&](int i) {
            FrameRecord* record = sequence.at(i);
            if (record && record->image)
                done[size_t(i)] = record->image->crop(area.left, area.top, area.right, area.bottom) ? 1 : 0;
        },
        [](int) { return true; });
    int cut = 0;
    for (char c : done)
        cut += c;
    settings.outputScale = 1.0f;
    if (const RasterImage* first = sequence.FrameImage(1))
        sequence.SetFrameRectangle(0, 0, first->width(), first->height(), 0);
    return cut;
}

}  // namespace cropframes
