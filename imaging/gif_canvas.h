// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The logical screen of an animated GIF while its frames are composed (see
// gif_decoder.h for the rules and the pixel format of the composed frames).
// The canvas keeps palette indices while every frame uses the same colour
// table and switches to colours at the first frame with another table.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/raster_image.h"

struct GifFrame;

class GifCanvas {
public:
    // Sets up a fully transparent canvas. False when the memory is not there.
    bool init(int width, int height, std::string& error);

    // Draws a decoded frame (its clipped rectangle and indices); pixels of its
    // transparent index leave the canvas as it is.
    void draw(const GifFrame& frame);
    // Clears a rectangle (already clipped to the screen) to transparent.
    void clearRect(int left, int top, int width, int height);

    // The canvas as an image: 8-bit with the shared colour table where
    // possible, else 24-bit (alpha plane when something is transparent).
    // preferredTransparent is the frame's own transparent index.
    std::unique_ptr<RasterImage> toImage(int preferredTransparent, std::string& error) const;

    // The canvas as an opaque 24-bit image, `background` where it is
    // transparent (nothing painted yet, or cleared by disposal 2). Null (with
    // a reason) when the memory is not there.
    std::unique_ptr<RasterImage> toOpaqueImage(RgbQuad background, std::string& error) const;

    // Bytes held by the canvas (for the decoder's memory budget).
    uint64_t memoryBytes() const;
    // Bytes an image of this canvas will take at most.
    uint64_t imageBytesUpperBound() const;

private:
    static constexpr uint16_t kTransparent = 0x100;
    void switchToColours();
    std::unique_ptr<RasterImage> toColourImage(std::string& error) const;

    int width_ = 0;
    int height_ = 0;
    bool indexed_ = true;
    bool haveTable_ = false;
    std::array<RgbQuad, 256> table_{};
    std::vector<uint16_t> indices_;  // indexed mode: palette index or kTransparent
    std::vector<uint32_t> colours_;  // colour mode: 0 transparent, else 0xFFRRGGBB
};
