// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A frame sequence as a folder of pictures: DIR/0001.png, 0002.png, ... plus
// DIR/frames.tsv with one line per frame: index, delay in 1/100 s, width,
// height (tab-separated; the index is the number in the file name). The same
// layout `vexlo decode` writes.
#include <string>

class FrameSequence;

// Creates the folder when needed. False with the reason in `error` (the
// system's, as "No space left on device") when the folder or a file cannot be
// written; every file this call wrote is then removed again, so the folder
// never holds a partial set.
bool writeFrameFolder(const std::string& dir, const FrameSequence& sequence, std::string* error = nullptr);
