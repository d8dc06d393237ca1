// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The colour picker's eyedropper pointer: 16 x 16 pixels, black outline and
// white glass, with its hot spot on the tip at the bottom-left corner (0, 15).
#include <QCursor>
#include <QImage>
#include <QPoint>

inline constexpr int kEyedropperSize = 16;
inline constexpr QPoint kEyedropperHotSpot{0, 15};

// The picture (ARGB, transparent where the pointer shows the screen).
QImage eyedropperImage();
// The pointer made from its black and mask bitmaps.
QCursor eyedropperCursor();
