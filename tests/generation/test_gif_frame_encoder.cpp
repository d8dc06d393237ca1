// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The frame encoder writes the bytes libgd writes for the same frame and
// previous frame.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "gif/gd_handles.h"
#include "gif/gif_frame_encoder.h"

namespace {

// A palette image with `colours` entries; entries from `firstRepeat` on repeat
// entry 0, as the generation's table does.
GdImageHandle paletteImage(int w, int h, int colours, int firstRepeat)
{
    GdImageHandle im(gdImageCreate(w, h));
    for (int k = 0; k < colours; ++k) {
        const int src = k < firstRepeat ? k : 0;
        gdImageColorAllocate(im.get(), (src * 37) & 255, (src * 91 + 7) & 255, (src * 13 + 100) & 255);
    }
    return im;
}

std::vector<uint8_t> libgdBytes(gdImagePtr im, gdImagePtr previous, int delay)
{
    GdBuffer b;
    b.data.reset(gdImageGifAnimAddPtr(im, &b.size, 0, 0, 0, delay, 1, previous));
    const uint8_t* p = static_cast<const uint8_t*>(b.data.get());
    return std::vector<uint8_t>(p, p + b.size);
}

struct Case {
    const char* name;
    int w, h;
    int colours, firstRepeat;
    int kind;  // 0 noise, 1 flat with a patch, 2 stripes, 3 a few pixels at the edges, 4 long runs
};

void fill(gdImagePtr im, int kind, int usable, std::mt19937& rng)
{
    for (int y = 0; y < im->sy; ++y)
        for (int x = 0; x < im->sx; ++x) {
            int v = 0;
            switch (kind) {
                case 0:
                    v = int(rng() % unsigned(usable));
                    break;
                case 1:
                    v = 1 % usable;
                    break;
                case 2:
                    v = ((x / 3 + y) % usable);
                    break;
                case 3:
                    v = 2 % usable;
                    break;
                case 4:
                    v = (x / 50 + y / 7) % usable;
                    break;
                default:
                    v = rng() % 5 == 0 ? int(rng() % unsigned(usable)) : 0;
                    break;
            }
            im->pixels[y][x] = uint8_t(v);
        }
}

TEST(GifFrameEncoder, WritesWhatLibgdWrites)
{
    const Case cases[] = {
        {"noise 256", 97, 61, 256, 256, 0},      {"noise, repeated entries", 120, 80, 256, 40, 0},
        {"patch", 64, 48, 256, 17, 1},           {"stripes, 5 colours", 33, 21, 5, 5, 2},
        {"edges, 2 colours", 40, 30, 2, 2, 3},   {"long runs", 400, 300, 256, 200, 4},
        {"one pixel", 1, 1, 256, 3, 0},          {"one column", 1, 90, 16, 16, 0},
        {"big noise", 500, 400, 256, 256, 0},    {"17 colours", 70, 50, 17, 17, 0},
        {"mostly entry 0", 300, 200, 256, 9, 5}, {"3 colours", 257, 129, 3, 3, 0},
    };
    std::mt19937 rng(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int usable = std::min(c.colours, c.firstRepeat);
        GdImageHandle first = paletteImage(c.w, c.h, c.colours, c.firstRepeat);
        fill(first.get(), c.kind, usable, rng);
        std::vector<uint8_t> ours;
        ASSERT_TRUE(GifFrameEncoder::encode(*first, nullptr, 7, ours));
        EXPECT_TRUE(ours == libgdBytes(first.get(), nullptr, 7)) << "first frame";

        // Changes of several shapes against the first frame: a patch inside,
        // single pixels at each edge and corner, the whole frame, and pixels
        // holding a repeated entry of a colour (equal to the colour's first).
        for (int change = 0; change < 6; ++change) {
            SCOPED_TRACE("change " + std::to_string(change));
            GdImageHandle next = paletteImage(c.w, c.h, c.colours, c.firstRepeat);
            for (int y = 0; y < c.h; ++y)
                std::memcpy(next->pixels[y], first->pixels[y], size_t(c.w));
            auto set = [&](int x, int y) { next->pixels[y][x] = uint8_t((next->pixels[y][x] + 1) % usable); };
            switch (change) {
                case 0:
                    for (int y = c.h / 3; y < c.h / 3 + std::max(1, c.h / 4); ++y)
                        for (int x = c.w / 4; x < c.w / 4 + std::max(1, c.w / 3); ++x)
                            set(x, y);
                    break;
                case 1:
                    set(0, c.h / 2);
                    break;
                case 2:
                    set(c.w - 1, c.h - 1);
                    break;
                case 3:
                    set(c.w / 2, 0);
                    set(c.w - 1, c.h / 2);
                    break;
                case 4:
                    fill(next.get(), 0, usable, rng);
                    break;
                default:
                    // A pixel with a repeated entry where entry 0 was, and a real change.
                    if (c.firstRepeat < c.colours) {
                        for (int y = 0; y < c.h; ++y)
                            for (int x = 0; x < c.w; ++x)
                                if (next->pixels[y][x] == 0)
                                    next->pixels[y][x] = uint8_t(c.firstRepeat);
                    }
                    set(c.w / 2, c.h / 2);
                    break;
            }
            if (usable == 1)
                continue;
            std::vector<uint8_t> bytes;
            const bool handled = GifFrameEncoder::encode(*next, first.get(), 300, bytes);
            const std::vector<uint8_t> expected = libgdBytes(next.get(), first.get(), 300);
            if (handled)
                EXPECT_TRUE(bytes == expected) << bytes.size() << " bytes, libgd " << expected.size();
            else
                EXPECT_TRUE(bytes.empty());
        }
    }
}

// Many small random frames of every table size, against libgd.
TEST(GifFrameEncoder, RandomFramesAgreeWithLibgd)
{
    std::mt19937 rng(77);
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + int(rng() % 90), h = 1 + int(rng() % 70);
        const int colours = 1 + int(rng() % 256);
        const int usable = 1 + int(rng() % unsigned(colours));
        GdImageHandle a = paletteImage(w, h, colours, usable);
        GdImageHandle b = paletteImage(w, h, colours, usable);
        fill(a.get(), int(rng() % 6), usable, rng);
        fill(b.get(), int(rng() % 6), usable, rng);
        // b keeps a's pixels outside a random rectangle.
        const int x0 = int(rng() % unsigned(w)), y0 = int(rng() % unsigned(h));
        const int x1 = x0 + int(rng() % unsigned(w - x0)), y1 = y0 + int(rng() % unsigned(h - y0));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (x < x0 || x > x1 || y < y0 || y > y1)
                    b->pixels[y][x] = a->pixels[y][x];
        const int delay = int(rng() % 70000) - 10;
        std::vector<uint8_t> first, next;
        ASSERT_TRUE(GifFrameEncoder::encode(*a, nullptr, delay, first));
        ASSERT_TRUE(first == libgdBytes(a.get(), nullptr, delay)) << "round " << round;
        if (GifFrameEncoder::encode(*b, a.get(), delay, next)) {
            ASSERT_TRUE(next == libgdBytes(b.get(), a.get(), delay)) << "round " << round;
        }
    }
}

TEST(GifFrameEncoder, LeavesWhatItDoesNotHandleToLibgd)
{
    GdImageHandle a = paletteImage(10, 10, 4, 4);
    GdImageHandle b = paletteImage(10, 10, 4, 4);
    std::vector<uint8_t> out;
    // Nothing changed.
    EXPECT_FALSE(GifFrameEncoder::encode(*b, a.get(), 5, out));
    // Another size, another table, a transparent colour.
    GdImageHandle small = paletteImage(9, 10, 4, 4);
    small->pixels[0][0] = 1;
    EXPECT_FALSE(GifFrameEncoder::encode(*small, a.get(), 5, out));
    GdImageHandle other = paletteImage(10, 10, 4, 4);
    other->red[2] = 1;
    other->pixels[0][0] = 1;
    EXPECT_FALSE(GifFrameEncoder::encode(*other, a.get(), 5, out));
    b->pixels[3][3] = 2;
    gdImageColorTransparent(b.get(), 1);
    EXPECT_FALSE(GifFrameEncoder::encode(*b, a.get(), 5, out));
    EXPECT_TRUE(out.empty());
}

}  // namespace
