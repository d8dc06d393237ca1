// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Filters for the file dialogs, in the "name(*.ext)|*.ext||" form that
// promptOpenFile and promptSaveFile take, translated in the context
// "FileFilters".
#include <QCoreApplication>
#include <QString>

namespace FileFilters {

inline constexpr char kGif[] = QT_TRANSLATE_NOOP("FileFilters", "动画GIF文件(*.gif)|*.gif||");

// Animated GIF files, in the language of the program.
inline QString gif()
{
    return QCoreApplication::translate("FileFilters", kGif);
}

}  // namespace FileFilters
