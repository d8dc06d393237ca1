// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The font of a caption, as the caption record keeps it: face name (at most 31
// UTF-16 code units), height (negative: character height in pixels), weight
// (700 bold, 400 normal), italic and underline (0 or 1), character set 1
// (default); nothing else.
#include <QString>

#include "imaging/raster_image.h"

class CaptionFont {
public:
    static constexpr int kMaxFaceUnits = 31;
    static constexpr int kWeightNormal = 400;
    static constexpr int kWeightBold = 700;
    static constexpr int kDefaultCharSet = 1;

    int height = 0;
    int weight = kWeightNormal;
    int italic = 0;
    int underline = 0;
    int charSet = kDefaultCharSet;

    const QString& face() const { return face_; }
    // Longer names are cut to 31 code units (never inside a surrogate pair).
    void setFace(const QString& face);

    bool bold() const { return weight == kWeightBold; }

    // The font as the text stamp of RasterImage takes it (face in UTF-8).
    StampFont toStampFont() const;

    // Height for a size in points on a screen of `dpi` dots per inch:
    // -MulDiv(points, dpi, 72) (rounded to nearest, halves away from zero).
    static int heightForPoints(int points, int dpi);
    // Point size shown for a height: trunc(0.5 - height * 72 / dpi).
    static int pointsForHeight(int height, int dpi);

    bool operator==(const CaptionFont& o) const
    {
        return face_ == o.face_ && height == o.height && weight == o.weight && italic == o.italic &&
               underline == o.underline && charSet == o.charSet;
    }
    bool operator!=(const CaptionFont& o) const { return !(*this == o); }

private:
    QString face_;
};

// Cuts `text` to at most `maxUnits` UTF-16 code units without splitting a
// surrogate pair.
QString truncateUtf16(const QString& text, int maxUnits);
