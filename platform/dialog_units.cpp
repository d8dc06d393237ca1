// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/dialog_units.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <cmath>

namespace {
// MulDiv: a * b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const double v = double(a) * double(b) / double(c);
    return int(std::lround(v));
}
}  // namespace

QFont dialogFont()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::font();
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSize(8);
    return font;
}

DialogBaseUnits dialogBaseUnits(const QFont& font)
{
    DialogBaseUnits base;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // No font machinery without a GUI application: the classic 8 pt values.
        base.x = 6;
        base.y = 13;
        return base;
    }
    const QFontMetrics fm(font);
    const int width =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    base.x = (width / 26 + 1) / 2;
    base.y = fm.height();
    if (base.x <= 0)
        base.x = 1;
    if (base.y <= 0)
        base.y = 1;
    return base;
}

DialogBaseUnits dialogBaseUnits()
{
    return dialogBaseUnits(dialogFont());
}

int dialogUnitsToPixelsX(int units, const DialogBaseUnits& base)
{
    return mulDiv(units, base.x, 4);
}

int dialogUnitsToPixelsY(int units, const DialogBaseUnits& base)
{
    return mulDiv(units, base.y, 8);
}

QRect mapDialogRect(const QRect& units, const DialogBaseUnits& base)
{
    const int left = dialogUnitsToPixelsX(units.left(), base);
    const int top = dialogUnitsToPixelsY(units.top(), base);
    const int right = dialogUnitsToPixelsX(units.left() + units.width(), base);
    const int bottom = dialogUnitsToPixelsY(units.top() + units.height(), base);
    return QRect(left, top, right - left, bottom - top);
}
