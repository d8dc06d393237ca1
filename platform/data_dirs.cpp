// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/data_dirs.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

#include "platform/app_paths.h"

namespace {
// XDG base-directory lists: relative entries are to be ignored.
void appendXdg(QStringList& out, const QString& value)
{
    for (const QString& dir : value.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            out << QDir::cleanPath(dir + QStringLiteral("/vexlo"));
    }
}
}  // namespace

QStringList dataFolders()
{
    QStringList out;
    const QString program = programDir();
    out << program << QDir::cleanPath(program + QStringLiteral("/.."))
        << QDir::cleanPath(program + QStringLiteral("/../share/vexlo"));
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome)) {
        const QString home = qEnvironmentVariable("HOME");
        dataHome = home.isEmpty() ? QString() : home + QStringLiteral("/.local/share");
    }
    if (!dataHome.isEmpty())
        appendXdg(out, dataHome);
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    appendXdg(out, dataDirs);
#ifdef VEXLO_DATA_DIR
    out << QStringLiteral(VEXLO_DATA_DIR);
#endif
    out.removeDuplicates();
    return out;
}

QString findDataFile(const QString& relative)
{
    for (const QString& folder : dataFolders()) {
        QString path = folder + QLatin1Char('/') + relative;
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}
