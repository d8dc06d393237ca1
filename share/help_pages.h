// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The help and tutorial pages (vx_whyblank.htm, vx_reduce.htm, ...) ship with
// the program in the folder "help" beside it (or in the installed data folder);
// they open in the user's default browser.
#include <QString>
#include <QUrl>
#include <functional>

// The page's file: <program folder>/help/<page> when it exists, else the help
// folder one level up (programs in sub-folders of the build folder), else
// <data folder>/help/<page> when that exists, else the first.
QString helpPagePath(const QString& page);
QUrl helpPageUrl(const QString& page);

// How a window opens a link; the platform's handler unless a test gives its own.
using UrlOpener = std::function<bool(const QUrl&)>;
bool openUrlWithPlatform(const QUrl& url);
// Opens the page; a failure is only logged.
void openHelpPage(const QString& page, const UrlOpener& opener = UrlOpener());
