// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/cell_height_font.h"

#include <QFontMetrics>
#include <algorithm>

QFont cellHeightFont(const QString& face, int cellHeight, const CellHeightFontOptions& options)
{
    QFont font(face);
    font.setStyleHint(options.styleHint, options.antialias ? QFont::PreferAntialias : QFont::PreferDefault);
    font.setWeight(QFont::Weight(std::clamp(options.weight, 1, 1000)));
    font.setItalic(options.italic);
    font.setUnderline(options.underline);
    font.setStrikeOut(options.strikeOut);
    const int height = std::max(1, cellHeight);
    font.setPixelSize(height);
    // The pixel size is the em height; the cell is usually taller. Shrink the
    // em until ascent + descent fits the asked height.
    const int cell = QFontMetrics(font).ascent() + QFontMetrics(font).descent();
    if (cell > height) {
        const int em = std::max(1, height * height / cell);
        font.setPixelSize(em);
    }
    return font;
}
