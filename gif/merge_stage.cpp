// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/merge_stage.h"

#include <algorithm>
#include <cstdint>

#include "gif/generation_run.h"
#include "gif/ordered_parallel.h"

namespace {
constexpr int kMaxGifDelay = 65535;
}

std::vector<PaletteFrame> mergeIdenticalFrames(std::vector<PaletteFrame>& frames, GenerationRun& run)
{
    frames.erase(std::remove_if(frames.begin(), frames.end(), [](const PaletteFrame& f) { return !f.image; }),
                 frames.end());
    // Equality of pictures is transitive, so comparing each frame with the one
    // before it finds the same runs as comparing with the run's first frame.
    std::vector<char> sameAsPrevious(frames.size(), 0);
    runOrdered(
        int(frames.size()), run.threads(),
        [&](int j) {
            if (j > 0)
                sameAsPrevious[size_t(j)] =
                    gdImageCompare(frames[size_t(j) - 1].image.get(), frames[size_t(j)].image.get()) == 0;
        },
        [](int) { return true; });
    std::vector<PaletteFrame> merged;
    merged.reserve(frames.size());
    for (size_t j = 0; j < frames.size(); ++j) {
        if (sameAsPrevious[j])
            merged.back().delay =
                int(std::min<int64_t>(int64_t(merged.back().delay) + frames[j].delay, kMaxGifDelay));
        else
            merged.push_back(std::move(frames[j]));
    }
    frames.clear();
    return merged;
}
