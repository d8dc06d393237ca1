// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The 24 x 24 icons of the preview's buttons, drawn in white for the blue
// buttons: a pencil (edit), a squeezed frame (compress), a disk with an arrow
// (save) and a question mark (help).
#include <QImage>

enum class PreviewIcon { Edit, Compress, Save, Help };

inline constexpr int kPreviewIconSize = 24;

QImage previewIcon(PreviewIcon which);
