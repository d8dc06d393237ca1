// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A font given the way the windows ask for it: a cell height in pixels (ascent
// plus descent, like a positive height for the system's font creation), a weight
// on the 100..900 scale and the usual attributes.
#include <QFont>
#include <QString>

struct CellHeightFontOptions {
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool antialias = false;  // smooth letters asked for explicitly
    QFont::StyleHint styleHint = QFont::AnyStyle;
};

QFont cellHeightFont(const QString& face, int cellHeight, const CellHeightFontOptions& options = {});
