// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/level_options.h"

#include <algorithm>

LevelOptions LevelOptions::forLevel(int level, bool blackWhite)
{
    struct Row {
        int colours, keep, lossy;
        float dither;
        int rounds;
        float slack, frameError;
    };
    static const Row kColour[kLevels] = {
        {255, 0, 0, 0.35f, 4, 0.5f, 0},        {255, 0, 0, 0.40f, 3, 8.0f, 6.0f},
        {255, 12, 12, 0.45f, 3, 8.0f, 12.0f},  {127, 48, 60, 0.50f, 2, 8.0f, 24.0f},
        {63, 200, 300, 0.55f, 2, 8.0f, 48.0f},
    };
    static const Row kGrey[kLevels] = {
        {255, 0, 0, 0.35f, 4, 0.5f, 0},       {63, 0, 0, 0.40f, 3, 8.0f, 6.0f},
        {31, 12, 12, 0.45f, 3, 8.0f, 12.0f},  {15, 48, 60, 0.50f, 2, 8.0f, 24.0f},
        {7, 200, 300, 0.55f, 2, 8.0f, 48.0f},
    };
    LevelOptions o;
    o.level = std::clamp(level, 1, kLevels);
    o.blackWhite = blackWhite;
    const Row& r = (blackWhite ? kGrey : kColour)[o.level - 1];
    o.colours = r.colours;
    o.keepTolerance = r.keep;
    o.lossyTolerance = r.lossy;
    o.ditherStrength = r.dither;
    o.kmeansRounds = r.rounds;
    o.globalSlack = r.slack;
    o.frameError = r.frameError;
    return o;
}
