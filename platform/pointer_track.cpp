// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/pointer_track.h"

#include <algorithm>

bool pointerSquareColor(int mouseTrackMode, ColorRef& colour)
{
    switch (mouseTrackMode) {
        case 2:
            colour = makeColorRef(255, 0, 255);
            return true;
        case 3:
            colour = makeColorRef(0, 255, 255);
            return true;
        case 4:
            colour = makeColorRef(255, 255, 0);
            return true;
        default:
            return false;
    }
}

void blendConstantSquare(RasterImage& frame, int x, int y, int side, ColorRef colour, int opacity)
{
    if (!frame.isValid() || frame.depth() != 24 || side <= 0)
        return;
    const int x0 = std::max(0, x);
    const int y0 = std::max(0, y);
    const int x1 = int(std::min<int64_t>(frame.width(), int64_t(x) + side));
    const int y1 = int(std::min<int64_t>(frame.height(), int64_t(y) + side));
    if (x0 >= x1 || y0 >= y1)
        return;
    const int a = std::clamp(opacity, 0, 255);
    const int b = colorRefBlue(colour) * a;
    const int g = colorRefGreen(colour) * a;
    const int r = colorRefRed(colour) * a;
    for (int yy = y0; yy < y1; ++yy) {
        uint8_t* p = frame.row(yy) + size_t(x0) * 3;
        for (int xx = x0; xx < x1; ++xx, p += 3) {
            p[0] = uint8_t((p[0] * (255 - a) + b) / 255);
            p[1] = uint8_t((p[1] * (255 - a) + g) / 255);
            p[2] = uint8_t((p[2] * (255 - a) + r) / 255);
        }
    }
}

void drawPremultipliedArgb(RasterImage& frame, int x, int y, const PointerImage& image)
{
    if (!frame.isValid() || frame.depth() != 24 || !image.isValid())
        return;
    const int x0 = std::max(0, x);
    const int y0 = std::max(0, y);
    const int x1 = int(std::min<int64_t>(frame.width(), int64_t(x) + image.width));
    const int y1 = int(std::min<int64_t>(frame.height(), int64_t(y) + image.height));
    for (int yy = y0; yy < y1; ++yy) {
        const uint32_t* s = image.argb.data() + size_t(yy - y) * size_t(image.width) + size_t(x0 - x);
        uint8_t* p = frame.row(yy) + size_t(x0) * 3;
        for (int xx = x0; xx < x1; ++xx, ++s, p += 3) {
            const uint32_t c = *s;
            const int a = int(c >> 24);
            if (a == 0 && (c & 0xFFFFFF) == 0)
                continue;
            // Source over with premultiplied colour; the components are clamped
            // so a malformed (non-premultiplied) image cannot wrap around.
            const int keep = 255 - a;
            p[0] = uint8_t(std::min(255, int(c & 0xFF) + (p[0] * keep + 127) / 255));
            p[1] = uint8_t(std::min(255, int((c >> 8) & 0xFF) + (p[1] * keep + 127) / 255));
            p[2] = uint8_t(std::min(255, int((c >> 16) & 0xFF) + (p[2] * keep + 127) / 255));
        }
    }
}

void drawPointerTrack(RasterImage& frame, int mode, int frameLeft, int frameTop, int x, int y,
                      const PointerImage* pointer)
{
    if (mode < 1 || mode > 4)
        return;
    const int px = x - frameLeft;
    const int py = y - frameTop;
    ColorRef colour = 0;
    if (pointerSquareColor(mode, colour))
        blendConstantSquare(frame, px - kPointerSquareSide / 2, py - kPointerSquareSide / 2,
                            kPointerSquareSide, colour, kPointerSquareOpacity);
    if (pointer && pointer->isValid())
        drawPremultipliedArgb(frame, px - kPointerImageOffset, py - kPointerImageOffset, *pointer);
}
