// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What the capture window hands the worker before a generation (written on the
// user-interface thread before UM_GENERATE is posted; the post orders the
// writes before the worker reads them). The filter number and the dithering
// flag travel with the message instead.
#include <QString>

#include "effects/image_watermark.h"
#include "effects/text_watermark.h"

struct AppSettings;

struct GenerationSettings {
    float outputScale = 1.0f;  // output size factor (output size dialog)
    QString outputPath;        // the GIF to write
    bool playOnce = false;     // no looping extension: the animation plays once
    bool keepWhite = false;    // WhiteBK: the brightest palette entry becomes white
    // The "压缩动画" level the GIF is made at: 0 = the default encoding, else
    // 1 (best picture) .. 5 (smallest file), in colour or in grey.
    int level = 0;
    bool blackWhite = false;
    ImageWatermark imageWatermark;
    TextWatermark textWatermark;

    // The settings of a generation started now: scale, play-once, keep-white
    // and both watermarks from `settings`; the text watermark's height is
    // -MulDiv(points, dpiY, 72) for the screen's vertical DPI.
    static GenerationSettings fromAppSettings(const AppSettings& settings, const QString& outputPath,
                                              int dpiY);
};
