// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Selecting a drop-down entry by string: the first entry whose text begins
// with `text`, compared without regard to case, searching from the second
// entry to the last, then the first. Returns the selected index, or -1 (selection
// unchanged) when no entry matches.
#include <QString>

class QComboBox;

int selectComboByString(QComboBox& combo, const QString& text);
