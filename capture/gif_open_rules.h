// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Which file the capture window opens in the editor from a paste (Ctrl+V) or a
// drop, and when it opens nothing. Only local files are opened; the names are
// bounded as the window has always bounded them.
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace GifOpenRules {

// Longest file name taken from the clipboard and from a drop.
constexpr int kClipboardNameChars = 260;
constexpr int kDropNameChars = 400;

// What a paste does.
enum class PasteAction {
    Ignore,  // busy (recording, generating, closing): nothing, not even a message
    Refuse,  // nothing suitable on the clipboard: the window says the file is incomplete
    Open,    // open `path`
};
struct PasteChoice {
    PasteAction action = PasteAction::Ignore;
    QString path;
};

// A paste opens the first URL on the clipboard when it is a local file whose
// name has at most kClipboardNameChars characters.
PasteChoice choosePastedFile(const QList<QUrl>& clipboardUrls, bool busy);

// The local files among dropped URLs, in their order.
QStringList localFiles(const QList<QUrl>& urls);

// A drop opens its file when exactly one local file was dropped, its name has
// at most kDropNameChars characters and the window is not busy. None: nothing
// is opened.
std::optional<QString> chooseDroppedFile(const QStringList& localPaths, bool busy);

}  // namespace GifOpenRules
