// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Where the preview window goes and how its controls are laid out, and its
// information line; plain arithmetic so it is tested without a window.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace previewgeo {

inline constexpr int kMinWidth = 300;      // a newly shown preview is at least this wide
inline constexpr int kMinHeight = 150;     // ... and this tall
inline constexpr int kMinDragWidth = 200;  // the smallest size the user can drag it to
inline constexpr int kMinDragHeight = 150;
inline constexpr QPoint kFallbackPos{100, 100};

// The size of a preview shown for a GIF of gifWidth x gifHeight: width + 60
// (at least 300); height + 4 x the caption height (at least 150, and at least 3
// x the top bar's height plus the capture height).
QSize windowSize(int gifWidth, int gifHeight, int captionHeight, int topBarHeight, int captureHeight);

// The preview's top-left corner: the top-right corner of the capture window's
// top bar (so it opens to the right of the frame), or (100, 100) when that
// corner's x lies outside 0..1000 or its y outside 0..700.
QPoint windowPosition(const QRect& topBar);

struct Layout {
    QRect view;                   // the animation
    QRect info;                   // the information line
    std::vector<QPoint> buttons;  // top-left corners of the buttons, left to right
};
// Band height B = the first button's height + 1. The view fills the client
// area above two bands, the information line takes the first band (5 pixels
// in), the buttons sit in one row in the second band, 1 pixel apart.
Layout layoutControls(const QSize& client, int firstButtonHeight, const std::vector<int>& buttonWidths);

// "%.1fK, %d*%d, %d frames".
QString infoLine(float sizeKb, int width, int height, int frames);

}  // namespace previewgeo
