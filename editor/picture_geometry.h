// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Where the editor shows the current frame inside its picture area: the frame
// is shrunk to fit and never enlarged, and centred.
#include <QRect>
#include <QSize>

struct PictureGeometry {
    float scale = 1.0f;  // frame pixels per screen pixel, never below 1
    QRect image;         // the displayed image, in the coordinates of `area`
};

// scale = max(frame width / area width, frame height / area height), at least
// 1.0; the image is trunc(frame / scale) and sits with its centre on the
// area's integer centre ((left + right) / 2, computed with right = left + width).
// An empty frame or area gives scale 1 and an empty image at the area's centre.
PictureGeometry fitPicture(const QSize& frame, const QRect& area);

// A point of the displayed image in frame pixels: trunc((p - image.topLeft) * scale).
QPoint toFramePixels(const QPoint& clientPoint, const PictureGeometry& geometry);
