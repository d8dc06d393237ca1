// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Builds small GIF files for tests: uncompressed LZW (a clear code before the
// code width would grow), optional graphic control, local palettes, looping.
#include <cstdint>
#include <vector>

#include "imaging/raster_image.h"

namespace giftest {

struct Frame {
    int left = 0, top = 0, width = 0, height = 0;
    int delay = 0;
    int disposal = 0;
    int transparent = -1;
    bool control = true;          // write a graphic control extension
    std::vector<RgbQuad> local;   // local colour table when not empty (2^n entries)
    std::vector<uint8_t> pixels;  // width * height indices
};

inline void putColours(std::vector<uint8_t>& out, const std::vector<RgbQuad>& table)
{
    for (const RgbQuad& c : table) {
        out.push_back(c.red);
        out.push_back(c.green);
        out.push_back(c.blue);
    }
}

inline int tableBits(size_t n)
{
    int bits = 0;
    while ((size_t(2) << bits) < n)
        ++bits;
    return bits;
}

inline std::vector<uint8_t> lzwUncompressed(const std::vector<uint8_t>& px)
{
    const int mcs = 8, clear = 256, end = 257, width = 9;
    std::vector<uint8_t> data;
    uint32_t acc = 0;
    int n = 0;
    auto put = [&](int code) {
        acc |= uint32_t(code) << n;
        n += width;
        while (n >= 8) {
            data.push_back(uint8_t(acc));
            acc >>= 8;
            n -= 8;
        }
    };
    (void)mcs;
    int run = 0;
    put(clear);
    for (uint8_t p : px) {
        if (run == 254) {
            put(clear);
            run = 0;
        }
        put(p);
        ++run;
    }
    put(end);
    if (n > 0)
        data.push_back(uint8_t(acc));
    std::vector<uint8_t> out{8};
    for (size_t i = 0; i < data.size(); i += 255) {
        const size_t len = std::min<size_t>(255, data.size() - i);
        out.push_back(uint8_t(len));
        out.insert(out.end(), data.begin() + long(i), data.begin() + long(i + len));
    }
    out.push_back(0);
    return out;
}

inline std::vector<uint8_t> makeGif(int width, int height, const std::vector<RgbQuad>& global,
                                    const std::vector<Frame>& frames, int loop = -1)
{
    std::vector<uint8_t> g = {'G', 'I', 'F', '8', '9', 'a'};
    auto u16 = [&g](int v) {
        g.push_back(uint8_t(v));
        g.push_back(uint8_t(v >> 8));
    };
    u16(width);
    u16(height);
    g.push_back(global.empty() ? 0 : uint8_t(0x80 | 0x70 | tableBits(global.size())));
    g.push_back(0);
    g.push_back(0);
    putColours(g, global);
    if (loop >= 0) {
        const char* id = "NETSCAPE2.0";
        g.insert(g.end(), {0x21, 0xFF, 11});
        g.insert(g.end(), id, id + 11);
        g.insert(g.end(), {3, 1});
        u16(loop);
        g.push_back(0);
    }
    for (const Frame& f : frames) {
        if (f.control) {
            g.insert(g.end(), {0x21, 0xF9, 4});
            g.push_back(uint8_t((f.disposal << 2) | (f.transparent >= 0 ? 1 : 0)));
            u16(f.delay);
            g.push_back(uint8_t(f.transparent >= 0 ? f.transparent : 0));
            g.push_back(0);
        }
        g.push_back(0x2C);
        u16(f.left);
        u16(f.top);
        u16(f.width);
        u16(f.height);
        g.push_back(f.local.empty() ? 0 : uint8_t(0x80 | tableBits(f.local.size())));
        putColours(g, f.local);
        const std::vector<uint8_t> data = lzwUncompressed(f.pixels);
        g.insert(g.end(), data.begin(), data.end());
    }
    g.push_back(0x3B);
    return g;
}

inline Frame solid(int left, int top, int width, int height, uint8_t index, int delay = 10, int disposal = 0)
{
    Frame f;
    f.left = left;
    f.top = top;
    f.width = width;
    f.height = height;
    f.delay = delay;
    f.disposal = disposal;
    f.pixels.assign(size_t(width) * size_t(height), index);
    return f;
}

}  // namespace giftest
