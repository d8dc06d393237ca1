// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The More menu's marks and the commands of it that only change a setting.
struct AppSettings;

// The rate item that carries the radio mark: the item of Rate1 when it is 25,
// 15, 10, 5, 3 or 1, else "20帧/秒" (a rate of 12 from the settings file marks
// 20 but still records at 12).
int markedRateCommand(const AppSettings& settings);
// The mouse-track item with the radio mark: Mouse 1..4, else "不录制鼠标轨迹".
int markedMouseCommand(const AppSettings& settings);
// Whether a check item of the menu is checked now; false for other ids.
bool moreMenuItemChecked(int command, const AppSettings& settings);

// Carries out a command that only changes a setting (rates, mouse track,
// topmost, composition, rendering, play once, keep white, last ten seconds).
// Returns false for every other command, changing nothing.
bool applyMoreMenuSetting(int command, AppSettings& settings);
