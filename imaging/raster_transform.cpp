// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Rotation, flipping, mirroring and cropping of a RasterImage.
#include <algorithm>
#include <cstring>

#include "imaging/raster_image.h"

namespace {

// Moves pixel (u, v) of src to map(u, v) in dst.
template <typename Map>
void remap(const RasterImage& src, RasterImage& dst, Map map)
{
    const int W = src.width();
    const int H = src.height();
    const int bpp = src.depth() == 24 ? 3 : 1;
    for (int v = 0; v < H; ++v) {
        const uint8_t* s = src.row(v);
        const uint8_t* sa = src.alphaRow(v);
        for (int u = 0; u < W; ++u) {
            int x, y;
            map(u, v, x, y);
            uint8_t* p = dst.row(y) + size_t(x) * bpp;
            std::memcpy(p, s + size_t(u) * bpp, size_t(bpp));
            if (sa)
                dst.alphaRow(y)[x] = sa[u];
        }
    }
}

}  // namespace

bool RasterImage::rotateLeft()
{
    if (!isValid())
        return false;
    RasterImage out;
    const int W = width();
    const int H = height();
    if (!out.createLike(*this, H, W))
        return false;
    remap(*this, out, [W](int u, int v, int& x, int& y) {
        x = v;
        y = W - 1 - u;
    });
    replacePicture(std::move(out));
    return true;
}

bool RasterImage::rotateRight()
{
    if (!isValid())
        return false;
    RasterImage out;
    const int W = width();
    const int H = height();
    if (!out.createLike(*this, H, W))
        return false;
    remap(*this, out, [H](int u, int v, int& x, int& y) {
        x = H - 1 - v;
        y = u;
    });
    replacePicture(std::move(out));
    return true;
}

bool RasterImage::flip()
{
    if (!isValid())
        return false;
    const int H = height();
    const size_t s = stride();
    std::vector<uint8_t> tmp(s);
    for (int y = 0; y < H / 2; ++y) {
        uint8_t* a = row(y);
        uint8_t* b = row(H - 1 - y);
        std::memcpy(tmp.data(), a, s);
        std::memcpy(a, b, s);
        std::memcpy(b, tmp.data(), s);
        if (hasAlpha())
            std::swap_ranges(alphaRow(y), alphaRow(y) + width(), alphaRow(H - 1 - y));
    }
    return true;
}

bool RasterImage::mirror()
{
    if (!isValid())
        return false;
    const int W = width();
    const int H = height();
    for (int y = 0; y < H; ++y) {
        uint8_t* p = row(y);
        if (depth() == 24) {
            for (int l = 0, r = W - 1; l < r; ++l, --r)
                std::swap_ranges(p + size_t(l) * 3, p + size_t(l) * 3 + 3, p + size_t(r) * 3);
        } else {
            std::reverse(p, p + W);
        }
        if (uint8_t* a = alphaRow(y))
            std::reverse(a, a + W);
    }
    return true;
}

bool RasterImage::crop(int left, int top, int right, int bottom)
{
    if (!isValid())
        return false;
    const int W = width();
    const int H = height();
    left = std::clamp(left, 0, W);
    right = std::clamp(right, 0, W);
    top = std::clamp(top, 0, H);
    bottom = std::clamp(bottom, 0, H);
    if (left == right || top == bottom)
        return false;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const int w = right - left;
    const int h = bottom - top;
    if (w == W && h == H)
        return true;
    RasterImage out;
    if (!out.createLike(*this, w, h))
        return false;
    const size_t bpp = depth() == 24 ? 3 : 1;
    for (int y = 0; y < h; ++y) {
        std::memcpy(out.row(y), row(top + y) + size_t(left) * bpp, size_t(w) * bpp);
        if (hasAlpha())
            std::memcpy(out.alphaRow(y), alphaRow(top + y) + left, size_t(w));
    }
    replacePicture(std::move(out));
    return true;
}
