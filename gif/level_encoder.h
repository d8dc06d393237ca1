// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The encoder of the "压缩动画" levels: composed pictures in, GIF bytes out.
//
// Every frame gets a palette of its own, built from the pixels that changed
// since the picture before it (the exact colours when there are few enough,
// else a median cut refined by k-means), and the pixels are mapped to their
// nearest entry, through an ordered dither when dithering is on (a fixed
// threshold pattern, so a still area stays the same from frame to frame).
// A pixel whose colour on screen (what the frames before left there) is at
// least as close as its new entry, give or take the level's tolerance, is
// written as transparent (except in short gaps between written pixels of a
// row, where the entry that shows the same colour makes longer LZW strings);
// each frame holds only the rectangle that holds
// every pixel it changes, and a frame that changes nothing adds its delay to
// the one before. The lower levels let the LZW coder take a neighbouring
// string's index for a pixel when that stays within their tolerance.
//
// Palettes and mappings run on all threads; deciding what each frame shows
// and coding it run in frame order, so the bytes do not depend on the number
// of threads.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gif/level_options.h"

struct LevelFrame {
    std::vector<const uint8_t*> rows;  // top-down rows of B, G, R, width * 3 bytes each
    int delay = 0;                     // hundredths of a second
};

struct LevelRequest {
    int width = 0;
    int height = 0;
    bool playOnce = false;
    bool dither = true;
    bool keepWhite = false;
    LevelOptions options;
};

class LevelEncoder {
public:
    using Progress = std::function<void(int percent)>;  // 0..100, in order, on the calling thread

    // False (with a reason) for no frames or an unusable size; `out` then
    // holds nothing useful. `threads` <= 0 means generationThreadCount().
    static bool encode(const std::vector<LevelFrame>& frames, const LevelRequest& request,
                       std::vector<uint8_t>& out, const Progress& progress = nullptr,
                       std::string* error = nullptr, int threads = 0);
};
