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

// The folder holding the running program (filter files lie beside it).
QString programDir();

// The user's temporary folder.
QString tempDir();
