// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The string table: texts by their numeric id (the IDS_ constants of
// res/resource.h).
#include <QList>
#include <QString>

QString loadString(int id);   // empty when the id is unknown
QList<int> stringTableIds();  // every id of the table, ascending
