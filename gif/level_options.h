// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What each of the ten "压缩动画" levels trades: colours per frame, how far a
// pixel may stray to keep the colour already on screen (written as
// transparent), how far the LZW coder may stray to extend a string, the
// strength of the ordered dither and the k-means rounds of the palette.
// Errors are squared distances over red, green and blue.

struct LevelOptions {
    int level = 1;             // 1 (best picture) .. 5 (smallest file)
    bool blackWhite = false;   // grey palettes
    int colours = 255;         // per frame, besides the transparent entry
    int keepTolerance = 0;     // extra error accepted to leave a pixel as it is shown
    int lossyTolerance = 0;    // extra error accepted to extend an LZW string (0: lossless)
    float ditherStrength = 0;  // ordered dither amplitude, in palette steps
    int kmeansRounds = 4;
    // A frame uses the global table unless its own palette does better by more
    // than this error per changed pixel.
    float globalSlack = 0.5f;
    // A later frame's own palette takes the fewest colours that keep its changed
    // pixels within this mean error (0: always `colours`).
    float frameError = 0;

    static constexpr int kLevels = 5;
    // Level 1..5 (clamped), colour or black and white.
    static LevelOptions forLevel(int level, bool blackWhite);
};
