// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/color_palette_layout.h"

#include <algorithm>

namespace {
constexpr int kGreys[ColorPaletteLayout::kRows] = {255, 232, 209, 186, 163, 140, 117, 94, 71, 48, 23, 0};
}

ColorRef ColorPaletteLayout::cellColor(int col, int row)
{
    if (col < 0 || col >= kColumns || row < 0 || row >= kRows)
        return 0;
    if (col == 0)
        return makeColorRef(kGreys[row], kGreys[row], kGreys[row]);
    const int k = col - 1;  // 0..17
    const int m = row / 6;  // upper or lower block
    const int i = row % 6;
    const int n = 108 * m + 6 * k + i;
    return makeColorRef(51 * (n / 36), 51 * ((n / 6) % 6), 51 * (n % 6));
}

int ColorPaletteLayout::cellAt(QPoint client)
{
    if (client.x() < 0 || client.y() < 0)
        return -1;
    const int col = client.x() / kCell;
    const int row = client.y() / kCell;
    if (col >= kColumns || row >= kRows)
        return -1;
    if (client.x() % kCell == kSwatch || client.y() % kCell == kSwatch)
        return -1;  // grid line
    return col + kColumns * row;
}

QRect ColorPaletteLayout::cellRect(int col, int row)
{
    return QRect(col * kCell, row * kCell, kSwatch, kSwatch);
}

QPoint ColorPaletteLayout::popupPosition(const QRect& button, const QRect& screen)
{
    int left = button.left();
    int top = button.y() + button.height() - 1;
    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    if (left + kWidth > screenRight)
        left = screenRight - kWidth;
    left = std::max(left, screen.x());
    if (top > screenBottom - kHeight)
        top -= kHeight;
    top = std::max(top, screen.y());
    return QPoint(left, top);
}

QString ColorPaletteLayout::hexText(ColorRef colour)
{
    return QString::asprintf("#%02X%02X%02X", colorRefRed(colour), colorRefGreen(colour),
                             colorRefBlue(colour));
}
