// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/generation_run.h"

#include <QtGlobal>
#include <algorithm>
#include <utility>

GenerationRun::GenerationRun(int threads, GenerationProgress progress)
    : threads_(std::max(threads, 1)),
      progress_(std::move(progress)),
      timesOn_(qEnvironmentVariableIsSet("VEXLO_GENERATION_TIMES")),
      last_(std::chrono::steady_clock::now()),
      lastCpu_(std::clock())
{
}

void GenerationRun::mark(const char* stage)
{
    if (!timesOn_)
        return;
    const auto now = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    // The processor time of every thread of the process (where clock() counts that).
    qInfo("generation: %-9s %7.1f ms (processor %7.1f ms)", stage,
          std::chrono::duration<double, std::milli>(now - last_).count(),
          1000.0 * double(cpu - lastCpu_) / CLOCKS_PER_SEC);
    last_ = now;
    lastCpu_ = cpu;
}
