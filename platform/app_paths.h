// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Folders the program uses.
#include <QString>

// The per-user settings folder: $APPDATA when set, else $XDG_CONFIG_HOME when
// set (and absolute), else $HOME/.config. The folder chosen must be shorter than
// kMaxAppDataChars characters; when it is not, or when none of the variables
// gives one, the result is empty and nothing is read from or written to it.
inline constexpr int kMaxAppDataChars = 256;
QString appDataDir();

// The folder of the settings file and the profile store: $APPDATA itself when
// set (the settings file lies directly in it), else "vexlo" inside the folder
// appDataDir() gives ($XDG_CONFIG_HOME/vexlo or ~/.config/vexlo). Empty when
// appDataDir() is.
QString settingsFolder();

// Moves a settings file left directly in $XDG_CONFIG_HOME (or ~/.config) by
// earlier versions into settingsFolder(), once: only when $APPDATA is unset, the
// old file exists and the new one does not. When both exist the new one wins
// and the old one is left alone. Returns true when a file was moved.
bool moveLegacySettingsFile(const QString& fileName);

// The folder holding the running program (filter files lie beside it).
QString programDir();

// The user's temporary folder.
QString tempDir();
