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
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "gif/palette_frame.h"

class GenerationRun;

class WriteStage {
public:
    WriteStage(const QString& path, bool playOnce) : path_(path), playOnce_(playOnce) {}
    // A file begun and not finished whole is removed here.
    ~WriteStage();
    WriteStage(const WriteStage&) = delete;
    WriteStage& operator=(const WriteStage&) = delete;

    // True when the file was written whole; `frames` must not be empty.
    bool run(const std::vector<PaletteFrame>& frames, GenerationRun& run, std::string* error);

    // The same in pieces, for a caller that has the frames one by one: begin()
    // with the first frame (its colours become the global table), encode() any
    // frame on any thread, add() the encoded frames in order, then finish().
    // After a false nothing more is written and the file goes away.
    struct EncodedFrame {
        std::vector<uint8_t> bytes;  // ours, or empty when libgd made `fallback`
        GdBuffer fallback;
    };
    bool begin(const gdImage& first, std::string* error);
    static void encode(const gdImage& image, const gdImage* previous, int delay, EncodedFrame& out);
    bool add(EncodedFrame& frame, std::string* error);  // releases what the frame held
    bool finish(std::string* error);

    // Removes an unfinished output file at `path` if it is a regular file.
    static void removePartialFile(const QString& path);

private:
    struct FileCloser {
        void operator()(std::FILE* f) const;
    };
    bool failed(std::string* error);

    QString path_;
    bool playOnce_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    bool begun_ = false;  // the file was created: it is ours to remove
    bool whole_ = false;  // finish() wrote it whole
    int writeErrno_ = 0;
};
