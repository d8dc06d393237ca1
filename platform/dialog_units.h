// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Dialog units as Windows computes them: the horizontal base unit is the average
// width of the 52 Latin letters in the dialog font, (width / 26 + 1) / 2; the
// vertical base unit is the font's height. One horizontal dialog unit is
// baseX / 4 pixels, one vertical unit baseY / 8 pixels (rounded like MulDiv).
#include <QFont>
#include <QRect>

struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

// The application font (what dialogs use); a fixed 8 pt sans when there is no
// GUI application object.
QFont dialogFont();
DialogBaseUnits dialogBaseUnits(const QFont& font);
DialogBaseUnits dialogBaseUnits();  // of dialogFont()

int dialogUnitsToPixelsX(int units, const DialogBaseUnits& base);
int dialogUnitsToPixelsY(int units, const DialogBaseUnits& base);
// MapDialogRect: a rectangle in dialog units (left, top, width, height) to pixels.
QRect mapDialogRect(const QRect& units, const DialogBaseUnits& base);
