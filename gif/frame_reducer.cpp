// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/frame_reducer.h"

#include <algorithm>
#include <cstring>

#include "imaging/octree_quantizer.h"
#include "imaging/palette_lookup.h"

namespace {

inline uint8_t addPart(uint8_t value, int error, int weight)
{
    return uint8_t(std::clamp(int(value) + error * weight / 16, 0, 255));
}

}  // namespace

FrameReducer::FrameReducer(const PaletteLookup& palette, bool diffusion, int width, int height,
                           RasterImage& state)
    : palette_(palette), diffusion_(diffusion), width_(width), height_(height), state_(state)
{
}

bool FrameReducer::worthReusing(const uint8_t* const* frame, const uint8_t* const* previous, int width,
                                int height)
{
    // Count identical rows (shared rows are identical), and identical pixels on
    // a sparse grid of the rest.
    const size_t rowBytes = size_t(width) * 3;
    int64_t same = 0, total = 0;
    for (int y = 0; y < height; y += 3) {
        const uint8_t* a = frame[y];
        const uint8_t* b = previous[y];
        total += width;
        if (a == b || std::memcmp(a, b, rowBytes) == 0) {
            same += width;
            continue;
        }
        for (int x = 0; x < width; x += 4)
            same += (a[size_t(x) * 3] == b[size_t(x) * 3] && a[size_t(x) * 3 + 1] == b[size_t(x) * 3 + 1] &&
                     a[size_t(x) * 3 + 2] == b[size_t(x) * 3 + 2])
                        ? 4
                        : 0;
    }
    return same * 2 > total;
}

bool FrameReducer::reduceFirst(const uint8_t* const* frame, uint8_t* const* rows)
{
    const int w = width_, h = height_;
    if (w <= 0 || h <= 0)
        return false;
    if (!diffusion_) {
        for (int y = 0; y < h; ++y) {
            const uint8_t* src = frame[y];
            uint8_t* out = rows[y];
            uint32_t last = 0xFFFFFFFFu;
            uint8_t index = 0;
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = src + size_t(x) * 3;
                const uint32_t colour = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
                if (colour != last) {
                    index = uint8_t(palette_.nearest(p[2], p[1], p[0]));
                    last = colour;
                }
                out[x] = index;
            }
        }
        return true;
    }
    if ((!state_.isValid() || state_.width() != w || state_.height() != h || state_.depth() != 24) &&
        !state_.create(w, h, 24))
        return false;
    for (int y = 0; y < h; ++y)
        std::memcpy(state_.row(y), frame[y], size_t(w) * 3);
    return OctreeQuantizer::reduceToIndices(state_, palette_, true, rows);
}

bool FrameReducer::reduceNext(const uint8_t* const* frame, const uint8_t* const* previous,
                              const uint8_t* const* previousRows, uint8_t* const* rows)
{
    const int w = width_, h = height_;
    const size_t rowBytes = size_t(w) * 3;

    if (!diffusion_) {
        for (int y = 0; y < h; ++y) {
            const uint8_t* a = frame[y];
            const uint8_t* b = previous[y];
            if (a == b || std::memcmp(a, b, rowBytes) == 0) {
                std::memcpy(rows[y], previousRows[y], size_t(w));
                continue;
            }
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = a + size_t(x) * 3;
                const uint8_t* q = b + size_t(x) * 3;
                rows[y][x] = (p[0] == q[0] && p[1] == q[1] && p[2] == q[2])
                                 ? previousRows[y][x]
                                 : uint8_t(palette_.nearest(p[2], p[1], p[0]));
            }
        }
        return true;
    }

    if (!state_.isValid() || state_.width() != w || state_.height() != h)
        return false;
    // Flags are kept with one spare entry on each side: index x + 1 is column x.
    changedBelow_.assign(size_t(w) + 2, 0);
    changedHere_.assign(size_t(w) + 2, 0);
    bool anyBelow = false;
    const RgbQuad* pal = palette_.entries();

    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* src = frame[y];
        const uint8_t* old = previous[y];
        uint8_t* st = state_.row(y);
        uint8_t* out = rows[y];
        const uint8_t* oldOut = previousRows[y];
        if (!anyBelow && (src == old || std::memcmp(src, old, rowBytes) == 0)) {
            std::memcpy(out, oldOut, size_t(w));
            anyBelow = false;
            continue;
        }
        const uint8_t* stBelow = y + 1 < h ? state_.row(y + 1) : nullptr;
        const uint8_t* outBelow = y + 1 < h ? rows[y + 1] : nullptr;
        bool anyHere = false;
        std::fill(changedHere_.begin(), changedHere_.end(), uint8_t(0));
        const uint8_t* below = changedBelow_.data() + 1;
        uint8_t* here = changedHere_.data() + 1;

        for (int x = 0; x < w; ++x) {
            const size_t o = size_t(x) * 3;
            const bool sameColour = src[o] == old[o] && src[o + 1] == old[o + 1] && src[o + 2] == old[o + 2];
            if (sameColour && !below[x - 1] && !below[x] && !below[x + 1] && !here[x - 1]) {
                out[x] = oldOut[x];  // value, index and error as before
                continue;
            }
            // The old error of this pixel, to tell whether it changes.
            const RgbQuad& oldChosen = pal[oldOut[x]];
            const int oldEb = int(st[o]) - oldChosen.blue;
            const int oldEg = int(st[o + 1]) - oldChosen.green;
            const int oldEr = int(st[o + 2]) - oldChosen.red;

            // The value this pixel is reduced from: its colour plus the parts
            // of its neighbours' errors, in the order the plain reduction adds
            // them.
            uint8_t b = src[o], g = src[o + 1], r = src[o + 2];
            if (stBelow != nullptr) {
                auto pull = [&](int nx, int weight) {
                    const uint8_t* n = stBelow + size_t(nx) * 3;
                    const RgbQuad& c = pal[outBelow[nx]];
                    b = addPart(b, int(n[0]) - c.blue, weight);
                    g = addPart(g, int(n[1]) - c.green, weight);
                    r = addPart(r, int(n[2]) - c.red, weight);
                };
                if (x > 0)
                    pull(x - 1, 1);
                pull(x, 4);
                if (x + 1 < w)
                    pull(x + 1, 2);
            }
            if (x > 0) {
                const uint8_t* n = st + o - 3;
                const RgbQuad& c = pal[out[x - 1]];
                b = addPart(b, int(n[0]) - c.blue, 7);
                g = addPart(g, int(n[1]) - c.green, 7);
                r = addPart(r, int(n[2]) - c.red, 7);
            }
            const int index = palette_.nearest(r, g, b);
            out[x] = uint8_t(index);
            st[o] = b;
            st[o + 1] = g;
            st[o + 2] = r;
            const RgbQuad& chosen = pal[index];
            if (int(b) - chosen.blue != oldEb || int(g) - chosen.green != oldEg ||
                int(r) - chosen.red != oldEr) {
                here[x] = 1;
                anyHere = true;
            }
        }
        changedBelow_.swap(changedHere_);
        anyBelow = anyHere;
    }
    return true;
}
