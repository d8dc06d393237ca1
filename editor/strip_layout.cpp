// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/strip_layout.h"

#include <algorithm>

namespace {

QRect ltrb(int l, int t, int r, int b)
{
    return QRect(l, t, std::max(0, r - l), std::max(0, b - t));
}

}  // namespace

StripItemLayout stripItemLayout(int itemWidth, double uiScale)
{
    const int w = std::max(28, itemWidth);
    StripItemLayout l;
    const int boxHeight = (w - 27) * 3 / 4;
    l.height = int(boxHeight + 7 + 22 * uiScale);
    l.bounds = ltrb(0, 0, w, l.height);
    l.thumb = ltrb(22, 5, w - 5, 5 + boxHeight);
    const int checkTop = int(15 * uiScale);
    l.check = ltrb(5, checkTop, 17, checkTop + 12);
    const int delayTop = l.thumb.top() + l.thumb.height() + 2;
    l.delay = ltrb(22, delayTop, w - 5, int(delayTop + 15 * uiScale));
    return l;
}

QRect thumbnailRect(const QSize& image, const QRect& inner)
{
    const int iw = inner.width();
    const int ih = inner.height();
    const int w = image.width();
    const int h = image.height();
    if (iw <= 0 || ih <= 0 || w <= 0 || h <= 0)
        return QRect();
    const double rx = double(w) / iw;
    const double ry = double(h) / ih;
    const int cx = inner.left() + iw / 2;
    const int cy = inner.top() + ih / 2;
    if (rx < 1 && ry < 1)
        return QRect(cx - w / 2, cy - h / 2, w, h);
    if (rx > ry || (rx >= 1 && ry < 1))
        return QRect(inner.left(), int(cy - h / (2 * rx)), iw, std::max(1, int(h / rx)));
    return QRect(int(cx - w / (2 * ry)), inner.top(), std::max(1, int(w / ry)), ih);
}

StripRows visibleStripRows(int scrollPos, int clientHeight, int itemHeight, int count)
{
    StripRows r;
    if (itemHeight <= 0 || count <= 0)
        return r;
    r.first = std::max(0, scrollPos) / itemHeight;
    r.rows = std::min(count, (std::max(0, clientHeight) + itemHeight - 1) / itemHeight);
    return r;
}

int snapStripScroll(int pos, int itemHeight)
{
    if (itemHeight <= 0)
        return pos;
    int p = pos / itemHeight;
    if (pos % itemHeight > itemHeight / 2)
        ++p;
    return p * itemHeight;
}
