// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The user-chosen UI text scale and the display scale ratio, computed once when
// the capture window initialises and kept in the process-wide AppSettings.
//
// UiScale multiplies font heights, bar heights, button-row offsets and button
// bitmaps. DpiRatio turns the capture rectangle (logical pixels) into device
// pixels for the screen grab when the device-pixel flag is set and the ratio
// differs from 1.
#include "app/app_settings.h"

float UiScale();  // 1.0 until set
void setUiScale(float scale);
float DpiRatio();  // 1.0 until set
void setDpiRatio(float ratio);

// ExpandFont / 2 + 0.5: 1 -> 1.0, 2 -> 1.5, 3 -> 2.0, 0 -> 0.5. A stored value
// that would give a scale of 0 or less, or above kMaxUiScale, gives 1.0.
inline constexpr float kMaxUiScale = 4.0f;
float uiScaleFromExpandFont(int expandFont);

// Operating-system probes, answered for this platform:
// IsWindows10: whether the capture rectangle is converted to device pixels by
//   DpiRatio (here always: the conversion applies whenever the ratio is not 1).
bool IsWindows10();
// ClassicWindowsVersion: 0, 6, 7 or 8 (here 0: the composition switch never acts).
int ClassicWindowsVersion();
// DisplayScaleRatio: device pixels per logical pixel of the primary screen; 0
// when there is no screen to ask.
float DisplayScaleRatio();

// Steps 3 and 4 of the capture window's initialisation, after LoadSettings:
// UiScale from ExpandFont; the device-pixel flag; DpiRatio from the display
// (1.0 when the display cannot be read).
void applyStartupScales(AppSettings& settings);
