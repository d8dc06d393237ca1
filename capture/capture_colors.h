// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Colours of the capture frame.
#include <QColor>

namespace captureColors {
inline QColor frameBlue()
{
    return QColor(65, 111, 181);
}
inline QColor titleBlue()
{
    return QColor(78, 161, 220);
}
inline QColor lightGrey()
{
    return QColor(227, 227, 227);
}
inline QColor white()
{
    return QColor(255, 255, 255);
}
inline QColor gold()
{
    return QColor(255, 215, 0);
}
inline QColor labelBlue()
{
    return QColor(0, 0, 99);
}
}  // namespace captureColors
