// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// "Save to the computer": copies the previewed GIF to a place the user chose,
// replacing a file that is there.
#include <QString>

enum class GifCopyResult {
    Copied,        // the destination holds the source's bytes
    SameFile,      // the destination is the source itself: nothing to do, the file is intact
    AccessDenied,  // the source could not be read or the destination not written
};

// Copies with the system's copy first; when that fails, by hand in byte mode:
// the whole source is read before the destination is opened for writing, so a
// destination that turns out to be the source is never truncated.
GifCopyResult copyGifFile(const QString& source, const QString& destination);
