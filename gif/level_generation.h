// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The encoding half of a generation made at a "压缩动画" level
// (settings.level 1..5, settings.blackWhite): the composed frames go through
// LevelEncoder and its bytes are written to settings.outputPath, which is
// removed when it cannot be written whole.
//
// Progress: 60..94 while the frames are made, then 95 and 100 (also on
// failure), as the default encoding reports them.
#include <functional>
#include <string>
#include <vector>

#include "gif/level_encoder.h"

struct GenerationSettings;

bool writeLevelGif(const std::vector<LevelFrame>& frames, const GenerationSettings& settings, int width,
                   int height, bool dither, const std::function<void(int percent)>& progress,
                   std::string* error, int threads);
