// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/generation_settings.h"

#include "app/app_settings.h"

GenerationSettings GenerationSettings::fromAppSettings(const AppSettings& settings, const QString& outputPath,
                                                       int dpiY)
{
    GenerationSettings g;
    g.outputScale = settings.outputScale;
    g.outputPath = outputPath;
    g.playOnce = settings.playOnce;
    g.keepWhite = settings.whiteBk;
    g.imageWatermark = ImageWatermark::fromSettings(settings);
    g.textWatermark = TextWatermark::fromSettings(settings, dpiY);
    return g;
}
