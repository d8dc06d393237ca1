// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Opening an existing animated GIF as the frame sequence, and decoding one into
// fitted frames for insertion.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "share/modal_progress.h"

class FrameSequence;

// Why an import was refused. `reason` is an English sentence for the log and
// the command line; a window builds its own text from `kind` and the numbers.
struct GifImportRefusal {
    enum Kind { None, NotGif, Unreadable, Damaged, TooFewFrames, TooLarge, OutOfMemory };
    Kind kind = None;
    QString reason;
    // TooLarge: the images the file declares, its logical screen, and the
    // bytes they would take against the budget.
    int frames = 0;
    int width = 0;
    int height = 0;
    uint64_t neededBytes = 0;
    uint64_t budgetBytes = 0;
};

struct FrameRecord;
class CaptionList;
struct AppSettings;

// What an opened GIF's 24-bit frames may take in all: as much as a 25-second
// recording at 1080p and 20 frames a second (500 frames, 3.1 GB) holds.
inline constexpr uint64_t kMaxImportBytes = uint64_t(4) << 30;  // 4 GiB

// Replaces the whole sequence by the frames of the GIF file at `path`.
// Refused (false, and sequence, captions and settings untouched; *refusal,
// when given, says why) when the extension is not "gif" (any case), the file
// cannot be decoded, holds a single frame, or its 24-bit frames would exceed
// kMaxImportBytes.
// On success: every caption is deleted, the output scale is 1.0 and the filter
// number 0, each frame is a 24-bit composed image of the GIF's size with include
// mark 1 and the frame's delay (below 1 -> 5), the frame rectangle is
// (0, 0, GIF width, GIF height) with mouse-track mode 0, and *frameCount (when
// given) receives the number of frames for the capture window's counter.
// Where no frame has painted, and where disposal 2 clears, the frames show
// the GIF's background colour (black when the file has no global table).
// The progress window is made by `makeProgress` (may be empty) before the
// first frame is decoded, with the range 0 .. n + 1 (n the images the file
// declares) and the text "Loading...", advanced once before the frames and
// once per decoded frame; its answer is ignored (the import cannot be
// cancelled).
bool ImportGifFile(const QString& path, FrameSequence& sequence, CaptionList& captions, AppSettings& settings,
                   const ModalProgressFactory& makeProgress, int* frameCount = nullptr,
                   GifImportRefusal* refusal = nullptr);

// The decoding half of ImportGifFile on the file's bytes: the records it would
// append, or false with the reason. `budget` bounds GifImportBytes for the
// images the file declares; a file over it is refused before any frame is
// decoded or the progress window is made.
bool DecodeGifForImport(const QByteArray& bytes, uint64_t budget, const ModalProgressFactory& makeProgress,
                        std::vector<std::unique_ptr<FrameRecord>>& records, GifImportRefusal& refusal);

// Bytes an import of `frames` frames of a width x height GIF holds at most:
// its 24-bit frames and the composing canvases.
uint64_t GifImportBytes(uint64_t frames, int width, int height);

// What a window tells the user about a refused import: a sentence for the
// refusals about memory (TooLarge names the frames, their size and the
// megabytes against the limit), so the user knows the file is not broken;
// empty for the others, which a window passes over in silence.
QString GifImportRefusalMessage(const GifImportRefusal& refusal);

// Decodes every frame of a multi-frame GIF, composes it on the logical screen
// (canvas starting in the menu-background colour, disposal 2 filling with the
// button-face colour, disposal 3 restoring), fits it into width x height on
// black and appends one record per frame to `target` (include mark 1, the
// frame's own delay, 0 included). `progress` (may be null) is advanced once
// per frame. Returns the number of records appended: 0 for a file that does
// not start with "GIF", cannot be decoded, holds a single frame or would
// exceed the memory budget; `target` is then unchanged.
int AppendGifFramesFitted(const QString& path, int width, int height, ModalProgress* progress,
                          std::vector<std::unique_ptr<FrameRecord>>& target);
