// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The settings steps of the capture window's life, so the window only calls them:
//
//   initialisation (after the base dialog initialisation):
//       initialiseCaptureSettings(appSettings());   // LoadSettings, UiScale, DpiRatio
//   close sequence (after the Generating / Recording checks, before deleting the
//   output file and stopping the worker):
//       closeCaptureSettings(appSettings(), pos(), captureRect.width(), captureRect.height());
#include <QPoint>

#include "app/app_settings.h"

// LoadSettings, then UiScale = ExpandFont / 2 + 0.5, the device-pixel flag and
// DpiRatio from the display.
void initialiseCaptureSettings(AppSettings& settings);

// Records the window position and the capture size, then SaveSettings. Returns
// what SaveSettings returned (false also when there is no settings folder).
bool closeCaptureSettings(AppSettings& settings, const QPoint& windowPos, int captureWidth,
                          int captureHeight);
