// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The picture watermark stamped into a corner of every generated frame.
//
// Corner codes: 0 top-left, 1 bottom-left, 2 top-right; any other code is drawn
// at the bottom-right corner.

#include <QString>
#include <memory>

#include "imaging/raster_image.h"

struct AppSettings;

class ImageWatermark {
public:
    bool enabled = false;
    int corner = 0;
    int width = 100;  // width of the watermark in output pixels
    QString file;     // JPEG, BMP or PNG picture

    // ImgEnableLogo, ImgLogoPos, ImgLogoSize and LogoImgFile.
    static ImageWatermark fromSettings(const AppSettings& settings);

    // Once per generation: the picture decoded (type by its extension), turned
    // into 24 bits with its transparent colour and alpha plane, and scaled with
    // nearest-neighbour sampling to `width` × trunc(h / w × width). Null when the
    // watermark is off or the picture cannot be decoded or scaled (logged).
    std::unique_ptr<RasterImage> prepare() const;

    // Alpha-blends `mark` into the corner of `frame` with no margin: alpha 0 or the
    // transparent colour keeps the frame pixel, alpha 255 (or no alpha plane)
    // replaces it, other alphas mix. Parts outside the frame are dropped.
    static void blend(RasterImage& frame, const RasterImage& mark, int corner);

    // Top-left position of a w × h watermark in a frameWidth × frameHeight frame.
    static void placement(int corner, int frameWidth, int frameHeight, int w, int h, int& x, int& y);
};
