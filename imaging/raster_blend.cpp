// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Compositing one RasterImage onto another.
#include <algorithm>

#include "imaging/raster_image.h"

void blendImage(RasterImage& dst, const RasterImage& src, int x, int y, BlendMode mode)
{
    if (!dst.isValid() || !src.isValid())
        return;
    const int x0 = std::max(0, -x);
    const int y0 = std::max(0, -y);
    const int x1 = int(std::min<int64_t>(src.width(), int64_t(dst.width()) - x));
    const int y1 = int(std::min<int64_t>(src.height(), int64_t(dst.height()) - y));
    if (x0 >= x1 || y0 >= y1)
        return;

    const bool srcPalette = src.isPalette();
    const bool dstPalette = dst.isPalette();
    const RgbQuad* srcPal = src.palette();
    const int srcPalSize = src.paletteSize();
    const int ti = srcPalette ? src.transparentIndex() : -1;
    const bool tcol = !srcPalette && src.hasTransparentColor();
    const RgbQuad tc = src.transparentColor();
    const int mult = src.alphaMultiplier();

    for (int sy = y0; sy < y1; ++sy) {
        const uint8_t* s = src.row(sy);
        const uint8_t* sa = src.alphaRow(sy);
        const int dy = sy + y;
        uint8_t* drow = dst.row(dy);
        for (int sx = x0; sx < x1; ++sx) {
            RgbQuad c;
            bool transparent = false;
            if (srcPalette) {
                const int idx = s[sx];
                if (idx == ti)
                    transparent = true;
                if (idx < srcPalSize)
                    c = srcPal[idx];
            } else {
                c.blue = s[sx * 3];
                c.green = s[sx * 3 + 1];
                c.red = s[sx * 3 + 2];
                if (tcol && c.blue == tc.blue && c.green == tc.green && c.red == tc.red)
                    transparent = true;
            }
            if (sa && sa[sx] == 0)
                transparent = true;
            if (transparent)
                continue;
            const int dx = sx + x;
            if (mode == BlendMode::AlphaBlend) {
                const int a = sa ? sa[sx] * mult / 255 : 255;
                if (a == 0)
                    continue;
                if (a != 255) {
                    const RgbQuad d = dst.getColor(dx, dy);
                    c.red = uint8_t((d.red * (255 - a) + c.red * a) / 255);
                    c.green = uint8_t((d.green * (255 - a) + c.green * a) / 255);
                    c.blue = uint8_t((d.blue * (255 - a) + c.blue * a) / 255);
                }
            }
            if (dstPalette) {
                dst.setColor(dx, dy, c);
            } else {
                uint8_t* p = drow + size_t(dx) * 3;
                p[0] = c.blue;
                p[1] = c.green;
                p[2] = c.red;
            }
        }
    }
}
