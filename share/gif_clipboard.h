// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What "copy to the chat window / clipboard" puts on the clipboard: the GIF's
// bytes as image/gif (chat programs paste the animation), the file's absolute
// file:/// URL as text/uri-list (and as the GNOME file-manager list, so a
// paste in a file manager gets the file), and the first frame as an image for
// programs that only take still pictures.
#include <QString>
#include <memory>

class QMimeData;

inline constexpr char kGifMimeType[] = "image/gif";

// Null when the file cannot be read or does not decode as a GIF.
std::unique_ptr<QMimeData> gifMimeData(const QString& path);
