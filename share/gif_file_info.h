// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What the preview shows about a generated GIF: frame count, size and file
// size, and the rule for the large-file notice.
#include <QString>
#include <optional>

struct GifFileInfo {
    int frames = 0;
    int width = 0;
    int height = 0;
    float sizeKb = 0.0f;
};

// The file size in KB (bytes / 1024 as a 32-bit float); 0 when the file cannot
// be opened.
float gifFileSizeKb(const QString& path);

// Decodes the GIF (the first frame and the frame count); nothing when it does
// not decode, so no preview is opened on it.
std::optional<GifFileInfo> measureGifFile(const QString& path);

// Files strictly larger than 2000.0 KB raise the notice while it is switched on.
inline constexpr float kNoticeThresholdKb = 2000.0f;
inline bool sizeNoticeDue(bool noticeOn, float sizeKb)
{
    return noticeOn && sizeKb > kNoticeThresholdKb;
}
