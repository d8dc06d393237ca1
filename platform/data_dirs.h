// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Where the shipped data files (filter pictures, help pages) are looked for,
// first match wins:
//   1. beside the program (a build folder, a portable copy), and the build
//      folder above a program in a sub-folder (tests, tools);
//   2. "<prefix>/share/vexlo" relative to the program ("<prefix>/bin/vexlo"),
//      so an installed tree can be moved as a whole;
//   3. "vexlo" in $XDG_DATA_HOME (default ~/.local/share) and in every folder
//      of $XDG_DATA_DIRS (default /usr/local/share:/usr/share);
//   4. the data folder compiled in (the install prefix).
#include <QString>
#include <QStringList>

QStringList dataFolders();

// The first existing file `relative` ("filters/3.fff", "help/x.htm") under
// dataFolders(); empty when there is none.
QString findDataFile(const QString& relative);
