// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Writing: the animation through libgd, with a global colour table taken from
// the first frame, no local tables, and every frame after the first only as
// the rectangle that changed from the one before (disposal 1). Without
// play-once the looping extension asks for endless repetition.
//
// The frames are encoded on the generation's threads and written in order. A
// file that cannot be written whole is removed (only a regular file of ours,
// never a device the path happened to name), also when an exception such as
// std::bad_alloc leaves the stage.
#include <QString>
#include <string>
#include <vector>

#include "gif/palette_frame.h"

class GenerationRun;

class WriteStage {
public:
    WriteStage(const QString& path, bool playOnce) : path_(path), playOnce_(playOnce) {}

    // True when the file was written whole; `frames` must not be empty.
    bool run(const std::vector<PaletteFrame>& frames, GenerationRun& run, std::string* error) const;

    // Removes an unfinished output file at `path` if it is a regular file.
    static void removePartialFile(const QString& path);

private:
    QString path_;
    bool playOnce_;
};
