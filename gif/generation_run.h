// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What every stage of one generation shares: the number of threads (taken once
// when the generation starts), the progress callback and the stage timer.
//
// With VEXLO_GENERATION_TIMES set, the time of each stage goes to the log.
#include <chrono>
#include <ctime>
#include <functional>
#include <string>

using GenerationProgress = std::function<void(int percent)>;

class GenerationRun {
public:
    GenerationRun(int threads, GenerationProgress progress);

    int threads() const { return threads_; }
    // Reports from the calling thread only.
    void report(int percent) const
    {
        if (progress_)
            progress_(percent);
    }
    // Logs the time since the previous mark (or the start) under `stage`.
    void mark(const char* stage);

private:
    int threads_;
    GenerationProgress progress_;
    bool timesOn_;
    std::chrono::steady_clock::time_point last_;
    std::clock_t lastCpu_;
};

// Sets *error when error is not null.
inline void setGenerationError(std::string* error, const std::string& reason)
{
    if (error != nullptr)
        *error = reason;
}
