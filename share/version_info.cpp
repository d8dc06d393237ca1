// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/version_info.h"

#include "version.h"

VersionInfo compiledVersionInfo()
{
    VersionInfo info;
    info.hasVersion = true;
    info.numbers[0] = VEXLO_VERSION_MAJOR;
    info.numbers[1] = VEXLO_VERSION_MINOR;
    info.numbers[2] = VEXLO_VERSION_PATCH;
    info.numbers[3] = 0;
    info.hasLegal = true;
    info.legal = QStringLiteral(VEXLO_COPYRIGHT ". Free software under the GNU GPL version 3 or later.");
    return info;
}

QString installedVersionText(const VersionInfo& info)
{
    if (!info.hasVersion)
        return QString();
    return QString::asprintf("%u.%u.%u.%u", info.numbers[0], info.numbers[1], info.numbers[2],
                             info.numbers[3]);
}

QString aboutVersionLine(const QString& title, const VersionInfo& info)
{
    if (!info.hasVersion)
        return QStringLiteral("<failed to retrieve version info>");
    return QStringLiteral("%1 Version %2.%3.%4.%5")
        .arg(title)
        .arg(info.numbers[0])
        .arg(info.numbers[1])
        .arg(info.numbers[2])
        .arg(info.numbers[3]);
}

QString aboutLegalLine(const VersionInfo& info)
{
    if (!info.hasLegal)
        return QStringLiteral("<failed to retrieve legal info>");
    return info.legal;
}
