// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/errno_text.h"

#include <cstring>

namespace {
// strerror_r comes in two shapes: the GNU one returns the text, the POSIX one
// fills the buffer and returns 0.
[[maybe_unused]] const char* pick(const char* gnuResult, const char* /*buffer*/)
{
    return gnuResult;
}

[[maybe_unused]] const char* pick(int posixResult, const char* buffer)
{
    return posixResult == 0 ? buffer : "unknown error";
}
}  // namespace

std::string errnoText(int error)
{
    char buffer[256] = {};
    return pick(strerror_r(error, buffer, sizeof buffer), buffer);
}
