// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/gif_open_rules.h"

namespace GifOpenRules {

PasteChoice choosePastedFile(const QList<QUrl>& clipboardUrls, bool busy)
{
    if (busy)
        return {PasteAction::Ignore, QString()};
    if (clipboardUrls.isEmpty() || !clipboardUrls.first().isLocalFile())
        return {PasteAction::Refuse, QString()};
    const QString path = clipboardUrls.first().toLocalFile();
    if (path.size() > kClipboardNameChars)
        return {PasteAction::Refuse, QString()};
    return {PasteAction::Open, path};
}

QStringList localFiles(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

std::optional<QString> chooseDroppedFile(const QStringList& localPaths, bool busy)
{
    if (busy || localPaths.size() != 1 || localPaths.first().size() > kDropNameChars)
        return std::nullopt;
    return localPaths.first();
}

}  // namespace GifOpenRules
