// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "res/app_icon.h"

QIcon applicationIcon()
{
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vexlo-%1.png").arg(side), QSize(side, side));
    return icon;
}
