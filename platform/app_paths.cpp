// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QtGlobal>

namespace {
// The folder a variable names, or nothing when the variable is unset or empty.
bool fromEnv(const char* name, QString* out)
{
    if (qEnvironmentVariableIsEmpty(name))
        return false;
    *out = qEnvironmentVariable(name);
    return true;
}
}  // namespace

QString appDataDir()
{
    QString dir;
    if (!fromEnv("APPDATA", &dir)) {
        // XDG_CONFIG_HOME counts only when absolute (a relative one is to be ignored).
        if (!fromEnv("XDG_CONFIG_HOME", &dir) || !QDir::isAbsolutePath(dir)) {
            QString home;
            if (!fromEnv("HOME", &home))
                return QString();
            dir = home + QStringLiteral("/.config");
        }
    }
    if (dir.size() >= kMaxAppDataChars) {
        qWarning("settings folder name is %d characters long: settings are neither read nor written",
                 int(dir.size()));
        return QString();
    }
    return dir;
}

QString programDir()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString tempDir()
{
    return QDir::tempPath();
}
