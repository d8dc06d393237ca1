// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/merge_stage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "gif/generation_run.h"
#include "gif/ordered_parallel.h"

namespace {

constexpr int kMaxGifDelay = 65535;

}  // namespace

// gdImageCompare(a, b) == 0, which compares the red, green and blue of the
// pixels: with one colour table (and no alpha), rows of the same bytes are the same, and other rows compare
// the first entry of each pixel's colour. Other pairs are left to libgd.
bool samePalettePicture(const gdImage& a, const gdImage& b)
{
    bool alike = !a.trueColor && !b.trueColor && a.sx == b.sx && a.sy == b.sy &&
                 a.colorsTotal == b.colorsTotal && a.transparent == b.transparent &&
                 a.interlace == b.interlace && a.colorsTotal >= 1 && a.colorsTotal <= 256;
    for (int i = 0; alike && i < a.colorsTotal; ++i)
        alike = a.red[i] == b.red[i] && a.green[i] == b.green[i] && a.blue[i] == b.blue[i] &&
                a.alpha[i] == 0 && b.alpha[i] == 0;
    if (!alike)
        return gdImageCompare(const_cast<gdImagePtr>(&a), const_cast<gdImagePtr>(&b)) == 0;
    uint8_t first[256] = {};
    for (int i = 0; i < a.colorsTotal; ++i) {
        int k = 0;
        while (a.red[k] != a.red[i] || a.green[k] != a.green[i] || a.blue[k] != a.blue[i])
            ++k;
        first[i] = uint8_t(k);
    }
    const size_t w = size_t(a.sx);
    for (int y = 0; y < a.sy; ++y) {
        const unsigned char* p = a.pixels[y];
        const unsigned char* q = b.pixels[y];
        if (std::memcmp(p, q, w) == 0)
            continue;
        for (size_t x = 0; x < w; ++x) {
            if (p[x] == q[x])
                continue;
            if (p[x] >= a.colorsTotal || q[x] >= a.colorsTotal)
                return gdImageCompare(const_cast<gdImagePtr>(&a), const_cast<gdImagePtr>(&b)) == 0;
            if (first[p[x]] != first[q[x]])
                return false;
        }
    }
    return true;
}

int mergedDelay(int a, int b)
{
    return int(std::min<int64_t>(int64_t(a) + b, kMaxGifDelay));
}

std::vector<PaletteFrame> mergeIdenticalFrames(std::vector<PaletteFrame>& frames, GenerationRun& run)
{
    frames.erase(std::remove_if(frames.begin(), frames.end(), [](const PaletteFrame& f) { return !f.image; }),
                 frames.end());
    // Equality of pictures is transitive, so comparing each frame with the one
    // before it finds the same runs as comparing with the run's first frame.
    std::vector<char> sameAsPrevious(frames.size(), 0);
    runOrdered(
        int(frames.size()), run.threads(),
        [&](int j) {
            if (j > 0)
                sameAsPrevious[size_t(j)] =
                    samePalettePicture(*frames[size_t(j) - 1].image, *frames[size_t(j)].image);
        },
        [](int) { return true; });
    std::vector<PaletteFrame> merged;
    merged.reserve(frames.size());
    for (size_t j = 0; j < frames.size(); ++j) {
        if (sameAsPrevious[j])
            merged.back().delay = mergedDelay(merged.back().delay, frames[j].delay);
        else
            merged.push_back(std::move(frames[j]));
    }
    frames.clear();
    return merged;
}
