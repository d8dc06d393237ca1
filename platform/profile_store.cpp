// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/profile_store.h"

#include "platform/app_paths.h"

QString profileStorePath()
{
    const QString folder = settingsFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/profile.ini");
}

QSettings profileStore()
{
    const QString path = profileStorePath();
    if (path.isEmpty())
        return QSettings(QStringLiteral("Vexlo"), QStringLiteral("Vexlo"));
    return QSettings(path, QSettings::IniFormat);
}
