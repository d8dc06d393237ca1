// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/help_pages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "platform/app_paths.h"

QString helpPagePath(const QString& page)
{
    const QString beside = QDir(programDir()).filePath(QStringLiteral("help/") + page);
    if (QFileInfo::exists(beside))
        return beside;
    // Programs in a sub-folder of the build folder (tests, tools) use its pages.
    const QString build = QDir(programDir()).filePath(QStringLiteral("../help/") + page);
    if (QFileInfo::exists(build))
        return QDir::cleanPath(build);
#ifdef VEXLO_DATA_DIR
    const QString installed = QDir(QStringLiteral(VEXLO_DATA_DIR)).filePath(QStringLiteral("help/") + page);
    if (QFileInfo::exists(installed))
        return installed;
#endif
    return beside;
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
