// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// One frame of the animation as libgd writes it: a palette image of the output
// size and its delay.
#include "gif/gd_handles.h"

struct PaletteFrame {
    GdImageHandle image;
    int delay = 0;  // hundredths of a second
};
