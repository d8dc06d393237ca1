// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The application icon: the PNG sizes made from res/icons/vexlo.svg, the same
// pictures the desktop's icon theme gets, compiled in through Qt's resources.
#include <QIcon>
#include <QString>

// The desktop entry's name without ".desktop", also the AppStream id.
inline constexpr const char* kDesktopFileName = "org.vexlo.Vexlo";

QIcon applicationIcon();
