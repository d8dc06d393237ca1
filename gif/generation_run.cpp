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
      last_(std::chrono::steady_clock::now())
{
}

void GenerationRun::mark(const char* stage)
{
    if (!timesOn_)
        return;
    const auto now = std::chrono::steady_clock::now();
    qInfo("generation: %-9s %7.1f ms", stage, std::chrono::duration<double, std::milli>(now - last_).count());
    last_ = now;
}
