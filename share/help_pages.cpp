// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/help_pages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "platform/app_paths.h"
#include "platform/data_dirs.h"

QString helpPagePath(const QString& page)
{
    // Beside the program, the build folder above a test, an installed tree.
    QString found = findDataFile(QStringLiteral("help/") + page);
    if (!found.isEmpty())
        return found;
    return QDir(programDir()).filePath(QStringLiteral("help/") + page);
}

QUrl helpPageUrl(const QString& page)
{
    return QUrl::fromLocalFile(QFileInfo(helpPagePath(page)).absoluteFilePath());
}

bool openUrlWithPlatform(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

void openHelpPage(const QString& page, const UrlOpener& opener)
{
    const QUrl url = helpPageUrl(page);
    const bool ok = opener ? opener(url) : openUrlWithPlatform(url);
    if (!ok)
        qWarning("cannot open the help page %s", qPrintable(url.toString()));
}
