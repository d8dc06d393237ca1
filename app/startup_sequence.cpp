// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "app/startup_sequence.h"

#include "app/ui_scale.h"

void initialiseCaptureSettings(AppSettings& settings)
{
    LoadSettings(settings);
    applyStartupScales(settings);
}

bool closeCaptureSettings(AppSettings& settings, const QPoint& windowPos, int captureWidth, int captureHeight)
{
    storeCaptureGeometry(settings, windowPos, captureWidth, captureHeight);
    return SaveSettings(settings);
}
