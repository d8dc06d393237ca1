// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The value a numeric delay edit commits for its text: the text read as an
// integer the way atoi reads it (leading blanks, an optional sign, the digits up
// to the first other character; nothing readable is 0), then 0 or less -> 1 and
// above 998 -> 999.
#include <QString>

int numEditValue(const QString& text);
