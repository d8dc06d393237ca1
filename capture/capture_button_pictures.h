// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The pictures of the capture window's eight bitmap buttons, drawn at start-up
// at their natural size (the button scales them by the UI text scale):
//   5 open      24 x 20  a small landscape on blue; on pink when hovered
//   3 minimise  24 x 20  a dash on blue; highlighted
//   4 square    24 x 20  an empty square (both pictures)
//   2 close     24 x 20  a cross on blue; on red
//   1000 start  65 x 29  a round record icon and "开始"; while recording a
//                        round pause icon and "停止"
//   1003 edit   65 x 29  an "i" icon and "编辑"
//   1001 GIF   100 x 29  an arrow icon and "生成动画"
//   1002 more   65 x 29  a gear icon and "更多"
#include <QImage>
#include <QSize>

// Natural size of a button's picture; an empty size for other ids.
QSize captureButtonPictureSize(int id);
// The picture of button `id`; `recording` only matters for the start button.
// A null image for other ids.
QImage captureButtonPicture(int id, bool hovered, bool recording = false);
