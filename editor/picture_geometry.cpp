// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/picture_geometry.h"

#include <algorithm>

PictureGeometry fitPicture(const QSize& frame, const QRect& area)
{
    PictureGeometry g;
    // Area edges as the editor keeps them: right and bottom are exclusive.
    const long long left = area.left();
    const long long top = area.top();
    const long long right = left + area.width();
    const long long bottom = top + area.height();
    const long long cx = (left + right) / 2;
    const long long cy = (top + bottom) / 2;
    if (frame.width() <= 0 || frame.height() <= 0 || area.width() <= 0 || area.height() <= 0) {
        g.image = QRect(int(cx), int(cy), 0, 0);
        return g;
    }
    const float sx = float(frame.width()) / float(area.width());
    const float sy = float(frame.height()) / float(area.height());
    g.scale = std::max(1.0f, std::max(sx, sy));
    // Never wider or higher than the area, whatever the float rounding did.
    const int w = std::min(area.width(), int(float(frame.width()) / g.scale));
    const int h = std::min(area.height(), int(float(frame.height()) / g.scale));
    const long long ox = cx - left - w / 2;
    const long long oy = cy - top - h / 2;
    g.image = QRect(int(left + ox), int(top + oy), w, h);
    return g;
}

QPoint toFramePixels(const QPoint& clientPoint, const PictureGeometry& geometry)
{
    const double dx = double(clientPoint.x()) - geometry.image.left();
    const double dy = double(clientPoint.y()) - geometry.image.top();
    return QPoint(int(dx * geometry.scale), int(dy * geometry.scale));
}
