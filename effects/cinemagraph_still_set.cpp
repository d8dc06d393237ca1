// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/cinemagraph_still_set.h"

#include <algorithm>
#include <cstring>

#include "capture/frame_sequence.h"
#include "gif/ordered_parallel.h"

namespace {

bool isWhite(const RgbQuad& c)
{
    return c.red == 255 && c.green == 255 && c.blue == 255;
}

}  // namespace

CinemagraphStillSet CinemagraphStillSet::fromMask(const RasterImage& mask)
{
    CinemagraphStillSet set;
    if (!mask.isValid())
        return set;
    const int w = mask.width();
    for (int y = 0; y < mask.height(); ++y) {
        int x = 0;
        if (mask.depth() == 24) {
            const uint8_t* p = mask.row(y);
            while (x < w) {
                while (x < w && !(p[x * 3] == 255 && p[x * 3 + 1] == 255 && p[x * 3 + 2] == 255))
                    ++x;
                const int start = x;
                while (x < w && p[x * 3] == 255 && p[x * 3 + 1] == 255 && p[x * 3 + 2] == 255)
                    ++x;
                if (x > start) {
                    set.runs_.push_back(Run{y, start, x});
                    set.pixels_ += size_t(x - start);
                }
            }
        } else {
            while (x < w) {
                while (x < w && !isWhite(mask.getColor(x, y)))
                    ++x;
                const int start = x;
                while (x < w && isWhite(mask.getColor(x, y)))
                    ++x;
                if (x > start) {
                    set.runs_.push_back(Run{y, start, x});
                    set.pixels_ += size_t(x - start);
                }
            }
        }
    }
    return set;
}

bool CinemagraphStillSet::contains(int x, int y) const
{
    auto it =
        std::lower_bound(runs_.begin(), runs_.end(), y, [](const Run& r, int row) { return r.y < row; });
    for (; it != runs_.end() && it->y == y; ++it) {
        if (x >= it->x0 && x < it->x1)
            return true;
    }
    return false;
}

void CinemagraphStillSet::applyTo(RasterImage& frame, const RasterImage& still) const
{
    if (!frame.isValid() || !still.isValid() || &frame == &still)
        return;
    const int w = std::min(frame.width(), still.width());
    const int h = std::min(frame.height(), still.height());
    const bool direct = frame.depth() == 24 && still.depth() == 24;
    for (const Run& run : runs_) {
        if (run.y >= h)
            break;  // runs come row by row
        const int x0 = run.x0;
        const int x1 = std::min(run.x1, w);
        if (x0 >= x1)
            continue;
        if (direct) {
            std::memcpy(frame.row(run.y) + size_t(x0) * 3, still.row(run.y) + size_t(x0) * 3,
                        size_t(x1 - x0) * 3);
        } else {
            for (int x = x0; x < x1; ++x)
                frame.setColor(x, run.y, still.getColor(x, run.y));
        }
    }
}

void CinemagraphStillSet::applyTo(FrameSequence& sequence, const RasterImage& still, int threads,
                                  const std::function<void(int)>& frameDone) const
{
    runOrdered(
        sequence.count(), threads,
        [&](int i) {
            FrameRecord* record = sequence.at(i);
            if (record && record->image)
                applyTo(*record->image, still);
        },
        [&](int i) {
            if (frameDone)
                frameDone(i);
            return true;
        });
}
