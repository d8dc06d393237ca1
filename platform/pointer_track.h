// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The pointer track drawn into a recorded frame (mouse-track modes):
//   0  nothing;
//   1  the pointer image;
//   2  a magenta square (255, 0, 255) under the pointer image;
//   3  a cyan square (0, 255, 255) under it;
//   4  a yellow square (255, 255, 0) under it.
// The square is 40 x 40, blended with the constant opacity 100/255 and centred
// on the pointer; the pointer image is drawn at its own size with its top-left
// corner 10 pixels left of and above the pointer position. Both are clipped to
// the frame, and both are drawn whether or not the pointer lies inside it.
#include <cstdint>
#include <vector>

#include "imaging/raster_image.h"

// A pointer image as the display hands it out: premultiplied ARGB, one
// 0xAARRGGBB word per pixel, rows top-down.
struct PointerImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // width * height words
    bool isValid() const { return width > 0 && height > 0 && argb.size() == size_t(width) * size_t(height); }
};

inline constexpr int kPointerSquareSide = 40;
inline constexpr int kPointerSquareOpacity = 100;  // out of 255
inline constexpr int kPointerImageOffset = 10;     // image top-left = pointer - 10

// Colour of the square of a mode; false for modes without one (0, 1, others).
bool pointerSquareColor(int mouseTrackMode, ColorRef& colour);

// Draws the track of `mode` into the 24-bit `frame`, whose top-left pixel shows
// screen point (frameLeft, frameTop); the pointer is at screen (x, y). The
// pointer image may be null or invalid (then only the square is drawn).
void drawPointerTrack(RasterImage& frame, int mode, int frameLeft, int frameTop, int x, int y,
                      const PointerImage* pointer);

// The two steps on their own, in frame coordinates (x, y: top-left corner).
void blendConstantSquare(RasterImage& frame, int x, int y, int side, ColorRef colour, int opacity);
void drawPremultipliedArgb(RasterImage& frame, int x, int y, const PointerImage& image);
