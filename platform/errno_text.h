// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The text of an errno value, safe on any thread (strerror may share one buffer
// between threads).
#include <string>

std::string errnoText(int error);
