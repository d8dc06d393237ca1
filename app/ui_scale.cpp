// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "app/ui_scale.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

float UiScale()
{
    return appSettings().uiScale;
}

void setUiScale(float scale)
{
    appSettings().uiScale = scale;
}

float DpiRatio()
{
    return appSettings().dpiRatio;
}

void setDpiRatio(float ratio)
{
    appSettings().dpiRatio = ratio;
}

float uiScaleFromExpandFont(int expandFont)
{
    const float scale = float(expandFont) / 2.0f + 0.5f;
    if (!(scale > 0.0f) || scale > kMaxUiScale) {
        qWarning("text scale step %d gives no usable scale: using 1.0", expandFont);
        return 1.0f;
    }
    return scale;
}

bool IsWindows10()
{
    // The device-pixel conversion of the capture rectangle applies on every
    // display whose ratio is not 1.
    return true;
}

int ClassicWindowsVersion()
{
    return 0;
}

float DisplayScaleRatio()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 0.0f;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0.0f;
    const double ratio = screen->devicePixelRatio();
    if (!std::isfinite(ratio) || ratio <= 0.0)
        return 0.0f;
    return float(ratio);
}

void applyStartupScales(AppSettings& settings)
{
    settings.uiScale = uiScaleFromExpandFont(settings.expandFont);
    settings.windows10 = IsWindows10();
    if (settings.windows10) {
        const float ratio = DisplayScaleRatio();
        // A display that cannot be read leaves the rectangle in logical pixels.
        settings.dpiRatio = ratio > 0.0f ? ratio : 1.0f;
    }
}
