// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A colour filter: a lookup picture holding a 64 × 64 × 64 colour cube, read from
// a numbered file "N.fff" (filters 1 to 15; 0 means no filter).
//
// Layout of the picture, rows counted from the top: an 8 × 8 grid of 64 × 64
// tiles; tile t (the blue level, 0 to 63) lies in tile column t mod 8 and tile row
// t div 8; inside a tile the column is the red level and the row the green level.
// A colour (r, g, b) therefore reads column r/4 + 64 × ((b/4) mod 8) and row
// g/4 + 64 × ((b/4) div 8). A picture smaller than 512 × 512 still works: a
// lookup outside it gives its bottom-left pixel.

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/raster_image.h"

class FilterLut {
public:
    static constexpr int kFilterCount = 15;
    static constexpr int kPictureSide = 512;

    // Where filter `number` is read from: "<program folder>/N.fff", else
    // "<program folder>/filters/N.fff" (where the build puts them), else
    // "<settings folder>/vexlo/N.fff", else the installed data folder's
    // "filters/N.fff". Empty when the number is below 1 or no file exists.
    // An empty `programFolder` means the folder of the running program.
    static QString findFile(int number, const QString& programFolder = QString());

    // Loads filter `number` (nothing for a number below 1; a missing or
    // undecodable file is logged and gives nothing).
    static std::unique_ptr<FilterLut> load(int number, const QString& programFolder = QString());
    // Decodes a lookup picture: as PNG first, then by its content.
    static std::unique_ptr<FilterLut> loadFile(const QString& path);
    // From a decoded picture (any depth; only red, green and blue are used).
    static std::unique_ptr<FilterLut> fromImage(const RasterImage& picture);

    // Recolours every pixel in place; the alpha plane is not touched. Palette
    // images have their palette entries recoloured.
    void apply(RasterImage& image) const;
    RgbQuad lookup(uint8_t red, uint8_t green, uint8_t blue) const;

    int pictureWidth() const { return width_; }
    int pictureHeight() const { return height_; }

private:
    FilterLut() = default;
    static size_t cubeIndex(uint8_t red, uint8_t green, uint8_t blue)
    {
        return (size_t(blue >> 2) << 12) | (size_t(green >> 2) << 6) | size_t(red >> 2);
    }
    std::vector<uint8_t> cube_;  // B, G, R per entry, indexed by cubeIndex()
    int width_ = 0;
    int height_ = 0;
};
