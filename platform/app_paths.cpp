// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QString settingsFolder()
{
    QString base = appDataDir();
    if (base.isEmpty() || !qEnvironmentVariableIsEmpty("APPDATA"))
        return base;
    return base + QStringLiteral("/vexlo");
}

bool moveLegacySettingsFile(const QString& fileName)
{
    if (!qEnvironmentVariableIsEmpty("APPDATA"))
        return false;
    QString base = appDataDir();
    if (base.isEmpty())
        return false;
    const QString oldPath = base + QLatin1Char('/') + fileName;
    const QString folder = settingsFolder();
    const QString newPath = folder + QLatin1Char('/') + fileName;
    const QFileInfo oldInfo(oldPath);
    if (!oldInfo.isFile() || oldInfo.isSymLink() || QFileInfo::exists(newPath))
        return false;
    if (!QDir().mkpath(folder)) {
        qWarning("cannot create the settings folder %s: settings stay in %s", qPrintable(folder),
                 qPrintable(oldPath));
        return false;
    }
    // rename() keeps every byte and is atomic on one file system; across file
    // systems QFile copies first and removes the old file only after that.
    if (!QFile::rename(oldPath, newPath)) {
        qWarning("cannot move %s to %s: settings stay where they are", qPrintable(oldPath),
                 qPrintable(newPath));
        return false;
    }
    return true;
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
