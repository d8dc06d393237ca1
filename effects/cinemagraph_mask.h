// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The mask the user paints in cinemagraph mode, the size of the picture as it
// is shown (screen pixels). It starts white; the brush paints (228, 0, 127),
// the eraser paints white again. White pixels stay still, every other colour
// keeps moving. Strokes are solid lines with round ends and joins and no
// smoothing, so a pixel is either painted or not.
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

#include "imaging/raster_image.h"

class CinemagraphMask {
public:
    static constexpr QRgb kBrushColor = 0xFFE4007F;  // (228, 0, 127)
    static constexpr int kOverlayOpacity = 63;       // of 255, when drawn over the picture
    static constexpr int kMaxPenWidth = 4096;

    // An invalid (null) mask for an empty size.
    explicit CinemagraphMask(const QSize& size);

    bool isValid() const { return !image_.isNull(); }
    QSize size() const { return image_.size(); }
    const QImage& image() const { return image_; }

    // A straight stroke from `from` to `to` (mask pixels) with a pen as wide
    // as |brushValue|: the brush colour for a positive value, white for zero
    // or a negative one.
    void stroke(const QPoint& from, const QPoint& to, int brushValue);

    // A 24-bit copy.
    RasterImage toRasterImage() const;

private:
    QImage image_;
};
