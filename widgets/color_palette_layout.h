// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Geometry and colours of the colour picker's palette pop-up.
//
// The pop-up is 191 x 150 pixels with a one-pixel border; inside it (client
// coordinates) a grid of 19 x 12 cells of 10 pixels (a 9 x 9 swatch and a
// one-pixel grid line), then the sample strip from row 120 down.
#include <QPoint>
#include <QRect>
#include <QString>

#include "imaging/raster_image.h"

class ColorPaletteLayout {
public:
    static constexpr int kWidth = 191;  // whole window, border included
    static constexpr int kHeight = 150;
    static constexpr int kBorder = 1;
    static constexpr int kColumns = 19;
    static constexpr int kRows = 12;
    static constexpr int kCell = 10;  // swatch + grid line
    static constexpr int kSwatch = 9;
    static constexpr int kStripTop = 120;

    // Sample strip, client coordinates.
    static QRect sampleRect() { return QRect(QPoint(5, 125), QPoint(39, 142)); }  // (5,125)-(40,143)
    static QPoint hexTextPos() { return QPoint(80, 127); }
    static QRect dialogButtonRect() { return QRect(167, 126, 16, 16); }

    // Colour of the cell in column col (0..18) and row row (0..11); 0 outside.
    static ColorRef cellColor(int col, int row);
    // Cell under a client point: column + 19 * row, or -1 outside the grid or on
    // a grid line.
    static int cellAt(QPoint client);
    static QRect cellRect(int col, int row);  // the 9 x 9 swatch

    // Top-left of the pop-up for a button (global rectangle) on a screen: under
    // the button (top = its bottom edge - 1, left = its left edge), moved left to
    // sit flush with the screen's right edge when it would leave it, and up by
    // its height when its top lies below the screen's bottom minus its height.
    static QPoint popupPosition(const QRect& button, const QRect& screen);

    // "#RRGGBB" (red, green, blue; upper-case hexadecimal).
    static QString hexText(ColorRef colour);
};
