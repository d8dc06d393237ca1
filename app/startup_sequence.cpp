// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "app/startup_sequence.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/ui_scale.h"

namespace {
// The whole desktop; empty without a display.
QSize desktopSize()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualSize() : QSize();
}
}  // namespace

void initialiseCaptureSettings(AppSettings& settings)
{
    LoadSettings(settings);
    bringCaptureSizeIntoRange(settings, desktopSize());
    applyStartupScales(settings);
}

bool closeCaptureSettings(AppSettings& settings, const QPoint& windowPos, int captureWidth, int captureHeight)
{
    storeCaptureGeometry(settings, windowPos, captureWidth, captureHeight);
    return SaveSettings(settings);
}
