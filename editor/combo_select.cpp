// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/combo_select.h"

#include <QComboBox>

int selectComboByString(QComboBox& combo, const QString& text)
{
    const int n = combo.count();
    for (int step = 1; step <= n; ++step) {
        const int i = step % n;  // 1, 2, ..., n - 1, then 0
        if (combo.itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            combo.setCurrentIndex(i);
            return i;
        }
    }
    return -1;
}
