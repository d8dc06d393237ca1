// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "synthetic_frames.h"

#include <algorithm>
#include <cstdint>
#include <random>

std::unique_ptr<RasterImage> videoFrame(int w, int h, int t)
{
    auto img = RasterImage::make(w, h, 24);
    std::minstd_rand rng(unsigned(t) * 7919u + 1u);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = img->row(y);
        for (int x = 0; x < w; ++x, p += 3) {
            const int grain = int(rng() % 11) - 5;
            p[0] = uint8_t(std::clamp((x + 3 * t) % 256 + grain, 0, 255));
            p[1] = uint8_t(std::clamp((y * 2 + t) % 256 + grain, 0, 255));
            p[2] = uint8_t(std::clamp(((x ^ y) + 5 * t) % 256 + grain, 0, 255));
        }
    }
    return img;
}

std::unique_ptr<RasterImage> screenFrame(int w, int h, int t)
{
    auto img = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = img->row(y);
        for (int x = 0; x < w; ++x, p += 3) {
            const bool bar = y < 24;
            const bool text = (y / 14) % 2 == 0 && (x / 7) % 3 != 0 && x > 40 && ((x * 31 + y * 17) % 5 == 0);
            p[0] = bar ? 90 : text ? 40 : 250;
            p[1] = bar ? 60 : text ? 40 : 250;
            p[2] = bar ? 30 : text ? 40 : 250;
        }
    }
    // A pointer that moves, frozen during an idle stretch.
    const int step = (t >= 60 && t < 80) ? 60 : t;
    const int px = 50 + step * 5 % (w - 70), py = 80 + step * 3 % (h - 100);
    for (int y = py; y < py + 16; ++y)
        for (int x = px; x < px + 10; ++x) {
            uint8_t* p = img->row(y) + size_t(x) * 3;
            p[0] = p[1] = p[2] = 0;
        }
    return img;
}
