// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The program's own version and legal notice (compiled in from the build), and
// the lines the version check and the About box make of them.
#include <QString>

struct VersionInfo {
    bool hasVersion = false;
    unsigned numbers[4] = {0, 0, 0, 0};  // major, minor, build, revision
    bool hasLegal = false;
    QString legal;  // the legal notice
};

// The web site, its version page and the support mailbox.
inline constexpr const char* kWebSiteUrl = "https://vexlo.org/";
inline constexpr const char* kSupportAddress = "support@vexlo.org";
inline constexpr const char* kVersionPage = "vx_version_update.htm";

VersionInfo compiledVersionInfo();

// "%d.%d.%d.%d", empty without a version.
QString installedVersionText(const VersionInfo& info);
// "%s Version %u.%u.%u.%u", or "<failed to retrieve version info>".
QString aboutVersionLine(const QString& title, const VersionInfo& info);
// The legal notice, or "<failed to retrieve legal info>".
QString aboutLegalLine(const VersionInfo& info);
