// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Geometry of the frame strip: the parts of one item for an item width, where
// a thumbnail goes inside its box, and which rows are visible.
#include <QRect>
#include <QSize>

struct StripItemLayout {
    int height = 0;  // item height
    QRect bounds;    // (0, 0, W, height)
    QRect thumb;     // thumbnail box (22, 5) .. (W - 5, 5 + (W - 27) * 3 / 4)
    QRect check;     // check box (5, 15 s) .. (17, 15 s + 12)
    QRect delay;     // delay label under the box
};

// Rectangles are built from (left, top, right, bottom) with right and bottom
// exclusive, so QRect::width() is right - left. `uiScale` multiplies the text
// rows. A width below 28 is taken as 28 so the box never turns inside out.
StripItemLayout stripItemLayout(int itemWidth, double uiScale);

// The thumbnail rectangle for an image of `image` inside the box `inner`:
// smaller images keep their size and are centred; larger ones are shrunk by
// the larger ratio and centred on the other axis.
QRect thumbnailRect(const QSize& image, const QRect& inner);

// Visible rows: first = scroll / itemHeight; rows = ceil(clientHeight /
// itemHeight), at most count.
struct StripRows {
    int first = 0;
    int rows = 0;
};
StripRows visibleStripRows(int scrollPos, int clientHeight, int itemHeight, int count);

// The position a finished scroll snaps to: whole items, rounding up when more
// than half an item height is past.
int snapStripScroll(int pos, int itemHeight);
