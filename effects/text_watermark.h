// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The text watermark stamped into a corner of every generated frame, over the
// picture watermark.
//
// Corner codes: 0 top-left, 1 bottom-left, 2 top-right; any other code is drawn
// at the bottom-right corner. The text is one line in which an ampersand is an
// ordinary character.

#include <QString>

#include "imaging/raster_image.h"

struct AppSettings;

class TextWatermark {
public:
    bool enabled = false;
    int corner = 0;
    QString text;
    QString fontFace = QStringLiteral("Verdana");
    int fontHeight = -19;  // negative: character height in device pixels
    int weight = 700;
    bool italic = false;
    ColorRef color = makeColorRef(0, 0, 0);
    bool background = false;  // fill the text box first
    ColorRef backgroundColor = makeColorRef(0xFF, 0xFF, 0xFF);

    // TxtEnableLogo, TxtLogoPos, LogoText, LogoFontName, LogoFont (points, turned
    // into -MulDiv(points, dpiY, 72) pixels), LOGO_FONTBOLD (700 or 400),
    // LOGO_FONTITALIC, LogoColor, LogoBK and LogoBKColor.
    static TextWatermark fromSettings(const AppSettings& settings, int dpiY);

    // number × numerator / denominator with a 64-bit product, rounded half away
    // from zero; -1 for a zero denominator or a result beyond 32 bits.
    static int mulDiv(int number, int numerator, int denominator);

    StampFont stampFont() const;

    // Once per generation: the size of the text's box; 20 × 15 when the watermark
    // is off.
    void measure(int& boxWidth, int& boxHeight) const;

    // Stamps the text with its box of boxWidth × boxHeight (from measure()) in the
    // corner: the box's bottom row lies on row boxHeight at the top corners (row 0
    // stays untouched) and on row H, just below the frame, at the bottom corners.
    // Nothing is drawn when the watermark is off or the text is empty.
    void draw(RasterImage& frame, int boxWidth, int boxHeight) const;
};
