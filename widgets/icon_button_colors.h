// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The six colours of an icon button and the arithmetic on them.
//
// Index 0 background while hovered or pressed, 1 text while hovered or pressed,
// 2 background otherwise, 3 text otherwise, 4 background while focused,
// 5 text while focused.
#include <array>

#include "imaging/raster_image.h"

class IconButtonColors {
public:
    enum Index : int {
        BackgroundIn = 0,
        ForegroundIn = 1,
        BackgroundOut = 2,
        ForegroundOut = 3,
        BackgroundFocus = 4,
        ForegroundFocus = 5,
        Count = 6,
    };
    // Result codes of setColor / offsetColor.
    enum Result : int { Ok = 0, InvalidIndex = 3, BadParam = 5 };

    IconButtonColors();

    // Every background the button-face colour, every text the button-text colour.
    void setDefaults(ColorRef face, ColorRef text);
    int setColor(int index, ColorRef colour);
    // Adds one amount to red, green and blue; the amount is first cut down so
    // that no part leaves 0..255. Shades outside -255..255 are refused.
    int offsetColor(int index, int shade);
    ColorRef color(int index) const;  // 0 for an index out of range

    // The amount offsetColor actually adds for this colour and shade.
    static int clampedShade(ColorRef colour, int shade);

private:
    std::array<ColorRef, Count> colors_{};
};
