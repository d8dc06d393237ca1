// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/icon_button_colors.h"

#include <algorithm>

IconButtonColors::IconButtonColors()
{
    colors_.fill(0);
}

void IconButtonColors::setDefaults(ColorRef face, ColorRef text)
{
    colors_[BackgroundIn] = face;
    colors_[ForegroundIn] = text;
    colors_[BackgroundOut] = face;
    colors_[ForegroundOut] = text;
    colors_[BackgroundFocus] = face;
    colors_[ForegroundFocus] = text;
}

int IconButtonColors::setColor(int index, ColorRef colour)
{
    if (index < 0 || index >= Count)
        return InvalidIndex;
    colors_[size_t(index)] = colour & 0xFFFFFFu;
    return Ok;
}

int IconButtonColors::clampedShade(ColorRef colour, int shade)
{
    const int parts[3] = {colorRefRed(colour), colorRefGreen(colour), colorRefBlue(colour)};
    int amount = shade;
    for (int part : parts) {
        if (shade > 0)
            amount = std::min(amount, 255 - part);
        else if (shade < 0)
            amount = std::max(amount, -part);
    }
    return amount;
}

int IconButtonColors::offsetColor(int index, int shade)
{
    if (index < 0 || index >= Count)
        return InvalidIndex;
    if (shade < -255 || shade > 255)
        return BadParam;
    const ColorRef c = colors_[size_t(index)];
    const int amount = clampedShade(c, shade);
    colors_[size_t(index)] =
        makeColorRef(colorRefRed(c) + amount, colorRefGreen(c) + amount, colorRefBlue(c) + amount);
    return Ok;
}

ColorRef IconButtonColors::color(int index) const
{
    if (index < 0 || index >= Count)
        return 0;
    return colors_[size_t(index)];
}
